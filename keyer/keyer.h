#pragma once
// The CW sender: keys text in Morse code on a key line, one character at a
// time, and lets its caller run other work between characters.
//
// The line is set at each edge, with one call; units that leave it as it is
// make no call. Every character ends with the line released.
//
// Timing: one unit lasts 1.2 s / `swpm`, the unit of the PARIS word.
// `TimeTick` still holds the speed in the calibrated blocks of the keyer's
// arithmetic, but its rounding (4500 / 40 = 112.5 gives 112) does not make
// the keying slower or faster than the chosen speed. Every edge is timed
// against an absolute deadline on the monotonic clock, counted from the start
// of the text, so errors never add up over a message.
//
// Threads: the window's thread owns the speed variables; the sending runs on
// the keying thread (keying_thread.h). They share only `stopsend`, the unit
// length `set_speed` publishes and the interruption, all atomic.
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "keyer/clock.h"
#include "keyer/key_line.h"
#include "keyer/steady_clock.h"

namespace vl::keyer {

class Keyer {
public:
    Keyer();
    Keyer(const Keyer&) = delete;
    Keyer& operator=(const Keyer&) = delete;

    // The window's CW variables.
    std::int16_t speed = 0;           // the calibration's result
    std::int32_t Timing_Adjust = 0;   // blocks per unit at 1 word per minute
    std::int16_t swpm = 13;           // sending speed in words per minute
    std::int16_t TimeTick = 0;        // blocks per unit at `swpm`
    std::atomic<std::int16_t> stopsend{0};  // 1: the operator asked to stop

    // Start-up's first step: times the calibration loop, picks `speed` from
    // the table, then `Timing_Adjust` = speed, `swpm` = 13, `stopsend` = 0,
    // and `set_speed` with 13.
    void calibrate();
    // X of the last calibration, in hundredths of a second.
    float calibrationTime() const { return calibrationX_; }

    void Set_Timing_Adjust(std::int16_t& value);
    // `TimeTick` = Timing_Adjust / wpm, halves to the even neighbour, held to
    // 16 bits. A speed of 0 leaves `TimeTick` as it is. Publishes the unit
    // length of `swpm` for the next character keyed.
    void set_speed(std::int32_t& wpm);

    // The speed commands: `swpm` is set and `set_speed` called with it. The
    // steps of 25 % round halves to even and keep `swpm` within 1..32767.
    void setSpeedWpm(int wpm);
    void increaseSpeed25();
    void decreaseSpeed25();

    // Keys the text. Before each character the stop flag is checked: when it
    // is 1 the text is set to "" and the call returns. After each character's
    // last element the event pump runs (ESC, a timer tick or another send may
    // run inside it; a nested send starts when the character ends), and again
    // once the character's closing released units are over. A character that is not in the Morse
    // table is skipped: it keys nothing and takes no time. When the key line
    // fails, sending stops, the line is released if it can be, `stopsend`
    // becomes 1 (so an interrupted outer send stops too, with no second
    // error), the text is set to "" and the error is returned.
    std::optional<KeyError> Send_String(std::string& text);
    // Send_String for a text whose send command found `stopsend` at 0: the
    // first character is keyed even when ESC came meanwhile, as it would have
    // been had the command keyed it at once.
    std::optional<KeyError> keyText(std::string& text);
    // Keys one character, including its closing released units.
    std::optional<KeyError> Send_Character(char c);

    // ESC: `stopsend` = 1.
    void stop() { stopsend = 1; }

    // From any thread: `stopsend` = 1, and the character being keyed ends at
    // once with the line released; nothing is keyed until resume().
    void interrupt();
    void resume();
    bool interrupted() const { return interrupted_.load(std::memory_order_acquire); }

    // The length of one unit at the present speed `swpm`.
    Clock::Duration unitLength() const;

    // No line (null): sending keeps its timing but keys nothing.
    void setKeyLine(KeyLine* line);
    void setEventPump(std::function<void()> pump) { pump_ = std::move(pump); }
    // Work that may run only when the next edge is at least kSpareTime away,
    // such as telling another thread what happened.
    void setSpareTimeTask(std::function<void()> task) { spareTask_ = std::move(task); }
    static constexpr Clock::Duration kSpareTime = std::chrono::milliseconds(3);
    // Null restores the real clock.
    void setClock(Clock* clock);
    // The real clock, for its record of late wake-ups.
    SteadyClock& realClock() { return steadyClock_; }

    // Lateness after which the next character is scheduled from now rather
    // than from the running schedule: this, or half a unit when that is more.
    // A character that starts a little late (the thread woke late) keeps to
    // the schedule, so the message keeps its length; after a long pause (slow
    // work between characters) it starts from now with its elements whole.
    static constexpr Clock::Duration kReanchorAfter = std::chrono::milliseconds(1);

private:
    std::optional<KeyError> setLine(bool keyed);
    std::optional<KeyError> failed(KeyError error);
    // Keys the character's units from `start` on; its end time in `end`.
    // Returns at its last edge, before the closing released units are over.
    std::optional<KeyError> keyCharacter(char c, Clock::TimePoint start, Clock::TimePoint& end);
    std::optional<KeyError> sendFrom(std::string& text, std::size_t firstChecked);
    void waitUntil(Clock::TimePoint deadline);
    // Leaves the line released after an interruption.
    void releaseInterrupted();

    SteadyClock steadyClock_;
    Clock* clock_ = &steadyClock_;
    KeyLine* line_ = nullptr;
    std::function<void()> pump_;
    std::function<void()> spareTask_;
    // The unit length the sender uses, in nanoseconds (see set_speed).
    std::atomic<std::int64_t> unitNanos_{0};
    std::atomic<bool> interrupted_{false};
    float calibrationX_ = 0;
    // What the line was last set to; unknown after a new line or a failure.
    std::optional<bool> lineState_;
    // When the last character keyed ends: no character starts before it,
    // also when a send runs nested inside another.
    Clock::TimePoint lineFreeAt_{};
};

// Rounds to the nearest integer, halves to the even neighbour.
double roundHalfEven(double value);

}  // namespace vl::keyer
