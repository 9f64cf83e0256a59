#include "reports/sheet_file_name.h"

#include <gtest/gtest.h>

#include <string>

#include "reports/utf8_from_windows1252.h"

namespace vl::reports {
namespace {

struct NameCase {
    const char* label;
    std::string call;
    std::string year;
    std::string shown;   // Windows-1252
    std::string onDisk;  // UTF-8
    bool adjusted;
};

std::string repeat(std::string_view part, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += part;
    return out;
}

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.label; }

class SheetFileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(SheetFileNameTest, GivesASafeName) {
    const NameCase& c = GetParam();
    const SheetFileName name = sheetFileName(c.call, c.year);
    EXPECT_EQ(name.shown, c.shown);
    EXPECT_EQ(name.onDisk, c.onDisk);
    EXPECT_EQ(name.adjusted, c.adjusted);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SheetFileNameTest,
    ::testing::Values(
        NameCase{"plain", "W1AW", "2026", "W1AW2026.txt", "W1AW2026.txt", false},
        NameCase{"blanks kept", "W1AW ", " 2026", "W1AW  2026.txt", "W1AW  2026.txt", false},
        NameCase{"portable", "W1AW/4", "2026", "W1AW-42026.txt", "W1AW-42026.txt", true},
        NameCase{"slash in year", "W1AW", "2026/27", "W1AW2026-27.txt", "W1AW2026-27.txt", true},
        NameCase{"backslash and colon", "A\\B:C", "", "A-B-C.txt", "A-B-C.txt", true},
        NameCase{"nul", std::string("W1\0AW", 5), "2026", "W1-AW2026.txt", "W1-AW2026.txt", true},
        NameCase{"slashed zero", "N\xD8" "CALL", "2026", "N\xD8" "CALL2026.txt",
                 "N\xC3\x98" "CALL2026.txt", false},
        NameCase{"euro sign", "\x80", "1", "\x80" "1.txt", "\xE2\x82\xAC" "1.txt", false},
        NameCase{"undefined byte", "A\x81", "1", "A-1.txt", "A-1.txt", true},
        NameCase{"dot", ".", "", "-.txt", "-.txt", true},
        NameCase{"dot dot", "..", "", "--.txt", "--.txt", true},
        NameCase{"empty", "", "", "NOCALL.txt", "NOCALL.txt", true},
        NameCase{"own log file", "VLQSOLOG", "", "VLQSOLOG-sheet.txt", "VLQSOLOG-sheet.txt", true},
        NameCase{"working name", "VLLogOut", "", "VLLogOut-sheet.txt", "VLLogOut-sheet.txt", true},
        // A megabyte call is cut where the next character's UTF-8 bytes would
        // pass 251 (255 less ".txt"), and is cut in one pass.
        NameCase{"megabyte of euro signs", std::string(1'000'000, '\x80'), "2026",
                 std::string(83, '\x80') + ".txt", repeat("\xE2\x82\xAC", 83) + ".txt", true},
        NameCase{"two-byte character on the edge", std::string(250, 'A') + std::string(1'000'000, '\xD8'),
                 "", std::string(250, 'A') + ".txt", std::string(250, 'A') + ".txt", true}),
    [](const auto& info) {
        std::string label = info.param.label;
        for (char& c : label) {
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        return label;
    });

TEST(SheetFileName, LongNameIsCutToFitTheFileSystem) {
    const SheetFileName name = sheetFileName(std::string(300, '\xD8'), "2026");
    EXPECT_LE(name.onDisk.size(), 255u);
    EXPECT_EQ(name.onDisk.substr(name.onDisk.size() - 6), "\xC3\x98.txt");
    EXPECT_EQ(utf8FromWindows1252(name.shown), name.onDisk);
}

TEST(Utf8FromWindows1252, MapsTheHighHalfByTheCodePage) {
    EXPECT_EQ(utf8FromWindows1252("abc"), "abc");
    EXPECT_EQ(utf8FromWindows1252("\xD8"), "\xC3\x98");
    EXPECT_EQ(utf8FromWindows1252("\xE9"), "\xC3\xA9");
    EXPECT_EQ(utf8FromWindows1252("\x9F"), "\xC5\xB8");      // Y with diaeresis
    EXPECT_EQ(utf8FromWindows1252("\x96"), "\xE2\x80\x93");  // en dash
    EXPECT_EQ(utf8FromWindows1252("\x8D"), "\xEF\xBF\xBD");  // undefined
}

}  // namespace
}  // namespace vl::reports
