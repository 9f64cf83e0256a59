#pragma once
// Real-time scheduling for the keying thread, where the system grants it:
// directly (root, or an `rtprio` limit), or through the system's RealtimeKit
// service, which grants it to an ordinary user logged in at the station.
#include <cstdint>
#include <optional>
#include <string>

namespace vl::keyer {

// The SCHED_FIFO priority asked for: above every ordinary thread, below the
// kernel's own and the audio servers' usual ones.
inline constexpr int kKeyingPriority = 10;

// The priority the keying thread runs at.
enum class Priority {
    RealTime,     // SCHED_FIFO, granted by the system directly
    RealtimeKit,  // granted by RealtimeKit (SCHED_RR, or SCHED_FIFO as it is set up)
    Normal,       // the ordinary time-sharing class
};

// What the operator is told about it.
std::string priorityText(Priority priority);

// How much of the keying thread's memory stays in: everything the process
// maps (as it is touched), the thread's own stack, or nothing.
enum class MemoryLock { All, Stack, None };

// The system's service that grants an ordinary user's thread the real-time
// class (RealtimeKit over the system bus). Its calls may block; they are made
// once, as the keying thread starts, before any text is keyed.
class RealTimeBroker {
public:
    virtual ~RealTimeBroker() = default;
    struct Limits {
        int maxPriority = 0;             // the highest priority it grants
        std::int64_t maxRtTimeUsec = 0;  // the RLIMIT_RTTIME it requires, at most
    };
    // Empty (with the reason in `why`) when the service cannot be reached.
    virtual std::optional<Limits> limits(std::string& why) = 0;
    // Asks for the real-time class at `priority` for the calling process's
    // thread with kernel id `tid`. The refusal's reason, or empty when granted.
    virtual std::optional<std::string> makeThreadRealtime(std::uint64_t tid, int priority) = 0;
};

// What the keying thread got, remembered for the window.
struct RealTimeOutcome {
    enum class Broker { NotAsked, Granted, Refused, NotAvailable };
    Priority priority = Priority::Normal;
    Broker broker = Broker::NotAsked;
    std::string why;  // Refused or NotAvailable: the service's reason
    MemoryLock memory = MemoryLock::None;
};

// The broker the keying threads ask when SCHED_FIFO is refused; set it before
// a keying thread starts and keep it alive while any runs (null: none).
void setRealTimeBroker(RealTimeBroker* broker);

// Puts the calling thread in SCHED_FIFO at kKeyingPriority, asking the broker
// when the system refuses it directly, and locks as much of its memory as the
// `memlock` limit allows. Anything refused changes nothing and keying goes on
// at normal priority. With RealtimeKit, RLIMIT_RTTIME is set within its limit
// and the kernel's SIGXCPU for an overrun puts the thread back to normal
// priority instead of ending the program.
RealTimeOutcome enterRealTime();

// How often a keying thread ran past RLIMIT_RTTIME's soft limit without
// sleeping and went back to normal priority.
unsigned realTimeOverruns();

// For measurements: false makes enterRealTime() ask for nothing.
void allowRealTime(bool allowed);

}  // namespace vl::keyer
