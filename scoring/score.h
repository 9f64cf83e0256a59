#pragma once
// The score: contacts times chapters. Products and sums are computed in 64
// bits, so a score past 32767 is shown as it is.
#include <cstdint>
#include <string>

#include "scoring/counters.h"

namespace vl::scoring {

std::int64_t phoneScore(const Counters& counters);    // ptot x chptot
std::int64_t cwScore(const Counters& counters);       // ctot x ochptot
std::int64_t digitalScore(const Counters& counters);  // dtot x dchptot

// (ctot + ptot + dtot) x (chptot + ochptot + dchptot): the score box while the
// clock runs, and the summary sheet's total before bonus.
std::int64_t totalScore(const Counters& counters);
// The sum of the three mode scores: the score box while the clock is stopped.
std::int64_t modeScoreSum(const Counters& counters);

// Ten points per claimed bonus call, at most 100.
std::int64_t bonusPoints(std::int64_t bonusCalls);

// The score box text: plain digits, no leading blank.
std::string scoreText(std::int64_t score);

enum class Clock { kRunning, kStopped };

// What the once-a-second refresh writes besides the three contact boxes
// (those copy the grid cells txtTOTPHN, txtTOTCW and txtTOTDIG).
struct SummaryTexts {
    std::string txtTotScore;
    std::string txtTotChap;     // chptot, as a grid cell shows it
    std::string txtOChptot;     // ochptot
    std::string txtDigChapTot;  // dchptot
};

// Timer1 ticks use kRunning (totalScore), Timer2 ticks kStopped (modeScoreSum).
SummaryTexts summaryRefresh(const Counters& counters, Clock clock);

}  // namespace vl::scoring
