#pragma once
#include <QPlainTextEdit>
#include <string_view>

#include "ui/text_codec.h"

namespace vl::ui {

// Shows a program text of CR LF-ended lines in a multi-line box.
inline void setDisplayText(QPlainTextEdit* box, std::string_view text) {
    QString shown = fromCp1252(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (shown.endsWith(QLatin1Char('\n'))) shown.chop(1);
    box->setPlainText(shown);
}

// The program's own texts are Windows-1252.
inline QString q(std::string_view text) { return fromCp1252(text); }

}  // namespace vl::ui
