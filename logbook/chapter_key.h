#pragma once
// The one spelling of a chapter used to compare chapters: the chapters-worked
// files may hold "7  " (as the log pads it) or "007" (as the entry row writes
// it), and both are the same chapter.
#include <string>
#include <string_view>

namespace vl::logbook {

// Blanks trimmed, and a number written as a whole number with at least three
// digits: "7  " and "007" both give "007". Text that is not a number is
// kept as it is, trimmed ("AB " gives "AB").
std::string chapterKey(std::string_view chapter);

}  // namespace vl::logbook
