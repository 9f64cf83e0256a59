#include "scoring/score.h"

#include <algorithm>

#include "scoring/grid_cells.h"

namespace vl::scoring {

std::int64_t phoneScore(const Counters& c) { return std::int64_t{c.ptot} * c.chptot; }

std::int64_t cwScore(const Counters& c) { return std::int64_t{c.ctot} * c.ochptot; }

std::int64_t digitalScore(const Counters& c) { return std::int64_t{c.dtot} * c.dchptot; }

std::int64_t totalScore(const Counters& c) {
    return (std::int64_t{c.ctot} + c.ptot + c.dtot) *
           (std::int64_t{c.chptot} + c.ochptot + c.dchptot);
}

std::int64_t modeScoreSum(const Counters& c) { return cwScore(c) + phoneScore(c) + digitalScore(c); }

std::int64_t bonusPoints(std::int64_t bonusCalls) {
    return std::clamp<std::int64_t>(bonusCalls, 0, 10) * 10;
}

std::string scoreText(std::int64_t score) { return std::to_string(score); }

SummaryTexts summaryRefresh(const Counters& c, Clock clock) {
    return SummaryTexts{
        scoreText(clock == Clock::kRunning ? totalScore(c) : modeScoreSum(c)),
        cellText(c.chptot),
        cellText(c.ochptot),
        cellText(c.dchptot),
    };
}

}  // namespace vl::scoring
