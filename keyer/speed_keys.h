#pragma once
// Page Up and Page Down step the sending speed by 2 wpm, kept within 5 to 60
// wpm; a speed the menu's quarter steps put outside that range is brought
// back into it by the first key.
#include <algorithm>

namespace vl::keyer {

inline constexpr int kSpeedKeyStep = 2;
inline constexpr int kSpeedKeyLowest = 5;
inline constexpr int kSpeedKeyHighest = 60;

constexpr int speedAfterKey(int wpm, bool up) {
    return std::clamp(wpm + (up ? kSpeedKeyStep : -kSpeedKeyStep), kSpeedKeyLowest, kSpeedKeyHighest);
}

}  // namespace vl::keyer
