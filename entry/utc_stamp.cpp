#include "entry/utc_stamp.h"

#include <cstdio>

namespace vl::entry {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<long long>(yoe) + era * 400 + (m <= 2);
}

long long floorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

// The value of `count` decimal digits at `at`, or -1.
int digitsAt(std::string_view s, size_t at, size_t count) {
    int v = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (s[i] < '0' || s[i] > '9') return -1;
        v = v * 10 + (s[i] - '0');
    }
    return v;
}

}  // namespace

UtcStamp utcStamp(const LocalDateTime& local, int uHr) {
    const long long minutes = daysFromCivil(local.year, static_cast<unsigned>(local.month),
                                            static_cast<unsigned>(local.day)) * 1440LL +
                              local.hour * 60LL + local.minute + uHr * 60LL;
    const long long days = floorDiv(minutes, 1440);
    const long long inDay = minutes - days * 1440;
    long long y = 0;
    unsigned m = 0, d = 0;
    civilFromDays(days, y, m, d);
    char date[32];
    char time[16];
    std::snprintf(date, sizeof date, "%02u/%02u/%04lld", m, d, y);
    std::snprintf(time, sizeof time, "%02lld:%02lld", inDay / 60, inDay % 60);
    return {date, time};
}

bool isValidStampDate(std::string_view text) {
    if (text.size() != 10 || text[2] != '/' || text[5] != '/') return false;
    const int m = digitsAt(text, 0, 2), d = digitsAt(text, 3, 2), y = digitsAt(text, 6, 4);
    if (m < 1 || m > 12 || y < 1 || d < 1) return false;
    return d <= daysInMonth(y, m);
}

bool isValidStampTime(std::string_view text) {
    if (text.size() != 5 || text[2] != ':') return false;
    const int h = digitsAt(text, 0, 2), m = digitsAt(text, 3, 2);
    return h >= 0 && h <= 23 && m >= 0 && m <= 59;
}

}  // namespace vl::entry
