#include "keyer/recording_key_line.h"

namespace vl::keyer {

RecordingKeyLine::RecordingKeyLine(Clock& clock, std::size_t expectedSettings) : clock_(clock) {
    settings_.reserve(expectedSettings);
}

std::optional<KeyError> RecordingKeyLine::setKeyed(bool keyed) {
    settings_.push_back({clock_.now(), keyed});
    keyed_ = keyed;
    return std::nullopt;
}

}  // namespace vl::keyer
