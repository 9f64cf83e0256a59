#include "rig/rig_poller.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <vector>

#include "rig/scripted_rig_link.h"

namespace vl::rig {
namespace {

using namespace std::chrono_literals;

constexpr PollerTiming kFast{10ms, 20ms, 80ms, 300ms};

// Collects what the poller hands on, as the window's queue would.
class Events {
public:
    RigPoller::Sink sink() {
        return [this](const RigEvent& e) {
            std::lock_guard lock(mutex_);
            events_.push_back(e);
            changed_.notify_all();
        };
    }
    // Waits until `count` events have arrived; false after two seconds.
    bool waitFor(size_t count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 2s, [&] { return events_.size() >= count; });
    }
    std::vector<RigEvent> all() {
        std::lock_guard lock(mutex_);
        return events_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<RigEvent> events_;
};

std::string describe(const std::vector<RigEvent>& events) {
    std::string out;
    for (const RigEvent& e : events) {
        switch (e.kind) {
            case RigEvent::Kind::Connected: out += "connected;"; break;
            case RigEvent::Kind::NotConnected: out += "not connected: " + e.error + ";"; break;
            case RigEvent::Kind::NotAnswering: out += "not answering: " + e.error + ";"; break;
            case RigEvent::Kind::Reading:
                out += std::to_string(e.reading.frequencyHz) + " " + e.reading.mode + ";";
                break;
        }
    }
    return out;
}

TEST(RigPoller, ReportsChangesLosesTheRadioAndFindsItAgain) {
    auto radio = std::make_shared<ScriptedRadio>();
    radio->set({14'025'000, "CW"});
    Events events;
    RigPoller poller(std::make_unique<ScriptedRigLink>(radio), events.sink(), kFast);
    ASSERT_TRUE(events.waitFor(2));
    std::this_thread::sleep_for(50ms);  // several polls of an unchanged radio
    radio->set({7'030'000, "CW"});
    ASSERT_TRUE(events.waitFor(3));
    radio->setReachable(false);
    ASSERT_TRUE(events.waitFor(4));
    std::this_thread::sleep_for(80ms);  // several failed attempts: reported once
    radio->setReachable(true);
    ASSERT_TRUE(events.waitFor(6));
    EXPECT_EQ(describe(events.all()),
              "connected;14025000 CW;7030000 CW;not connected: Connection lost;"
              "connected;7030000 CW;");
    poller.stop();
    EXPECT_EQ(radio->opens(), 2);
    EXPECT_EQ(radio->closes(), 2) << "the lost link and the last one are closed";
}

TEST(RigPoller, UnreachableAtStartIsReportedOnceAndTriedLessAndLessOften) {
    auto radio = std::make_shared<ScriptedRadio>();
    radio->setReachable(false);
    Events events;
    RigPoller poller(std::make_unique<ScriptedRigLink>(radio), events.sink(), kFast);
    ASSERT_TRUE(events.waitFor(1));
    std::this_thread::sleep_for(390ms);
    EXPECT_EQ(describe(events.all()), "not connected: Connection refused;");
    // Waits of 20, 40, 80, 80 ... ms: tried at about 0, 20, 60, 140, 220, 300, 380 ms.
    EXPECT_GE(radio->openAttempts(), 5);
    EXPECT_LE(radio->openAttempts(), 8);
}

// rigctld answers, the radio behind it does not ("RPRT -5" to every poll):
// the link stays open and the poll is tried again.
TEST(RigPoller, RadioThatDoesNotAnswerKeepsTheLinkOpen) {
    auto radio = std::make_shared<ScriptedRadio>();
    radio->setAnswering(false);
    Events events;
    RigPoller poller(std::make_unique<ScriptedRigLink>(radio), events.sink(), kFast);
    ASSERT_TRUE(events.waitFor(1));
    std::this_thread::sleep_for(200ms);  // about ten more polls, none answered
    radio->setAnswering(true);
    ASSERT_TRUE(events.waitFor(3));
    radio->setAnswering(false);
    ASSERT_TRUE(events.waitFor(4));
    poller.stop();
    EXPECT_EQ(describe(events.all()),
              "not answering: Communication timed out;connected;14000000 USB;"
              "not answering: Communication timed out;");
    EXPECT_EQ(radio->openAttempts(), 1);
    EXPECT_EQ(radio->closes(), 1);
}

TEST(RigPoller, StopsPromptlyWhileTheRadioHangsAndReportsNothingAfterwards) {
    auto radio = std::make_shared<ScriptedRadio>();
    radio->setOpenDelay(1500ms);
    Events events;
    auto poller = std::make_unique<RigPoller>(std::make_unique<ScriptedRigLink>(radio),
                                              events.sink(), PollerTiming{});  // the program's own wait
    std::this_thread::sleep_for(20ms);  // the thread is inside open()
    const auto before = std::chrono::steady_clock::now();
    poller.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 500ms);
    // The open finishes on the thread left behind; its news goes nowhere and
    // the link is closed.
    std::this_thread::sleep_for(1700ms);
    EXPECT_TRUE(events.all().empty()) << describe(events.all());
    EXPECT_EQ(radio->opens(), 1);
    EXPECT_EQ(radio->closes(), 1);
}

}  // namespace
}  // namespace vl::rig
