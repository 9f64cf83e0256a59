#pragma once
// The two commands of the Search menu: Search Log (`mnuSearchLog`) and Search
// History (`mnuSearchHistory`). Both list, in file order, every record whose
// callsign matches the callsign box text: the record's callsign (blanks at
// both ends removed) matches the trimmed box text as a pattern (see
// pattern.h), or else the first n characters of the record's callsign equal
// the trimmed box text, n being the length of the box text with its blanks.
// An empty box therefore lists everything, and a plain prefix lists every call
// that begins with it.
#include <optional>
#include <string>
#include <string_view>

#include "logbook/data_folder.h"

namespace vl::entry {

inline constexpr std::string_view kNoLogMatchText = "   No previous contact with this station";
inline constexpr std::string_view kNoHistoryMatchText = "No History found";
inline constexpr std::string_view kSearchLogErrorLine = "This error occurred searching the Log";
inline constexpr std::string_view kSearchHistoryErrorLine =
    "This error occurred searching the History File";

struct SearchResult {
    std::string text;   // `txtPrevCon`: the lines found, or the no-match text
    int count = 0;      // lines found
    std::optional<logbook::FileError> error;  // then `text` holds only the lines found so far
};

// Each line: two blanks, callsign (8), a blank, report sent (4), a blank,
// report received (4), a blank, chapter (3), a blank, name (7), a blank, band
// (3) directly followed by mode (3), a blank, date (10), a blank, time (6), a
// blank, the comment, CR LF. The prefix test looks at the callsign field as
// stored, padded to 8. DUPE lines are listed too.
SearchResult searchLog(std::string_view callBox, const logbook::DataFolder& folder);

// Each line: the callsign as read, three blanks, the chapter as read, three
// blanks, the name as read, CR LF. The prefix test looks at the callsign as
// read.
SearchResult searchHistory(std::string_view callBox, const logbook::DataFolder& folder);

}  // namespace vl::entry
