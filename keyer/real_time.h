#pragma once
// Real-time scheduling for the keying thread, where the system grants it.
namespace vl::keyer {

// The SCHED_FIFO priority asked for: above every ordinary thread, below the
// kernel's own and the audio servers' usual ones.
inline constexpr int kKeyingPriority = 10;

// Puts the calling thread in SCHED_FIFO at kKeyingPriority and locks the
// process's memory as it is faulted in. True when the scheduling class was
// granted; a refusal (no CAP_SYS_NICE, `rtprio` limit too low) changes nothing.
bool enterRealTime();

// For measurements: false makes enterRealTime() ask for nothing.
void allowRealTime(bool allowed);

}  // namespace vl::keyer
