#include "entry/partial_check.h"

#include <algorithm>

#include "logbook/contact_record.h"
#include "logbook/file_names.h"
#include "logbook/history.h"
#include "logbook/quoted_line.h"

namespace vl::entry {

namespace {

using logbook::trimBlanks;
using File = LogIndex::File;

PartialLine fromLog(const LogIndex::Known& k, uint32_t times, std::string_view band,
                    std::string_view mode, bool exact) {
    PartialLine out;
    out.call = std::string(k.call);
    out.times = times;
    out.exact = exact;
    std::vector<std::string> fields = logbook::splitQuotedLine(k.latestLine);
    fields.resize(std::max<size_t>(fields.size(), 5));
    out.chapter = std::string(trimBlanks(std::string_view(fields[3]).substr(0, logbook::kChapterWidth)));
    out.name = std::string(trimBlanks(std::string_view(fields[4]).substr(0, logbook::kNameWidth)));
    out.mark = PartialLine::Mark::Worked;
    for (const auto& [b, m] : k.workedOn) {
        if (b == trimBlanks(band) && m == trimBlanks(mode)) out.mark = PartialLine::Mark::Dupe;
        if (!out.workedOn.empty()) out.workedOn += ", ";
        out.workedOn += b;
        out.workedOn += ' ';
        out.workedOn += m;
    }
    return out;
}

PartialLine fromHistory(const LogIndex::Known& k, bool exact) {
    PartialLine out;
    out.call = std::string(k.call);
    out.exact = exact;
    const std::vector<logbook::HistoryRecord> records = logbook::parseHistory(k.latestLine);
    if (!records.empty()) {
        out.chapter = records.front().chapter == " " ? std::string() : records.front().chapter;
        out.name = records.front().name;
    }
    return out;
}

}  // namespace

PartialCheck checkPartial(std::string_view typed, std::string_view band, std::string_view mode,
                          bool withHistory, LogIndex& index) {
    PartialCheck out;
    const std::string folded = foldCall(trimBlanks(typed));
    if (folded.size() < kPartialMinimum) return out;
    if (auto error = index.refresh(File::Log)) {
        out.error = error;
        out.unreadable = logbook::names::kContactLog;
        return out;
    }
    std::vector<LogIndex::Hit> logged = index.containing(File::Log, folded);
    // The exact matches to the front, the others by contacts logged; equal
    // counts in the order the log first names them.
    auto othersBegin = std::stable_partition(logged.begin(), logged.end(),
                                             [](const LogIndex::Hit& h) { return h.exact; });
    const size_t exactCount = static_cast<size_t>(othersBegin - logged.begin());
    const size_t shown = std::min(kPartialOthers, logged.size() - exactCount);
    std::partial_sort(othersBegin, othersBegin + static_cast<ptrdiff_t>(shown), logged.end(),
                      [](const LogIndex::Hit& a, const LogIndex::Hit& b) {
                          return a.times > b.times || (a.times == b.times && a.id < b.id);
                      });
    for (size_t i = 0; i < exactCount + shown; ++i) {
        out.lines.push_back(fromLog(index.describe(File::Log, logged[i].id), logged[i].times, band,
                                    mode, logged[i].exact));
    }

    if (!withHistory) return out;
    if (auto error = index.refresh(File::History)) {
        out.error = error;
        out.unreadable = logbook::names::kHistory;
        return out;
    }
    // Stations known only to the history file: after those worked, the exact
    // match with the other exact matches, the rest while places are left.
    size_t others = shown;
    size_t firstOther = exactCount;
    for (const LogIndex::Hit& hit : index.containing(File::History, folded)) {
        if (!hit.exact && others >= kPartialOthers) continue;
        const LogIndex::Known known = index.describe(File::History, hit.id);
        if (index.knows(File::Log, known.call)) continue;
        if (hit.exact) {
            out.lines.insert(out.lines.begin() + static_cast<ptrdiff_t>(firstOther++),
                             fromHistory(known, true));
        } else {
            out.lines.push_back(fromHistory(known, false));
            ++others;
        }
    }
    return out;
}

std::string partialLineText(const PartialLine& line) {
    auto column = [](std::string text, size_t width) {
        if (text.size() < width) text.resize(width, ' ');
        return text + ' ';
    };
    std::string text = column(line.call, 10) + column(line.chapter, 4) + column(line.name, 8);
    switch (line.mark) {
        case PartialLine::Mark::Dupe:
            text += "dupe";
            break;
        case PartialLine::Mark::Worked:
            text += "worked " + line.workedOn;
            break;
        case PartialLine::Mark::History:
            text += "history";
            break;
    }
    return text;
}

}  // namespace vl::entry
