#include "scoring/recount.h"

#include <algorithm>
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

// A chapters-worked file while it is rebuilt in memory: its new content, the
// chapters it holds and the list that shows them. A chapter is held once
// whatever its spelling: "7  " and "007" are the same chapter and count once.
struct ChapterFile {
    std::string* content;
    std::vector<std::string>* list;
    std::set<std::string> held;

    void add(const std::string& chapter) {
        if (!held.insert(logbook::chapterKey(chapter)).second) return;
        *content += logbook::formatSingleFieldLine(chapter);
        list->push_back(chapter);
    }
};

// A derived file that is missing, empty or blank holds nothing; one that
// cannot be read may hold something.
bool holdsSomething(const logbook::DataFolder& folder, std::string_view name) {
    const logbook::ReadResult held = folder.read(name);
    if (!held.ok()) return held.error->number != ENOENT;
    return held.content.find_first_not_of(" \t\r\n") != std::string::npos;
}

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

DerivedFiles deriveFromLog(const std::vector<ContactRecord>& records) {
    DerivedFiles files;
    ChapterFile phone{&files.phone, &files.phoneChapters, {}};
    ChapterFile cw{&files.cw, &files.cwChapters, {}};
    ChapterFile digital{&files.digital, &files.digitalChapters, {}};
    for (const ContactRecord& record : records) {
        if (record.comment == logbook::kDupe) continue;
        if (record.comment == logbook::kBonusClaimed) {
            files.bonus += logbook::formatBonusLine(record.call);
            files.bonusCalls.emplace_back(logbook::trimBlanks(record.call));
        }
        // Any other mode adds nothing.
        ChapterFile* file = record.mode == "PHN"   ? &phone
                            : record.mode == "CW " ? &cw
                            : record.mode == "DIG" ? &digital
                                                   : nullptr;
        if (file) file->add(record.chapter);
    }
    return files;
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
    // The derived files are rebuilt even from an empty log, so that entries
    // left from a deleted log go; only when they too hold nothing is there
    // nothing to do.
    const std::string_view derived[] = {names::kPhoneChapters, names::kCwChapters,
                                        names::kDigitalChapters, names::kBonusCalls};
    if (records.empty() &&
        std::none_of(std::begin(derived), std::end(derived),
                     [&](std::string_view name) { return holdsSomething(folder, name); })) {
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

    // Each derived file is replaced whole by its new content (one write, one
    // sync, a rename), so a failed write leaves the old file as it was. One
    // that is missing cannot be deleted, which is reported as a deletion
    // failure; it is then created anew.
    for (std::string_view name : derived) {
        if (!folder.exists(name)) errors.push_back(logbook::errorFromErrno(ENOENT));
    }
    note(errors, folder.touch(names::kContactLog));
    auto replace = [&](std::string_view name, std::string_view content) {
        note(errors, folder.writeWhole(name, content));
    };

    const Roster roster(rosterFile.content);

    // Validation: every record, duplicates included. An invalid chapter
    // leaves the derived files empty.
    for (const ContactRecord& record : records) {
        std::string chapter =
            logbook::padCut(logbook::formatWithZeros(record.chapter, 3), logbook::kChapterWidth);
        if (!roster.accepts(chapter)) {
            for (std::string_view name : derived) replace(name, {});
            result.outcome = Outcome::kInvalidChapter;
            result.message = invalidChapterMessage(chapter);
            result.invalidChapter = chapter;
            return result;
        }
    }

    DerivedFiles files = deriveFromLog(records);
    replace(names::kPhoneChapters, files.phone);
    replace(names::kCwChapters, files.cw);
    replace(names::kDigitalChapters, files.digital);
    replace(names::kBonusCalls, files.bonus);
    result.phoneChapters = std::move(files.phoneChapters);
    result.cwChapters = std::move(files.cwChapters);
    result.digitalChapters = std::move(files.digitalChapters);

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
