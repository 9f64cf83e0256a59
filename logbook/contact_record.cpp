#include "logbook/contact_record.h"

#include "logbook/quoted_line.h"

namespace vl::logbook {

std::string padCut(std::string_view text, size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

ContactRecord fixedWidth(const ContactRecord& raw) {
    return ContactRecord{padCut(raw.call, kCallWidth),       padCut(raw.sent, kSentWidth),
                         padCut(raw.rcvd, kRcvdWidth),       padCut(raw.chapter, kChapterWidth),
                         padCut(raw.name, kNameWidth),       padCut(raw.band, kBandWidth),
                         padCut(raw.mode, kModeWidth),       padCut(raw.date, kDateWidth),
                         padCut(raw.time, kTimeWidth),       raw.comment};
}

std::string formatContactLine(const ContactRecord& record) {
    const ContactRecord r = fixedWidth(record);
    return formatQuotedLine(std::vector<std::string>{r.call, r.sent, r.rcvd, r.chapter, r.name,
                                                     r.band, r.mode, r.date, r.time, r.comment});
}

namespace {

ContactRecord asWritten(const std::vector<std::string>& fields) {
    auto at = [&](size_t i) -> std::string { return i < fields.size() ? fields[i] : std::string(); };
    return ContactRecord{at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7), at(8), at(9)};
}

template <class Make>
std::vector<ContactRecord> readEach(std::string_view content, Make make) {
    const std::vector<std::string_view> lines = splitLines(content);
    std::vector<ContactRecord> records;
    records.reserve(lines.size());
    for (std::string_view line : lines) records.push_back(make(splitQuotedLine(line)));
    return records;
}

}  // namespace

ContactRecord contactFromFields(const std::vector<std::string>& fields) {
    auto at = [&](size_t i, size_t width) {
        return padCut(i < fields.size() ? std::string_view(fields[i]) : std::string_view(), width);
    };
    return ContactRecord{at(0, kCallWidth),    at(1, kSentWidth), at(2, kRcvdWidth),
                         at(3, kChapterWidth), at(4, kNameWidth), at(5, kBandWidth),
                         at(6, kModeWidth),    at(7, kDateWidth), at(8, kTimeWidth),
                         fields.size() > 9 ? fields[9] : std::string()};
}

std::vector<ContactRecord> readContacts(std::string_view content) {
    return readEach(content, contactFromFields);
}

std::vector<ContactRecord> readContactsAsWritten(std::string_view content) {
    return readEach(content, asWritten);
}

std::int64_t countRecords(std::string_view content) {
    return static_cast<std::int64_t>(splitLines(content).size());
}

}  // namespace vl::logbook
