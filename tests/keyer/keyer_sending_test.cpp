#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "keyer/keyer.h"
#include "keyer/keying_thread.h"
#include "morse_signs.h"

namespace vl::keyer {
namespace {

using test::unitsFromSigns;

// What a character keys: its unit string with the closing "x" released.
std::string keyed(std::string_view signs) {
    std::string units = unitsFromSigns(signs);
    units.back() = '0';
    return units;
}

// A line that fails on one chosen setting and records the rest.
class FailingLine : public KeyLine {
public:
    explicit FailingLine(int failAt) : failAt_(failAt) {}
    std::optional<KeyError> setKeyed(bool keyed) override {
        calls.push_back(keyed);
        if (static_cast<int>(calls.size()) == failAt_) return KeyError{5, "line gone"};
        return std::nullopt;
    }
    std::vector<bool> calls;

private:
    int failAt_;
};

class SendingTest : public ::testing::Test {
protected:
    SendingTest() {
        keyer.setClock(&clock);
        keyer.setKeyLine(&line);
        std::int16_t ta = 4500;
        keyer.Set_Timing_Adjust(ta);
        keyer.setSpeedWpm(13);
        keyer.setEventPump([this] {
            ++pumps;
            if (onPump) onPump(pumps);
        });
        start = clock.now();
    }
    std::string send(std::string text) {
        EXPECT_FALSE(keyer.Send_String(text).has_value());
        return text;
    }
    std::string units() { return test::keyedUnits(line, clock.now(), keyer.unitLength()); }

