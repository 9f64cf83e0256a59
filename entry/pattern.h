#pragma once
// Callsign patterns of the two searches, matched against the whole text,
// character by character, with case (characters compared as unsigned bytes):
//   ?        any one character
//   *        any run of characters, also none
//   #        one digit "0" to "9" (Ø is not a digit)
//   [list]   one character of the list; "A-C" in a list is a range by
//            character code; a "-" first or last in the list is itself;
//            "?", "*" and "#" in a list are themselves
//   [!list]  one character not in the list
//   []       nothing (matches the empty text at that place)
// Any other character matches only itself. A "[" without its closing "]"
// matches itself, as does a lone "]". A range written backwards ("[C-A]")
// holds no character.
#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace vl::entry {

class CallPattern {
public:
    explicit CallPattern(std::string_view pattern);
    bool matches(std::string_view text) const;

private:
    struct Token {
        enum class Kind { Char, Any, Digit, Set, Star } kind;
        unsigned char ch = 0;
        std::bitset<256> set{};  // Kind::Set: the characters that match
    };
    std::vector<Token> tokens_;
};

// The matching rule of both searches and of the log window's filter: the
// callsign (blanks at both ends removed) matches the trimmed typed text as a
// pattern, or else the callsign's first n characters equal the trimmed typed
// text, n being the length of the typed text with its blanks.
class CallMatcher {
public:
    explicit CallMatcher(std::string_view typed);
    // `call` as the record holds it (the log's padded field, or the
    // history's field as read).
    bool operator()(std::string_view call) const;

private:
    size_t n_;
    std::string wanted_;
    CallPattern pattern_;
};

// One-off match.
bool matchesPattern(std::string_view text, std::string_view pattern);

}  // namespace vl::entry
