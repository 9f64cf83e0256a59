#include "keyer/keying_thread.h"

#include "keyer/real_time.h"

namespace vl::keyer {

KeyingThread::KeyingThread(Keyer& keyer, std::function<void()> notify)
    : keyer_(keyer), notify_(std::move(notify)) {
    // Between characters the thread looks for texts started meanwhile; with
    // time to spare before an edge it tells the window what finished.
    keyer_.setEventPump([this] { keyStarted(); });
    keyer_.setSpareTimeTask([this] { reportIfDue(); });
    thread_ = std::thread([this] { run(); });
}

KeyingThread::~KeyingThread() {
    abort();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    work_.notify_all();
    thread_.join();
    keyer_.setEventPump(nullptr);
    keyer_.setSpareTimeTask(nullptr);
}

std::optional<KeyingThread::Ticket> KeyingThread::start(std::string text) {
    for (Ticket t = 0; t < kMaxTexts; ++t) {
        Slot& slot = slots_[t];
        if (slot.state.load(std::memory_order_acquire) != Free) continue;
        slot.text = std::move(text);
        slot.outcome = Outcome{};
        slot.order = nextOrder_++;
        slot.state.store(Queued, std::memory_order_release);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            queued_.fetch_add(1, std::memory_order_release);
        }
        work_.notify_one();
        return t;
    }
    return std::nullopt;
}

bool KeyingThread::finished(Ticket ticket) const {
    return slots_[ticket].state.load(std::memory_order_acquire) == Finished;
}

KeyingThread::Outcome KeyingThread::collect(Ticket ticket) {
    Slot& slot = slots_[ticket];
    Outcome outcome = std::move(slot.outcome);
    std::string().swap(slot.text);  // freed here, not on the keying thread
    slot.state.store(Free, std::memory_order_release);
    return outcome;
}

void KeyingThread::abort() {
    keyer_.interrupt();
    {
        std::unique_lock<std::mutex> lock(mutex_);
        idle_.wait(lock, [this] { return !busy_ && queued_.load(std::memory_order_acquire) == 0; });
    }
    keyer_.resume();
}

RealTimeOutcome KeyingThread::priority() const {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return started_; });
    return priority_;
}

bool KeyingThread::realTime() const { return priority().priority != Priority::Normal; }

void KeyingThread::run() {
    // Asked once, before any text: a broker's answer may take a while.
    {
        RealTimeOutcome priority = enterRealTime();
        std::lock_guard<std::mutex> lock(mutex_);
        priority_ = std::move(priority);
    }
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            started_ = true;
            busy_ = false;
            idle_.notify_all();
            work_.wait(lock, [this] { return quit_ || queued_.load(std::memory_order_acquire) > 0; });
            if (queued_.load(std::memory_order_acquire) == 0) return;  // quit
            busy_ = true;
        }
        keyStarted();
        reportIfDue();
    }
}

KeyingThread::Slot* KeyingThread::takeQueued() {
    Slot* first = nullptr;
    for (Slot& slot : slots_) {
        if (slot.state.load(std::memory_order_acquire) != Queued) continue;
        if (!first || slot.order < first->order) first = &slot;
    }
    if (first) {
        first->state.store(Keying, std::memory_order_relaxed);
        queued_.fetch_sub(1, std::memory_order_relaxed);
    }
    return first;
}

void KeyingThread::keyStarted() {
    while (queued_.load(std::memory_order_acquire) > 0) {
        Slot* slot = takeQueued();
        if (!slot) return;
        const bool hadText = !slot->text.empty();
        slot->outcome.error = keyer_.keyText(slot->text);
        slot->outcome.stopped = hadText && slot->text.empty();
        slot->state.store(Finished, std::memory_order_release);
        reportDue_ = true;
        // A failed line ends the texts waiting too, unkeyed: one failure, one
        // message, nothing keyed after it.
        if (slot->outcome.error) finishQueuedAsStopped();
    }
}

void KeyingThread::finishQueuedAsStopped() {
    while (Slot* slot = takeQueued()) {
        slot->outcome.stopped = true;
        slot->state.store(Finished, std::memory_order_release);
    }
}

void KeyingThread::reportIfDue() {
    if (!reportDue_) return;
    reportDue_ = false;
    if (notify_) notify_();
}

}  // namespace vl::keyer
