#include "scoring/classification.h"

#include <array>

#include "logbook/contact_record.h"

namespace vl::scoring {
namespace {

struct Row {
    std::string_view band;
    std::string_view mode;
    Classification target;
};

constexpr std::array<Row, 24> kTable{{
    {"20 ", "CW ", {Band::k20, Column::kCw}},   {"20 ", "PHN", {Band::k20, Column::kPhn}},
    {"15 ", "PHN", {Band::k15, Column::kPhn}},  {"15 ", "CW ", {Band::k15, Column::kCw}},
    {"10 ", "PHN", {Band::k10, Column::kPhn}},  {"10 ", "CW ", {Band::k10, Column::kCw}},
    {"80 ", "CW ", {Band::k80, Column::kCw}},   {"80 ", "PHN", {Band::k80, Column::kPhn}},
    {"40 ", "CW ", {Band::k40, Column::kCw}},   {"40 ", "PHN", {Band::k40, Column::kPhn}},
    {"160", "CW ", {Band::k160, Column::kCw}},  {"160", "PHN", {Band::k160, Column::kPhn}},
    {"6  ", "PHN", {Band::k6, Column::kPhn}},   {"6  ", "CW ", {Band::k6, Column::kCw}},
    {"UV ", "PHN", {Band::kUv, Column::kPhn}},  {"UV ", "CW ", {Band::kUv, Column::kCw}},
    {"20 ", "DIG", {Band::k20, Column::kDig}},  {"40 ", "DIG", {Band::k40, Column::kDig}},
    {"80 ", "DIG", {Band::k80, Column::kDig}},  {"15 ", "DIG", {Band::k15, Column::kDig}},
    {"10 ", "DIG", {Band::k10, Column::kDig}},  {"6  ", "DIG", {Band::k6, Column::kDig}},
    {"UV ", "DIG", {Band::kUv, Column::kDig}},  {"160", "DIG", {Band::k160, Column::kDig}},
}};

}  // namespace

std::optional<Classification> classify(std::string_view band3, std::string_view mode3) {
    for (const Row& row : kTable) {
        if (row.band == band3 && row.mode == mode3) return row.target;
    }
    return std::nullopt;
}

bool addContact(Counters& counters, std::string_view band3, std::string_view mode3,
                bool* overflow) {
    std::optional<Classification> row = classify(band3, mode3);
    if (!row) return false;
    // Each counter on its own: one that is full does not stop the others.
    bool ok = increment(counters.at(row->band, row->column));
    ok = increment(counters.at(row->band, Column::kTot)) && ok;
    ok = increment(counters.at(Band::kTot, row->column)) && ok;
    if (!ok && overflow) *overflow = true;
    return true;
}

std::optional<logbook::FileError> countLoggedContact(Counters& counters,
                                                     std::string_view bandText,
                                                     std::string_view modeText) {
    bool overflow = false;
    addContact(counters, logbook::padCut(bandText, logbook::kBandWidth),
               logbook::padCut(modeText, logbook::kModeWidth), &overflow);
    if (!updateGrandTotal(counters)) overflow = true;
    if (overflow) return overflowError();
    return std::nullopt;
}

}  // namespace vl::scoring
