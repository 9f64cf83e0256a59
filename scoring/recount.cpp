#include "scoring/recount.h"

#include <cerrno>
#include <optional>
#include <set>

#include "logbook/chapter_key.h"
#include "logbook/contact_record.h"
#include "logbook/file_names.h"
#include "logbook/number_text.h"
#include "logbook/quoted_line.h"
#include "logbook/roster.h"
#include "logbook/small_files.h"
#include "scoring/classification.h"

namespace vl::scoring {
namespace {

namespace names = logbook::names;
using logbook::ContactRecord;
using logbook::FileError;
using logbook::RosterEntry;

// The roster with its numbers read once; a number that is not a number never
// matches.
struct Roster {
    std::vector<RosterEntry> entries;
    std::vector<std::optional<double>> values;

    explicit Roster(std::string_view content) : entries(logbook::parseRoster(content)) {
        values.reserve(entries.size());
        for (const RosterEntry& entry : entries) values.push_back(logbook::parseNumber(entry.number));
    }

    // The search stops at the first record of the same numeric value, or else
    // at the last record; landing on the "999" end mark means the chapter is
    // not on the roster. A roster without the end mark takes any chapter.
    bool accepts(std::string_view chapter) const {
        std::optional<double> value = logbook::parseNumber(chapter);
        if (!value) return false;
        if (entries.empty()) return true;
        size_t end = entries.size() - 1;
        for (size_t i = 0; i < entries.size(); ++i) {
            if (values[i] && *values[i] == *value) {
                end = i;
                break;
            }
        }
        return entries[end].number != logbook::kRosterEndMark;
    }
};

// A file the recount appends to. After its first failed append the file is
// left alone for the rest of the recount, so that a file that cannot be
// written is reported once, not once per record.
struct Rebuilt {
    std::string_view name;
    bool failed = false;

    void append(std::string_view line, const logbook::DataFolder& folder,
                std::vector<FileError>& errors) {
        if (failed) return;
        if (logbook::FileResult error = folder.appendText(name, line)) {
            errors.push_back(*error);
            failed = true;
        }
    }
};

// A chapters-worked file while it is rebuilt: the chapters it holds and the
// list that shows the ones added. A chapter is held once whatever its
// spelling: "7  " and "007" are the same chapter and count once.
struct ChapterFile {
    Rebuilt file;
    std::vector<std::string>* list;
    std::set<std::string> held;

    bool holds(std::string_view chapter) const { return held.contains(logbook::chapterKey(chapter)); }
    void hold(std::string_view chapter) { held.insert(logbook::chapterKey(chapter)); }
};

void note(std::vector<FileError>& errors, const logbook::FileResult& failure) {
    if (failure) errors.push_back(*failure);
}

}  // namespace

std::string invalidChapterMessage(std::string_view chapter) {
    std::string text = "The Chapter  ";
    text += chapter;
    text += " in your log is invalid!";
    text += " The program will close.  Correct your log and try again.";
    return text;
}

RecountResult recount(const logbook::DataFolder& folder) {
    using Outcome = RecountResult::Outcome;
    RecountResult result;
    auto& errors = result.errors;

    // The log and the roster are read before anything is deleted, so that a
    // file that cannot be read is reported once and costs nothing.
    logbook::ReadResult log = folder.read(names::kContactLog);
    if (!log.ok() && log.error->number != ENOENT) {
        errors.push_back(*log.error);
        result.outcome = Outcome::kAborted;
        return result;
    }
    const std::vector<ContactRecord> records = logbook::readContacts(log.content);
    if (records.empty()) {
        result.outcome = Outcome::kNothingToCount;
        result.message = kNothingToRecount;
        return result;
    }
    logbook::ReadResult rosterFile = folder.read(names::kRoster);
    if (!rosterFile.ok()) {
        errors.push_back(*rosterFile.error);
        result.outcome = Outcome::kAborted;
        return result;
    }

    ZeroCounters(result.counters);

    // Empty the derived files. One that is missing is simply created anew.
    const std::string_view derived[] = {names::kPhoneChapters, names::kCwChapters,
                                        names::kDigitalChapters, names::kBonusCalls};
    for (std::string_view name : derived) {
        logbook::FileResult removed = folder.remove(name);
        if (removed && removed->number != ENOENT) errors.push_back(*removed);
    }
    for (std::string_view name : derived) note(errors, folder.touch(name));
    note(errors, folder.touch(names::kContactLog));

    const Roster roster(rosterFile.content);

    // Validation: every record, duplicates included.
    for (const ContactRecord& record : records) {
        std::string chapter =
            logbook::padCut(logbook::formatWithZeros(record.chapter, 3), logbook::kChapterWidth);
        if (!roster.accepts(chapter)) {
            result.outcome = Outcome::kInvalidChapter;
            result.message = invalidChapterMessage(chapter);
            return result;
        }
    }

    // Chapters and bonus calls. A file that could not be emptied still holds
    // its old chapters, and they count as worked, as they would when read.
    // The lists and counters are rebuilt in full even when a file cannot be
    // written.
    ChapterFile phone{{names::kPhoneChapters}, &result.phoneChapters, {}};
    ChapterFile cw{{names::kCwChapters}, &result.cwChapters, {}};
    ChapterFile digital{{names::kDigitalChapters}, &result.digitalChapters, {}};
    Rebuilt bonus{names::kBonusCalls};
    for (ChapterFile* file : {&phone, &cw, &digital}) {
        logbook::ReadResult held = folder.read(file->file.name);
        if (!held.ok()) errors.push_back(*held.error);
        for (const std::string& chapter : logbook::readFirstFields(held.content)) file->hold(chapter);
    }
    for (const ContactRecord& record : records) {
        if (record.comment == logbook::kDupe) continue;
        if (record.comment == logbook::kBonusClaimed) {
            bonus.append(logbook::formatBonusLine(record.call), folder, errors);
        }
        // Any other mode is looked up with phone but adds nothing.
        ChapterFile* file = record.mode == "CW "   ? &cw
                            : record.mode == "DIG" ? &digital
                                                   : &phone;
        const bool adds = record.mode == "PHN" || file != &phone;
        if (!adds || file->holds(record.chapter)) continue;
        file->file.append(logbook::formatSingleFieldLine(record.chapter), folder, errors);
        file->hold(record.chapter);
        file->list->push_back(record.chapter);
    }

    // Counting, reported once however many counters are full.
    bool overflow = !setChapterCounts(
        result.counters, static_cast<std::int64_t>(result.phoneChapters.size()),
        static_cast<std::int64_t>(result.cwChapters.size()),
        static_cast<std::int64_t>(result.digitalChapters.size()));
    for (const ContactRecord& record : records) {
        if (record.comment == logbook::kDupe) continue;
        addContact(result.counters, record.band, record.mode, &overflow);
    }
    if (!updateGrandTotal(result.counters)) overflow = true;
    if (overflow) errors.push_back(overflowError());

    result.outcome = Outcome::kCompleted;
    result.message = kRecountCompleted;
    return result;
}

}  // namespace vl::scoring
