#pragma once
// The score the summary sheet prints, worked out from the running totals.
// Everything is computed in 64 bits, so a score past 32,767 is printed as it
// is rather than wrapping.
#include <cstddef>

namespace vl::reports {

// The running totals of the window: contacts and chapters worked per mode.
struct SheetTotals {
    long long ctot = 0, ptot = 0, dtot = 0;           // CW, phone, digital contacts
    long long ochptot = 0, chptot = 0, dchptot = 0;  // CW, phone, digital chapters
};

inline constexpr std::size_t kMaxBonusEntries = 10;
inline constexpr long long kPointsPerBonus = 10;

struct SheetScores {
    long long cdcons = 0;               // ctot
    long long cdconpts = 0;             // CW score: ctot x ochptot
    long long phnconpts = 0;            // phone score: ptot x chptot
    long long digScore = 0;             // digital score: dtot x dchptot
    long long totscoreBeforeBonus = 0;  // all contacts x all chapters
    long long bonusPoints = 0;          // 10 per entry, at most 10 entries
    long long totscore = 0;             // with the bonus
};

// `bonusEntries` is the number of entries in the bonus-call file (any count;
// only ten of them score).
SheetScores computeSheetScores(const SheetTotals& totals, std::size_t bonusEntries);

}  // namespace vl::reports
