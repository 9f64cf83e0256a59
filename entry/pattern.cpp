#include "entry/pattern.h"

#include "logbook/quoted_line.h"

namespace vl::entry {

namespace {

unsigned char byteAt(std::string_view s, size_t i) { return static_cast<unsigned char>(s[i]); }

}  // namespace

CallPattern::CallPattern(std::string_view p) {
    for (size_t i = 0; i < p.size(); ++i) {
        const unsigned char c = byteAt(p, i);
        if (c == '*') {
            // A run of stars is one star.
            if (tokens_.empty() || tokens_.back().kind != Token::Kind::Star) {
                tokens_.push_back({Token::Kind::Star});
            }
            continue;
        }
        if (c == '?') {
            tokens_.push_back({Token::Kind::Any});
            continue;
        }
        if (c == '#') {
            tokens_.push_back({Token::Kind::Digit});
            continue;
        }
        if (c == '[') {
            const size_t close = p.find(']', i + 1);
            if (close != std::string_view::npos) {
                std::string_view list = p.substr(i + 1, close - i - 1);
                i = close;
                if (list.empty()) continue;  // "[]" matches the empty text
                bool negate = false;
                if (list.front() == '!') {
                    negate = true;
                    list.remove_prefix(1);
                }
                Token t{Token::Kind::Set};
                for (size_t k = 0; k < list.size(); ++k) {
                    const unsigned char from = byteAt(list, k);
                    if (k + 2 < list.size() && list[k + 1] == '-') {
                        const unsigned char to = byteAt(list, k + 2);
                        for (unsigned v = from; v <= to; ++v) t.set.set(v);
                        k += 2;
                    } else {
                        t.set.set(from);
                    }
                }
                if (negate) t.set.flip();
                tokens_.push_back(std::move(t));
                continue;
            }
        }
        tokens_.push_back({Token::Kind::Char, c});
    }
}

bool CallPattern::matches(std::string_view text) const {
    auto one = [&](const Token& t, unsigned char c) {
        switch (t.kind) {
            case Token::Kind::Char: return c == t.ch;
            case Token::Kind::Any: return true;
            case Token::Kind::Digit: return c >= '0' && c <= '9';
            case Token::Kind::Set: return t.set.test(c);
            case Token::Kind::Star: return false;
        }
        return false;
    };
    // Every token but the star takes exactly one character, so going back to
    // the last star seen is enough: no exponential backtracking.
    size_t ti = 0, si = 0;
    size_t starToken = std::string_view::npos, starText = 0;
    while (si < text.size()) {
        if (ti < tokens_.size() && tokens_[ti].kind == Token::Kind::Star) {
            starToken = ti++;
            starText = si;
        } else if (ti < tokens_.size() && one(tokens_[ti], byteAt(text, si))) {
            ++ti;
            ++si;
        } else if (starToken != std::string_view::npos) {
            ti = starToken + 1;
            si = ++starText;
        } else {
            return false;
        }
    }
    while (ti < tokens_.size() && tokens_[ti].kind == Token::Kind::Star) ++ti;
    return ti == tokens_.size();
}

bool matchesPattern(std::string_view text, std::string_view pattern) {
    return CallPattern(pattern).matches(text);
}

CallMatcher::CallMatcher(std::string_view typed)
    : n_(typed.size()), wanted_(logbook::trimBlanks(typed)), pattern_(wanted_) {}

bool CallMatcher::operator()(std::string_view call) const {
    return pattern_.matches(logbook::trimBlanks(call)) || call.substr(0, n_) == wanted_;
}

}  // namespace vl::entry
