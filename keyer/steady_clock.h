#pragma once
// The real clock: sleeps until shortly before a deadline, then spins on the
// monotonic clock to meet it within microseconds.
#include <atomic>
#include <condition_variable>
#include <mutex>

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
    void interrupt() override;
    void resume() override;

private:
    Duration spinMargin_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::atomic<bool> interrupted_{false};
};

}  // namespace vl::keyer
