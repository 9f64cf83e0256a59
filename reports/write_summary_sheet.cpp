#include "reports/write_summary_sheet.h"

#include <sys/stat.h>

#include <cerrno>
#include <system_error>

#include "logbook/contact_record.h"
#include "logbook/file_names.h"
#include "logbook/quoted_line.h"
#include "logbook/registration.h"
#include "reports/sheet_file_name.h"
#include "reports/sheet_texts.h"

namespace vl::reports {

namespace names = logbook::names;
namespace fs = std::filesystem;

namespace {

constexpr int kRegistrationFields = 12;
constexpr std::string_view kNotWritten = "The summary sheet was not written: ";

std::string inQuotes(std::string_view name) { return "\"" + std::string(name) + "\""; }

SheetOutcome failure(std::string message, std::optional<logbook::FileError> error = std::nullopt) {
    SheetOutcome out;
    out.message = std::move(message);
    if (error) out.message += " (" + error->description + ")";
    out.error = std::move(error);
    return out;
}

// Reads a file the sheet cannot do without; `missing` says what to do about
// its absence.
std::optional<SheetOutcome> readRequired(const logbook::DataFolder& folder, std::string_view name,
                                         std::string_view what, std::string_view missing,
                                         std::string& content) {
    logbook::ReadResult read = folder.read(name);
    if (read.ok()) {
        content = std::move(read.content);
        return std::nullopt;
    }
    if (read.error->number == ENOENT) {
        std::string message = std::string(kNotWritten) + std::string(what) + " " +
                              inQuotes(name) + " was not found.";
        if (!missing.empty()) message += " " + std::string(missing);
        return failure(std::move(message));
    }
    return failure(std::string(kNotWritten) + std::string(what) + " " + inQuotes(name) +
                       " could not be read.",
                   read.error);
}

// Names are matched without regard to case, so an older sheet spelled
// differently from the new one is the same sheet: it goes, once the new one
// has its name. What could not be removed is told in `notes`, by the name
// the operator is shown. A file system that keeps names without regard to
// case (FAT on a memory stick) may list the new sheet itself under the old
// spelling; a name that is the new sheet (same device and inode) stays.
void removeOtherSpellings(const logbook::DataFolder& folder, const SheetFileName& sheet,
                          std::vector<std::string>& notes) {
    const std::string& name = sheet.onDisk;
    struct stat written{};
    const bool known = ::stat((folder.dir() / name).c_str(), &written) == 0;
    auto isTheSheet = [&](const fs::path& other) {
        struct stat st{};
        if (::stat(other.c_str(), &st) != 0) return true;  // gone or unknown: left alone
        return !known || (st.st_dev == written.st_dev && st.st_ino == written.st_ino);
    };
    std::vector<fs::path> others;
    std::error_code ec;
    fs::directory_iterator it(folder.dir(), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string found = it->path().filename().string();
        if (found == name || !names::sameNameIgnoringCase(found, name)) continue;
        std::error_code typeError;
        if (it->is_directory(typeError) || typeError) continue;  // not a sheet: left alone
        if (isTheSheet(it->path())) continue;
        others.push_back(it->path());
    }
    if (ec) {
        notes.push_back("The folder could not be searched for older sheets named " +
                        inQuotes(sheet.shown) + " in other letter case (" +
                        logbook::errorFromErrno(ec.value()).description + ").");
    }
    for (const fs::path& other : others) {
        if (logbook::fileWrites::remove(other.c_str()) != 0) {
            notes.push_back("An older summary sheet named " + inQuotes(sheet.shown) +
                            " in other letter case could not be removed (" +
                            logbook::errorFromErrno(errno).description + ").");
        }
    }
}

}  // namespace

std::string closingMessage(std::string_view year, std::string_view fileName) {
    return "Your VLQSO Results for" + std::string(" ") + std::string(year) + " " +
           "has been printed to File " + std::string(fileName);
}

SheetOutcome writeSummarySheet(const logbook::DataFolder& folder,
                               const scoring::Counters& totals, const ChapterLists& chapterLists) {
    std::string registrationText;
    if (auto fail = readRequired(folder, names::kRegistration, "the registration file",
                                 "Register your station with LogIn first.", registrationText)) {
        return *fail;
    }
    const logbook::RegistrationRead registration = logbook::parseRegistration(registrationText);
    if (registration.fieldsRead < kRegistrationFields) {
        return failure(std::string(kNotWritten) + "the registration file " +
                       inQuotes(names::kRegistration) + " holds " +
                       std::to_string(registration.fieldsRead) + " of its " +
                       std::to_string(kRegistrationFields) +
                       " fields. Register your station again with LogIn first.");
    }
    const logbook::Registration& r = registration.registration;

    std::string logText;
    if (auto fail = readRequired(folder, names::kContactLog, "the contact log",
                                 "There is no log to summarise.", logText)) {
        return *fail;
    }

    // The bonus-call file is created empty when there is none.
    if (auto error = folder.touch(names::kBonusCalls)) {
        return failure(std::string(kNotWritten) + "the bonus-call file " +
                           inQuotes(names::kBonusCalls) + " could not be created.",
                       error);
    }
    std::string bonusText;
    if (auto fail = readRequired(folder, names::kBonusCalls, "the bonus-call file", "", bonusText)) {
        return *fail;
    }
    const std::vector<std::string> bonusCalls = logbook::readAllFields(bonusText);

    const SheetTextsRead texts = loadSheetTexts(folder);
    const std::string sheet = buildSummarySheet(r, totals, bonusCalls, chapterLists,
                                                logbook::readContactsAsWritten(logText),
                                                texts.texts);

    if (auto error = folder.writeWhole(names::kSheetWorkingName, sheet)) {
        return failure("The summary sheet could not be written to " +
                           inQuotes(names::kSheetWorkingName) + ".",
                       error);
    }

    // The older sheet is replaced by the rename, so a failed rename loses
    // nothing; only then do other spellings of the name go.
    const SheetFileName name = sheetFileName(r.call, r.year);
    if (auto error = folder.renameTo(names::kSheetWorkingName, name.onDisk)) {
        // Renamed, but the folder could not be synced after it.
        if (!folder.exists(names::kSheetWorkingName)) {
            return failure("The summary sheet was written to " + inQuotes(name.shown) +
                               ", but the folder could not be synced, so it may not outlast a "
                               "power cut.",
                           error);
        }
        return failure("The summary sheet was written to " + inQuotes(names::kSheetWorkingName) +
                           " but could not be renamed to " + inQuotes(name.shown) + ".",
                       error);
    }
    std::vector<std::string> notes = texts.problems;
    removeOtherSpellings(folder, name, notes);

    SheetOutcome out;
    out.ok = true;
    out.fileName = name.shown;
    out.path = folder.dir() / name.onDisk;
    out.scores = scoring::computeSheetScores(totals, bonusCalls.size());
    if (scoring::beyondSixteenBits(out.scores)) notes.emplace_back(scoring::kScoreBeyondRangeNote);
    out.message = closingMessage(r.year, name.shown);
    out.notes = std::move(notes);
    return out;
}

}  // namespace vl::reports
