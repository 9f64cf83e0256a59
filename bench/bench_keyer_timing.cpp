// Measures how closely the keyer's edges follow the ideal schedule: a test
// message is keyed on a line that stores the monotonic time of every edge, and
// each is compared with the time the unit arithmetic gives for it. Run idle. Options: "--quick" keys only the 40 wpm
// pass; "--margin-us N" spins N microseconds before each edge instead of the
// default.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "keyer/keyer.h"
#include "keyer/morse_table.h"
#include "keyer/recording_key_line.h"
#include "keyer/steady_clock.h"

using namespace vl::keyer;
using Micros = std::chrono::duration<double, std::micro>;

namespace {

const std::string kText = "CQ TEST DE N\xD8" "CALL N\xD8" "CALL K";

double percentile(std::vector<double> sorted, double p) {
    std::size_t i = static_cast<std::size_t>(std::ceil(p * static_cast<double>(sorted.size()))) - 1;
    return sorted[std::min(i, sorted.size() - 1)];
}

void run(Keyer& keyer, SteadyClock& clock, int wpm) {
    keyer.setSpeedWpm(wpm);
    keyer.stopsend = 0;
    const Clock::Duration unit = keyer.unitLength();
    RecordingKeyLine line(clock, 256);
    keyer.setKeyLine(&line);

    std::string text = kText;
    Clock::TimePoint start = clock.now();
    keyer.Send_String(text);
    Clock::TimePoint end = clock.now();
    keyer.setKeyLine(nullptr);

    // The ideal time of every edge, in units from the start; the line starts
    // released and is set only when it changes.
    std::vector<long> edgesAt;
    long units = 0;
    bool keyed = false;
    for (char c : kText) {
        for (char u : morseUnits(c)) {
            if ((u == '1') != keyed) edgesAt.push_back(units);
            keyed = u == '1';
            ++units;
        }
    }
    const auto& s = line.settings();
    if (s.size() != edgesAt.size()) {
        std::printf("%d wpm: %zu edges recorded, %zu expected\n", wpm, s.size(), edgesAt.size());
        return;
    }
    std::vector<double> errors;
    for (std::size_t i = 0; i < s.size(); ++i) {
        Clock::TimePoint ideal = start + edgesAt[i] * unit;
        errors.push_back(std::abs(Micros(s[i].at - ideal).count()));
    }
    std::sort(errors.begin(), errors.end());

    double idealTotal = Micros(units * unit).count();
    double total = Micros(end - start).count();
    double paris = 1.2e6 / wpm * static_cast<double>(units);
    long over1ms = std::count_if(errors.begin(), errors.end(), [](double e) { return e > 1000; });
    std::printf("%2d wpm  unit %8.3f ms  %zu edges  median %6.1f us  p99 %7.1f us  worst %7.1f us  "
                "over 1 ms: %ld  total %.3f s (%+.4f %%; %+.3f %% from 1.2 s/wpm)\n",
                wpm, Micros(unit).count() / 1000, errors.size(), percentile(errors, 0.5),
                percentile(errors, 0.99), errors.back(), over1ms, total / 1e6,
                100 * (total - idealTotal) / idealTotal, 100 * (total - paris) / paris);
}

}  // namespace

int main(int argc, char** argv) {
    bool quick = false;
    Clock::Duration margin = SteadyClock::kDefaultSpinMargin;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) quick = true;
        if (std::strcmp(argv[i], "--margin-us") == 0 && i + 1 < argc) margin = std::chrono::microseconds(std::atoi(argv[++i]));
    }
    SteadyClock clock(margin);
    Keyer keyer;
    keyer.setClock(&clock);
    keyer.calibrate();
    std::printf("calibration: X = %.2f hundredths, speed %d, TimeTick %d at %d wpm\n", keyer.calibrationTime(),
                keyer.speed, keyer.TimeTick, keyer.swpm);
    std::printf("spin margin %.0f us\n", Micros(margin).count());
    std::printf("text \"CQ TEST DE N0CALL N0CALL K\" (slashed zeros)\n");
    for (int wpm : {13, 25, 40}) {
        if (quick && wpm != 40) continue;
        run(keyer, clock, wpm);
    }
    return 0;
}
