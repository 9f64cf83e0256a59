#pragma once
// The program's text is single-byte Windows-1252. The one table of the code
// page's bytes 0x80 to 0x9F lives here; every conversion to and from Unicode
// goes through it.
namespace vl::logbook {

// The letter Ø, which the callsign box and the keyer use for a zero.
inline constexpr char kSlashedZero = static_cast<char>(0xD8);

// The Windows-1252 capital of `c`: a-z, à-þ (except ÷) and š, œ, ž, ÿ; every
// other character comes back unchanged (ß and µ have no single-byte capital).
char upperCp1252(char c);

// The five bytes the code page leaves undefined: 0x81, 0x8D, 0x8F, 0x90, 0x9D.
bool undefinedInCp1252(unsigned char byte);

// The Unicode code point of a byte (0x80 "€" gives U+20AC, 0xD8 U+00D8). An
// undefined byte gives the C1 control code point of the same number.
char32_t unicodeFromCp1252(unsigned char byte);

// The byte for a code point, or -1 when the code page has no place for it
// (C1 control code points included: no defined byte decodes to them).
int cp1252FromUnicode(char32_t code);

}  // namespace vl::logbook
