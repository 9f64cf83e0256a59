#include "scoring/grid_cells.h"

#include <utility>

namespace vl::scoring {
namespace {

std::string_view bandKey(Band band) {
    switch (band) {
        case Band::k160: return "160";
        case Band::k80: return "80";
        case Band::k40: return "40";
        case Band::k20: return "20";
        case Band::k15: return "15";
        case Band::k10: return "10";
        case Band::k6: return "6";
        case Band::kUv: return "UV";
        case Band::kTot: return "TOT";
    }
    return {};
}

std::string_view columnKey(Column column) {
    switch (column) {
        case Column::kCw: return "CW";
        case Column::kPhn: return "PHN";
        case Column::kDig: return "DIG";
        case Column::kTot: return "TOT";
    }
    return {};
}

}  // namespace

std::string cellName(Band band, Column column) {
    std::string name = "txt";
    name += bandKey(band);
    name += columnKey(column);
    return name;
}

std::string cellText(std::int16_t value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::vector<GridCell> gridCells(const Counters& counters) {
    using enum Column;
    // Some rows are filled phone first; the order matters to nobody but is
    // kept stable.
    static const std::array<std::pair<Band, std::array<Column, 4>>, 9> kOrder{{
        {Band::k20, {kCw, kPhn, kDig, kTot}},
        {Band::k15, {kCw, kPhn, kDig, kTot}},
        {Band::k10, {kPhn, kCw, kDig, kTot}},
        {Band::k40, {kCw, kPhn, kDig, kTot}},
        {Band::k80, {kCw, kPhn, kDig, kTot}},
        {Band::k160, {kCw, kPhn, kDig, kTot}},
        {Band::k6, {kPhn, kCw, kDig, kTot}},
        {Band::kUv, {kPhn, kCw, kDig, kTot}},
        {Band::kTot, {kPhn, kCw, kDig, kTot}},
    }};
    std::vector<GridCell> cells;
    cells.reserve(36);
    for (const auto& [band, columns] : kOrder) {
        for (Column column : columns) {
            cells.push_back({cellName(band, column), cellText(counters.at(band, column))});
        }
    }
    return cells;
}

}  // namespace vl::scoring
