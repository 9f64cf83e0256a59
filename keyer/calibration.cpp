#include "keyer/calibration.h"

namespace vl::keyer {

void runWaitSteps(std::int32_t steps) {
    // A volatile counter: every step is a real load and store.
    volatile std::int32_t i = 1;
    while (i <= steps) {
        i = i + 1;
    }
}

float timeCalibrationLoop(Clock& clock) {
    Clock::TimePoint t0 = clock.now();
    runWaitSteps(kCalibrationSteps);
    Clock::TimePoint t1 = clock.now();
    float seconds = std::chrono::duration<float>(t1 - t0).count();
    return 100.0f * seconds;
}

std::int16_t speedForCalibration(float x) {
    if (x <= 14) return 4500;
    if (x <= 17) return 4050;
    if (x < 20) return 3575;
    if (x < 24) return 3125;
    if (x < 28) return 2650;
    if (x < 31) return 2200;
    if (x < 35) return 1950;
    if (x < 38) return 1700;
    if (x < 42) return 1450;
    if (x < 46) return 1200;
    return 935;
}

}  // namespace vl::keyer
