#pragma once
// The Morse table: each character's unit string. "1" is one unit with the
// line keyed, "0" one unit released, and the closing "x" one more released
// unit. Dots are "1", dashes "111", the gap inside a character "0"; every
// sign ends in "000x", so characters are 4 released units apart and a space
// (eight released units) makes 12 between words.
#include <span>
#include <string_view>

namespace vl::keyer {

struct MorseRow {
    char character;  // Windows-1252 byte, upper case
    std::string_view units;
};

// The 44 rows, in table order.
std::span<const MorseRow> morseTable();

// The unit string of a character after upper-casing; empty when the table
// has no row for it.
std::string_view morseUnits(char c);

}  // namespace vl::keyer
