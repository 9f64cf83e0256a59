#include "entry/needed_chapters.h"

#include <set>

#include "entry/file_buffers.h"
#include "logbook/chapter_key.h"
#include "logbook/file_names.h"
#include "logbook/quoted_line.h"
#include "logbook/small_files.h"

namespace vl::entry {

NeededChapters neededChapters(std::string_view mode, const logbook::DataFolder& folder) {
    NeededChapters out;
    std::set<std::string> worked;
    const std::string_view workedFile = logbook::chaptersFileForMode(mode);
    if (!workedFile.empty()) {
        FreshRead file = readFresh(folder, workedFile);
        if (!file.ok()) {
            out.error = file.error;
            out.unreadable = workedFile;
            return out;
        }
        for (const std::string& value : logbook::readFirstFields(file.content)) {
            worked.insert(logbook::chapterKey(value));
        }
    }
    FreshRead roster = readFresh(folder, logbook::names::kRoster);
    if (!roster.ok()) {
        out.error = roster.error;
        out.unreadable = logbook::names::kRoster;
        return out;
    }
    for (logbook::RosterEntry& entry : logbook::parseRoster(roster.content)) {
        const std::string key = logbook::chapterKey(entry.number);
        if (key == logbook::kRosterEndMark) break;
        if (key == logbook::kNonMemberChapter || worked.count(key)) continue;
        worked.insert(key);  // a number listed twice is needed once
        out.chapters.push_back(std::move(entry));
    }
    return out;
}

int neededRow(const NeededChapters& needed, std::string_view typed) {
    if (logbook::trimBlanks(typed).empty()) return -1;
    const std::string key = logbook::chapterKey(typed);
    for (size_t i = 0; i < needed.chapters.size(); ++i) {
        if (logbook::chapterKey(needed.chapters[i].number) == key) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace vl::entry
