#include "scoring/counters.h"

#include <array>

namespace vl::scoring {
namespace {

using Member = std::int16_t Counters::*;

// [band][column], rows in Band order, columns CW, PHN, DIG, TOT.
constexpr std::array<std::array<Member, 4>, 9> kCells{{
    {&Counters::c160, &Counters::p160, &Counters::d160, &Counters::t160},
    {&Counters::c80, &Counters::p80, &Counters::d80, &Counters::t80},
    {&Counters::c40, &Counters::p40, &Counters::d40, &Counters::t40},
    {&Counters::c20, &Counters::p20, &Counters::d20, &Counters::t20},
    {&Counters::c15, &Counters::p15, &Counters::d15, &Counters::t15},
    {&Counters::c10, &Counters::p10, &Counters::d10, &Counters::t10},
    {&Counters::c6, &Counters::p6, &Counters::d6, &Counters::t6},
    {&Counters::cuv, &Counters::puv, &Counters::duv, &Counters::tuv},
    {&Counters::ctot, &Counters::ptot, &Counters::dtot, &Counters::ttot},
}};

Member cell(Band band, Column column) {
    return kCells[static_cast<size_t>(band)][static_cast<size_t>(column)];
}

bool assignChecked(std::int16_t& counter, std::int64_t value) {
    if (value > kCounterMax || value < -kCounterMax - 1) return false;
    counter = static_cast<std::int16_t>(value);
    return true;
}

}  // namespace

std::int16_t& Counters::at(Band band, Column column) { return this->*cell(band, column); }

std::int16_t Counters::at(Band band, Column column) const { return this->*cell(band, column); }

void ZeroCounters(Counters& counters) { counters = Counters{}; }

bool increment(std::int16_t& counter) {
    return assignChecked(counter, std::int64_t{counter} + 1);
}

bool updateGrandTotal(Counters& counters) {
    return assignChecked(counters.ttot, std::int64_t{counters.ctot} + counters.dtot + counters.ptot);
}

bool setChapterCounts(Counters& counters, std::int64_t phone, std::int64_t cw,
                      std::int64_t digital) {
    bool ok = assignChecked(counters.chptot, phone);
    ok = assignChecked(counters.ochptot, cw) && ok;
    ok = assignChecked(counters.dchptot, digital) && ok;
    return ok;
}

logbook::FileError overflowError() { return {6, "Overflow"}; }

}  // namespace vl::scoring
