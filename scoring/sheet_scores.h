#pragma once
// The score the summary sheet prints, worked out from the window's running
// totals by the program's score rules. Everything is 64 bits, so a score past
// 32,767 is printed as it is rather than wrapping.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "scoring/counters.h"

namespace vl::scoring {

// The bonus-call file's entries that the sheet lists (and that score).
inline constexpr std::size_t kMaxBonusEntries = 10;

struct SheetScores {
    std::int64_t cdcons = 0;               // ctot
    std::int64_t cdconpts = 0;             // CW score: ctot x ochptot
    std::int64_t phnconpts = 0;            // phone score: ptot x chptot
    std::int64_t digScore = 0;             // digital score: dtot x dchptot
    std::int64_t totscoreBeforeBonus = 0;  // all contacts x all chapters
    std::int64_t bonusPoints = 0;          // 10 per entry, at most 10 entries
    std::int64_t totscore = 0;             // with the bonus
};

// Only ctot, ptot, dtot, ochptot, chptot and dchptot are read.
// `bonusEntries` is the number of entries in the bonus-call file (any count;
// only ten of them score).
SheetScores computeSheetScores(const Counters& totals, std::size_t bonusEntries);

// Told once when the sheet prints a score past the range of the counters.
inline constexpr std::string_view kScoreBeyondRangeNote =
    "A score on the summary sheet is larger than 32767, the largest number the score counters "
    "hold.  It is printed in full; check it against your log.";

// True when any score the sheet prints lies outside -32768 to 32767.
bool beyondSixteenBits(const SheetScores& scores);

}  // namespace vl::scoring
