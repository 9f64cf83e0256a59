#include "entry/callsign_rules.h"

#include "entry/callsign_text.h"
#include "logbook/quoted_line.h"

namespace vl::entry {

namespace {

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
constexpr unsigned char kZero = static_cast<unsigned char>(kSlashedZero);

}  // namespace

CallsignShape checkCallsignShape(std::string_view call) {
    const size_t n = call.size();
    if (n == 0) return {false, 1};
    if (n < 3) return {false, 2};
    const auto c1 = static_cast<unsigned char>(call[0]);
    const auto c2 = static_cast<unsigned char>(call[1]);
    const auto c3 = static_cast<unsigned char>(call[2]);
    if (c1 == kZero && c2 == kZero) return {false, 3};
    if (c2 == kZero && c3 != kZero) return {true, 4};
    if (c2 != kZero && c3 == kZero) return {true, 5};
    if (isDigit(c2) && isDigit(c3)) return {false, 6};
    if (n == 3 && c1 >= 65 && isDigit(c2) && c3 >= 65) return {true, 7};
    if (isDigit(c1) && isDigit(c2)) return {false, 8};
    if (c2 > 57 && c3 > 57) return {false, 9};
    return {true, 10};
}

std::string defaultReport(std::string_view modeText) {
    return logbook::trimBlanks(modeText) == "PHN" ? "59" : "599";
}

std::string reportAfterModeChange(std::string_view report, std::string_view modeBefore,
                                  std::string_view modeNow) {
    return logbook::trimBlanks(report) == defaultReport(modeBefore) ? defaultReport(modeNow)
                                                                     : std::string(report);
}

}  // namespace vl::entry
