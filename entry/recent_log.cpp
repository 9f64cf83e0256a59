#include "entry/recent_log.h"

#include <algorithm>

#include "logbook/quoted_line.h"

namespace vl::entry {

std::string recentLogLine(const logbook::ContactRecord& raw, RecentLayout layout) {
    const logbook::ContactRecord r = logbook::fixedWidth(raw);
    std::string line;
    if (layout == RecentLayout::Refresh) {
        line = r.date + "  " + r.time + r.call + "  " + r.sent + "  " + r.rcvd + "  " + r.chapter +
               " " + r.name + " " + r.band + " " + r.mode + " " + r.comment;
    } else {
        line = "  " + r.date + "  " + r.time + r.call + "  " + r.sent + " " + r.rcvd + " " +
               r.chapter + " " + r.name + "  " + r.band + " " + r.mode + " " + r.comment;
    }
    line += "\r\n";
    return line;
}

std::string recentLogText(std::string_view logContent, RecentLayout layout) {
    const std::vector<std::string_view> lines = logbook::splitLines(logContent);
    const size_t first = lines.size() > 9 ? lines.size() - 9 : 0;
    std::string text;
    for (size_t i = first; i < lines.size(); ++i) {
        text += recentLogLine(logbook::contactFromFields(logbook::splitQuotedLine(lines[i])), layout);
    }
    return text;
}

}  // namespace vl::entry
