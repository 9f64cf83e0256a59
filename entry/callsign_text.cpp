#include "entry/callsign_text.h"

namespace vl::entry {

namespace {

unsigned char byte(char c) { return static_cast<unsigned char>(c); }

bool isZeroLike(char c) { return c == '0' || c == kSlashedZero; }

}  // namespace

std::string sanitizeForFile(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const unsigned char b = byte(c);
        if (b < 0x20 || b == 0x7F) continue;
        out += c == '"' ? '\'' : c;
    }
    return out;
}

std::string upperForBox(std::string_view typed) {
    std::string out = sanitizeForFile(typed);
    for (char& c : out) c = upperCp1252(c);
    return out;
}

std::string filterCallsignInput(std::string_view typed) {
    std::string out = upperForBox(typed);
    for (char& c : out) {
        if (c == '0') c = kSlashedZero;
    }
    return out;
}

bool isOwnCall(std::string_view typed, std::string_view registered) {
    if (typed.empty() || typed.size() != registered.size()) return false;
    for (size_t i = 0; i < typed.size(); ++i) {
        if (typed[i] == registered[i]) continue;
        if (isZeroLike(typed[i]) && isZeroLike(registered[i])) continue;
        return false;
    }
    return true;
}

}  // namespace vl::entry
