#include "ui/text_codec.h"

#include "entry/callsign_text.h"


namespace vl::ui {

namespace {

// Windows-1252 bytes 0x80 to 0x9F; 0 marks the five unassigned bytes.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int byteFor(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == u) return 0x80 + i;
    }
    return -1;
}

}  // namespace

bool fitsCp1252(QChar c) { return byteFor(c) >= 0; }

std::string toCp1252(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        const int b = byteFor(c);
        if (b >= 0) out.push_back(static_cast<char>(b));
    }
    return out;
}

QString fromCp1252(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b <= 0x9F) {
            const char16_t u = kHighControls[b - 0x80];
            out.append(QChar(u != 0 ? u : b));
        } else {
            out.append(QChar(b));
        }
    }
    return out;
}

QString cleanForFiles(const QString& text) {
    return fromCp1252(entry::sanitizeForFile(toCp1252(text)));
}

}  // namespace vl::ui
