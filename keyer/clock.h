#pragma once
// The monotonic clock the sender times its elements by.
#include <chrono>

namespace vl::keyer {

class Clock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Duration = std::chrono::nanoseconds;

    virtual ~Clock() = default;
    virtual TimePoint now() = 0;
    // Returns at the deadline or as soon after it as possible; at once when
    // the deadline has passed.
    virtual void sleepUntil(TimePoint deadline) = 0;

    // Called from another thread: a sleepUntil running now returns at once,
    // and so does every later one until resume(). Clocks whose sleeps cannot
    // block for long ignore it.
    virtual void interrupt() {}
    virtual void resume() {}
};

}  // namespace vl::keyer
