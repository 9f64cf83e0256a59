#pragma once
// The window's running totals as the sheet reads them, in the order the sheet
// prints them: contacts per mode, then chapters per mode.
#include <cstdint>

#include "scoring/counters.h"

namespace vl::reports::fixture {

inline scoring::Counters totalsOf(int ctot, int ptot, int dtot, int ochptot, int chptot,
                                  int dchptot) {
    scoring::Counters c;
    c.ctot = static_cast<std::int16_t>(ctot);
    c.ptot = static_cast<std::int16_t>(ptot);
    c.dtot = static_cast<std::int16_t>(dtot);
    c.ttot = static_cast<std::int16_t>(ctot + ptot + dtot);
    c.ochptot = static_cast<std::int16_t>(ochptot);
    c.chptot = static_cast<std::int16_t>(chptot);
    c.dchptot = static_cast<std::int16_t>(dchptot);
    return c;
}

}  // namespace vl::reports::fixture