    FakeClock clock;
    RecordingKeyLine line{clock};
    Keyer keyer;
    int pumps = 0;
    std::function<void(int)> onPump;
    Clock::TimePoint start;
};

TEST_F(SendingTest, ElementsLastTheirUnits) {
    EXPECT_EQ(send("E"), "E");
    EXPECT_EQ(units(), "10000");
    EXPECT_EQ(clock.now() - start, 5 * keyer.unitLength());

    line.clear();
    send("eZ");
    EXPECT_EQ(units(), keyed(".") + keyed("--.."));
}

TEST_F(SendingTest, ZeroAndBothSlashedZerosKeyFiveDashes) {
    send(std::string("0\xD8\xF8"));
    EXPECT_EQ(units(), keyed("-----") + keyed("-----") + keyed("-----"));
}

TEST_F(SendingTest, WordsAreTwelveReleasedUnitsApart) {
    send("A B");
    EXPECT_EQ(units(), "10111" + std::string(12, '0') + "1110101010000");
}

TEST_F(SendingTest, UnitIsTheParisUnitOfTheSpeed) {
    EXPECT_EQ(keyer.TimeTick, 346);
    EXPECT_EQ(keyer.unitLength(), std::chrono::nanoseconds(92'307'692));  // 1.2 s / 13
    keyer.setSpeedWpm(25);
    EXPECT_EQ(keyer.unitLength(), std::chrono::milliseconds(48));
    keyer.setSpeedWpm(40);  // TimeTick rounds 112.5 to 112; the unit stays exact
    EXPECT_EQ(keyer.TimeTick, 112);
    EXPECT_EQ(keyer.unitLength(), std::chrono::milliseconds(30));
}

TEST_F(SendingTest, EmptyTextReturnsAtOnce) {
    EXPECT_EQ(send(""), "");
    EXPECT_TRUE(line.settings().empty());
    EXPECT_EQ(clock.now(), start);
}

TEST_F(SendingTest, UnknownCharacterIsSkipped) {
    send("E#\"E");
    EXPECT_EQ(units(), "10000" "10000");
    line.clear();
    Clock::TimePoint before = clock.now();
    send("#");
    EXPECT_TRUE(line.settings().empty());
    EXPECT_EQ(clock.now(), before);
}

TEST_F(SendingTest, EscapeFinishesTheCharacterAndEmptiesTheText) {
    // The events run twice after each character: calls 1 and 2 follow the T,
    // call 3 comes at the E's last edge.
    onPump = [this](int n) { if (n == 3) keyer.stop(); };
    EXPECT_EQ(send("TEST TEST"), "");
    EXPECT_EQ(units(), keyed("-") + keyed("."));
    EXPECT_FALSE(line.keyed());

    keyer.stopsend = 1;  // still set: the next send keys nothing
    line.clear();
    EXPECT_EQ(send("E"), "");
    EXPECT_TRUE(line.settings().empty());
}

TEST_F(SendingTest, EscapeWhileTheClosingUnitsPassKeysNothingMore) {
    // ESC pressed after the T's last edge, while its closing released units
    // pass: the events that run when those units are over see it.
    Clock::TimePoint secondCall{};
    onPump = [&](int n) {
        if (n != 2) return;
        secondCall = clock.now();
        keyer.stop();
    };
    EXPECT_EQ(send("TEST"), "");
    EXPECT_EQ(secondCall - start, 7 * keyer.unitLength());  // the T and its closing units
    EXPECT_EQ(units(), keyed("-"));
    EXPECT_EQ(line.settings().size(), 2u);
    EXPECT_EQ(pumps, 2);
}

TEST_F(SendingTest, NestedSendStartsAfterTheCharacterAndEscapeStopsBoth) {
    onPump = [this](int n) {
        if (n == 1) {
            EXPECT_EQ(send("TT"), "TT");
        }
    };
    send("EE");
    EXPECT_EQ(units(), keyed(".") + keyed("-") + keyed("-") + keyed("."));

    line.clear();
    pumps = 0;
    onPump = [this](int n) {
        if (n == 1) {
            EXPECT_EQ(send("TTT"), "");
        }
        if (n == 2) keyer.stop();
    };
    EXPECT_EQ(send("EEE"), "");
    EXPECT_EQ(units(), keyed(".") + keyed("-"));
}

TEST_F(SendingTest, SpeedChangeAppliesFromTheNextCharacter) {
    onPump = [this](int n) { if (n == 1) keyer.setSpeedWpm(25); };
    send("TT");
    auto slow = std::chrono::nanoseconds(92'307'692);  // 1.2 s / 13
    const auto& s = line.settings();
    ASSERT_EQ(s.size(), 4u);  // one setting per edge
    EXPECT_EQ(s[2].at - start, 7 * slow);
    EXPECT_EQ(clock.now() - s[2].at, 7 * std::chrono::milliseconds(48));
}

TEST_F(SendingTest, ShortDelaysKeepTheScheduleLongOnesRestartIt) {
    // Events that run 0.5 ms into the next character: only that first edge is
    // late, every release stays on the schedule counted from the start. (The
    // events run twice after each character; the first of the two is slow.)
    auto unit = keyer.unitLength();
    onPump = [&](int n) {
        if (n % 2 == 1) clock.advance(4 * unit + std::chrono::microseconds(500));
    };
    send("EEEE");
    const auto& s = line.settings();
    for (int k = 0; k < 4; ++k) EXPECT_EQ(s[2 * k + 1].at - start, (5 * k + 1) * unit) << k;

    // Events that take half a second: the next character starts when they end
    // with its elements whole.
    line.clear();
    onPump = [&](int n) {
        if (n % 2 == 1) clock.advance(std::chrono::milliseconds(500));
    };
    send("EE");
    EXPECT_EQ(s[2].at - s[1].at, std::chrono::milliseconds(500));  // the events began at the release
    EXPECT_EQ(s[3].at - s[2].at, unit);

    // A late wake-up at a character's end, shorter than half a unit (20 ms of
    // 92 ms): the next character's first edge comes when it can, its release
    // is back on the schedule.
    line.clear();
    onPump = [&](int n) {
        if (n % 2 == 0) clock.advance(std::chrono::milliseconds(20));
    };
    Clock::TimePoint from = clock.now();
    send("EEE");
    for (int k = 0; k < 3; ++k) EXPECT_EQ(s[2 * k + 1].at - from, (5 * k + 1) * unit) << k;
}

// The real clock tells a late wake-up (the spin margin was too short) from a
// spin that ended late.
TEST(SteadyClockTest, RecordsWhyADeadlineWasMissed) {
    using namespace std::chrono_literals;
    SteadyClock sleeper(0ns);  // no spin: every sleep ends after its deadline
    for (int i = 0; i < 3; ++i) sleeper.sleepUntil(sleeper.now() + 200us);
    SteadyClock::Lateness seen = sleeper.takeLateness();
    EXPECT_EQ(seen.wokePastDeadline, 3);
    EXPECT_GT(seen.worstWake, 0ns);
    EXPECT_EQ(seen.worstSpinEnd, 0ns);
    EXPECT_EQ(sleeper.takeLateness().wokePastDeadline, 0);  // taking it starts afresh

    SteadyClock spinner(1s);  // only spins
    spinner.sleepUntil(spinner.now() + 1ms);
    seen = spinner.takeLateness();
    EXPECT_EQ(seen.wokePastDeadline, 0);
    EXPECT_LT(seen.worstSpinEnd, 1ms);
}

TEST_F(SendingTest, NoLineStillKeepsTime) {
    keyer.setKeyLine(nullptr);
    send("E E");
    EXPECT_EQ(clock.now() - start, 18 * keyer.unitLength());
}

TEST_F(SendingTest, LineFailureStopsWithOneErrorAndReleases) {
    FailingLine failing(3);  // the second E's key-down
    keyer.setKeyLine(&failing);
    std::string text = "EEE";
    auto error = keyer.Send_String(text);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->number, 5);
    EXPECT_EQ(text, "");
    EXPECT_EQ(failing.calls, (std::vector<bool>{true, false, true, false}));

