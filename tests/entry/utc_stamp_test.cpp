#include <gtest/gtest.h>

#include "entry/utc_offset.h"
#include "entry/utc_stamp.h"
#include "case_name.h"

namespace vl::entry {
namespace {

struct StampCase {
    LocalDateTime local;
    int offset;
    const char* date;
    const char* time;
    friend std::ostream& operator<<(std::ostream& os, const StampCase& c) {
        return os << c.local.month << '/' << c.local.day << '/' << c.local.year << ' '
                  << c.local.hour << ':' << c.local.minute << " offset " << c.offset;
    }
};

class UtcStampTest : public ::testing::TestWithParam<StampCase> {};

TEST_P(UtcStampTest, OffsetIsAddedToLocalTime) {
    const StampCase& c = GetParam();
    const UtcStamp stamp = utcStamp(c.local, c.offset);
    EXPECT_EQ(stamp.date, c.date);
    EXPECT_EQ(stamp.time, c.time);
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, UtcStampTest,
    ::testing::Values(
        StampCase{{2026, 6, 30, 18, 59}, 5, "06/30/2026", "23:59"},
        StampCase{{2026, 6, 30, 19, 0}, 5, "07/01/2026", "00:00"},
        StampCase{{2026, 12, 31, 19, 0}, 5, "01/01/2027", "00:00"},
        StampCase{{2026, 1, 31, 19, 30}, 5, "02/01/2026", "00:30"},
        StampCase{{2026, 7, 4, 3, 7}, 0, "07/04/2026", "03:07"},
        // behind UTC
        StampCase{{2024, 3, 1, 5, 0}, -10, "02/29/2024", "19:00"},
        StampCase{{2023, 3, 1, 5, 0}, -10, "02/28/2023", "19:00"},
        StampCase{{2026, 1, 1, 3, 0}, -12, "12/31/2025", "15:00"},
        StampCase{{2026, 5, 1, 11, 59}, -12, "04/30/2026", "23:59"},
        StampCase{{2026, 5, 1, 12, 0}, -12, "05/01/2026", "00:00"},
        // far ahead of UTC
        StampCase{{2026, 12, 31, 23, 59}, 14, "01/01/2027", "13:59"},
        StampCase{{2026, 3, 1, 10, 0}, 14, "03/02/2026", "00:00"},
        StampCase{{2026, 3, 1, 9, 0}, 14, "03/01/2026", "23:00"},
        // leap days
        StampCase{{2024, 2, 28, 20, 0}, 4, "02/29/2024", "00:00"},
        StampCase{{2100, 2, 28, 22, 0}, 2, "03/01/2100", "00:00"},
        StampCase{{2000, 2, 28, 22, 0}, 2, "02/29/2000", "00:00"}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.date, info.param.time}); });

// The computer's clock, as Qt gives its offset east of UTC, against the
// registered offset: the notice names both, and nothing is said when they
// agree.
struct ComputerOffsetCase {
    int secondsEast;
    int uHr;
    const char* computer;  // the computer's offset as the notice names it
    bool notice;
};

class ComputerOffsetTest : public ::testing::TestWithParam<ComputerOffsetCase> {};

TEST_P(ComputerOffsetTest, NoticeOnlyWhenTheOffsetsDiffer) {
    const ComputerOffsetCase& c = GetParam();
    EXPECT_EQ(computerOffsetText(c.secondsEast), c.computer);
    const std::string notice = offsetMismatchNotice(c.uHr, c.secondsEast);
    if (!c.notice) {
        EXPECT_EQ(notice, "");
        return;
    }
    EXPECT_EQ(notice, "The UTC offset you registered is " + std::to_string(c.uHr) +
                          ", but this computer's clock now needs " + c.computer +
                          " (the hours added to its local time to get UTC).  Contacts are "
                          "stamped with the registered offset " + std::to_string(c.uHr) +
                          ".  To change it, use LogIn, Show Login, correct the UTC box and "
                          "press Submit Data.");
}

INSTANTIATE_TEST_SUITE_P(
    Clocks, ComputerOffsetTest,
    ::testing::Values(ComputerOffsetCase{-5 * 3600, 5, "5", false},      // UTC-5
                      ComputerOffsetCase{-4 * 3600, 5, "4", true},       // summer time
                      ComputerOffsetCase{0, 0, "0", false},              // kept on UTC
                      ComputerOffsetCase{0, 5, "0", true},
                      ComputerOffsetCase{13 * 3600, -13, "-13", false},  // New Zealand summer
                      ComputerOffsetCase{13 * 3600, 13, "-13", true},    // sign typed wrong
                      ComputerOffsetCase{14 * 3600, -14, "-14", false},
                      ComputerOffsetCase{-12 * 3600, 12, "12", false},
                      ComputerOffsetCase{19800, -5, "-5.5", true},       // India
                      ComputerOffsetCase{20700, -6, "-5.75", true},      // Nepal
                      ComputerOffsetCase{-3 * 3600 - 1800, 3, "3.5", true}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.computer}); });

TEST(UtcStamp, EveryOffsetGivesAValidStampAtTheYearsEnds) {
    for (int offset = -14; offset <= 14; ++offset) {
        for (const LocalDateTime local : {LocalDateTime{2026, 1, 1, 0, 0},
                                          LocalDateTime{2026, 12, 31, 23, 59}}) {
            const UtcStamp stamp = utcStamp(local, offset);
            EXPECT_TRUE(isValidStampDate(stamp.date)) << offset << " " << stamp.date;
            EXPECT_TRUE(isValidStampTime(stamp.time)) << offset << " " << stamp.time;
        }
    }
}

TEST(StampValidators, OnlyRealDatesAndTimesInTheStampedForm) {
    for (const char* ok : {"02/29/2024", "12/31/2026", "01/01/2027", "04/30/2026"}) {
        EXPECT_TRUE(isValidStampDate(ok)) << ok;
    }
    for (const char* bad : {"02/29/2023", "02/30/2024", "04/31/2026", "13/01/2026", "00/10/2026",
                            "01/00/2026", "4/1/2026", "04-01-2026", "04/01/26", "04/01/2026 ",
                            "ab/cd/efgh", "00/00/0000", ""}) {
        EXPECT_FALSE(isValidStampDate(bad)) << bad;
    }
    for (const char* ok : {"00:00", "23:59", "09:07"}) EXPECT_TRUE(isValidStampTime(ok)) << ok;
    for (const char* bad : {"24:00", "12:60", "9:07", "12:5", "1230", "12:30 ", "-1:00", "ab:cd", ""}) {
        EXPECT_FALSE(isValidStampTime(bad)) << bad;
    }
}

}  // namespace
}  // namespace vl::entry
