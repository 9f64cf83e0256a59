#include "ui/text_codec.h"

#include "entry/callsign_text.h"
#include "logbook/code_page.h"

namespace vl::ui {

namespace {

int byteFor(QChar c) { return logbook::cp1252FromUnicode(c.unicode()); }

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
        // Every code point of the code page lies in the 16-bit plane.
        const char32_t code = logbook::unicodeFromCp1252(static_cast<unsigned char>(ch));
        out.append(QChar(static_cast<char16_t>(code)));
    }
    return out;
}

QString cleanForFiles(const QString& text) {
    return fromCp1252(entry::sanitizeForFile(toCp1252(text)));
}

}  // namespace vl::ui
