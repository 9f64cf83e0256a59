#pragma once
// The numeric boxes of the entry row: `txtYears` (report sent) and
// `txtChapter`.
#include <string>
#include <string_view>

namespace vl::entry {

// The test after every key release in `txtYears` and `txtChapter`: an empty
// box passes; otherwise the text must be a number (optional blanks and sign,
// digits with an optional decimal point, optional exponent). When it fails the
// window shows kInvalidEntryMessage and empties the box.
bool passesNumericTest(std::string_view boxText);

inline constexpr std::string_view kInvalidEntryMessage = "Invalid Entry";

// `txtYears` on leaving: a non-empty number gets at least two digits ("5"
// gives "05", "599" stays); an empty box stays empty, and text that is not a
// number is returned unchanged.
std::string formatReportSent(std::string_view boxText);

}  // namespace vl::entry
