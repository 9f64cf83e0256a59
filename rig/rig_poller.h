#pragma once
// Polls a radio on a thread of its own, about twice a second, and hands
// every change to a sink: connected, not connected or not answering (with
// the reason), and a new frequency or mode. When the radio behind an open
// link does not answer, the link is kept and the poll tried again; only a
// link that fails itself is closed and opened again, after 1, 2, 4 ... up to
// 30 seconds. Nothing here blocks the caller: opening and polling happen
// only on the thread, and stopping waits a bounded time.
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "rig/rig_link.h"

namespace vl::rig {

struct RigEvent {
    enum class Kind { Connected, NotConnected, NotAnswering, Reading };
    Kind kind = Kind::NotConnected;
    RigReading reading;  // Reading: the radio's frequency and mode
    std::string error;   // NotConnected, NotAnswering: why
};

struct PollerTiming {
    std::chrono::milliseconds pollInterval{500};
    // The first wait before the link is opened again (and before a poll the
    // radio did not answer is tried again); each further failed opening
    // doubles it, up to the longest.
    std::chrono::milliseconds retryInterval{1000};
    std::chrono::milliseconds longestRetry{30000};
    // How long stop() waits for a radio call in progress before it leaves
    // the thread to end on its own.
    std::chrono::milliseconds stopWait{100};
};

class RigPoller {
public:
    // Called on the polling thread; it must only hand the event on (queue it
    // for the window), never wait for the window.
    using Sink = std::function<void(const RigEvent&)>;

    RigPoller(std::unique_ptr<RigLink> link, Sink sink, PollerTiming timing = {});
    ~RigPoller();
    RigPoller(const RigPoller&) = delete;
    RigPoller& operator=(const RigPoller&) = delete;

    // Ends polling. Once it returns the sink is never called again. When the
    // thread is stuck in a radio call longer than `stopWait`, it is left to
    // finish that call and close the link by itself.
    void stop();

private:
    struct Shared;
    static void run(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace vl::rig
