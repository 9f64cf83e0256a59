#pragma once
// The registered UTC offset (`uHr`, the hours added to local time to get
// UTC) and the messages about it: a typed or stored offset outside the range,
// and a registered offset that no longer matches the computer's own clock.
#include <string>
#include <string_view>

namespace vl::entry {

// Submit Data refuses a typed offset that is not a whole number in range.
inline constexpr std::string_view kTypedOffsetRefused =
    "Please enter your UTC offset as the number of hours you add to your local time to get "
    "UTC, a whole number from -14 to 12: for example 5 at UTC-5, or -1 at UTC+1.  "
    "Nothing was saved.";

// Start-up with a stored offset that is not a whole number in range.
inline constexpr std::string_view kStoredOffsetRefused =
    "The UTC offset in LogOnFile.txt is not a whole number of hours from -14 to 12 (the hours "
    "you add to your local time to get UTC, for example 5 at UTC-5), so 0 is used.  "
    "Use LogIn, Show Login to correct it.";

// The computer's own offset as `uHr` counts it, from its clock's offset east
// of UTC in seconds (UTC-5, -18000 s, gives 5): whole hours as "5", others
// with their fraction ("-5.5" in India, "-5.75" in Nepal).
std::string computerOffsetText(int secondsEastOfUtc);

// The start-up notice when the registered offset differs from the computer's
// own; empty when they agree.
std::string offsetMismatchNotice(int uHr, int secondsEastOfUtc);

}  // namespace vl::entry
