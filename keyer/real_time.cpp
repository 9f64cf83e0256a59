#include "keyer/real_time.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace vl::keyer {

namespace {
std::atomic<bool> allowed{true};
std::atomic<RealTimeBroker*> brokerInUse{nullptr};
std::atomic<unsigned> rtTimeOverruns{0};
}  // namespace

unsigned realTimeOverruns() { return rtTimeOverruns.load(std::memory_order_relaxed); }

void allowRealTime(bool allowedNow) { allowed.store(allowedNow); }

void setRealTimeBroker(RealTimeBroker* broker) { brokerInUse.store(broker); }

std::string priorityText(Priority priority) {
    switch (priority) {
    case Priority::RealTime: return "real-time";
    case Priority::RealtimeKit: return "real-time (RealtimeKit)";
    case Priority::Normal: break;
    }
    return "normal priority: timing may slip under load \u2014 see README";
}

#if defined(__linux__)
namespace {

// How much of the stack the sender uses, with room to spare.
constexpr std::size_t kStackBytes = 64 * 1024;

std::size_t pageSize() { return static_cast<std::size_t>(sysconf(_SC_PAGESIZE)); }

// What the process has mapped, which is what mlockall(MCL_CURRENT) counts
// against the `memlock` limit.
std::size_t mappedBytes() {
    unsigned long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%lu", &pages) != 1) pages = 0;
        std::fclose(statm);
    }
    return pages * pageSize();
}

// Touches the stack the sender will use, so it is in memory before the first
// edge, and with `lockBytes` > 0 locks up to that much of it.
[[gnu::noinline]] bool prepareStack(std::size_t lockBytes) {
    volatile char stack[kStackBytes];
    for (std::size_t i = 0; i < sizeof stack; i += 1024) stack[i] = 0;
    if (lockBytes == 0) return true;
    const std::uintptr_t page = pageSize();
    const auto low = reinterpret_cast<std::uintptr_t>(&stack[0]) / page * page;
    const std::uintptr_t high = (reinterpret_cast<std::uintptr_t>(&stack[0]) + sizeof stack + page) / page * page;
    const std::uintptr_t length = std::min<std::uintptr_t>(high - low, lockBytes / page * page);
    return length > 0 && mlock(reinterpret_cast<void*>(high - length), length) == 0;
}

// Locks everything when the `memlock` limit has room for all the process maps
// (mapped later, too, as it is touched: a limit reached later must never make
// an allocation fail, so only MCL_ONFAULT), else the thread's own stack.
MemoryLock lockMemory() {
    rlimit limit{};
    getrlimit(RLIMIT_MEMLOCK, &limit);
    const bool unlimited = limit.rlim_cur == RLIM_INFINITY || geteuid() == 0;
#if defined(MCL_ONFAULT)
    if ((unlimited || mappedBytes() < limit.rlim_cur) && mlockall(MCL_CURRENT | MCL_ONFAULT) == 0) {
        prepareStack(0);
        return MemoryLock::All;
    }
#endif
    const std::size_t stackLimit = unlimited ? kStackBytes * 2 : static_cast<std::size_t>(limit.rlim_cur);
    return prepareStack(stackLimit) ? MemoryLock::Stack : MemoryLock::None;
}

// The kernel signals the thread that ran RLIMIT_RTTIME's soft limit without
// sleeping: it goes back to normal priority, long before the hard limit's kill.
void leaveRealTimeOnOverrun(int) {
    // This thread only. RealtimeKit's grant carries SCHED_RESET_ON_FORK,
    // which an ordinary user may not clear.
    sched_param normal{};
    sched_setscheduler(0, SCHED_OTHER | SCHED_RESET_ON_FORK, &normal);
    rtTimeOverruns.fetch_add(1, std::memory_order_relaxed);
}

void catchOverruns() {
    static std::atomic<bool> installed{false};
    if (installed.exchange(true)) return;
    struct sigaction current {};
    sigaction(SIGXCPU, nullptr, &current);
    if (current.sa_handler != SIG_DFL) return;  // someone else's: keep it
    struct sigaction action {};
    action.sa_handler = leaveRealTimeOnOverrun;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGXCPU, &action, nullptr);
}

// RealtimeKit serves only a process whose RLIMIT_RTTIME is within its
// maximum. The soft limit (SIGXCPU) at half of it leaves the thread time to
// leave real time before the hard limit's SIGKILL. The keying thread sleeps
// before every edge and spins only SteadyClock's margin, a few milliseconds.
bool limitRtTime(std::int64_t maxUsec) {
    if (maxUsec <= 0) return false;
    rlimit limit{};
    if (getrlimit(RLIMIT_RTTIME, &limit) != 0) return false;
    limit.rlim_max = std::min<rlim_t>(limit.rlim_max, static_cast<rlim_t>(maxUsec));
    limit.rlim_cur = std::min<rlim_t>(limit.rlim_cur, limit.rlim_max / 2);
    return setrlimit(RLIMIT_RTTIME, &limit) == 0;
}

void askBroker(RealTimeBroker& broker, RealTimeOutcome& outcome) {
    using Broker = RealTimeOutcome::Broker;
    std::string why;
    const std::optional<RealTimeBroker::Limits> limits = broker.limits(why);
    if (!limits) {
        outcome.broker = Broker::NotAvailable;
        outcome.why = why;
        return;
    }
    outcome.broker = Broker::Refused;
    const int priority = std::min(kKeyingPriority, limits->maxPriority);
    if (priority < 1) {
        outcome.why = "it grants no real-time priority";
        return;
    }
    catchOverruns();
    if (!limitRtTime(limits->maxRtTimeUsec)) {
        outcome.why = "RLIMIT_RTTIME could not be set within " + std::to_string(limits->maxRtTimeUsec) + " us";
        return;
    }
    const auto tid = static_cast<std::uint64_t>(syscall(SYS_gettid));
    if (std::optional<std::string> refusal = broker.makeThreadRealtime(tid, priority)) {
        outcome.why = *refusal;
        return;
    }
    // RealtimeKit grants SCHED_RR unless set up otherwise: with no other
    // thread at the same priority it runs as SCHED_FIFO would.
    const int policy = sched_getscheduler(0) & ~SCHED_RESET_ON_FORK;
    if (policy != SCHED_FIFO && policy != SCHED_RR) {
        outcome.why = "granted, but the thread is not in the real-time class";
        return;
    }
    outcome.broker = Broker::Granted;
    outcome.priority = Priority::RealtimeKit;
}

}  // namespace
#endif

RealTimeOutcome enterRealTime() {
    RealTimeOutcome outcome;
    if (!allowed.load()) return outcome;
#if defined(__linux__)
    sched_param param{};
    param.sched_priority = kKeyingPriority;
    if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0) {
        outcome.priority = Priority::RealTime;
    } else if (RealTimeBroker* broker = brokerInUse.load()) {
        askBroker(*broker, outcome);
    }
    if (outcome.priority != Priority::Normal) outcome.memory = lockMemory();
#endif
    return outcome;
}

}  // namespace vl::keyer
