// The contact log as read by the look-ups, the searches and the recount; and
// the index of the log and the history file, which must answer every look-up
// exactly as a scan of the file does (the input serves as both files).
#include <algorithm>

#include "entry/line_scan.h"
#include "entry/log_index.h"
#include "entry/lookups.h"
#include "fuzz_support.h"
#include "logbook/contact_record.h"
#include "logbook/file_names.h"
#include "logbook/quoted_line.h"

using namespace vl::logbook;

namespace {

using vl::entry::LogIndex;

// The first half of the input is indexed as the file, the rest appended as
// the program appends and the index extended; then calls taken from the
// lines, cut as a call box may hold them, are looked up both ways.
void indexAgreesWithScan(std::string_view content) {
    const vl::fuzz::FuzzFolder& files = vl::fuzz::FuzzFolder::instance();
    const DataFolder& folder = files.folder();
    const size_t cut = content.find('\n', content.size() / 2);
    const std::string_view first = cut == std::string_view::npos ? content : content.substr(0, cut + 1);
    LogIndex index(folder);
    for (auto [name, which] : {std::pair{names::kContactLog, LogIndex::File::Log},
                               std::pair{names::kHistory, LogIndex::File::History}}) {
        files.put(name, first);
        VL_FUZZ_CHECK(!index.refresh(which));
        if (first.size() == content.size()) continue;
        VL_FUZZ_CHECK(!folder.appendText(name, content.substr(first.size())));
        VL_FUZZ_CHECK(!index.extend(which));
    }
    std::vector<std::string> calls{""};
    std::vector<std::pair<std::string, std::string>> bandModes{{"20", "PHN"}};
    for (std::string_view line : splitLines(content)) {
        if (calls.size() > 40) break;
        const std::string_view call = vl::entry::firstFieldView(line);
        for (size_t length : {call.size(), kCallWidth, size_t{2}}) calls.emplace_back(call.substr(0, length));
        const ContactRecord r = contactFromFields(splitQuotedLine(line));
        if (bandModes.size() < 4) bandModes.emplace_back(trimBlanks(r.band), trimBlanks(r.mode));
    }
    for (const std::string& call : calls) {
        for (const auto& [band, mode] : bandModes) {
            const auto scanned = vl::entry::findDupe(call, band, mode, folder);
            const auto indexed = vl::entry::findDupe(call, band, mode, index);
            VL_FUZZ_CHECK(scanned.match.has_value() == indexed.match.has_value() &&
                          scanned.question == indexed.question && !indexed.error);
        }
        const auto scanned = vl::entry::findPreviousContacts(call, folder);
        const auto indexed = vl::entry::findPreviousContacts(call, index);
        VL_FUZZ_CHECK(scanned.count == indexed.count && scanned.text == indexed.text &&
                      scanned.sent == indexed.sent && scanned.name == indexed.name &&
                      scanned.chapter == indexed.chapter && !indexed.error);
        const auto fromFile = vl::entry::findHistory(call, folder);
        const auto fromIndex = vl::entry::findHistory(call, index);
        VL_FUZZ_CHECK(fromFile.found == fromIndex.found && fromFile.chapter == fromIndex.chapter &&
                      fromFile.name == fromIndex.name && !fromIndex.error);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view content = vl::fuzz::bytesOf(data, size);
    const std::vector<ContactRecord> records = readContacts(content);
    VL_FUZZ_CHECK(countRecords(content) == static_cast<std::int64_t>(records.size()));
    for (const ContactRecord& r : records) {
        VL_FUZZ_CHECK(r.call.size() == kCallWidth && r.sent.size() == kSentWidth &&
                      r.rcvd.size() == kRcvdWidth && r.chapter.size() == kChapterWidth &&
                      r.name.size() == kNameWidth && r.band.size() == kBandWidth &&
                      r.mode.size() == kModeWidth && r.date.size() == kDateWidth &&
                      r.time.size() == kTimeWidth);
        // A record as read is written back as one line that reads as the
        // same record, when no field holds a quote or a line end.
        const std::string line = formatContactLine(r);
        VL_FUZZ_CHECK(line.size() >= 2 && line.substr(line.size() - 2) == "\r\n");
        const std::string_view body(line.data(), line.size() - 2);
        if (body.find_first_of("\r\n") != std::string_view::npos) continue;
        if (std::count(body.begin(), body.end(), '"') != 20) continue;
        const std::vector<ContactRecord> again = readContacts(line);
        if (trimBlanks(body).empty()) continue;
        VL_FUZZ_CHECK(again.size() == 1);
        VL_FUZZ_CHECK(again[0].call == r.call && again[0].chapter == r.chapter &&
                      again[0].time == r.time && again[0].comment == r.comment);
    }
    indexAgreesWithScan(content);
    return 0;
}
