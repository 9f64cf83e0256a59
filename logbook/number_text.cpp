#include "logbook/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "logbook/quoted_line.h"

namespace vl::logbook {

std::optional<double> parseNumber(std::string_view text) {
    std::string_view t = trimBlanks(text);
    if (t.empty()) return std::nullopt;
    size_t i = 0;
    if (t[i] == '+' || t[i] == '-') ++i;
    size_t digits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < t.size() && t[j] >= '0' && t[j] <= '9') ++j, ++expDigits;
        if (expDigits == 0) return std::nullopt;
        i = j;
    }
    if (i != t.size()) return std::nullopt;
    // from_chars reads the decimal point whatever the process locale says
    // (strtod would stop at "." under a locale with a decimal comma).
    if (t.front() == '+') t.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool isNumber(std::string_view text) { return parseNumber(text).has_value(); }

std::string formatWithZeros(std::string_view text, int digits) {
    std::optional<double> value = parseNumber(text);
    if (!value || std::fabs(*value) > 1e15) return std::string(text);
    long long whole = std::llrint(*value);  // the default rounding: half to even
    char buffer[64];
    if (whole < 0) {
        std::snprintf(buffer, sizeof buffer, "-%0*lld", digits, -whole);
    } else {
        std::snprintf(buffer, sizeof buffer, "%0*lld", digits, whole);
    }
    return buffer;
}

}  // namespace vl::logbook
