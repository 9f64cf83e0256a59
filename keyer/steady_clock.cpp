#include "keyer/steady_clock.h"

namespace vl::keyer {

namespace {

inline void relax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

}  // namespace

Clock::TimePoint SteadyClock::now() { return std::chrono::steady_clock::now(); }

void SteadyClock::sleepUntil(TimePoint deadline) {
    TimePoint wake = deadline - spinMargin_;
    if (now() < wake) {
        // An absolute wait on the monotonic clock (a clock-wait on
        // CLOCK_MONOTONIC underneath), so it cannot drift; interrupt() ends it.
        std::unique_lock<std::mutex> lock(mutex_);
        wake_.wait_until(lock, wake, [this] { return interrupted_.load(std::memory_order_relaxed); });
    }
    while (now() < deadline && !interrupted_.load(std::memory_order_relaxed)) relax();
}

void SteadyClock::interrupt() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        interrupted_.store(true, std::memory_order_relaxed);
    }
    wake_.notify_all();
}

void SteadyClock::resume() {
    std::lock_guard<std::mutex> lock(mutex_);
    interrupted_.store(false, std::memory_order_relaxed);
}

}  // namespace vl::keyer
