#pragma once
// The exported files are plain ASCII. The log's Windows-1252 text is brought
// there letter by letter: an accented letter loses its accent, a ligature or
// sign is spelled out, and nothing is dropped without a trace (a byte with no
// spelling becomes "?").
#include <string>
#include <string_view>

namespace vl::exports {

// Each byte in ASCII: "Ø" gives "O", "é" gives "e", "ß" gives "ss", "€" gives
// "EUR"; ASCII bytes stay, control characters become blanks.
std::string asciiText(std::string_view cp1252);

// A callsign: blanks around it removed, the slashed zero (Ø) back to the
// digit 0, any other letter as asciiText spells it.
std::string asciiCall(std::string_view cp1252);

// The text with blanks removed at both ends, in ASCII.
std::string asciiTrimmed(std::string_view cp1252);

}  // namespace vl::exports
