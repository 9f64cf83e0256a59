#include "rig/radio_follower.h"

#include "rig/band_mode_map.h"

namespace vl::rig {

FollowChange RadioFollower::next(const RigReading& reading) {
    const std::optional<std::string_view> band = bandForFrequency(reading.frequencyHz);
    const std::optional<std::string_view> mode = logModeFor(reading.mode);
    FollowChange change;
    // Outside the bands, or in a mode the log does not know, the log keeps
    // what it has, and so does the follower: coming back from a brief
    // excursion to the band it left is no change, and a band chosen by hand
    // meanwhile stays.
    if (band && (first_ || band != band_)) change.band = band;
    if (mode && (first_ || mode != mode_)) change.mode = mode;
    if (band) band_ = band;
    if (mode) mode_ = mode;
    first_ = false;
    return change;
}

void RadioFollower::reset() {
    first_ = true;
    band_.reset();
    mode_.reset();
}

}  // namespace vl::rig
