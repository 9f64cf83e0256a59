#include "keyer/morse_table.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "morse_signs.h"
#include "case_name.h"

namespace vl::keyer {
namespace {

struct SignRow {
    char character;
    const char* signs;
};

constexpr char kSlashedZero = static_cast<char>(0xD8);

class MorseTableTest : public ::testing::TestWithParam<SignRow> {};

TEST_P(MorseTableTest, UnitsFollowTheSigns) {
    EXPECT_EQ(morseUnits(GetParam().character), test::unitsFromSigns(GetParam().signs));
}

constexpr SignRow kRows[] = {
    {' ', " "},     {'A', ".-"},      {'B', "-..."},    {'C', "-.-."},    {'D', "-.."},    {'E', "."},
    {'F', "..-."},  {'G', "--."},     {'H', "...."},    {'I', ".."},      {'J', ".---"},   {'K', "-.-"},
    {'L', ".-.."},  {'M', "--"},      {'N', "-."},      {'O', "---"},     {'P', ".--."},   {'Q', "--.-"},
    {'R', ".-."},   {'S', "..."},     {'T', "-"},       {'U', "..-"},     {'V', "...-"},   {'W', ".--"},
    {'X', "-..-"},  {'Y', "-.--"},    {'Z', "--.."},    {'0', "-----"},   {kSlashedZero, "-----"},
    {'1', ".----"}, {'2', "..---"},   {'3', "...--"},   {'4', "....-"},   {'5', "....."},  {'6', "-...."},
    {'7', "--..."}, {'8', "---.."},   {'9', "----."},   {'.', ".-.-.-"},  {',', "--..--"}, {'?', "..--.."},
    {'/', "-..-."}, {'\\', "-..-."},  {'-', "-...-"},
};

INSTANTIATE_TEST_SUITE_P(AllRows, MorseTableTest, ::testing::ValuesIn(kRows),
    [](const auto& info) { return test_names::caseName(info.index, {std::string_view(&info.param.character, 1)}); });

TEST(MorseTable, HoldsExactlyTheFortyFourRows) {
    ASSERT_EQ(morseTable().size(), std::size(kRows));
    for (const MorseRow& row : morseTable()) {
        EXPECT_TRUE(std::any_of(std::begin(kRows), std::end(kRows), [&](const SignRow& r) { return r.character == row.character; }))
            << static_cast<int>(static_cast<unsigned char>(row.character));
    }
}

TEST(MorseTable, SmallLettersAndSmallSlashedZeroLookUpTheirCapitals) {
    for (char c = 'a'; c <= 'z'; ++c) EXPECT_EQ(morseUnits(c), morseUnits(static_cast<char>(c - 32))) << c;
    EXPECT_EQ(morseUnits(static_cast<char>(0xF8)), test::unitsFromSigns("-----"));
}

TEST(MorseTable, OtherCharactersHaveNoRow) {
    for (char c : {'#', '"', '!', '\t', '\r', '\0', static_cast<char>(0xC9), static_cast<char>(0xE9)}) {
        EXPECT_TRUE(morseUnits(c).empty()) << static_cast<int>(c);
    }
}

}  // namespace
}  // namespace vl::keyer
