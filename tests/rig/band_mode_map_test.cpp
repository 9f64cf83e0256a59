#include "rig/band_mode_map.h"

#include <gtest/gtest.h>

#include "rig/radio_follower.h"
#include "case_name.h"

namespace vl::rig {
namespace {

// ---- Frequencies ------------------------------------------------------------

struct FrequencyCase {
    std::int64_t hz;
    const char* band;  // "" outside every band
};

class BandForFrequency : public ::testing::TestWithParam<FrequencyCase> {};

TEST_P(BandForFrequency, EdgesBelongToTheirBand) {
    const std::optional<std::string_view> band = bandForFrequency(GetParam().hz);
    EXPECT_EQ(band.value_or(""), GetParam().band) << GetParam().hz;
}

INSTANTIATE_TEST_SUITE_P(
    RegionTwo, BandForFrequency,
    ::testing::Values(
        FrequencyCase{1'799'999, ""}, FrequencyCase{1'800'000, "160"}, FrequencyCase{1'840'000, "160"},
        FrequencyCase{2'000'000, "160"}, FrequencyCase{2'000'001, ""},
        FrequencyCase{3'499'999, ""}, FrequencyCase{3'500'000, "80"}, FrequencyCase{4'000'000, "80"},
        FrequencyCase{5'357'000, ""},  // 60 m is not in the band list
        FrequencyCase{6'999'999, ""}, FrequencyCase{7'000'000, "40"}, FrequencyCase{7'300'000, "40"},
        FrequencyCase{7'300'001, ""}, FrequencyCase{10'120'000, ""},  // 30 m
        FrequencyCase{14'000'000, "20"}, FrequencyCase{14'025'000, "20"},
        FrequencyCase{14'350'000, "20"}, FrequencyCase{14'350'001, ""},
        FrequencyCase{18'100'000, ""},  // 17 m
        FrequencyCase{21'000'000, "15"}, FrequencyCase{21'450'000, "15"},
        FrequencyCase{24'940'000, ""},  // 12 m
        FrequencyCase{27'999'999, ""}, FrequencyCase{28'000'000, "10"}, FrequencyCase{29'700'000, "10"},
        FrequencyCase{29'700'001, ""}, FrequencyCase{50'000'000, "6"}, FrequencyCase{54'000'000, "6"},
        FrequencyCase{54'000'001, ""}, FrequencyCase{143'999'999, ""},
        FrequencyCase{144'000'000, "2"}, FrequencyCase{148'000'000, "2"},
        FrequencyCase{148'000'001, ""}, FrequencyCase{432'100'000, ""}, FrequencyCase{0, ""},
        FrequencyCase{-14'025'000, ""}),
    [](const auto& info) { return test_names::caseName(info.index, {std::to_string(info.param.hz)}); });

TEST(BandEdgesTable, CoversTheBandListInItsOrderWithoutOverlap) {
    const char* const list[] = {"160", "80", "40", "20", "15", "10", "6", "2"};
    ASSERT_EQ(bandEdges().size(), std::size(list));
    for (size_t i = 0; i < bandEdges().size(); ++i) {
        EXPECT_EQ(bandEdges()[i].band, list[i]);
        EXPECT_LT(bandEdges()[i].lowHz, bandEdges()[i].highHz);
        if (i > 0) {
            EXPECT_LT(bandEdges()[i - 1].highHz, bandEdges()[i].lowHz);
        }
    }
}

// ---- Modes --------------------------------------------------------------------

struct ModeCase {
    const char* radio;
    const char* log;  // "" when the log keeps its mode
};

class LogModeFor : public ::testing::TestWithParam<ModeCase> {};

TEST_P(LogModeFor, RadioModeGivesTheLogMode) {
    EXPECT_EQ(logModeFor(GetParam().radio).value_or(""), GetParam().log) << GetParam().radio;
}

INSTANTIATE_TEST_SUITE_P(
    HamlibNames, LogModeFor,
    ::testing::Values(ModeCase{"CW", "CW"}, ModeCase{"CWR", "CW"}, ModeCase{"cw", "CW"},
                      ModeCase{"USB", "PHN"}, ModeCase{"LSB", "PHN"}, ModeCase{"AM", "PHN"},
                      ModeCase{"FM", "PHN"}, ModeCase{"FMN", "PHN"}, ModeCase{"D-STAR", "PHN"},
                      ModeCase{"RTTY", "DIG"}, ModeCase{"RTTYR", "DIG"}, ModeCase{"PKTUSB", "DIG"},
                      ModeCase{"PKTLSB", "DIG"}, ModeCase{"PKTFM", "DIG"}, ModeCase{"pktusb", "DIG"},
                      ModeCase{"PSK", "DIG"}, ModeCase{"", ""}, ModeCase{"IQ", ""},
                      ModeCase{"WSPR", ""}, ModeCase{"CW ", ""}, ModeCase{"USBX", ""}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.radio}); });

TEST(ModeNamesTable, EveryNameOnceAndOnlyTheLogsModes) {
    for (size_t i = 0; i < modeNames().size(); ++i) {
        const std::string_view log = modeNames()[i].log;
        EXPECT_TRUE(log == "PHN" || log == "CW" || log == "DIG") << modeNames()[i].radio;
        for (size_t j = 0; j < i; ++j) EXPECT_NE(modeNames()[i].radio, modeNames()[j].radio);
    }
}

// ---- Following --------------------------------------------------------------

TEST(RadioFollower, HandsOnOnlyWhatTheRadioChanged) {
    struct Step {
        std::int64_t hz;
        const char* mode;
        const char* band;     // handed on, "" for nothing
        const char* logMode;  // handed on, "" for nothing
    };
    const Step steps[] = {
        {14'025'000, "CW", "20", "CW"},     // the first reading sets both
        {14'030'000, "CW", "", ""},         // tuning within the band
        {14'030'000, "CWR", "", ""},        // another CW
        {7'030'000, "CWR", "40", ""},       // a new band
        {10'120'000, "CWR", "", ""},        // outside the bands: the band stays
        {7'030'000, "CWR", "", ""},         // back to the band it left: no change
        {14'360'000, "CWR", "", ""},        // an excursion past a band edge ...
        {0, "CWR", "", ""},                 // ... or no usable frequency at all
        {14'200'000, "CWR", "20", ""},      // another band than the last one
        {7'074'000, "PKTUSB", "40", "DIG"}, // a new mode
        {7'074'000, "IQ", "", ""},          // a mode the log does not know
        {7'074'000, "PKTUSB", "", ""},      // the mode it had before: no change
        {7'074'000, "RTTY", "", ""},        // another radio mode, the same log mode
        {7'200'000, "LSB", "", "PHN"},
    };
    RadioFollower follower;
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.hz) + " " + s.mode);
        const FollowChange change = follower.next({s.hz, s.mode});
        EXPECT_EQ(change.band.value_or(""), s.band);
        EXPECT_EQ(change.mode.value_or(""), s.logMode);
    }
    // After a reconnection the radio's state is set in full, even unchanged.
    follower.reset();
    const FollowChange again = follower.next({7'200'000, "LSB"});
    EXPECT_EQ(again.band.value_or(""), "40");
    EXPECT_EQ(again.mode.value_or(""), "PHN");
}

}  // namespace
}  // namespace vl::rig
