#pragma once
// The chapters of the roster "VLChapters.txt" not yet worked in a mode: the
// roster in file order up to its end mark, less the non-member number 599
// (not a chapter) and less every chapter the mode's chapters-worked file
// holds in any spelling ("7  " and "007" alike).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logbook/data_folder.h"
#include "logbook/roster.h"

namespace vl::entry {

struct NeededChapters {
    std::vector<logbook::RosterEntry> chapters;  // numbers as the roster has them
    std::optional<logbook::FileError> error;
    std::string unreadable;  // the file that could not be read
};

// `mode` is the text of the mode selector; a mode without a chapters-worked
// file has every chapter still needed.
NeededChapters neededChapters(std::string_view mode, const logbook::DataFolder& folder);

// The place in `needed.chapters` of the chapter `typed` in the chapter box,
// or -1 when it is not needed (or the box is empty).
int neededRow(const NeededChapters& needed, std::string_view typed);

}  // namespace vl::entry
