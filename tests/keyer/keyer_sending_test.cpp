#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "keyer/keyer.h"
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

}  // namespace
}  // namespace vl::keyer