    // Failing inside a nested send: the outer one stops without an error.
    FailingLine nestedFails(3);
    keyer.setKeyLine(&nestedFails);
    keyer.stopsend = 0;
    pumps = 0;
    int errors = 0;
    onPump = [&](int n) {
        std::string inner = "E";
        if (n == 1 && keyer.Send_String(inner)) ++errors;
    };
    text = "EE";
    EXPECT_FALSE(keyer.Send_String(text).has_value());
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(text, "");
    EXPECT_FALSE(nestedFails.calls.back());
}

// ---- On the keying thread ------------------------------------------------------

// A recording line that can stop the keying thread at one setting until the
// test (standing for the window's thread) has acted, and can fail at another.
class HoldingLine : public KeyLine {
public:
    HoldingLine(Clock& clock, int holdAt, int failAt) : record_(clock), holdAt_(holdAt), failAt_(failAt) {}
    std::optional<KeyError> setKeyed(bool keyed) override {
        const int n = ++calls_;
        if (n == failAt_) return KeyError{5, "line gone"};
        record_.setKeyed(keyed);
        if (n == holdAt_) {
            std::unique_lock<std::mutex> lock(mutex_);
            held_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this] { return released_; });
        }
        return std::nullopt;
    }
    // The test's side: waits for the hold, acts, lets the line go on.
    void whileHeld(const std::function<void()>& act) {
        std::unique_lock<std::mutex> lock(mutex_);
        ASSERT_TRUE(changed_.wait_for(lock, std::chrono::seconds(10), [this] { return held_; }));
        act();
        released_ = true;
        changed_.notify_all();
    }
    const RecordingKeyLine& record() const { return record_; }

private:
    RecordingKeyLine record_;
    int holdAt_;
    int failAt_;
    int calls_ = 0;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool held_ = false;
    bool released_ = false;
};

struct ThreadCase {
    const char* name;
    const char* text;
    int holdAt;  // the line setting during which the window acts
    int failAt;  // 0: the line never fails
    // What the window does meanwhile; it may start a second text.
    std::function<std::optional<KeyingThread::Ticket>(Keyer&, KeyingThread&)> act;
    std::string units;  // what the line keyed, one character a unit
    bool stopped;
    bool nestedStopped;
    int errorNumber;  // of the text that met the failure; 0 for none
};

class KeyingThreadTest : public SendingTest, public ::testing::WithParamInterface<ThreadCase> {
protected:
    KeyingThread::Outcome waitFor(KeyingThread& keying, KeyingThread::Ticket t) {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!reported_.wait_for(lock, std::chrono::seconds(10), [&] { return keying.finished(t); })) {
            ADD_FAILURE() << "the text never finished";
            return {};
        }
        return keying.collect(t);
    }
    void notify() {
        std::lock_guard<std::mutex> lock(mutex_);
        reported_.notify_all();
    }
    std::mutex mutex_;
    std::condition_variable reported_;
};

