#include "logbook/code_page.h"

namespace vl::logbook {

namespace {

// Bytes 0x80 to 0x9F; 0 marks a byte the code page does not define.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

bool inHighControls(unsigned char byte) { return byte >= 0x80 && byte <= 0x9F; }

}  // namespace

char upperCp1252(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 0x20);
    switch (b) {
        case 0x9A: return static_cast<char>(0x8A);  // š
        case 0x9C: return static_cast<char>(0x8C);  // œ
        case 0x9E: return static_cast<char>(0x8E);  // ž
        case 0xFF: return static_cast<char>(0x9F);  // ÿ
        default: return c;
    }
}

bool undefinedInCp1252(unsigned char byte) {
    return inHighControls(byte) && kHighControls[byte - 0x80] == 0;
}

char32_t unicodeFromCp1252(unsigned char byte) {
    if (!inHighControls(byte) || kHighControls[byte - 0x80] == 0) return byte;
    return kHighControls[byte - 0x80];
}

int cp1252FromUnicode(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
    if (code < 0xA0) return -1;  // C1 controls
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == code) return 0x80 + i;
    }
    return -1;
}

}  // namespace vl::logbook
