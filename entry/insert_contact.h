#pragma once
// INSERT: the checks a typed contact must pass, and writing it to the log
// with its bonus call and its new chapter.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logbook/contact_record.h"
#include "logbook/data_folder.h"

namespace vl::entry {

inline constexpr std::string_view kIncompleteRowMessage =
    "You Must complete all Input to Log a Contact";
inline constexpr std::string_view kChapterNotCheckedMessage =
    "You must press Tab to check Chapter status before logging contact";
inline constexpr std::string_view kShortChapterMessage = "You Must PRESS TAB before you PRESS INSERT";
// The last line of the error report for any failure while logging.
inline constexpr std::string_view kLoggingErrorLine = "This error occurredd writing QSO to Log";
inline constexpr std::string_view kBadHandStampMessage =
    "The Date must be a real date typed as mm/dd/yyyy and the Time a time typed as HH:MM "
    "(UTC).  The contact was not logged.";

struct ContactRow {
    logbook::ContactRecord boxes;     // the box texts as they stand
    bool chapterBeingChecked = false; // `chpfocck` is "yes"
    bool stampedByHand = false;       // date and time typed, not stamped by the clock
    bool chapterIsNew = false;        // `N` is 1
};

// The message that refuses the row, in the order the checks run; empty when
// the row may be logged. A row whose date and time were typed by hand must
// hold a real "mm/dd/yyyy" date and "HH:MM" time.
std::string refusalFor(const ContactRow& row);

struct LoggedContact {
    // The log could not be written: the contact is not logged and nothing
    // else was written.
    std::optional<logbook::FileError> logError;
    logbook::ContactRecord record;  // the fields as written
    bool dupe = false;              // logged as "DUPE": nothing else was written
    // The chapter went into the mode's chapters-worked file; false when that
    // write failed, so the window neither lists nor counts it.
    bool chapterAdded = false;
    // Failures after the contact was logged (bonus or chapters file); each is
    // reported and logging goes on.
    std::vector<logbook::FileError> laterErrors;
};

// Appends the contact to the log, then, unless it is a dupe, a claimed bonus
// to "BonusCall.txt" and a new chapter to the chapters-worked file of its
// mode. A chapter that file already holds (in any spelling of the number) is
// not added again, whatever `chapterIsNew` says, so a mode changed after the
// chapter check cannot list a chapter twice.
LoggedContact logContact(const ContactRow& row, const logbook::DataFolder& folder);

}  // namespace vl::entry
