#pragma once
// F11 (`mnuHistFileAdd`): adding the station just typed to the history file
// "vlhistory.txt".
#include <optional>
#include <string>
#include <string_view>

#include "logbook/data_folder.h"

namespace vl::entry {

inline constexpr std::string_view kAlreadyKnownMessage =
    "Callsign is already in the Log or History File";
inline constexpr std::string_view kNeedCallsignMessage = "You must enter a Callsign";
inline constexpr std::string_view kNeedChapterMessage = "You must enter a Chapter Number";
inline constexpr std::string_view kLogThisContactQuestion = "Do you wish to log this contact?";
inline constexpr std::string_view kHistoryAddErrorLine =
    "This error occurred adding to the History File";

struct HistoryAddOutcome {
    enum class Kind {
        NotAllowed,  // `WritHist` is not 1, or no callsign: show `message`
        NoChapter,   // empty chapter box: show `message`, cursor to `txtChapter`
        Added,       // set `WritHist` to 0 and ask kLogThisContactQuestion
        Error,       // the append failed: show the error report; `WritHist` stays
    };
    Kind kind = Kind::Added;
    std::string message;
    std::optional<logbook::FileError> error;
};

// Appends "CALL","CHAPTER","NAME" (each stripped of blanks at both ends and
// made safe for the file) with one durable write. A callsign or chapter box
// holding only blanks counts as empty; the chapter is asked for first, and a
// row with a chapter but no callsign is then refused with kNeedCallsignMessage.
HistoryAddOutcome addToHistory(int WritHist, std::string_view callBox, std::string_view chapterBox,
                               std::string_view nameBox, const logbook::DataFolder& folder);

}  // namespace vl::entry
