#include "keyer/steady_clock.h"

#include <thread>

#if defined(__linux__)
#include <cerrno>
#include <ctime>
#endif

namespace vl::keyer {

namespace {

void sleepCoarse(Clock::TimePoint wake) {
#if defined(__linux__)
    // steady_clock is CLOCK_MONOTONIC here; an absolute sleep cannot drift.
    auto since = wake.time_since_epoch();
    auto secs = std::chrono::duration_cast<std::chrono::seconds>(since);
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(secs.count());
    ts.tv_nsec = static_cast<long>(std::chrono::duration_cast<std::chrono::nanoseconds>(since - secs).count());
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
#else
    std::this_thread::sleep_until(wake);
#endif
}

inline void relax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

}  // namespace

Clock::TimePoint SteadyClock::now() { return std::chrono::steady_clock::now(); }

void SteadyClock::sleepUntil(TimePoint deadline) {
    TimePoint wake = deadline - spinMargin_;
    if (now() < wake) sleepCoarse(wake);
    while (now() < deadline) relax();
}

}  // namespace vl::keyer
