#include "rig/scripted_rig_link.h"

#include <thread>

namespace vl::rig {

void ScriptedRadio::set(RigReading reading) {
    std::lock_guard lock(mutex_);
    reading_ = std::move(reading);
}

void ScriptedRadio::setReachable(bool reachable) {
    std::lock_guard lock(mutex_);
    reachable_ = reachable;
}

void ScriptedRadio::setAnswering(bool answering) {
    std::lock_guard lock(mutex_);
    answering_ = answering;
}

void ScriptedRadio::setOpenDelay(std::chrono::milliseconds delay) {
    std::lock_guard lock(mutex_);
    openDelay_ = delay;
}

int ScriptedRadio::opens() const {
    std::lock_guard lock(mutex_);
    return opens_;
}

int ScriptedRadio::openAttempts() const {
    std::lock_guard lock(mutex_);
    return openAttempts_;
}

int ScriptedRadio::closes() const {
    std::lock_guard lock(mutex_);
    return closes_;
}

std::optional<RigError> ScriptedRigLink::open() {
    std::chrono::milliseconds delay;
    {
        std::lock_guard lock(radio_->mutex_);
        delay = radio_->openDelay_;
    }
    std::this_thread::sleep_for(delay);
    std::lock_guard lock(radio_->mutex_);
    ++radio_->openAttempts_;
    if (!radio_->reachable_) return RigError{"Connection refused"};
    ++radio_->opens_;
    open_ = true;
    return std::nullopt;
}

RigPoll ScriptedRigLink::poll() {
    std::lock_guard lock(radio_->mutex_);
    if (!open_ || !radio_->reachable_) return {std::nullopt, {"Connection lost"}, true};
    if (!radio_->answering_) return {std::nullopt, {"Communication timed out"}, false};
    return {radio_->reading_, {}};
}

void ScriptedRigLink::close() {
    if (!open_) return;
    std::lock_guard lock(radio_->mutex_);
    open_ = false;
    ++radio_->closes_;
}

}  // namespace vl::rig
