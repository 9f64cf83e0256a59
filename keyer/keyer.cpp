#include "keyer/keyer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "keyer/calibration.h"
#include "keyer/line_guard.h"
#include "keyer/morse_table.h"

namespace vl::keyer {

namespace {

constexpr std::int64_t kNanosPerPARISWord = 1'200'000'000;  // 1.2 s: one unit at 1 wpm
constexpr std::int64_t kMaxInt16 = std::numeric_limits<std::int16_t>::max();
constexpr std::int64_t kMinInt16 = std::numeric_limits<std::int16_t>::min();

// a / b rounded to the nearest integer, halves to even; b != 0.
std::int64_t divideHalfEven(std::int64_t a, std::int64_t b) {
    if (b < 0) {
        a = -a;
        b = -b;
    }
    std::int64_t q = a / b;
    std::int64_t r = a % b;  // same sign as a
    std::int64_t twice = 2 * (r < 0 ? -r : r);
    if (twice > b || (twice == b && q % 2 != 0)) q += (a < 0 ? -1 : 1);
    return q;
}

std::int16_t clampSpeed(double wpm) {
    return static_cast<std::int16_t>(std::clamp(wpm, 1.0, static_cast<double>(kMaxInt16)));
}

}  // namespace

double roundHalfEven(double value) {
    double floor = std::floor(value);
    double rest = value - floor;
    if (rest > 0.5) return floor + 1;
    if (rest < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

Keyer::Keyer() = default;

void Keyer::setKeyLine(KeyLine* line) {
    line_ = line;
    lineState_.reset();
}

void Keyer::setClock(Clock* clock) {
    clock_ = clock ? clock : &steadyClock_;
    lineFreeAt_ = Clock::TimePoint{};  // a time of the old clock means nothing on the new one
}

void Keyer::calibrate() {
    calibrationX_ = timeCalibrationLoop(*clock_);
    speed = speedForCalibration(calibrationX_);
    swpm = 13;
    stopsend = 0;
    Set_Timing_Adjust(speed);
    std::int32_t wpm = swpm;
    set_speed(wpm);
}

void Keyer::Set_Timing_Adjust(std::int16_t& value) { Timing_Adjust = value; }

void Keyer::set_speed(std::int32_t& wpm) {
    if (wpm == 0) return;
    std::int64_t ticks = divideHalfEven(Timing_Adjust, wpm);
    TimeTick = static_cast<std::int16_t>(std::clamp(ticks, kMinInt16, kMaxInt16));
    unitNanos_.store(unitLength().count(), std::memory_order_relaxed);
}

void Keyer::setSpeedWpm(int wpm) {
    swpm = clampSpeed(wpm);
    std::int32_t copy = swpm;
    set_speed(copy);
}

void Keyer::increaseSpeed25() {
    swpm = clampSpeed(roundHalfEven(static_cast<double>(swpm) * 1.25));
    std::int32_t copy = swpm;
    set_speed(copy);
}

void Keyer::decreaseSpeed25() {
    swpm = clampSpeed(roundHalfEven(static_cast<double>(swpm) * 0.75));
    std::int32_t copy = swpm;
    set_speed(copy);
}

Clock::Duration Keyer::unitLength() const {
    if (swpm <= 0 || TimeTick <= 0) return Clock::Duration::zero();
    return Clock::Duration(divideHalfEven(kNanosPerPARISWord, swpm));
}

std::optional<KeyError> Keyer::setLine(bool keyed) {
    if (!line_) return std::nullopt;
    if (keyed && lineReleasedForGood()) return std::nullopt;  // the program is ending
    return line_->setKeyed(keyed);
}

std::optional<KeyError> Keyer::failed(KeyError error) {
    // Leave the transmitter unkeyed if the line still answers.
    lineState_.reset();
    if (line_ && !line_->setKeyed(false)) lineState_ = false;
    stopsend = 1;
    return error;
}

void Keyer::interrupt() {
    stopsend = 1;
    interrupted_.store(true, std::memory_order_release);
    clock_->interrupt();
}

void Keyer::resume() {
    clock_->resume();
    interrupted_.store(false, std::memory_order_release);
}

void Keyer::releaseInterrupted() {
    if (lineState_ != false) {
        lineState_.reset();
        if (!setLine(false)) lineState_ = false;
    }
    // The character was cut short: the line is free now.
    lineFreeAt_ = clock_->now();
}

void Keyer::waitUntil(Clock::TimePoint deadline) {
    if (spareTask_ && deadline - clock_->now() >= kSpareTime) spareTask_();
    clock_->sleepUntil(deadline);
}

std::optional<KeyError> Keyer::keyCharacter(char c, Clock::TimePoint start, Clock::TimePoint& end) {
    std::string_view units = morseUnits(c);
    // A speed change applies from the next character.
    const Clock::Duration unit(unitNanos_.load(std::memory_order_relaxed));
    Clock::TimePoint edge = start;
    for (char u : units) {
        bool keyed = u == '1';
        if (lineState_ != keyed) {  // only edges are timed and set
            waitUntil(edge);
            if (interrupted()) break;
            if (auto error = setLine(keyed)) return failed(std::move(*error));
            lineState_ = keyed;
        }
        edge += unit;
    }
    end = edge;
    lineFreeAt_ = std::max(lineFreeAt_, end);
    return std::nullopt;
}

std::optional<KeyError> Keyer::Send_Character(char c) {
    Clock::TimePoint end;
    if (auto error = keyCharacter(c, std::max(clock_->now(), lineFreeAt_), end)) return error;
    if (interrupted()) {
        releaseInterrupted();
        return std::nullopt;
    }
    waitUntil(end);
    return std::nullopt;
}

std::optional<KeyError> Keyer::Send_String(std::string& text) { return sendFrom(text, 0); }

std::optional<KeyError> Keyer::keyText(std::string& text) { return sendFrom(text, 1); }

// `stopsend` is looked at before every character from `firstChecked` on.
std::optional<KeyError> Keyer::sendFrom(std::string& text, std::size_t firstChecked) {
    const std::size_t n = text.size();
    if (n == 0) return std::nullopt;
    Clock::TimePoint next = std::max(clock_->now(), lineFreeAt_);
    for (std::size_t i = 0; i < n && i < text.size(); ++i) {
        if ((i >= firstChecked && stopsend == 1) || interrupted()) {
            text.clear();
            break;
        }
        Clock::TimePoint end;
        if (auto error = keyCharacter(text[i], next, end)) {
            text.clear();
            return error;
        }
        if (interrupted()) {
            text.clear();
            break;
        }
        // The other work runs in the character's closing released units; a
        // send started from it begins when this character ends. It runs again
        // once those units are over, so an ESC pressed meanwhile is seen
        // before the next character is keyed.
        if (pump_) {
            pump_();
            waitUntil(end);
            pump_();
        }
        next = std::max(end, lineFreeAt_);
        Clock::TimePoint now = clock_->now();
        const Clock::Duration halfUnit(unitNanos_.load(std::memory_order_relaxed) / 2);
        if (now - next > std::max(kReanchorAfter, halfUnit)) next = now;  // the work took long
    }
    if (interrupted()) {
        releaseInterrupted();
        return std::nullopt;
    }
    // Returns when the last character keyed is over, closing units included.
    waitUntil(lineFreeAt_);
    if (interrupted()) releaseInterrupted();
    return std::nullopt;
}

}  // namespace vl::keyer
