#include <gtest/gtest.h>

#include "entry/numeric.h"

namespace vl::entry {
namespace {

TEST(NumericTest, EmptyOrANumberPasses) {
    for (const char* ok : {"", "5", "59", "599", "-3", "+4", "1.5", "2e3", "007"}) {
        EXPECT_TRUE(passesNumericTest(ok)) << ok;
    }
    for (const char* bad : {"5A", "A", "-", ".", "1e", "5 9", "\"5"}) {
        EXPECT_FALSE(passesNumericTest(bad)) << bad;
    }
}

TEST(FormatReportSent, AtLeastTwoDigits) {
    EXPECT_EQ(formatReportSent("5"), "05");
    EXPECT_EQ(formatReportSent("59"), "59");
    EXPECT_EQ(formatReportSent("599"), "599");
    EXPECT_EQ(formatReportSent(""), "");
}

}  // namespace
}  // namespace vl::entry
