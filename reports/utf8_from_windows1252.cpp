#include "reports/utf8_from_windows1252.h"

#include "logbook/code_page.h"

namespace vl::reports {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Code points of the code page stay below U+10000: three bytes at most.
void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::string utf8FromWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        appendUtf8(out, logbook::undefinedInCp1252(byte) ? kReplacement
                                                          : logbook::unicodeFromCp1252(byte));
    }
    return out;
}

}  // namespace vl::reports
