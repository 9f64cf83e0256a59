#pragma once
// Following the radio: from each reading, the band and mode the log should
// take. A band or mode is handed on only when the radio's own band or mode
// changes, so a band chosen by hand stays until the radio moves to another
// band, and tuning within a band changes nothing.
#include <optional>
#include <string_view>

#include "rig/rig_link.h"

namespace vl::rig {

// The window's status text for the link to the radio.
inline constexpr std::string_view kRadioOff = "off";
inline constexpr std::string_view kRadioConnected = "connected";
inline constexpr std::string_view kRadioNotConnected = "not connected";
inline constexpr std::string_view kRadioNotAnswering = "radio not answering";

struct FollowChange {
    std::optional<std::string_view> band;  // the band list's text, when it is to change
    std::optional<std::string_view> mode;  // "PHN", "CW" or "DIG", when it is to change
};

class RadioFollower {
public:
    FollowChange next(const RigReading& reading);
    // Forgets the radio's last band and mode: the next reading is handed on
    // in full (after connecting, or when following is switched on).
    void reset();

private:
    bool first_ = true;
    std::optional<std::string_view> band_;
    std::optional<std::string_view> mode_;
};

}  // namespace vl::rig
