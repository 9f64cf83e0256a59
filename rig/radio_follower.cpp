#include "rig/radio_follower.h"

#include "rig/band_mode_map.h"

namespace vl::rig {

FollowChange RadioFollower::next(const RigReading& reading) {
    const std::optional<std::string_view> band = bandForFrequency(reading.frequencyHz);
    const std::optional<std::string_view> mode = logModeFor(reading.mode);
    FollowChange change;
    // Outside the bands, or in a mode the log does not know, the log keeps
    // what it has.
    if (band && (first_ || band != band_)) change.band = band;
    if (mode && (first_ || mode != mode_)) change.mode = mode;
    band_ = band;
    mode_ = mode;
    first_ = false;
    return change;
}

void RadioFollower::reset() {
    first_ = true;
    band_.reset();
    mode_.reset();
}

}  // namespace vl::rig
