#include "rig/rig_poller.h"

#include <condition_variable>
#include <mutex>
#include <optional>

namespace vl::rig {

struct RigPoller::Shared {
    std::unique_ptr<RigLink> link;  // used only by the thread
    PollerTiming timing;
    std::mutex mutex;
    std::condition_variable wake;
    Sink sink;  // emptied by stop()
    bool stopping = false;
    bool finished = false;

    // Waits, unless told to stop meanwhile; false when stopping.
    bool pause(std::chrono::milliseconds interval) {
        std::unique_lock lock(mutex);
        return !wake.wait_for(lock, interval, [this] { return stopping; });
    }
    void post(const RigEvent& event) {
        std::lock_guard lock(mutex);
        if (!stopping && sink) sink(event);
    }
    bool stopRequested() {
        std::lock_guard lock(mutex);
        return stopping;
    }
};

RigPoller::RigPoller(std::unique_ptr<RigLink> link, Sink sink, PollerTiming timing)
    : shared_(std::make_shared<Shared>()) {
    shared_->link = std::move(link);
    shared_->timing = timing;
    shared_->sink = std::move(sink);
    thread_ = std::thread(&RigPoller::run, shared_);
}

RigPoller::~RigPoller() { stop(); }

void RigPoller::stop() {
    if (!thread_.joinable()) return;
    bool finished = false;
    {
        std::unique_lock lock(shared_->mutex);
        shared_->stopping = true;
        shared_->sink = nullptr;
        shared_->wake.notify_all();
        finished = shared_->wake.wait_for(lock, shared_->timing.stopWait,
                                          [this] { return shared_->finished; });
    }
    if (finished) {
        thread_.join();
    } else {
        thread_.detach();  // it owns what it uses and ends after its radio call
    }
}

void RigPoller::run(std::shared_ptr<Shared> shared) {
    RigLink& link = *shared->link;
    enum class State { Unknown, Connected, NotConnected } state = State::Unknown;
    std::optional<RigReading> last;
    auto lost = [&](const RigError& error) {
        if (state != State::NotConnected) {
            shared->post({RigEvent::Kind::NotConnected, {}, error.description});
        }
        state = State::NotConnected;
    };
    while (!shared->stopRequested()) {
        if (state != State::Connected) {
            if (std::optional<RigError> error = link.open()) {
                link.close();
                lost(*error);
                if (!shared->pause(shared->timing.retryInterval)) break;
                continue;
            }
            state = State::Connected;
            last.reset();
            shared->post({RigEvent::Kind::Connected, {}, {}});
        }
        const RigPoll polled = link.poll();
        if (!polled.ok()) {
            link.close();
            lost(polled.error);
            if (!shared->pause(shared->timing.retryInterval)) break;
            continue;
        }
        if (polled.reading != last) {
            last = polled.reading;
            shared->post({RigEvent::Kind::Reading, *polled.reading, {}});
        }
        if (!shared->pause(shared->timing.pollInterval)) break;
    }
    link.close();
    std::lock_guard lock(shared->mutex);
    shared->finished = true;
    shared->wake.notify_all();
}

}  // namespace vl::rig
