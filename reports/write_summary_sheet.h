#pragma once
// The "To File" command: reads the registration, the bonus-call file and the
// log from the working folder, writes the summary sheet as "VLLogOut.txt"
// (whole, through a temporary file) and renames it to callsign + contest year
// + ".txt", replacing an older sheet of that name; an older sheet whose name
// differs only in letter case is removed after the rename.
//
// Nothing is written when the registration is missing or incomplete or the
// log is missing: the outcome then carries a message saying so, and the
// program goes on.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logbook/data_folder.h"
#include "scoring/sheet_scores.h"
#include "reports/summary_sheet.h"

namespace vl::reports {

struct SheetOutcome {
    bool ok = false;
    // The closing message ("Your VLQSO Results for 2026 has been printed to
    // File W1AW2026.txt") or the reason the sheet was not written, as
    // Windows-1252 text for a message box.
    std::string message;
    std::string fileName;          // the sheet's name, Windows-1252 (when ok)
    std::filesystem::path path;    // the sheet in the working folder (when ok)
    scoring::SheetScores scores;            // cdcons, cdconpts, phnconpts, totscore (when ok)
    // The system's failure, when a file operation failed.
    std::optional<logbook::FileError> error;
    // Things to tell the operator besides the message (when ok): lines of
    // "VLSheetText.txt" that could not be read (the sheet is written anyway
    // with the built-in texts for them), an older sheet spelled in other
    // letter case that could not be removed, and a score printed past the
    // range of the counters (told once).
    std::vector<std::string> notes;
};

SheetOutcome writeSummarySheet(const logbook::DataFolder& folder,
                               const scoring::Counters& totals, const ChapterLists& chapterLists);

// "Your VLQSO Results for" + " " + year + " " + "has been printed to File " + name
std::string closingMessage(std::string_view year, std::string_view fileName);

}  // namespace vl::reports
