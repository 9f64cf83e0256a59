#include <gtest/gtest.h>

#include "entry/pattern.h"
#include "temp_folder.h"

namespace vl::entry {
namespace {

struct PatternCase {
    const char* text;
    const char* pattern;
    bool matches;
    friend std::ostream& operator<<(std::ostream& os, const PatternCase& c) {
        return os << '"' << c.text << "\" against \"" << c.pattern << '"';
    }
};

class PatternTest : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PatternTest, MatchesTheWholeText) {
    const PatternCase& c = GetParam();
    EXPECT_EQ(matchesPattern(c.text, c.pattern), c.matches)
        << "\"" << c.text << "\" against \"" << c.pattern << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PatternTest,
    ::testing::Values(
        // * any run, also none
        PatternCase{"W1AW", "W*", true}, PatternCase{"W", "W*", true},
        PatternCase{"K1AW", "W*", false}, PatternCase{"W1AWAW", "*AW", true},
        PatternCase{"AXBXC", "A*B*C", true}, PatternCase{"ACB", "A*B*C", false},
        PatternCase{"", "*", true}, PatternCase{"", "", true}, PatternCase{"A", "", false},
        // # one digit, ? one character
        PatternCase{"K1AB", "K#??", true}, PatternCase{"K1A", "K#??", false},
        PatternCase{"KAAB", "K#??", false}, PatternCase{"K\xD8" "AB", "K#??", false},
        PatternCase{"W1AW", "W?AW", true}, PatternCase{"W1AW", "W?W", false},
        // lists and ranges
        PatternCase{"B", "[A-C]", true}, PatternCase{"D", "[A-C]", false},
        PatternCase{"D", "[!A-C]", true}, PatternCase{"B", "[!A-C]", false},
        PatternCase{"KX1", "K[WXY]#", true}, PatternCase{"-", "[A-]", true},
        PatternCase{"?", "[?]", true}, PatternCase{"X", "[?]", false},
        PatternCase{"B", "[C-A]", false}, PatternCase{"AB", "A[]B", true},
        PatternCase{"\xD8", "[\xC0-\xDF]", true},  // ranges by unsigned code
        PatternCase{"A", "[\xC0-\xDF]", false},
        // everything else is itself, with case
        PatternCase{"W1AW", "W1AW", true}, PatternCase{"w1aw", "W1AW", false},
        PatternCase{"W1AW", "W1A", false}, PatternCase{"]", "]", true},
        // an unclosed bracket is itself
        PatternCase{"[W", "[W", true}, PatternCase{"W", "[W", false},
        PatternCase{"A[B", "A[*", true}));

}  // namespace
}  // namespace vl::entry
