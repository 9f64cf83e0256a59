#pragma once
// The real clock: sleeps until shortly before a deadline, then spins on the
// monotonic clock to meet it within microseconds.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "keyer/clock.h"

namespace vl::keyer {

class SteadyClock : public Clock {
public:
    // How long before a deadline the sleep ends and the spin begins; the
    // scheduler's wake-up delay must fit inside it. On a virtual machine the
    // host now and then wakes a sleeper two milliseconds late, so 3 ms: at
    // 40 wpm that spins about 5 % of one core while a message goes out.
    static constexpr Duration kDefaultSpinMargin = std::chrono::microseconds(3000);

    explicit SteadyClock(Duration spinMargin = kDefaultSpinMargin) : spinMargin_(spinMargin) {}

    TimePoint now() override;
    void sleepUntil(TimePoint deadline) override;
    void interrupt() override;
    void resume() override;

    // Why deadlines were missed, since the last takeLateness(): sleeps that
    // woke after their deadline (the scheduler's delay was longer than the
    // spin margin), and spins that ended late because the thread was kept
    // from running as the deadline passed (the machine took the processor
    // away). Safe to call from another thread.
    struct Lateness {
        long wokePastDeadline = 0;
        Duration worstWake{0};      // how far past its deadline such a sleep woke
        Duration worstSpinEnd{0};   // how far past its deadline a spin ended
    };
    Lateness takeLateness();

private:
    static void raise(std::atomic<std::int64_t>& worst, Duration seen);

    Duration spinMargin_;
    std::atomic<long> wokePastDeadline_{0};
    std::atomic<std::int64_t> worstWakeNanos_{0};
    std::atomic<std::int64_t> worstSpinEndNanos_{0};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::atomic<bool> interrupted_{false};
};

}  // namespace vl::keyer