TEST_P(KeyingThreadTest, WindowActsWhileATextIsKeyed) {
    const ThreadCase& c = GetParam();
    HoldingLine held(clock, c.holdAt, c.failAt);
    keyer.setKeyLine(&held);
    KeyingThread keying(keyer, [this] { notify(); });

    std::optional<KeyingThread::Ticket> nested;
    const std::optional<KeyingThread::Ticket> t = keying.start(c.text);
    ASSERT_TRUE(t.has_value());
    held.whileHeld([&] { nested = c.act(keyer, keying); });
    if (nested) {
        const KeyingThread::Outcome inner = waitFor(keying, *nested);
        EXPECT_EQ(inner.stopped, c.nestedStopped);
        EXPECT_EQ(inner.error ? inner.error->number : 0, c.errorNumber);
    }
    const KeyingThread::Outcome outer = waitFor(keying, *t);
    EXPECT_EQ(outer.stopped, c.stopped);
    // A failure is reported once, by the text that met it.
    EXPECT_EQ(outer.error ? outer.error->number : 0, nested ? 0 : c.errorNumber);

    const auto& s = held.record().settings();
    ASSERT_FALSE(s.empty());
    EXPECT_FALSE(s.back().keyed) << "the line was left keyed";
    EXPECT_EQ(test::keyedUnits(held.record(), clock.now(), keyer.unitLength()), c.units);

    // After an abort (the port closing and opening again, say) the thread
    // keys the next text whole.
    keying.abort();
    keyer.stopsend = 0;
    RecordingKeyLine after(clock);
    keyer.setKeyLine(&after);
    const std::optional<KeyingThread::Ticket> next = keying.start("EE");
    EXPECT_FALSE(waitFor(keying, *next).stopped);
    EXPECT_EQ(after.settings().size(), 4u);
}

const auto kNothing = [](Keyer&, KeyingThread&) -> std::optional<KeyingThread::Ticket> { return std::nullopt; };

INSTANTIATE_TEST_SUITE_P(
    Window, KeyingThreadTest,
    ::testing::Values(
        // Held at the first E's key-down: ESC ends the text after that E.
        ThreadCase{"Escape", "TEEEE", 3, 0,
                   [](Keyer& k, KeyingThread&) -> std::optional<KeyingThread::Ticket> {
                       k.stop();
                       return std::nullopt;
                   },
                   keyed("-") + keyed("."), true, false, 0},
        // A second text started during the first E goes out after that E.
        ThreadCase{"Nested", "EE", 1, 0,
                   [](Keyer&, KeyingThread& t) { return t.start("TT"); },
                   keyed(".") + keyed("-") + keyed("-") + keyed("."), false, false, 0},
        // ESC during the nested text stops both.
        ThreadCase{"EscapeInNested", "EEE", 1, 0,
                   [](Keyer& k, KeyingThread& t) {
                       auto nested = t.start("TTT");
                       k.stop();
                       return nested;
                   },
                   keyed(".") + keyed("-"), true, true, 0},
        // The nested text meets the failure at the T's release: it reports
        // it, the line is released, the first text stops quietly.
        ThreadCase{"FailureInNested", "EEE", 1, 4,
                   [](Keyer&, KeyingThread& t) { return t.start("TT"); }, keyed(".") + "111", true, true, 5},
        ThreadCase{"Failure", "EEE", 1, 3, kNothing, keyed("."), true, false, 5},
        // An interruption (the port is closing) releases the line at the
        // next edge it waits for (on the real clock: at once) and keys no more.
        ThreadCase{"Interrupted", "TTT", 1, 0,
                   [](Keyer& k, KeyingThread&) -> std::optional<KeyingThread::Ticket> {
                       k.interrupt();
                       return std::nullopt;
                   },
                   "111", true, false, 0}),
    [](const ::testing::TestParamInfo<ThreadCase>& info) { return std::string(info.param.name); });

TEST_F(SendingTest, SpeedChangeOnTheKeyingThreadAppliesFromTheNextCharacter) {
    HoldingLine held(clock, 2, 0);  // the first T's release
    keyer.setKeyLine(&held);
    std::mutex m;
    std::condition_variable cv;
    KeyingThread keying(keyer, [&] {
        std::lock_guard<std::mutex> lock(m);
        cv.notify_all();
    });
    const auto t = keying.start("TT");
    held.whileHeld([&] { keyer.setSpeedWpm(25); });
    {
        std::unique_lock<std::mutex> lock(m);
        ASSERT_TRUE(cv.wait_for(lock, std::chrono::seconds(10), [&] { return keying.finished(*t); }));
    }
    keying.collect(*t);
    const auto slow = std::chrono::nanoseconds(92'307'692);
    const auto& s = held.record().settings();
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[1].at - s[0].at, 3 * slow);
    EXPECT_EQ(s[2].at - s[0].at, 7 * slow);
    EXPECT_EQ(s[3].at - s[2].at, 3 * std::chrono::milliseconds(48));
}

}  // namespace
}  // namespace vl::keyer
