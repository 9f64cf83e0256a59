#include "entry/searches.h"

#include "entry/file_buffers.h"
#include "entry/line_scan.h"
#include "entry/pattern.h"
#include "logbook/contact_record.h"
#include "logbook/file_names.h"
#include "logbook/quoted_line.h"

namespace vl::entry {

SearchResult searchLog(std::string_view callBox, const logbook::DataFolder& folder) {
    SearchResult out;
    FreshRead file = readFresh(folder, logbook::names::kContactLog);
    if (!file.ok()) {
        out.error = file.error;
        return out;
    }
    const CallMatcher matches(callBox);
    out.text.reserve(file.content.size() + 64);
    forEachLineContaining(file.content, {}, [&](std::string_view line) {
        if (!matches(logbook::padCut(firstFieldView(line), logbook::kCallWidth))) return true;
        // The fields as the log holds them, brought back to their widths.
        const logbook::ContactRecord r =
            logbook::contactFromFields(logbook::splitQuotedLine(line));
        out.text += "  " + r.call + ' ' + r.sent + ' ' + r.rcvd + ' ' + r.chapter + ' ' + r.name +
                    ' ' + r.band + r.mode + ' ' + r.date + ' ' + r.time + ' ' + r.comment;
        out.text += logbook::kCrLf;
        ++out.count;
        return true;
    });
    if (out.count == 0) out.text = kNoLogMatchText;
    return out;
}

SearchResult searchHistory(std::string_view callBox, const logbook::DataFolder& folder) {
    SearchResult out;
    FreshRead file = readFresh(folder, logbook::names::kHistory);
    if (!file.ok()) {
        out.error = file.error;
        return out;
    }
    const CallMatcher matches(callBox);
    out.text.reserve(file.content.size() + 64);
    forEachLineContaining(file.content, {}, [&](std::string_view line) {
        if (!matches(firstFieldView(line))) return true;
        const std::vector<std::string> fields = logbook::splitQuotedLine(line);
        auto field = [&](size_t i) -> std::string_view {
            return i < fields.size() ? std::string_view(fields[i]) : std::string_view();
        };
        out.text += field(0);
        out.text += "   ";
        out.text += field(1);
        out.text += "   ";
        out.text += field(2);
        out.text += logbook::kCrLf;
        ++out.count;
        return true;
    });
    if (out.count == 0) out.text = kNoHistoryMatchText;
    return out;
}

}  // namespace vl::entry
