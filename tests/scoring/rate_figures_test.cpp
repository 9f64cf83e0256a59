#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logbook/contact_record.h"
#include "scoring/rate_figures.h"
#include "scoring/statistics.h"

namespace vl::scoring {
namespace {

std::string qso(const char* date, const char* time, const char* band = "20", const char* mode = "PHN",
                const char* chapter = "007", const char* comment = "") {
    return logbook::formatContactLine({"W1AW", "59", "59", chapter, "BOB", band, mode, date, time, comment});
}

struct RateCase {
    const char* name;
    std::string log;
    std::int64_t contacts, last60;
    std::optional<std::int64_t> last10Rate;
    std::int64_t best60;
    const char* bestFrom;  // "" for none
    std::vector<std::pair<const char*, int>> hours;  // "YYYY-MM-DD HH", total
    size_t unreadable;
    std::int64_t finalScore;
};

class RateCases : public ::testing::TestWithParam<RateCase> {};

TEST_P(RateCases, FiguresFollowTheStamps) {
    const RateCase& c = GetParam();
    const RateFigures r = computeRateFigures(logbook::readContacts(c.log));
    EXPECT_EQ(r.contacts, c.contacts);
    EXPECT_EQ(r.last60, c.last60);
    EXPECT_EQ(r.last10Rate, c.last10Rate);
    EXPECT_EQ(r.best60, c.best60);
    EXPECT_EQ(r.best60Start ? stampText(*r.best60Start) : "", c.bestFrom);
    std::vector<std::pair<std::string, int>> hours, expected;
    for (const HourCount& h : r.hours) hours.emplace_back(hourText(h.hour), h.total);
    for (const auto& [hour, total] : c.hours) expected.emplace_back(hour, total);
    EXPECT_EQ(hours, expected);
    EXPECT_EQ(r.unreadable.size(), c.unreadable);
    EXPECT_EQ(r.scoreOverTime.empty() ? 0 : r.scoreOverTime.back().score, c.finalScore);
}

INSTANTIATE_TEST_SUITE_P(
    Log, RateCases,
    ::testing::Values(
        RateCase{"Empty", "", 0, 0, std::nullopt, 0, "", {}, 0, 0},
        // Hand-stamped out of order: sorted by stamp; 3 contacts over 26 minutes.
        RateCase{"OutOfOrder",
                 qso("06/12/2026", "18:30") + qso("06/12/2026", "18:05", "40", "CW", "008") +
                     qso("06/12/2026", "18:10", "20", "PHN", "009"),
                 3, 3, 7, 3, "2026-06-12 18:05", {{"2026-06-12 18", 3}}, 0, 3 * 3},
        // 00:50 lies 60 minutes after 23:50, outside its hour; the earliest of
        // the two best hours is named. Dupes count in the rate, not the score.
        RateCase{"AcrossMidnight",
                 qso("12/06/2026", "23:50") + qso("12/07/2026", "00:10", "20", "PHN", "007", "DUPE") +
                     qso("12/07/2026", "00:49") + qso("12/07/2026", "00:50"),
                 4, 3, (240 + 30) / 61, 3, "2026-12-06 23:50",
                 {{"2026-12-06 23", 1}, {"2026-12-07 00", 3}}, 0, 3},
        RateCase{"AcrossTheYearAndALeapDay",
                 qso("12/31/2026", "23:59") + qso("01/01/2027", "00:00", "15") +
                     qso("02/28/2028", "23:59") + qso("02/29/2028", "00:30"),
                 4, 2, 0, 2, "2026-12-31 23:59",
                 {{"2026-12-31 23", 1}, {"2027-01-01 00", 1}, {"2028-02-28 23", 1}, {"2028-02-29 00", 1}},
                 0, 4},
        // A broken line, an impossible date, a time past 23:59 and a 29th of
        // February outside a leap year are named and left out; the one good
        // contact and the bonus claim still score (10 points).
        RateCase{"UnreadableLines",
                 "garbage\r\n" + qso("13/45/2026", "18:00") + qso("06/12/2026", "25:00") +
                     qso("02/29/2027", "10:00") + qso("06/12/2026", "18:00", "20", "PHN", "599", "BNVL"),
                 1, 1, std::nullopt, 1, "2026-06-12 18:00", {{"2026-06-12 18", 1}}, 4, 11}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RateFigures, NamesUnreadableRecordsAndProjectsToTheEnd) {
    const RateFigures r = computeRateFigures(logbook::readContacts(
        "garbage\r\n" + qso("06/12/2026", "17:00") + qso("06/12/2026", "18:00", "20", "PHN", "008") +
        qso("06/12/2026", "18:30", "20", "PHN", "008", "DUPE")));
    ASSERT_EQ(r.unreadable.size(), 1u);
    EXPECT_EQ(r.last60Scoring, 1);  // 18:00; the 18:30 dupe scores nothing
    EXPECT_EQ(minutesSinceLast(r, *parseStampText("2026-06-12 20:05")), 95);

    // Two hours left at one counted contact an hour, each worth 2 chapters.
    const Projection p = projectToEnd(r, *parseStampText("2026-06-12 20:30"), 4, 2);
    EXPECT_EQ(p.minutesLeft, 120);
    EXPECT_EQ(p.contactsExpected, 2);
    EXPECT_EQ(p.score, 8);
    EXPECT_EQ(projectToEnd(r, *parseStampText("2026-06-12 12:00"), 4, 2).score, 4);

    EXPECT_EQ(rateMeterText(r, *parseStampText("2026-06-12 20:05")),
              "Last 60 min: 2   Last 10: 2/h   Best 60 min: 2 from 2026-06-12 18:00   Since last: 1 h 35 min");
}

}  // namespace
}  // namespace vl::scoring
