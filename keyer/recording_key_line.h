#pragma once
// A key line that records every setting with the time it was made, for tests
// and for measuring the element timing.
#include <cstddef>
#include <vector>

#include "keyer/clock.h"
#include "keyer/key_line.h"

namespace vl::keyer {

class RecordingKeyLine : public KeyLine {
public:
    struct Setting {
        Clock::TimePoint at;
        bool keyed = false;
    };

    explicit RecordingKeyLine(Clock& clock, std::size_t expectedSettings = 0);

    std::optional<KeyError> setKeyed(bool keyed) override;

    const std::vector<Setting>& settings() const { return settings_; }
    bool keyed() const { return keyed_; }
    void clear() { settings_.clear(); }

private:
    Clock& clock_;
    std::vector<Setting> settings_;
    bool keyed_ = false;
};

}  // namespace vl::keyer
