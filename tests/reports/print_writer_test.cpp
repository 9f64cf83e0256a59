#include "reports/print_writer.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace vl::reports {
namespace {

TEST(PrintWriter, TabBeforeTheColumnWritesBlanksUpToIt) {
    PrintWriter w;
    w.text("ab");
    w.tab(6);
    w.text("X");
    EXPECT_EQ(w.bytes(), "ab   X");
    EXPECT_EQ(w.column(), 7);
}

TEST(PrintWriter, TabAtTheColumnWritesNothing) {
    PrintWriter w;
    w.text("abcde");
    w.tab(6);
    w.text("X");
    EXPECT_EQ(w.bytes(), "abcdeX");
}

TEST(PrintWriter, TabPastTheColumnContinuesOnTheNextLineAtIt) {
    PrintWriter w;
    w.text("abcdef");
    w.tab(4);
    w.text("X");
    EXPECT_EQ(w.bytes(), "abcdef\r\n   X");
    EXPECT_EQ(w.column(), 5);
}

TEST(PrintWriter, IntegersCarryASignPositionAndATrailingBlank) {
    PrintWriter w;
    w.integer(25);
    w.integer(0);
    w.integer(-3);
    w.integer(40000);
    EXPECT_EQ(w.bytes(), " 25  0 -3  40000 ");
}

TEST(PrintWriter, MostNegativeIntegerKeepsItsDigits) {
    PrintWriter w;
    w.integer(std::numeric_limits<long long>::min());
    EXPECT_EQ(w.bytes(), "-9223372036854775808 ");
}

TEST(PrintWriter, ZoneEntriesStartAtColumnsFifteenApart) {
    PrintWriter w;
    w.zoneEntry("001");
    EXPECT_EQ(w.column(), 15);
    w.zoneEntry("002");
    EXPECT_EQ(w.column(), 29);
    EXPECT_EQ(w.bytes(), "  001         "
                         "  002         ");
}

TEST(PrintWriter, NextZoneIsAlwaysPastThePosition) {
    PrintWriter w;
    w.text(std::string(14, 'a'));  // now at column 15, a zone start
    w.nextZone();
    EXPECT_EQ(w.column(), 29);
    w.text(std::string(20, 'b'));  // column 49
    w.nextZone();
    EXPECT_EQ(w.column(), 57);
}

}  // namespace
}  // namespace vl::reports
