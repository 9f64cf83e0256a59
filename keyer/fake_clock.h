#pragma once
// A clock for tests: time stands still until someone sleeps or advances it,
// so a whole message is "sent" at once with exact element lengths.
#include "keyer/clock.h"

namespace vl::keyer {

class FakeClock : public Clock {
public:
    FakeClock() : now_(TimePoint{} + std::chrono::hours(1)) {}

    TimePoint now() override { return now_; }
    void sleepUntil(TimePoint deadline) override {
        if (deadline > now_) now_ = deadline;
    }
    // Lets time pass, as slow work between characters would.
    void advance(Duration by) { now_ += by; }

private:
    TimePoint now_;
};

}  // namespace vl::keyer
