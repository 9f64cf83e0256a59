#pragma once
// The one place where the window's text meets the program's single-byte
// Windows-1252 files.
#include <QString>
#include <string>
#include <string_view>

namespace vl::ui {

std::string toCp1252(const QString& text);
QString fromCp1252(std::string_view bytes);

// True when every character of the text has a place in Windows-1252.
bool fitsCp1252(QChar c);

// What the program lets through to its files: a character outside the code
// page is dropped, a double quote (the file format cannot carry one) becomes
// an apostrophe and line breaks are removed.
QString cleanForFiles(const QString& text);

}  // namespace vl::ui
