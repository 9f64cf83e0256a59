#include "exports/export_log.h"

#include <algorithm>
#include <cerrno>

#include "entry/utc_stamp.h"
#include "logbook/file_names.h"
#include "logbook/number_text.h"
#include "logbook/quoted_line.h"
#include "logbook/roster.h"
#include "logbook/small_files.h"
#include "scoring/classification.h"
#include "scoring/score.h"
#include "scoring/sheet_scores.h"

namespace vl::exports {

namespace names = logbook::names;

namespace {

constexpr int kRegistrationFields = 12;

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// Why a record cannot be exported, or nothing.
std::string unexportable(const logbook::ContactRecord& r, const ExportContact& c,
                         std::string_view date, std::string_view time) {
    auto blank = [](std::string_view field) { return logbook::trimBlanks(field).empty(); };
    auto unknown = [](std::string_view what, std::string_view value) {
        return "its " + std::string(what) + " " + quoted(logbook::trimBlanks(value)) +
               " is not one the log uses";
    };
    if (blank(r.call)) return "its callsign is empty";
    if (blank(r.sent)) return "its report sent is empty";
    if (blank(r.rcvd)) return "its report received is empty";
    if (blank(r.chapter)) return "its chapter is empty";
    if (!c.band) return unknown("band", r.band);
    if (!c.mode) return unknown("mode", r.mode);
    if (!entry::isValidStampDate(date)) return "its date " + quoted(date) + " is not a date mm/dd/yyyy";
    if (!entry::isValidStampTime(time)) return "its time " + quoted(time) + " is not a time HH:MM";
    return {};
}

// Whatever the file read gave, or why it could not be read.
std::string readProblem(const logbook::DataFolder& folder, std::string_view name,
                        std::string_view what, std::string_view missing, std::string& content) {
    logbook::ReadResult read = folder.read(name);
    if (read.ok()) {
        content = std::move(read.content);
        return {};
    }
    if (read.error->number == ENOENT) {
        return "Nothing was exported: " + std::string(what) + " " + quoted(name) +
               " was not found. " + std::string(missing);
    }
    return "Nothing was exported: " + std::string(what) + " " + quoted(name) +
           " could not be read (" + read.error->description + ").";
}

// The final score counted from the log and the chapters-worked files, in
// 64 bits: the window's 16-bit counters would stop at 32767. Counted as
// the counters count: every contact but a dupe, on a band and mode pair
// that counts.
struct FullScore {
    std::int64_t contacts = 0;
    std::int64_t chapters = 0;
};

FullScore fullScoreFromFiles(const logbook::DataFolder& folder,
                             const std::vector<ExportContact>& contacts) {
    FullScore out;
    for (const ExportContact& c : contacts) {
        if (c.record.comment != "DUPE" && scoring::classify(c.record.band, c.record.mode)) ++out.contacts;
    }
    for (std::string_view name : {names::kPhoneChapters, names::kCwChapters, names::kDigitalChapters}) {
        out.chapters += static_cast<std::int64_t>(logbook::readFirstFields(folder.read(name).content).size());
    }
    return out;
}

std::string rosterName(const logbook::DataFolder& folder, std::string_view chapter) {
    for (const logbook::RosterEntry& entry : logbook::parseRoster(folder.read(names::kRoster).content)) {
        if (logbook::formatWithZeros(entry.number, 3) == logbook::formatWithZeros(chapter, 3)) {
            return entry.name;
        }
    }
    return {};
}

}  // namespace

std::string_view programVersion() { return VL_PROGRAM_VERSION; }

bool ExportLog::has(AdifModeFrom from) const {
    return std::any_of(contacts.begin(), contacts.end(),
                       [from](const ExportContact& c) { return c.mode->adifFrom == from; });
}

PreparedContacts prepareContacts(const std::vector<logbook::ContactRecord>& records) {
    PreparedContacts out;
    size_t number = 0;
    for (const logbook::ContactRecord& raw : records) {
        ++number;
        ExportContact c;
        c.record = logbook::fixedWidth(raw);
        const logbook::ContactRecord& r = c.record;
        c.band = bandNamed(r.band);
        c.mode = modeNamed(r.mode);
        const std::string_view date = logbook::trimBlanks(r.date);
        const std::string_view time = logbook::trimBlanks(r.time);
        if (std::string why = unexportable(r, c, date, time); !why.empty()) {
            out.problem = "Contact " + std::to_string(number) + " of the log (" +
                          std::string(logbook::trimBlanks(r.call)) + ") cannot be exported: " +
                          why + ".";
            out.contacts.clear();
            return out;
        }
        // "mm/dd/yyyy" and "HH:MM"
        c.date = std::string(date.substr(6, 4)) + std::string(date.substr(0, 2)) +
                 std::string(date.substr(3, 2));
        c.time = std::string(time.substr(0, 2)) + std::string(time.substr(3, 2));
        out.contacts.push_back(std::move(c));
    }
    return out;
}

ExportLogRead readExportLog(const logbook::DataFolder& folder, const scoring::Counters* totals) {
    ExportLogRead out;
    std::string registrationText;
    out.problem = readProblem(folder, names::kRegistration, "the registration file",
                              "Register your station with LogIn first.", registrationText);
    if (!out.ok()) return out;
    const logbook::RegistrationRead registration = logbook::parseRegistration(registrationText);
    if (registration.fieldsRead < kRegistrationFields) {
        out.problem = "Nothing was exported: the registration file " + quoted(names::kRegistration) +
                      " holds " + std::to_string(registration.fieldsRead) + " of its " +
                      std::to_string(kRegistrationFields) +
                      " fields. Register your station again with LogIn first.";
        return out;
    }
    out.log.registration = registration.registration;
    const logbook::Registration& r = out.log.registration;
    const char* missing = logbook::trimBlanks(r.call).empty()      ? "callsign"
                          : logbook::trimBlanks(r.chapter).empty() ? "own chapter number"
                                                                   : nullptr;
    if (missing) {
        out.problem = "Nothing was exported: the registration holds no " + std::string(missing) +
                      ". Add it with LogIn, Show Login first.";
        return out;
    }

    std::string logText;
    out.problem = readProblem(folder, names::kContactLog, "the contact log",
                              "There is no log to export.", logText);
    if (!out.ok()) return out;
    PreparedContacts prepared = prepareContacts(logbook::readContacts(logText));
    if (!prepared.problem.empty()) {
        out.problem = "Nothing was exported. " + prepared.problem;
        return out;
    }
    if (prepared.contacts.empty()) {
        out.problem = "Nothing was exported: the contact log " + quoted(names::kContactLog) +
                      " holds no contacts.";
        return out;
    }
    out.log.contacts = std::move(prepared.contacts);

    out.log.clubName = !logbook::trimBlanks(r.chapterName).empty()
                           ? r.chapterName
                           : rosterName(folder, logbook::trimBlanks(r.chapter));

    const size_t bonusEntries =
        logbook::readAllFields(folder.read(names::kBonusCalls).content).size();
    if (totals) {
        const scoring::SheetScores scores = scoring::computeSheetScores(*totals, bonusEntries);
        out.log.claimedScore = scores.totscore;
        out.log.beyondSixteenBits = scoring::beyondSixteenBits(scores);
    } else {
        const FullScore full = fullScoreFromFiles(folder, out.log.contacts);
        out.log.claimedScore =
            full.contacts * full.chapters +
            scoring::bonusPoints(static_cast<std::int64_t>(std::min(bonusEntries, scoring::kMaxBonusEntries)));
        out.log.beyondSixteenBits = full.contacts > scoring::kCounterMax ||
                                    full.chapters > scoring::kCounterMax ||
                                    out.log.claimedScore > scoring::kCounterMax;
    }
    return out;
}

}  // namespace vl::exports
