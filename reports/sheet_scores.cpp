#include "reports/sheet_scores.h"

#include <algorithm>

namespace vl::reports {

SheetScores computeSheetScores(const SheetTotals& t, std::size_t bonusEntries) {
    SheetScores s;
    s.cdcons = t.ctot;
    s.cdconpts = t.ctot * t.ochptot;
    s.phnconpts = t.ptot * t.chptot;
    s.digScore = t.dtot * t.dchptot;
    s.totscoreBeforeBonus = (t.dtot + t.ctot + t.ptot) * (t.ochptot + t.dchptot + t.chptot);
    s.bonusPoints =
        kPointsPerBonus * static_cast<long long>(std::min(bonusEntries, kMaxBonusEntries));
    s.totscore = s.totscoreBeforeBonus + s.bonusPoints;
    return s;
}

}  // namespace vl::reports
