#pragma once
// The partial check run with each character typed in the callsign box: the
// calls of the log and the history file that contain the typed text, with
// what is known about each. Nothing here reports through a box: the look-ups
// run at TAB report a file that cannot be read.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "entry/log_index.h"
#include "logbook/file_writes.h"

namespace vl::entry {

// Calls listed besides the exact match, and the fewest characters searched for.
inline constexpr size_t kPartialOthers = 30;
inline constexpr size_t kPartialMinimum = 2;

struct PartialLine {
    enum class Mark { Dupe, Worked, History };
    std::string call;     // as logged or as the history file has it
    std::string chapter;  // of the latest contact, else from the history file
    std::string name;
    Mark mark = Mark::History;
    uint32_t times = 0;    // contacts logged with the call
    bool exact = false;    // the typed call itself (Ø and 0 alike)
    // The band and mode pairs worked, "20 PHN, 40 CW", in the order first worked.
    std::string workedOn;
};

struct PartialCheck {
    // Exact matches first, then the others by contacts logged (most first;
    // equal counts in the order the files first name them), log before history.
    std::vector<PartialLine> lines;
    // The file that could not be read, when one could not ("vlqsolog.txt").
    std::string unreadable;
    std::optional<logbook::FileError> error;
};

// `typed` is the box text; blanks at either end are ignored, letters compare
// without case and Ø equals 0. Fewer than kPartialMinimum characters list
// nothing. `band` and `mode` are the selectors' texts. The history file is
// searched only when `withHistory`.
PartialCheck checkPartial(std::string_view typed, std::string_view band, std::string_view mode,
                          bool withHistory, LogIndex& index);

// One line of the panel: call (10), chapter (4), name (8), then "dupe",
// "worked 20 PHN, 40 CW" or "history".
std::string partialLineText(const PartialLine& line);

}  // namespace vl::entry
