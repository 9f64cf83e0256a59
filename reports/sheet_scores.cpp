#include "reports/sheet_scores.h"

#include <algorithm>

#include "scoring/score.h"

namespace vl::reports {

SheetScores computeSheetScores(const scoring::Counters& t, std::size_t bonusEntries) {
    SheetScores s;
    s.cdcons = t.ctot;
    s.cdconpts = scoring::cwScore(t);
    s.phnconpts = scoring::phoneScore(t);
    s.digScore = scoring::digitalScore(t);
    s.totscoreBeforeBonus = scoring::totalScore(t);
    s.bonusPoints =
        scoring::bonusPoints(static_cast<std::int64_t>(std::min(bonusEntries, kMaxBonusEntries)));
    s.totscore = s.totscoreBeforeBonus + s.bonusPoints;
    return s;
}

}  // namespace vl::reports
