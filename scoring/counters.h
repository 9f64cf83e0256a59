#pragma once
// The window's running totals: contacts per band and mode, the four totals and
// the chapters worked per mode. All are 16-bit signed values; an increment
// that would pass 32767 is refused and reported, the counter keeps its value.
#include <cstdint>
#include <string_view>

#include "logbook/data_folder.h"

namespace vl::scoring {

// Rows of the counters grid: the band keys, then the totals row.
enum class Band { k160, k80, k40, k20, k15, k10, k6, kUv, kTot };
// Columns of the counters grid: CW, phone, digital, and the band total.
enum class Column { kCw, kPhn, kDig, kTot };

inline constexpr std::int16_t kCounterMax = 32767;

struct Counters {
    std::int16_t c160 = 0, p160 = 0, d160 = 0, t160 = 0;
    std::int16_t c80 = 0, p80 = 0, d80 = 0, t80 = 0;
    std::int16_t c40 = 0, p40 = 0, d40 = 0, t40 = 0;
    std::int16_t c20 = 0, p20 = 0, d20 = 0, t20 = 0;
    std::int16_t c15 = 0, p15 = 0, d15 = 0, t15 = 0;
    std::int16_t c10 = 0, p10 = 0, d10 = 0, t10 = 0;
    std::int16_t c6 = 0, p6 = 0, d6 = 0, t6 = 0;
    std::int16_t cuv = 0, puv = 0, duv = 0, tuv = 0;
    std::int16_t ctot = 0, ptot = 0, dtot = 0;
    std::int16_t ttot = 0;  // always ctot + ptot + dtot, never counted per record
    std::int16_t chptot = 0;   // chapters worked on phone
    std::int16_t ochptot = 0;  // chapters worked on CW
    std::int16_t dchptot = 0;  // chapters worked on digital modes

    // The counter shown in a grid cell: (k20, kPhn) is p20, (kTot, kCw) is
    // ctot, (kTot, kTot) is ttot.
    std::int16_t& at(Band band, Column column);
    std::int16_t at(Band band, Column column) const;

    bool operator==(const Counters&) const = default;
};

// All 39 counters to 0.
void ZeroCounters(Counters& counters);

// Adds one to `counter`; false, and the counter unchanged, when it would pass
// 32767.
bool increment(std::int16_t& counter);

// ttot = ctot + ptot + dtot; false, and ttot unchanged, when the sum passes
// 32767.
bool updateGrandTotal(Counters& counters);

// chptot, ochptot and dchptot from the item counts of the three chapter lists.
// A count past 32767 leaves its counter unchanged; false then.
bool setChapterCounts(Counters& counters, std::int64_t phone, std::int64_t cw,
                      std::int64_t digital);

// What the common error report shows for a counter that would pass 32767.
logbook::FileError overflowError();

}  // namespace vl::scoring
