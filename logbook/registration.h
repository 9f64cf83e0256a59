#pragma once
// The registration file "LogOnFile.txt": one line of twelve fields, all quoted
// except field 11, the UTC offset, which is a bare whole number.
#include <optional>
#include <string>
#include <string_view>

namespace vl::logbook {

struct Registration {
    std::string call;         // 1
    std::string chapter;      // 2  own chapter number
    std::string address;      // 3
    std::string state;        // 4
    std::string report;       // 5  report the operator sends
    std::string name;         // 6
    std::string chapterName;  // 7
    std::string city;         // 8
    std::string zip;          // 9
    std::string year;         // 10 contest year
    int utcOffset = 0;        // 11
    std::string email;        // 12
};

struct RegistrationRead {
    Registration registration;
    int fieldsRead = 0;         // how many of the twelve fields the file held
    bool offsetValid = false;   // field 11 was present and a number
};

std::string formatRegistrationLine(const Registration& registration);

// Reads as far as the content goes: missing fields stay empty, a field 11
// that is not a number leaves the offset at 0.
RegistrationRead parseRegistration(std::string_view content);

// The UTC offset counts the hours added to local time to get UTC: 5 at
// UTC-5, -13 in New Zealand summer time. Clocks on Earth run from UTC-12 to
// UTC+14, so the offsets run from -14 to 12.
inline constexpr int kMinUtcOffset = -14;
inline constexpr int kMaxUtcOffset = 12;

// The typed UTC offset as a number, replaced by the next whole number at or
// below it ("-4.5" gives -5, "5.5" gives 5). Empty when the text is not a
// number or lies outside kMinUtcOffset to kMaxUtcOffset.
std::optional<int> parseUtcOffset(std::string_view typed);

}  // namespace vl::logbook
