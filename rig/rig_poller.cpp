#include "rig/rig_poller.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>

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
    const PollerTiming& timing = shared->timing;
    enum class State { Unknown, Connected, NotAnswering, NotConnected } state = State::Unknown;
    bool open = false;
    std::chrono::milliseconds reopenWait = timing.retryInterval;
    RigReading last;  // what was handed on last, when `known`
    bool known = false;
    auto enter = [&](State next, RigEvent::Kind kind, const std::string& error) {
        if (state != next) shared->post({kind, {}, error});
        state = next;
    };
    // The link failed: it is closed and opened again after a wait that
    // grows with every failure in a row.
    auto lost = [&](const RigError& error) {
        link.close();
        open = false;
        enter(State::NotConnected, RigEvent::Kind::NotConnected, error.description);
        const std::chrono::milliseconds wait = reopenWait;
        reopenWait = std::min(reopenWait * 2, timing.longestRetry);
        return shared->pause(wait);
    };
    while (!shared->stopRequested()) {
        if (!open) {
            if (std::optional<RigError> error = link.open()) {
                if (!lost(*error)) break;
                continue;
            }
            open = true;
            reopenWait = timing.retryInterval;
            state = State::Unknown;
        }
        const RigPoll polled = link.poll();
        if (!polled.ok()) {
            if (polled.linkLost) {
                if (!lost(polled.error)) break;
                continue;
            }
            // The link is up but the radio behind it did not answer: ask again.
            enter(State::NotAnswering, RigEvent::Kind::NotAnswering, polled.error.description);
            if (!shared->pause(timing.retryInterval)) break;
            continue;
        }
        if (state != State::Connected) {
            enter(State::Connected, RigEvent::Kind::Connected, {});
            known = false;
        }
        if (!known || *polled.reading != last) {
            last = *polled.reading;
            known = true;
            shared->post({RigEvent::Kind::Reading, last, {}});
        }
        if (!shared->pause(timing.pollInterval)) break;
    }
    link.close();
    std::lock_guard lock(shared->mutex);
    shared->finished = true;
    shared->wake.notify_all();
}

}  // namespace vl::rig
