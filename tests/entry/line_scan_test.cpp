#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "entry/file_buffers.h"
#include "entry/line_scan.h"
#include "logbook/quoted_line.h"
#include "temp_folder.h"

namespace vl::entry {
namespace {

std::vector<std::string> linesContaining(std::string_view content, std::string_view needle) {
    std::vector<std::string> out;
    forEachLineContaining(content, needle, [&](std::string_view line) {
        out.emplace_back(line);
        return true;
    });
    return out;
}

TEST(LineScan, VisitsEachLineOnceWhateverItsEnd) {
    const std::string content = "\"AB\",\"AB\"\r\n\r\n  \nXY\n\"AB\"";
    EXPECT_EQ(linesContaining(content, "AB"),
              (std::vector<std::string>{"\"AB\",\"AB\"", "\"AB\""}));
    EXPECT_EQ(linesContaining(content, ""),
              (std::vector<std::string>{"\"AB\",\"AB\"", "XY", "\"AB\""}));
    EXPECT_TRUE(linesContaining(content, "ZZ").empty());
    // Stopping early.
    int seen = 0;
    forEachLineContaining(content, "AB", [&](std::string_view) { return ++seen < 1; });
    EXPECT_EQ(seen, 1);
}

TEST(LineScan, FirstFieldAgreesWithTheLineReader) {
    for (std::string_view line :
         {"\"W1AW    \",\"59  \"", "  \" W1AW\",x", " W1AW , 59", "W1AW", "\"W1AW", "\"A,B\",C",
          "\"AB\"junk,C", ",x", "", "   ", "\"\""}) {
        EXPECT_EQ(firstFieldView(line), logbook::splitQuotedLine(line).at(0)) << line;
    }
}

TEST(FileBuffers, EachReadIsFreshAndErrorsAreReported) {
    testing::TempFolder dir;
    dir.write("vlhistory.txt", std::string(100000, 'x'));
    EXPECT_EQ(readFresh(dir.folder(), "vlhistory.txt").content.size(), 100000u);
    dir.write("vlhistory.txt", "short");
    EXPECT_EQ(readFresh(dir.folder(), "VLHISTORY.TXT").content, "short");
    ASSERT_FALSE(dir.folder().remove("vlhistory.txt"));
    const FreshRead gone = readFresh(dir.folder(), "vlhistory.txt");
    ASSERT_TRUE(gone.error);
    EXPECT_EQ(gone.error->number, ENOENT);
    EXPECT_TRUE(gone.content.empty());
}

}  // namespace
}  // namespace vl::entry
