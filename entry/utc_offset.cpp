#include "entry/utc_offset.h"

#include <cstdio>

namespace vl::entry {

std::string computerOffsetText(int secondsEastOfUtc) {
    // Rounded to the minute: no time zone has seconds in its offset.
    const int rounded = secondsEastOfUtc >= 0 ? secondsEastOfUtc + 30 : secondsEastOfUtc - 30;
    const int minutesToAdd = -(rounded / 60);
    if (minutesToAdd % 60 == 0) return std::to_string(minutesToAdd / 60);
    char text[16];
    std::snprintf(text, sizeof text, "%g", minutesToAdd / 60.0);
    return text;
}

std::string offsetMismatchNotice(int uHr, int secondsEastOfUtc) {
    const std::string computer = computerOffsetText(secondsEastOfUtc);
    const std::string registered = std::to_string(uHr);
    if (computer == registered) return {};
    return "The UTC offset you registered is " + registered +
           ", but this computer's clock now needs " + computer +
           " (the hours added to its local time to get UTC).  Contacts are stamped with the "
           "registered offset " + registered +
           ".  To change it, use LogIn, Show Login, correct the UTC box and press Submit Data.";
}

}  // namespace vl::entry
