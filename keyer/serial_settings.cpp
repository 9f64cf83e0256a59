#include "keyer/serial_settings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <vector>

#include "logbook/quoted_line.h"

namespace vl::keyer {

namespace {

constexpr std::array kBaudRates{110, 300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

std::optional<int> wholeNumber(std::string_view text) {
    text = logbook::trimBlanks(text);
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<SerialSettings> parseSerialSettings(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    while (true) {
        std::size_t comma = text.find(',', from);
        parts.push_back(text.substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from));
        if (comma == std::string_view::npos) break;
        from = comma + 1;
    }
    if (parts.size() != 4) return std::nullopt;

    SerialSettings s;
    auto baud = wholeNumber(parts[0]);
    auto data = wholeNumber(parts[2]);
    auto stop = wholeNumber(parts[3]);
    std::string_view parity = logbook::trimBlanks(parts[1]);
    if (!baud || std::find(kBaudRates.begin(), kBaudRates.end(), *baud) == kBaudRates.end()) return std::nullopt;
    if (!data || *data < 5 || *data > 8) return std::nullopt;
    if (!stop || (*stop != 1 && *stop != 2)) return std::nullopt;
    if (parity.size() != 1) return std::nullopt;
    char p = parity[0];
    if (p >= 'a' && p <= 'z') p = static_cast<char>(p - 'a' + 'A');
    if (p != 'N' && p != 'E' && p != 'O') return std::nullopt;
    s.baud = *baud;
    s.parity = p;
    s.dataBits = *data;
    s.stopBits = *stop;
    return s;
}

}  // namespace vl::keyer
