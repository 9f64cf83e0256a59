#include <gtest/gtest.h>

#include <filesystem>

#include "entry/history_add.h"
#include "logbook/file_names.h"
#include "temp_folder.h"

namespace vl::entry {
namespace {

namespace names = logbook::names;
using Kind = HistoryAddOutcome::Kind;

constexpr std::string_view kExisting = "\"W1AW\",\"123\",\"HIRAM\"\r\n";

class HistoryAddTest : public ::testing::Test {
protected:
    void SetUp() override { dir.write(names::kHistory, kExisting); }
    std::string history() { return dir.folder().read(names::kHistory).content; }
    testing::TempFolder dir;
};

TEST_F(HistoryAddTest, RefusedUnlessNothingWasKnownAboutTheStation) {
    const HistoryAddOutcome out = addToHistory(0, "N2YY", "042", "ANN", dir.folder());
    EXPECT_EQ(out.kind, Kind::NotAllowed);
    EXPECT_EQ(out.message, "Callsign is already in the Log or History File");
    EXPECT_EQ(history(), kExisting);
}

TEST_F(HistoryAddTest, RefusedWithoutAChapter) {
    for (const char* chapter : {"", "   "}) {
        const HistoryAddOutcome out = addToHistory(1, "N2YY", chapter, "ANN", dir.folder());
        EXPECT_EQ(out.kind, Kind::NoChapter);
        EXPECT_EQ(out.message, "You must enter a Chapter Number");
    }
    EXPECT_EQ(history(), kExisting);
}

// The chapter is asked for first; a row with a chapter but no callsign is
// then refused.
TEST_F(HistoryAddTest, RefusedWithoutACallsignOnceTheChapterIsThere) {
    struct Case {
        const char* chapter;
        Kind kind;
        const char* message;
    };
    for (const char* call : {"", "   ", "\t", "\r\n"}) {
        for (const Case& c : {Case{"123", Kind::NotAllowed, "You must enter a Callsign"},
                              Case{"", Kind::NoChapter, "You must enter a Chapter Number"},
                              Case{" ", Kind::NoChapter, "You must enter a Chapter Number"}}) {
            const HistoryAddOutcome out = addToHistory(1, call, c.chapter, "ANN", dir.folder());
            EXPECT_EQ(out.kind, c.kind) << '"' << call << "\" \"" << c.chapter << '"';
            EXPECT_EQ(out.message, c.message);
        }
    }
    EXPECT_EQ(history(), kExisting);
}

TEST_F(HistoryAddTest, AppendsOneTrimmedQuotedLine) {
    const HistoryAddOutcome out =
        addToHistory(1, " N2YY ", "042", "BIG \"A\"   ", dir.folder());
    EXPECT_EQ(out.kind, Kind::Added);
    EXPECT_EQ(history(), std::string(kExisting) + "\"N2YY\",\"042\",\"BIG 'A'\"\r\n");
}

TEST_F(HistoryAddTest, AFailedAppendIsReported) {
    ASSERT_FALSE(dir.folder().remove(names::kHistory));
    std::filesystem::create_directory(dir.folder().resolve(names::kHistory));
    const HistoryAddOutcome out = addToHistory(1, "N2YY", "042", "ANN", dir.folder());
    EXPECT_EQ(out.kind, Kind::Error);
    ASSERT_TRUE(out.error);
    EXPECT_NE(out.error->number, 0);
}

}  // namespace
}  // namespace vl::entry
