// The Windows-1252 table every conversion of the program goes through.
#include <gtest/gtest.h>

#include "logbook/code_page.h"

namespace vl::logbook {
namespace {

struct Mapping {
    unsigned char byte;
    char32_t code;
};

class CodePage : public ::testing::TestWithParam<Mapping> {};

TEST_P(CodePage, ByteAndCodePointMapBothWays) {
    const Mapping m = GetParam();
    EXPECT_EQ(unicodeFromCp1252(m.byte), m.code);
    EXPECT_EQ(cp1252FromUnicode(m.code), m.byte);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, CodePage,
    ::testing::Values(Mapping{0x41, U'A'}, Mapping{0x00, 0}, Mapping{0x7F, 0x7F},
                      Mapping{0x80, 0x20AC}, Mapping{0x82, 0x201A}, Mapping{0x8A, 0x0160},
                      Mapping{0x8E, 0x017D}, Mapping{0x91, 0x2018}, Mapping{0x96, 0x2013},
                      Mapping{0x99, 0x2122}, Mapping{0x9F, 0x0178}, Mapping{0xA0, 0xA0},
                      Mapping{0xD8, 0xD8}, Mapping{0xFF, 0xFF}),
    [](const auto& info) { return "x" + std::to_string(info.param.byte); });

TEST(CodePage, EveryDefinedByteComesBackAndOnlyFiveAreUndefined) {
    int undefined = 0;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        if (undefinedInCp1252(byte)) {
            ++undefined;
            EXPECT_EQ(unicodeFromCp1252(byte), static_cast<char32_t>(b)) << b;
            EXPECT_EQ(cp1252FromUnicode(static_cast<char32_t>(b)), -1) << b;
        } else {
            EXPECT_EQ(cp1252FromUnicode(unicodeFromCp1252(byte)), b) << b;
        }
    }
    EXPECT_EQ(undefined, 5);
    for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_TRUE(undefinedInCp1252(b)) << int{b};
}

TEST(CodePage, CharactersOutsideTheCodePageHaveNoByte) {
    for (char32_t code : {char32_t{0x80}, char32_t{0x9F}, char32_t{0x100}, char32_t{0x2603},
                          char32_t{0xFFFD}, char32_t{0x1F600}}) {
        EXPECT_EQ(cp1252FromUnicode(code), -1) << static_cast<unsigned>(code);
    }
}

TEST(CodePage, SlashedZeroIsTheLetterOWithStroke) {
    EXPECT_EQ(unicodeFromCp1252(static_cast<unsigned char>(kSlashedZero)), U'\u00D8');
}

}  // namespace
}  // namespace vl::logbook
