#pragma once
// Windows-1252 text as UTF-8, for the few places where the program's
// single-byte text meets something that expects UTF-8 (file names on Linux).
#include <string>
#include <string_view>

namespace vl::reports {

// Each byte as its character in UTF-8 (0xD8 "Ø" gives C3 98, 0x80 "€" gives
// E2 82 AC). The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) give U+FFFD.
std::string utf8FromWindows1252(std::string_view text);

}  // namespace vl::reports
