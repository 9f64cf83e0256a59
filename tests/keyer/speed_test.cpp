#include <gtest/gtest.h>

#include <vector>

#include "keyer/calibration.h"
#include "keyer/fake_clock.h"
#include "keyer/keyer.h"
#include "case_name.h"

namespace vl::keyer {
namespace {

class SpeedTest : public ::testing::Test {
protected:
    SpeedTest() {
        std::int16_t ta = 4500;
        keyer.Set_Timing_Adjust(ta);
        keyer.setSpeedWpm(13);
    }
    std::vector<int> steps(void (Keyer::*step)(), int count) {
        std::vector<int> seen;
        for (int i = 0; i < count; ++i) {
            (keyer.*step)();
            seen.push_back(keyer.swpm);
            std::int32_t wpm = keyer.swpm;
            std::int16_t tick = keyer.TimeTick;
            keyer.set_speed(wpm);
            EXPECT_EQ(keyer.TimeTick, tick) << "TimeTick follows swpm";
        }
        return seen;
    }
    Keyer keyer;
};

TEST_F(SpeedTest, QuarterStepsRoundHalvesToEven) {
    EXPECT_EQ(steps(&Keyer::increaseSpeed25, 8), (std::vector<int>{16, 20, 25, 31, 39, 49, 61, 76}));
    keyer.setSpeedWpm(13);
    EXPECT_EQ(steps(&Keyer::decreaseSpeed25, 7), (std::vector<int>{10, 8, 6, 4, 3, 2, 2}));
    EXPECT_EQ(steps(&Keyer::increaseSpeed25, 1), (std::vector<int>{2}));
}

TEST_F(SpeedTest, StepsStayWithinSixteenBits) {
    keyer.setSpeedWpm(30000);
    EXPECT_EQ(steps(&Keyer::increaseSpeed25, 2), (std::vector<int>{32767, 32767}));
    keyer.setSpeedWpm(0);
    EXPECT_EQ(keyer.swpm, 1);
    EXPECT_EQ(steps(&Keyer::decreaseSpeed25, 1), (std::vector<int>{1}));
}

struct TickRow {
    std::int16_t timingAdjust;
    std::int32_t wpm;
    std::int16_t timeTick;
};

class SetSpeedTest : public ::testing::TestWithParam<TickRow> {};

TEST_P(SetSpeedTest, TimeTickIsTheRoundedQuotient) {
    Keyer keyer;
    std::int16_t ta = GetParam().timingAdjust;
    keyer.Set_Timing_Adjust(ta);
    std::int32_t wpm = GetParam().wpm;
    keyer.set_speed(wpm);
    EXPECT_EQ(keyer.TimeTick, GetParam().timeTick);
}

INSTANTIATE_TEST_SUITE_P(Quotients, SetSpeedTest,
                         ::testing::Values(TickRow{4500, 10, 450}, TickRow{4500, 13, 346}, TickRow{4500, 8, 562},
                                           TickRow{4500, 40, 112}, TickRow{4050, 4, 1012}, TickRow{935, 2, 468},
                                           TickRow{3575, 2, 1788}, TickRow{4500, 3, 1500}),
    [](const auto& info) { return test_names::caseName(info.index, {std::to_string(info.param.wpm)}); });

TEST(SetSpeed, ZeroLeavesTimeTick) {
    Keyer keyer;
    keyer.setSpeedWpm(13);  // Timing_Adjust still 0
    std::int32_t zero = 0;
    keyer.TimeTick = 77;
    keyer.set_speed(zero);
    EXPECT_EQ(keyer.TimeTick, 77);
}

struct CalibrationRow {
    float x;
    std::int16_t speed;
};

class CalibrationTableTest : public ::testing::TestWithParam<CalibrationRow> {};

TEST_P(CalibrationTableTest, FirstMatchingRowWins) {
    EXPECT_EQ(speedForCalibration(GetParam().x), GetParam().speed) << GetParam().x;
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, CalibrationTableTest,
    ::testing::Values(CalibrationRow{-3, 4500}, CalibrationRow{14, 4500}, CalibrationRow{14.5f, 4050},
                      CalibrationRow{17, 4050}, CalibrationRow{17.5f, 3575}, CalibrationRow{19.9f, 3575},
                      CalibrationRow{20, 3125}, CalibrationRow{23.9f, 3125}, CalibrationRow{24, 2650},
                      CalibrationRow{28, 2200}, CalibrationRow{31, 1950}, CalibrationRow{35, 1700},
                      CalibrationRow{38, 1450}, CalibrationRow{42, 1200}, CalibrationRow{45.9f, 1200},
                      CalibrationRow{46, 935}, CalibrationRow{300, 935}),
    [](const auto& info) { return test_names::caseName(info.index, {std::to_string(info.param.speed)}); });

TEST(Calibrate, SetsTheStartValues) {
    FakeClock clock;  // the loop takes no time on it: X = 0
    Keyer keyer;
    keyer.setClock(&clock);
    keyer.swpm = 40;
    keyer.stopsend = 1;
    keyer.calibrate();
    EXPECT_EQ(keyer.speed, 4500);
    EXPECT_EQ(keyer.Timing_Adjust, 4500);
    EXPECT_EQ(keyer.swpm, 13);
    EXPECT_EQ(keyer.TimeTick, 346);
    EXPECT_EQ(keyer.stopsend, 0);
}

}  // namespace
}  // namespace vl::keyer
