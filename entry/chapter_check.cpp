#include "entry/chapter_check.h"

#include "entry/file_buffers.h"
#include "logbook/chapter_key.h"
#include "logbook/file_names.h"
#include "logbook/number_text.h"
#include "logbook/quoted_line.h"
#include "logbook/roster.h"
#include "logbook/small_files.h"

namespace vl::entry {

namespace {

bool holdsNumber(std::string_view text, double value) {
    std::optional<double> n = logbook::parseNumber(text);
    return n && *n == value;
}

}  // namespace

std::string newChapterNotice(std::string_view rosterName, std::string_view chapter) {
    std::string text(rosterName);
    text += ",Chapter ";
    text += chapter;
    text += " is a NEW CHAPTER!";
    return text;
}

ChapterOutcome checkChapter(std::string_view typed, std::string_view homeChap,
                            std::string_view mode, const logbook::DataFolder& folder) {
    using Kind = ChapterOutcome::Kind;
    ChapterOutcome out;
    // Blanks alone count as an empty box: a pre-fill from a record with an
    // empty chapter field comes back as "   ".
    std::string box(logbook::trimBlanks(typed));

    // The own chapter, as a whole number without leading zeros.
    if (box.empty() && logbook::isNumber(homeChap)) box = logbook::formatWithZeros(homeChap, 1);

    if (holdsNumber(box, 88)) {
        out.kind = Kind::Abandon;
        out.clearEnabled = true;
        return out;
    }
    if (box.empty()) {
        out.kind = Kind::Missing;
        out.message = kMissingChapterMessage;
        return out;
    }

    box = logbook::formatWithZeros(box, 3);
    out.chapter = box;
    if (box == logbook::kNonMemberChapter) {
        out.nonMember = true;
        out.clearEnabled = true;
    }

    FreshRead roster = readFresh(folder, logbook::names::kRoster);
    if (!roster.ok()) {
        out.kind = Kind::Error;
        out.error = roster.error;
        return out;
    }
    logbook::RosterEntry kept;
    for (logbook::RosterEntry& entry : logbook::parseRoster(roster.content)) {
        kept = std::move(entry);
        if (kept.number == box) break;
    }
    if (holdsNumber(kept.number, 999)) {
        out.kind = Kind::Invalid;
        out.message = box + " " + std::string(kInvalidChapterSuffix);
        out.chapter.clear();
        out.clearEnabled = false;
        return out;
    }
    out.clearEnabled = true;
    out.rosterName = kept.name;

    bool worked = false;
    const std::string_view file = logbook::chaptersFileForMode(mode);
    if (!file.empty()) {
        FreshRead chapters = readFresh(folder, file);
        if (!chapters.ok()) {
            out.kind = Kind::Error;
            out.error = chapters.error;
            return out;
        }
        // The file may hold a chapter in another spelling ("7  " after a
        // recount, "007" after an entry); both are the chapter typed.
        const std::string key = logbook::chapterKey(box);
        for (const std::string& value : logbook::readFirstFields(chapters.content)) {
            if (logbook::chapterKey(value) == key) {
                worked = true;
                break;
            }
        }
    }
    out.kind = Kind::Valid;
    if (!worked) {
        out.isNew = true;
        out.notice = newChapterNotice(out.rosterName, box);
    }
    return out;
}

}  // namespace vl::entry
