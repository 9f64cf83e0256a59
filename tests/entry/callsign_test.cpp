#include <gtest/gtest.h>

#include "entry/callsign_rules.h"
#include "entry/callsign_text.h"
#include "temp_folder.h"
#include "case_name.h"

namespace vl::entry {
namespace {

using testing::withSlashedZero;

struct ShapeCase {
    const char* call;  // "0" stands for Ø
    bool accepted;
    int rule;
    friend std::ostream& operator<<(std::ostream& os, const ShapeCase& c) {
        return os << '"' << c.call << '"';
    }
};

class CallsignShapeTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(CallsignShapeTest, FirstApplyingRuleDecides) {
    const ShapeCase& c = GetParam();
    const CallsignShape shape = checkCallsignShape(withSlashedZero(c.call));
    EXPECT_EQ(shape.accepted, c.accepted) << c.call;
    EXPECT_EQ(shape.rule, c.rule) << c.call;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, CallsignShapeTest,
    ::testing::Values(ShapeCase{"", false, 1},        // empty
                      ShapeCase{"W1", false, 2},      // L D
                      ShapeCase{"1W", false, 2},      // D L
                      ShapeCase{"W0", false, 2},      // L Ø
                      ShapeCase{"00A1", false, 3},    // Ø Ø L D
                      ShapeCase{"K0ABC", true, 4},    // L Ø L L L
                      ShapeCase{"KA0ABC", true, 5},   // L L Ø L L L
                      ShapeCase{"W12A", false, 6},    // L D D L
                      ShapeCase{"W1A", true, 7},      // L D L
                      ShapeCase{"12AB", false, 8},    // D D L L
                      ShapeCase{"12A", false, 8},     // D D L
                      ShapeCase{"ABCD", false, 9},    // L L L L
                      ShapeCase{"1AB", false, 9},     // D L L
                      ShapeCase{"W1AW", true, 10},    // L D L L
                      ShapeCase{"1A1AB", true, 10}),  // D L D L L
    [](const auto& info) { return test_names::caseName(info.index, {info.param.call}); });

TEST(CallsignShape, DigitZeroIsADigitAndSlashedZeroIsNot) {
    EXPECT_EQ(checkCallsignShape("W01A").rule, 6);
    EXPECT_EQ(checkCallsignShape(withSlashedZero("W01A")).rule, 4);
}

TEST(DefaultReport, PhoneGets59EveryOtherMode599) {
    EXPECT_EQ(defaultReport("PHN"), "59");
    EXPECT_EQ(defaultReport("CW"), "599");
    EXPECT_EQ(defaultReport("DIG"), "599");
}

TEST(UpperCp1252, MapsLettersOfTheCodePage) {
    EXPECT_EQ(upperCp1252('a'), 'A');
    EXPECT_EQ(upperCp1252('z'), 'Z');
    EXPECT_EQ(upperCp1252('5'), '5');
    EXPECT_EQ(upperCp1252('\xE9'), '\xC9');  // é
    EXPECT_EQ(upperCp1252('\xF8'), '\xD8');  // ø
    EXPECT_EQ(upperCp1252('\xF7'), '\xF7');  // ÷ has no capital
    EXPECT_EQ(upperCp1252('\xDF'), '\xDF');  // ß stays
    EXPECT_EQ(upperCp1252('\xFF'), '\x9F');  // ÿ
    EXPECT_EQ(upperCp1252('\x9A'), '\x8A');  // š
    EXPECT_EQ(upperCp1252('\x9C'), '\x8C');  // œ
    EXPECT_EQ(upperCp1252('\x9E'), '\x8E');  // ž
}

TEST(FilterCallsignInput, UpperCasesAndStoresZeroAsSlashedZero) {
    EXPECT_EQ(filterCallsignInput("n0abc"), withSlashedZero("N0ABC"));
    // Pasted text goes through the same filter: no digit zero survives.
    EXPECT_EQ(filterCallsignInput("w0aw/100"), withSlashedZero("W0AW/100"));
    EXPECT_EQ(filterCallsignInput(withSlashedZero("K0X")), withSlashedZero("K0X"));
}

TEST(SanitizeForFile, QuoteBecomesApostropheAndLineBreaksGo) {
    EXPECT_EQ(sanitizeForFile("the \"big\" gun"), "the 'big' gun");
    EXPECT_EQ(sanitizeForFile("two\r\nlines\t"), "twolines");
    EXPECT_EQ(sanitizeForFile("caf\xE9, ok"), "caf\xE9, ok");
    EXPECT_EQ(filterCallsignInput("w\"1"), "W'1");
    EXPECT_EQ(upperForBox("bob \"b\""), "BOB 'B'");
}

TEST(IsOwnCall, ZeroAndSlashedZeroAreTheSameCharacter) {
    EXPECT_TRUE(isOwnCall(withSlashedZero("N0CALL"), "N0CALL"));
    EXPECT_TRUE(isOwnCall("N0CALL", "N0CALL"));
    EXPECT_TRUE(isOwnCall(withSlashedZero("W0AW"), withSlashedZero("W0AW")));
    EXPECT_FALSE(isOwnCall("NOCALL", "N0CALL"));  // the letter O is not zero
    EXPECT_FALSE(isOwnCall(" N0CALL", "N0CALL"));
    EXPECT_FALSE(isOwnCall("n0call", "N0CALL"));
    EXPECT_FALSE(isOwnCall("", ""));
}

TEST(IsOwnCall, LongCallsAreComparedWhole) {
    EXPECT_TRUE(isOwnCall(withSlashedZero("VE3ABC/QRP0"), "VE3ABC/QRP0"));
    EXPECT_FALSE(isOwnCall("VE3ABC/QRP", "VE3ABC/QR"));
    EXPECT_FALSE(isOwnCall("VE3ABC/P", "VE3ABC/QRP"));
}

}  // namespace
}  // namespace vl::entry
