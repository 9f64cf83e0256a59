#pragma once
// Polls a radio on a thread of its own, about twice a second, and hands
// every change to a sink: connected, not connected (with the reason), and a
// new frequency or mode. When the radio stops answering, the link is closed
// and opened again until it answers. Nothing here blocks the caller: opening
// and polling happen only on the thread, and stopping waits a bounded time.
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "rig/rig_link.h"

namespace vl::rig {

struct RigEvent {
    enum class Kind { Connected, NotConnected, Reading };
    Kind kind = Kind::NotConnected;
    RigReading reading;  // Reading: the radio's frequency and mode
    std::string error;   // NotConnected: why
};

struct PollerTiming {
    std::chrono::milliseconds pollInterval{500};
    std::chrono::milliseconds retryInterval{1000};
    // How long stop() waits for a radio call in progress before it leaves
    // the thread to end on its own.
    std::chrono::milliseconds stopWait{1000};
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
