#pragma once
// Keys texts on a thread of its own, so the window's thread never delays an
// edge and stays free for the operator while a message goes out.
//
// The window starts a text and gets a ticket; the thread keys it with the
// Keyer's Send_String and marks the ticket finished. A text started while
// another is keyed begins when the current character ends and is keyed whole;
// then the interrupted text goes on (unless `stopsend` became 1), as a send
// started between two characters always did. When the line fails, the texts
// waiting are finished as stopped, with nothing keyed. ESC (`stopsend`) and
// the speed commands reach the thread through the Keyer's atomics.
//
// Reports: when a ticket is finished the thread calls `notify` (from the
// keying thread, at a moment when the next edge is at least Keyer::kSpareTime
// away, or when it goes idle); the window then asks which tickets are
// finished. The texts live in slots the window fills and empties, so the
// thread allocates and frees nothing for them, and between edges it takes no
// lock another thread holds for longer than a flag's change.
//
// The thread asks for the real-time class SCHED_FIFO (from the system, else
// from RealtimeKit) and for its memory to stay locked; where the system
// refuses either, it keys at normal priority.
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "keyer/keyer.h"
#include "keyer/real_time.h"

namespace vl::keyer {

class KeyingThread {
public:
    using Ticket = int;
    struct Outcome {
        bool stopped = false;  // ESC, a failure or an abort ended it early
        std::optional<KeyError> error;
    };
    // How many texts may be started and not yet collected.
    static constexpr int kMaxTexts = 16;

    // The keyer's line, clock and pump belong to the thread from now on: set
    // them only while no text is keyed (after abort(), say).
    KeyingThread(Keyer& keyer, std::function<void()> notify);
    ~KeyingThread();
    KeyingThread(const KeyingThread&) = delete;
    KeyingThread& operator=(const KeyingThread&) = delete;

    // The window's side. Empty when kMaxTexts texts are still out.
    std::optional<Ticket> start(std::string text);
    bool finished(Ticket ticket) const;
    // Once finished: the outcome; the ticket is given up.
    Outcome collect(Ticket ticket);
    // Ends the text being keyed at once with the line released, finishes
    // every waiting text as stopped, and returns when the thread no longer
    // touches the line (so the port may close). Keying works again afterwards.
    void abort();

    // The priority the thread got, and how (waits until it has asked).
    RealTimeOutcome priority() const;
    // Whether the thread runs in the real-time class (once it has asked).
    bool realTime() const;

private:
    enum State : int { Free, Queued, Keying, Finished };
    struct Slot {
        std::atomic<int> state{Free};
        std::uint64_t order = 0;
        std::string text;
        Outcome outcome;
    };

    void run();
    // Keys every text started meanwhile, in the order started.
    void keyStarted();
    Slot* takeQueued();
    void finishQueuedAsStopped();
    void reportIfDue();

    Keyer& keyer_;
    std::function<void()> notify_;
    std::array<Slot, kMaxTexts> slots_;
    std::uint64_t nextOrder_ = 0;  // window's thread only
    std::atomic<int> queued_{0};
    RealTimeOutcome priority_;  // guarded by mutex_

    mutable std::mutex mutex_;
    std::condition_variable work_;
    mutable std::condition_variable idle_;
    bool busy_ = false;
    bool started_ = false;
    bool quit_ = false;

    bool reportDue_ = false;  // keying thread only
    std::thread thread_;
};

}  // namespace vl::keyer
