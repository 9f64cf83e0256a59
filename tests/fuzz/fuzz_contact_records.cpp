// The contact log as read by the look-ups, the searches and the recount.
#include <algorithm>

#include "fuzz_support.h"
#include "logbook/contact_record.h"
#include "logbook/quoted_line.h"

using namespace vl::logbook;

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
    return 0;
}
