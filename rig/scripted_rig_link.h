#pragma once
// A radio for tests: what it answers is set from outside, from any thread,
// through the shared ScriptedRadio; the link counts its opens and closes.
#include <chrono>
#include <memory>
#include <mutex>

#include "rig/rig_link.h"

namespace vl::rig {

class ScriptedRadio {
public:
    void set(RigReading reading);
    // An unreachable radio refuses to open, and an open link to it fails.
    void setReachable(bool reachable);
    // A radio that does not answer behind a link that stays up (rigctld
    // answering "RPRT -5" for it).
    void setAnswering(bool answering);
    // Every open takes this long, as a radio that does not answer does.
    void setOpenDelay(std::chrono::milliseconds delay);
    int opens() const;
    int openAttempts() const;  // failed ones included
    int closes() const;

private:
    friend class ScriptedRigLink;
    mutable std::mutex mutex_;
    RigReading reading_{14'000'000, "USB"};
    bool reachable_ = true;
    bool answering_ = true;
    std::chrono::milliseconds openDelay_{0};
    int opens_ = 0;
    int openAttempts_ = 0;
    int closes_ = 0;
};

class ScriptedRigLink : public RigLink {
public:
    explicit ScriptedRigLink(std::shared_ptr<ScriptedRadio> radio) : radio_(std::move(radio)) {}
    std::optional<RigError> open() override;
    RigPoll poll() override;
    void close() override;

private:
    std::shared_ptr<ScriptedRadio> radio_;
    bool open_ = false;
};

}  // namespace vl::rig
