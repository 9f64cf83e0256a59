#include <gtest/gtest.h>

#include <set>

#include "scoring/classification.h"
#include "scoring/counters.h"
#include "scoring/grid_cells.h"
#include "case_name.h"

namespace vl::scoring {
namespace {

using Member = std::int16_t Counters::*;

struct ClassRow {
    const char* band;
    const char* mode;
    Member contact = nullptr;  // nullptr: counted nowhere
    Member bandTotal = nullptr;
    Member modeTotal = nullptr;
};

class ClassificationTest : public ::testing::TestWithParam<ClassRow> {};

TEST_P(ClassificationTest, MovesExactlyItsThreeCounters) {
    const ClassRow& row = GetParam();
    Counters counters;
    bool overflow = false;
    const bool matched = addContact(counters, row.band, row.mode, &overflow);

    Counters expected;
    if (row.contact) {
        expected.*row.contact = 1;
        expected.*row.bandTotal = 1;
        expected.*row.modeTotal = 1;
    }
    EXPECT_EQ(matched, row.contact != nullptr);
    EXPECT_EQ(classify(row.band, row.mode).has_value(), row.contact != nullptr);
    EXPECT_EQ(counters, expected);
    EXPECT_FALSE(overflow);
}

using C = Counters;
INSTANTIATE_TEST_SUITE_P(
    Table, ClassificationTest,
    ::testing::Values(
        ClassRow{"20 ", "CW ", &C::c20, &C::t20, &C::ctot}, ClassRow{"20 ", "PHN", &C::p20, &C::t20, &C::ptot},
        ClassRow{"15 ", "PHN", &C::p15, &C::t15, &C::ptot}, ClassRow{"15 ", "CW ", &C::c15, &C::t15, &C::ctot},
        ClassRow{"10 ", "PHN", &C::p10, &C::t10, &C::ptot}, ClassRow{"10 ", "CW ", &C::c10, &C::t10, &C::ctot},
        ClassRow{"80 ", "CW ", &C::c80, &C::t80, &C::ctot}, ClassRow{"80 ", "PHN", &C::p80, &C::t80, &C::ptot},
        ClassRow{"40 ", "CW ", &C::c40, &C::t40, &C::ctot}, ClassRow{"40 ", "PHN", &C::p40, &C::t40, &C::ptot},
        ClassRow{"160", "CW ", &C::c160, &C::t160, &C::ctot},
        ClassRow{"160", "PHN", &C::p160, &C::t160, &C::ptot},
        ClassRow{"6  ", "PHN", &C::p6, &C::t6, &C::ptot}, ClassRow{"6  ", "CW ", &C::c6, &C::t6, &C::ctot},
        ClassRow{"UV ", "PHN", &C::puv, &C::tuv, &C::ptot}, ClassRow{"UV ", "CW ", &C::cuv, &C::tuv, &C::ctot},
        ClassRow{"20 ", "DIG", &C::d20, &C::t20, &C::dtot}, ClassRow{"40 ", "DIG", &C::d40, &C::t40, &C::dtot},
        ClassRow{"80 ", "DIG", &C::d80, &C::t80, &C::dtot}, ClassRow{"15 ", "DIG", &C::d15, &C::t15, &C::dtot},
        ClassRow{"10 ", "DIG", &C::d10, &C::t10, &C::dtot}, ClassRow{"6  ", "DIG", &C::d6, &C::t6, &C::dtot},
        ClassRow{"UV ", "DIG", &C::duv, &C::tuv, &C::dtot},
        ClassRow{"160", "DIG", &C::d160, &C::t160, &C::dtot},
        // Counted nowhere: the band "2", unknown modes, unpadded or
        // lower-case codes.
        ClassRow{"2  ", "PHN"}, ClassRow{"2  ", "CW "}, ClassRow{"20 ", "RTY"}, ClassRow{"20", "PHN"},
        ClassRow{"20 ", "CW"}, ClassRow{"20 ", "cw "}, ClassRow{"uv ", "PHN"}, ClassRow{"160", "phn"},
        ClassRow{" 20", "PHN"}, ClassRow{"", ""}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.band, info.param.mode}); });

TEST(CountersTest, FullCounterKeepsItsValueAndTheOthersStillMove) {
    Counters counters;
    counters.c20 = kCounterMax;
    bool overflow = false;
    EXPECT_TRUE(addContact(counters, "20 ", "CW ", &overflow));
    EXPECT_TRUE(overflow);
    EXPECT_EQ(counters.c20, kCounterMax);
    EXPECT_EQ(counters.t20, 1);
    EXPECT_EQ(counters.ctot, 1);
}

TEST(CountersTest, GrandTotalPastTheLimitKeepsItsOldValue) {
    Counters counters;
    counters.ctot = kCounterMax;
    counters.ptot = 1;
    counters.ttot = 12;
    EXPECT_FALSE(updateGrandTotal(counters));
    EXPECT_EQ(counters.ttot, 12);
}

TEST(CountersTest, LoggedContactIsPaddedCountedAndTotalled) {
    Counters counters;
    counters.ptot = 4;  // counted before, total not yet recomputed
    EXPECT_FALSE(countLoggedContact(counters, "20", "CW"));
    EXPECT_EQ(counters.c20, 1);
    EXPECT_EQ(counters.ttot, 5);

    // The band list's "2" matches no row; only the total is recomputed.
    counters.ptot = 6;
    EXPECT_FALSE(countLoggedContact(counters, "2", "PHN"));
    EXPECT_EQ(counters.t20, 1);
    EXPECT_EQ(counters.ttot, 7);

    counters.d6 = kCounterMax;
    std::optional<logbook::FileError> error = countLoggedContact(counters, "6", "DIG");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number, overflowError().number);
    EXPECT_EQ(error->description, "Overflow");
    EXPECT_EQ(counters.d6, kCounterMax);
    EXPECT_EQ(counters.dtot, 1);
}

TEST(CountersTest, ChapterCountPastTheLimitIsRefused) {
    Counters counters;
    EXPECT_TRUE(setChapterCounts(counters, 4, 3, 0));
    EXPECT_FALSE(setChapterCounts(counters, 40000, 5, 1));
    EXPECT_EQ(counters.chptot, 4);
    EXPECT_EQ(counters.ochptot, 5);
    EXPECT_EQ(counters.dchptot, 1);
}

TEST(GridCellsTest, EveryCellShowsItsCounterAfterOneBlank) {
    Counters counters;
    counters.p20 = 5;
    counters.tuv = 7;
    counters.c160 = 3;
    counters.ttot = 12345;
    counters.dtot = 2;
    std::vector<GridCell> cells = gridCells(counters);
    ASSERT_EQ(cells.size(), 36u);
    std::set<std::string> names;
    for (const GridCell& cell : cells) {
        names.insert(cell.name);
        std::string expected = " 0";
        if (cell.name == "txt20PHN") expected = " 5";
        if (cell.name == "txtUVTOT") expected = " 7";
        if (cell.name == "txt160CW") expected = " 3";
        if (cell.name == "txtTOTTOT") expected = " 12345";
        if (cell.name == "txtTOTDIG") expected = " 2";
        EXPECT_EQ(cell.text, expected) << cell.name;
    }
    EXPECT_EQ(names.size(), 36u);
    EXPECT_TRUE(names.contains("txt6DIG"));
    EXPECT_TRUE(names.contains("txt80CW"));
    EXPECT_EQ(cellName(Band::kUv, Column::kCw), "txtUVCW");
}

}  // namespace
}  // namespace vl::scoring
