// Numbers typed by the operator: the UTC offset and three-digit chapter numbers.
#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>

#include "logbook/number_text.h"
#include "logbook/registration.h"
#include "case_name.h"

namespace vl::logbook {
namespace {

struct OffsetCase {
    std::string typed;
    std::optional<int> offset;
};

class UtcOffset : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(UtcOffset, IsTheWholeNumberAtOrBelow) {
    EXPECT_EQ(parseUtcOffset(GetParam().typed), GetParam().offset) << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(
    Typed, UtcOffset,
    ::testing::Values(OffsetCase{"-4.5", -5}, OffsetCase{"5.5", 5}, OffsetCase{"-5", -5},
                      OffsetCase{"+3", 3}, OffsetCase{" 2 ", 2}, OffsetCase{"0", 0},
                      OffsetCase{"-12", -12}, OffsetCase{"-14", -14}, OffsetCase{"12", 12},
                      OffsetCase{"12.9", 12}, OffsetCase{"-13.5", -14}, OffsetCase{"-0.5", -1},
                      OffsetCase{"", std::nullopt}, OffsetCase{"  ", std::nullopt},
                      OffsetCase{"abc", std::nullopt}, OffsetCase{"5x", std::nullopt},
                      OffsetCase{"13", std::nullopt}, OffsetCase{"14", std::nullopt},
                      OffsetCase{"-14.5", std::nullopt}, OffsetCase{"-15", std::nullopt},
                      OffsetCase{"-", std::nullopt}, OffsetCase{"1e999", std::nullopt}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.typed}); });

struct ZerosCase {
    std::string text;
    int digits;
    std::string formatted;
};

class WithZeros : public ::testing::TestWithParam<ZerosCase> {};

TEST_P(WithZeros, FormatsNumbersAndLeavesTheRest) {
    EXPECT_EQ(formatWithZeros(GetParam().text, GetParam().digits), GetParam().formatted);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WithZeros,
    ::testing::Values(ZerosCase{"7", 3, "007"}, ZerosCase{"42", 3, "042"},
                      ZerosCase{"123", 3, "123"}, ZerosCase{"7  ", 3, "007"},
                      ZerosCase{" 12", 3, "012"}, ZerosCase{"1e1", 3, "010"},
                      ZerosCase{"-5", 3, "-005"}, ZerosCase{"2.5", 3, "002"},
                      ZerosCase{"3.5", 3, "004"}, ZerosCase{"1234", 3, "1234"},
                      ZerosCase{"007", 1, "7"}, ZerosCase{"abc", 3, "abc"},
                      ZerosCase{"", 3, ""}, ZerosCase{"7a", 3, "7a"}, ZerosCase{".", 3, "."}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.text}); });

// A Qt program takes its number format from the environment; numbers in the
// files and boxes use a decimal point whatever that format is.
TEST(NumberText, DecimalPointUnderADecimalCommaLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char* found = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE", "nl_NL.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name)) {
            found = name;
            break;
        }
    }
    if (!found) GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(parseUtcOffset("-4.5"), -5);
    EXPECT_EQ(parseNumber("2.25"), 2.25);
    EXPECT_EQ(formatWithZeros("7.6", 3), "008");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace vl::logbook
