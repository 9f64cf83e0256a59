#include "keyer/real_time.h"

#include <atomic>

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#include <sys/mman.h>
#endif

namespace vl::keyer {

namespace {
std::atomic<bool> allowed{true};
}

void allowRealTime(bool allowedNow) { allowed.store(allowedNow); }

bool enterRealTime() {
    if (!allowed.load()) return false;
#if defined(__linux__)
    sched_param param{};
    param.sched_priority = kKeyingPriority;
    if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) != 0) return false;
    // What is mapped now (the program, the sender, this thread's stack) stays
    // in memory once touched, without faulting in every mapping at once.
    // Later mappings are left alone: a `memlock` limit must never make an
    // allocation fail. A refusal leaves the real-time class in place.
#if defined(MCL_ONFAULT)
    mlockall(MCL_CURRENT | MCL_ONFAULT);
#endif
    // The stack the sender will use, touched now.
    volatile char stack[64 * 1024];
    for (unsigned i = 0; i < sizeof stack; i += 4096) stack[i] = 0;
    return true;
#else
    return false;
#endif
}

}  // namespace vl::keyer
