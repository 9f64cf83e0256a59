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
    const TimePoint wake = deadline - spinMargin_;
    TimePoint t = now();
    if (t < wake) {
        // An absolute wait on the monotonic clock (a clock-wait on
        // CLOCK_MONOTONIC underneath), so it cannot drift; interrupt() ends it.
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait_until(lock, wake, [this] { return interrupted_.load(std::memory_order_relaxed); });
        }
        t = now();
        if (t > deadline) {
            wokePastDeadline_.fetch_add(1, std::memory_order_relaxed);
            raise(worstWakeNanos_, t - deadline);
        }
    }
    if (t >= deadline) return;
    while (t < deadline) {
        if (interrupted_.load(std::memory_order_relaxed)) return;
        relax();
        t = now();
    }
    raise(worstSpinEndNanos_, t - deadline);
}

void SteadyClock::raise(std::atomic<std::int64_t>& worst, Duration seen) {
    // Only the sleeping thread raises it, so a plain load and store will do.
    if (seen.count() > worst.load(std::memory_order_relaxed)) worst.store(seen.count(), std::memory_order_relaxed);
}

SteadyClock::Lateness SteadyClock::takeLateness() {
    Lateness taken;
    taken.wokePastDeadline = wokePastDeadline_.exchange(0, std::memory_order_relaxed);
    taken.worstWake = Duration(worstWakeNanos_.exchange(0, std::memory_order_relaxed));
    taken.worstSpinEnd = Duration(worstSpinEndNanos_.exchange(0, std::memory_order_relaxed));
    return taken;
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
