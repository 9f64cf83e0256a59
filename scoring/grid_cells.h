#pragma once
// The 36 cells of the counters grid, txt<band><column>: txt20PHN shows p20,
// txtUVTOT tuv, txtTOTTOT ttot.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "scoring/counters.h"

namespace vl::scoring {

struct GridCell {
    std::string name;  // the cell's object name, "txt20PHN"
    std::string text;  // " 12"
};

// "txt" + band key (160, 80, 40, 20, 15, 10, 6, UV, TOT) + column key (CW,
// PHN, DIG, TOT).
std::string cellName(Band band, Column column);

// A counter as the grid shows it: one blank (the sign place), then the digits.
std::string cellText(std::int16_t value);

// Every cell with its text, row by row in the order the grid is filled.
std::vector<GridCell> gridCells(const Counters& counters);

}  // namespace vl::scoring
