#include "exports/ascii_text.h"

#include <array>

#include "logbook/code_page.h"
#include "logbook/quoted_line.h"

namespace vl::exports {

namespace {

// The ASCII spelling of each Windows-1252 byte from 0x80 to 0xFF, in order.
// The five bytes the code page leaves undefined are "?".
constexpr std::array<std::string_view, 128> kSpelling = {
    // 0x80
    "EUR", "?", ",", "f", "\"", "...", "+", "++", "^", "%o", "S", "<", "OE", "?", "Z", "?",
    // 0x90
    "?", "'", "'", "\"", "\"", "*", "-", "-", "~", "TM", "s", ">", "oe", "?", "z", "Y",
    // 0xA0
    " ", "!", "c", "GBP", "$", "JPY", "|", "S", "\"", "(C)", "a", "<<", "-", "-", "(R)", "-",
    // 0xB0
    "o", "+/-", "2", "3", "'", "u", "P", ".", ",", "1", "o", ">>", "1/4", "1/2", "3/4", "?",
    // 0xC0
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
    // 0xD0
    "D", "N", "O", "O", "O", "O", "O", "x", "O", "U", "U", "U", "U", "Y", "TH", "ss",
    // 0xE0
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    // 0xF0
    "d", "n", "o", "o", "o", "o", "o", "/", "o", "u", "u", "u", "u", "y", "th", "y",
};

std::string spelled(std::string_view text, bool call) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (call && ch == logbook::kSlashedZero) {
            out += '0';
        } else if (byte >= 0x80) {
            out += kSpelling[byte - 0x80];
        } else if (byte < 0x20 || byte == 0x7F) {
            out += ' ';
        } else {
            out += ch;
        }
    }
    return out;
}

}  // namespace

std::string asciiText(std::string_view cp1252) { return spelled(cp1252, false); }

std::string asciiCall(std::string_view cp1252) {
    return spelled(logbook::trimBlanks(cp1252), true);
}

std::string asciiTrimmed(std::string_view cp1252) {
    return asciiText(logbook::trimBlanks(cp1252));
}

}  // namespace vl::exports
