#include "keyer/morse_table.h"

#include "logbook/code_page.h"

#include <array>

namespace vl::keyer {

namespace {

using logbook::kSlashedZero;

constexpr std::array<MorseRow, 44> kTable{{
    {' ', "0000000x"},
    {'A', "10111000x"},
    {'B', "111010101000x"},
    {'C', "11101011101000x"},
    {'D', "1110101000x"},
    {'E', "1000x"},
    {'F', "101011101000x"},
    {'G', "111011101000x"},
    {'H', "1010101000x"},
    {'I', "101000x"},
    {'J', "1011101110111000x"},
    {'K', "111010111000x"},
    {'L', "101110101000x"},
    {'M', "1110111000x"},
    {'N', "11101000x"},
    {'O', "11101110111000x"},
    {'P', "10111011101000x"},
    {'Q', "1110111010111000x"},
    {'R', "1011101000x"},
    {'S', "10101000x"},
    {'T', "111000x"},
    {'U', "1010111000x"},
    {'V', "101010111000x"},
    {'W', "101110111000x"},
    {'X', "11101010111000x"},
    {'Y', "1110101110111000x"},
    {'Z', "11101110101000x"},
    {'0', "1110111011101110111000x"},
    {kSlashedZero, "1110111011101110111000x"},
    {'1', "10111011101110111000x"},
    {'2', "101011101110111000x"},
    {'3', "1010101110111000x"},
    {'4', "10101010111000x"},
    {'5', "101010101000x"},
    {'6', "11101010101000x"},
    {'7', "1110111010101000x"},
    {'8', "111011101110101000x"},
    {'9', "11101110111011101000x"},
    {'.', "10111010111010111000x"},
    {',', "1110111010101110111000x"},
    {'?', "101011101110101000x"},
    {'/', "1110101011101000x"},
    {'\\', "1110101011101000x"},
    {'-', "1110101010111000x"},
}};

// Unit string by byte value, built once from the table.
struct Index {
    std::array<std::string_view, 256> byByte{};
    constexpr Index() {
        for (const MorseRow& row : kTable) byByte[static_cast<unsigned char>(row.character)] = row.units;
    }
};

constexpr Index kIndex{};

}  // namespace

std::span<const MorseRow> morseTable() { return kTable; }

std::string_view morseUnits(char c) {
    return kIndex.byByte[static_cast<unsigned char>(logbook::upperCp1252(c))];
}

}  // namespace vl::keyer
