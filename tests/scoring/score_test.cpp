#include <gtest/gtest.h>

#include <cstdint>

#include "scoring/score.h"
#include "scoring/sheet_scores.h"

namespace vl::scoring {
namespace {

TEST(ScoreTest, RunningAndStoppedClockShowTheTwoFormulas) {
    Counters counters;
    counters.ptot = 10, counters.chptot = 4;
    counters.ctot = 5, counters.ochptot = 3;

    SummaryTexts running = summaryRefresh(counters, Clock::kRunning);
    EXPECT_EQ(running.txtTotScore, "105");
    EXPECT_EQ(running.txtTotChap, " 4");
    EXPECT_EQ(running.txtOChptot, " 3");
    EXPECT_EQ(running.txtDigChapTot, " 0");
    EXPECT_EQ(summaryRefresh(counters, Clock::kStopped).txtTotScore, "55");
    EXPECT_EQ(totalScore(counters), 105);
}

TEST(ScoreTest, LargeScoresDoNotWrap) {
    Counters counters;
    counters.ptot = 30000, counters.chptot = 300;
    EXPECT_EQ(summaryRefresh(counters, Clock::kStopped).txtTotScore, "9000000");

    counters.ctot = counters.ptot = counters.dtot = kCounterMax;
    counters.chptot = counters.ochptot = counters.dchptot = kCounterMax;
    EXPECT_EQ(totalScore(counters), 98301LL * 98301LL);  // past 32 bits too
    EXPECT_EQ(modeScoreSum(counters), 3LL * kCounterMax * kCounterMax);
    EXPECT_EQ(summaryRefresh(counters, Clock::kRunning).txtTotScore, "9663086601");
}

TEST(ScoreTest, BonusIsTenPointsPerCallUpToOneHundred) {
    EXPECT_EQ(bonusPoints(0), 0);
    EXPECT_EQ(bonusPoints(3), 30);
    EXPECT_EQ(bonusPoints(10), 100);
    EXPECT_EQ(bonusPoints(12), 100);
}

TEST(SheetScores, ScoresFollowTheContactsTimesChaptersRule) {
    Counters totals;
    totals.ctot = 5, totals.ochptot = 3;
    totals.ptot = 10, totals.chptot = 4;
    const SheetScores s = computeSheetScores(totals, 3);  // 5 x 3 + 10 x 4 + 0, times the 3 modes
    EXPECT_EQ(s.totscoreBeforeBonus, 105);
    EXPECT_EQ(s.totscore, 135);
    EXPECT_EQ(computeSheetScores(totals, SIZE_MAX).bonusPoints, 100);
}

}  // namespace
}  // namespace vl::scoring
