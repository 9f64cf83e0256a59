#pragma once
// The UTC date and time stamped into `txtDate` and `txtTime` once a second,
// and the checks of a date and time typed by hand.
#include <string>
#include <string_view>

namespace vl::entry {

struct LocalDateTime {
    int year = 2000;
    int month = 1;   // 1 to 12
    int day = 1;     // 1 to 31
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59
};

struct UtcStamp {
    std::string date;  // "mm/dd/yyyy"
    std::string time;  // "HH:MM"
};

// `uHr` is added to local time to get UTC: offset 5 at local 19:00 on 06/30
// gives 07/01 00:00. Any whole-hour offset (-14 to 12 on Earth) is handled
// with full calendar arithmetic: days, months and years roll over both ways,
// leap years included. Offset 0 stamps the same "mm/dd/yyyy" form as every
// other offset.
UtcStamp utcStamp(const LocalDateTime& local, int uHr);

// A real calendar date written exactly as "mm/dd/yyyy" (year 0001 to 9999).
bool isValidStampDate(std::string_view text);
// A time of day written exactly as "HH:MM", 00:00 to 23:59.
bool isValidStampTime(std::string_view text);

}  // namespace vl::entry
