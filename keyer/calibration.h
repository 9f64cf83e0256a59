#pragma once
// The start-up calibration: a counted busy loop is timed, and its length in
// hundredths of a second picks the timing factor from a table.
#include <cstdint>

#include "keyer/clock.h"

namespace vl::keyer {

inline constexpr std::int32_t kCalibrationSteps = 5'500'000;

// Runs the empty counted loop from 1 to `steps`; the build cannot remove it.
void runWaitSteps(std::int32_t steps);

// X, the time the calibration loop takes on `clock`, in hundredths of a second.
float timeCalibrationLoop(Clock& clock);

// The calibration table: X in hundredths of a second to `speed`. The first
// matching row wins, so a negative X gives 4500.
std::int16_t speedForCalibration(float x);

}  // namespace vl::keyer
