#include <gtest/gtest.h>

#include <cerrno>

#include "logbook/contact_record.h"
#include "scoring/grid_cells.h"
#include "scoring/set_counters.h"
#include "temp_folder.h"

namespace vl::scoring {
namespace {

std::string contact(const char* band, const char* mode, const char* comment = "") {
    return logbook::formatContactLine(
        {"W1AW", "59", "59", "007", "BOB", band, mode, "06/12/2026", "18:30", comment});
}

TEST(SetCountersTest, CountsEveryRecordButExactDupes) {
    std::string log = contact("20", "PHN", "DUPE") + contact("20", "PHN", "dupe") +
                      contact("20", "PHN", "DUPE ") + contact("20", "CW", "BNVL") +
                      contact("2", "PHN") + contact("20", "RTY") + contact("160", "PHN") +
                      contact("160", "PHN") + contact("160", "CW") + contact("160", "DIG");
    // A hand-edited line: LF only, unpadded fields, no line end at the last.
    log += "\"K1ABC\",\"59\",\"59\",\"7\",\"AL\",\"6\",\"DIG\",\"\",\"\",\"\"\n";
    log += "\"K1ABC\",\"59\",\"59\",\"7\",\"AL\",\"6\",\"DIG\",\"\",\"\",\"DUPE\"";

    Counters counters;
    EXPECT_TRUE(SetCounters(counters, log, {3, 2, 1}).empty());

    Counters expected;
    expected.p20 = 2, expected.c20 = 1, expected.t20 = 3;
    expected.p160 = 2, expected.c160 = 1, expected.d160 = 1, expected.t160 = 4;
    expected.d6 = 1, expected.t6 = 1;
    expected.ptot = 4, expected.ctot = 2, expected.dtot = 2, expected.ttot = 8;
    expected.chptot = 3, expected.ochptot = 2, expected.dchptot = 1;
    EXPECT_EQ(counters, expected);
}

TEST(SetCountersTest, EmptyLogShowsZerosAndTheListCounts) {
    testing::TempFolder dir;
    dir.write("VLQSOLOG.TXT", "");
    Counters counters;
    EXPECT_TRUE(SetCounters(counters, logbook::DataFolder(dir.path()), {2, 0, 1}).empty());
    for (const GridCell& cell : gridCells(counters)) EXPECT_EQ(cell.text, " 0") << cell.name;
    EXPECT_EQ(counters.chptot, 2);
    EXPECT_EQ(counters.dchptot, 1);
}

TEST(SetCountersTest, UnreadableLogIsReportedOnce) {
    testing::TempFolder dir;
    Counters counters;
    counters.p20 = 3;
    counters.ptot = 3;
    std::vector<logbook::FileError> errors =
        SetCounters(counters, logbook::DataFolder(dir.path()), {1, 0, 0});
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].number, ENOENT);
    EXPECT_EQ(counters.ttot, 3);
    EXPECT_EQ(counters.chptot, 1);
}

TEST(SetCountersTest, CounterStopsAt32767WithOneReportAndTheRecordCountGoesOn) {
    const std::string line = contact("20", "CW");
    std::string log;
    log.reserve(line.size() * 32770);
    for (int i = 0; i < 32768; ++i) log += line;
    log += contact("40", "PHN");  // after the overflow, still counted

    Counters counters;
    std::vector<logbook::FileError> errors = SetCounters(counters, log, {});
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].description, "Overflow");
    EXPECT_EQ(counters.c20, kCounterMax);
    EXPECT_EQ(counters.t20, kCounterMax);
    EXPECT_EQ(counters.ctot, kCounterMax);
    EXPECT_EQ(counters.p40, 1);
    EXPECT_EQ(counters.ttot, 0);  // 32767 + 1 does not fit: ttot keeps its value
    EXPECT_EQ(logbook::countRecords(log), 32769);
}

}  // namespace
}  // namespace vl::scoring
