#pragma once
// The look-ups run when the callsign box `txtCallsign` is left: the dupe check
// `CkBandMode`, the previous-contact look-up `CkPrevCon` and the history
// look-up `CkHistory`. Each reads its file afresh (or an index that follows
// every change of the file), so a file edited by hand between two contacts
// is seen. A callsign matches when both sides, stripped
// of leading and trailing blanks, are equal character for character, with
// case; the log keeps only the first eight characters of a callsign, so a
// longer call never matches its own contacts. Band and mode compare the same
// way (the log's "20 " equals the list text "20").
#include <optional>
#include <string>
#include <string_view>

#include "logbook/contact_record.h"
#include "logbook/data_folder.h"

namespace vl::entry {

class LogIndex;

// Last lines of the common error report of each look-up.
inline constexpr std::string_view kDupeErrorLine = "This error occurred checking Log for Dupes";
inline constexpr std::string_view kPrevConErrorLine =
    "This error occurred checking Log for Previous Contacts";
inline constexpr std::string_view kHistoryErrorLine = "This error occurred checking History File";

// `txtPrevCon` after a history match.
inline constexpr std::string_view kFromHistoryText =
    "     The input data below is from the History File";
// `txtPrevCon` when nothing is known about the station (then `WritHist` = 1).
inline constexpr std::string_view kNoHistoryNotice =
    "     No previous contact or history for this station\r\n"
    "     Enter all information and Press F11\r\n"
    "     to add info to History file";

// Comment put into `txtComment` when the operator logs a dupe anyway.
inline constexpr std::string_view kDupeComment = "DUPE";

struct DupeCheck {
    std::optional<logbook::ContactRecord> match;  // the first record, fields padded
    std::string question;                         // the Yes/No question (No is the default)
    std::optional<logbook::FileError> error;
};

// `CkBandMode`: the first log record with the same callsign, band and mode.
DupeCheck findDupe(std::string_view callBox, std::string_view band, std::string_view mode,
                   const logbook::DataFolder& folder);

// The same read from the index (log_index.h), which answers exactly as the
// scan of the file does; here and below.
DupeCheck findDupe(std::string_view callBox, std::string_view band, std::string_view mode,
                   LogIndex& index);

// The dupe question: the call box text, two blanks, the name (7), two blanks,
// " is a Dupe this Band & Mode worked ", the date (10), a blank, the time (6)
// and "  Do You wish to continue?".
std::string dupeQuestion(std::string_view callBox, const logbook::ContactRecord& record);

struct PreviousContacts {
    int count = 0;      // matching records, DUPE lines included
    std::string text;   // `txtPrevCon`: one line per record, oldest first; empty if none
    // The exchange of the latest match, for `txtYears`, `txtRptRcv`,
    // `txtChapter` and `txtName` (report sent as stored, the others padded).
    std::string sent, rcvd, chapter, name;
    std::string mode;                         // the latest match's mode, padded
    std::optional<logbook::FileError> error;  // then nothing was found
};

// `CkPrevCon`: every record with the callsign, in file order. Each line:
// two blanks, date (10), two blanks, time (6), two blanks, callsign (8), a
// blank, report sent as stored, two blanks, report received (4), two blanks,
// chapter (3), a blank, name (7), a blank, band (3), a blank, mode (3), a
// blank, the comment, CR LF. An empty call box finds nothing.
PreviousContacts findPreviousContacts(std::string_view callBox, const logbook::DataFolder& folder);
PreviousContacts findPreviousContacts(std::string_view callBox, LogIndex& index);

// The reports a look-up puts into the row: the latest contact's when it was
// made in the row's mode; otherwise that mode's default reports ("59" on
// phone, "599" otherwise), so a phone report never reaches a CW contact.
struct RowReports {
    std::string sent, rcvd;
};
RowReports reportsForRow(const PreviousContacts& found, std::string_view rowMode);

struct HistoryMatch {
    bool found = false;
    std::string chapter;  // as read; a single blank stands for no chapter and comes back empty
    std::string name;     // as read
    std::optional<logbook::FileError> error;
};

// `CkHistory`: the first history record with the callsign. On a match the
// window shows kFromHistoryText.
HistoryMatch findHistory(std::string_view callBox, const logbook::DataFolder& folder);
HistoryMatch findHistory(std::string_view callBox, LogIndex& index);

}  // namespace vl::entry
