#pragma once
// The recount: rebuilds the chapters-worked files, the bonus-call file, the
// chapter lists and every counter from the contact log, after checking each
// logged chapter against the roster.
#include <string>
#include <string_view>
#include <vector>

#include "logbook/contact_record.h"
#include "logbook/data_folder.h"
#include "scoring/counters.h"

namespace vl::scoring {

struct RecountResult {
    enum class Outcome {
        // The log holds no record and the derived files hold nothing;
        // nothing was touched.
        kNothingToCount,
        kInvalidChapter,  // a chapter is not on the roster: the program must end
        kCompleted,
        kAborted,  // the log or the roster could not be read; nothing was touched
    };
    Outcome outcome = Outcome::kNothingToCount;
    // Shown with an OK button after the errors; empty when aborted.
    std::string message;
    std::string invalidChapter;  // kInvalidChapter: the chapter at three digits, "005"
    // Each shown in the common error report with kResetCountersErrorLine.
    std::vector<logbook::FileError> errors;
    // For kInvalidChapter and kCompleted the window takes over these counters
    // and lists (after an invalid chapter they are zero and empty, as are the
    // chapters-worked and bonus files).
    Counters counters;
    std::vector<std::string> phoneChapters;  // as written to the files: "7  "
    std::vector<std::string> cwChapters;
    std::vector<std::string> digitalChapters;
};

inline constexpr std::string_view kNothingToRecount = "You have nothing to Re-Count";
inline constexpr std::string_view kRecountCompleted = "RECOUNT has completed  Click OK to continue";

// "The Chapter  005 in your log is invalid! The program will close.  Correct
// your log and try again."
std::string invalidChapterMessage(std::string_view chapter);

RecountResult recount(const logbook::DataFolder& folder);

// What the log implies for the chapters-worked and bonus-call files, by the
// recount's rules: each chapter once per mode in the order first logged (as
// the log spells it), one bonus line per claiming contact; dupes add nothing.
struct DerivedFiles {
    std::vector<std::string> phoneChapters;
    std::vector<std::string> cwChapters;
    std::vector<std::string> digitalChapters;
    std::vector<std::string> bonusCalls;  // trimmed
    std::string phone, cw, digital, bonus;  // the files' contents
};
DerivedFiles deriveFromLog(const std::vector<logbook::ContactRecord>& records);

}  // namespace vl::scoring
