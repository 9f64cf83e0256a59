#pragma once
// Test helpers: unit strings written from dot-dash signs, and what a recorded
// line did, read back in units.
#include <string>
#include <string_view>

#include "keyer/fake_clock.h"
#include "keyer/recording_key_line.h"

namespace vl::keyer::test {

// ".-" gives "10111000x"; a blank (word space) gives "0000000x".
inline std::string unitsFromSigns(std::string_view signs) {
    if (signs == " ") return "0000000x";
    std::string out;
    for (char s : signs) {
        if (!out.empty()) out += '0';
        out += s == '.' ? "1" : "111";
    }
    return out + "000x";
}

// The line's settings from the first one to `end`, one character per unit:
// "1" keyed, "0" released.
inline std::string keyedUnits(const RecordingKeyLine& line, Clock::TimePoint end, Clock::Duration unit) {
    std::string out;
    const auto& s = line.settings();
    for (std::size_t i = 0; i < s.size(); ++i) {
        Clock::TimePoint until = i + 1 < s.size() ? s[i + 1].at : end;
        out.append(static_cast<std::size_t>((until - s[i].at + unit / 2) / unit), s[i].keyed ? '1' : '0');
    }
    return out;
}

}  // namespace vl::keyer::test
