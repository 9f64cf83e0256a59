#pragma once
// The real clock: sleeps until shortly before a deadline, then spins on the
// monotonic clock to meet it within microseconds.
#include "keyer/clock.h"

namespace vl::keyer {

class SteadyClock : public Clock {
public:
    // How long before a deadline the sleep ends and the spin begins; the
    // scheduler's wake-up delay must fit inside it.
    static constexpr Duration kDefaultSpinMargin = std::chrono::microseconds(1500);

    explicit SteadyClock(Duration spinMargin = kDefaultSpinMargin) : spinMargin_(spinMargin) {}

    TimePoint now() override;
    void sleepUntil(TimePoint deadline) override;

private:
    Duration spinMargin_;
};

}  // namespace vl::keyer
