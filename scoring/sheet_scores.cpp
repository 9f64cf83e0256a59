#include "scoring/sheet_scores.h"

#include <algorithm>

#include "scoring/score.h"

namespace vl::scoring {

SheetScores computeSheetScores(const Counters& t, std::size_t bonusEntries) {
    SheetScores s;
    s.cdcons = t.ctot;
    s.cdconpts = cwScore(t);
    s.phnconpts = phoneScore(t);
    s.digScore = digitalScore(t);
    s.totscoreBeforeBonus = totalScore(t);
    s.bonusPoints =
        bonusPoints(static_cast<std::int64_t>(std::min(bonusEntries, kMaxBonusEntries)));
    s.totscore = s.totscoreBeforeBonus + s.bonusPoints;
    return s;
}

bool beyondSixteenBits(const SheetScores& s) {
    for (std::int64_t score :
         {s.cdconpts, s.phnconpts, s.digScore, s.totscoreBeforeBonus, s.totscore}) {
        if (score < INT16_MIN || score > INT16_MAX) return true;
    }
    return false;
}

}  // namespace vl::scoring
