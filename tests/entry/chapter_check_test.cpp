#include <gtest/gtest.h>

#include <cerrno>

#include "entry/chapter_check.h"
#include "logbook/file_names.h"
#include "temp_folder.h"
#include "case_name.h"

namespace vl::entry {
namespace {

namespace names = logbook::names;
using Kind = ChapterOutcome::Kind;

constexpr std::string_view kRoster =
    "\"001\",\"First Chapter\"\r\n"
    "\"007\",\" Seventh\"\r\n"
    "\"123\",\"Third Chapter\"\r\n"
    "\"599\",\"Non-member stations\"\r\n"
    "\"999\",\"End\"\r\n";

class ChapterCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write(names::kRoster, kRoster);
        dir.write(names::kPhoneChapters, "\"001\"\r\n\"123\"\r\n");
        dir.write(names::kCwChapters, "");
        dir.write(names::kDigitalChapters, "");
    }
    ChapterOutcome check(std::string_view typed, std::string_view mode = "PHN",
                         std::string_view home = "") {
        return checkChapter(typed, home, mode, dir.folder());
    }
    testing::TempFolder dir;
};

TEST_F(ChapterCheckTest, EmptyBoxTakesOwnChapterAndChecksIt) {
    const ChapterOutcome out = check("", "PHN", "007");
    EXPECT_EQ(out.kind, Kind::Valid);
    EXPECT_EQ(out.chapter, "007");
    EXPECT_TRUE(out.isNew);
    // The roster name as stored, its leading blank included.
    EXPECT_EQ(out.notice, " Seventh,Chapter 007 is a NEW CHAPTER!");
    EXPECT_EQ(out.clearEnabled, true);
}

TEST_F(ChapterCheckTest, BlankBoxIsAnEmptyBox) {
    // A pre-fill from a record whose chapter field is empty.
    ChapterOutcome out = check("   ", "PHN", "007");
    EXPECT_EQ(out.kind, Kind::Valid);
    EXPECT_EQ(out.chapter, "007");
    EXPECT_TRUE(out.message.empty());

    out = check("   ", "PHN", "");
    EXPECT_EQ(out.kind, Kind::Missing);
    EXPECT_EQ(out.message, "You MUST enter a chapter number and PRESS TAB");

    out = check(" 7 ");
    EXPECT_EQ(out.kind, Kind::Valid);
    EXPECT_EQ(out.chapter, "007");
    EXPECT_EQ(check(" 88 ").kind, Kind::Abandon);
}

TEST_F(ChapterCheckTest, EightyEightAbandonsTheEntry) {
    for (const char* typed : {"88", "088"}) {
        const ChapterOutcome out = check(typed);
        EXPECT_EQ(out.kind, Kind::Abandon) << typed;
        EXPECT_EQ(out.clearEnabled, true);
        EXPECT_TRUE(out.message.empty());
    }
    EXPECT_EQ(check("", "PHN", "88").kind, Kind::Abandon);
}

TEST_F(ChapterCheckTest, EmptyBoxWithoutUsableOwnChapterIsRefused) {
    for (const char* home : {"", "ABC"}) {
        const ChapterOutcome out = check("", "PHN", home);
        EXPECT_EQ(out.kind, Kind::Missing);
        EXPECT_EQ(out.message, "You MUST enter a chapter number and PRESS TAB");
        EXPECT_FALSE(out.clearEnabled.has_value());
    }
}

TEST_F(ChapterCheckTest, NumberIsFormattedToThreeDigitsBeforeTheRoster) {
    const ChapterOutcome out = check("7");
    EXPECT_EQ(out.kind, Kind::Valid);
    EXPECT_EQ(out.chapter, "007");
    EXPECT_EQ(out.rosterName, " Seventh");
}

TEST_F(ChapterCheckTest, NotInRosterOr999IsInvalid) {
    for (const auto& [typed, text] : {std::pair{"42", "042 is an invalid Chapter Number"},
                                      std::pair{"999", "999 is an invalid Chapter Number"}}) {
        const ChapterOutcome out = check(typed);
        EXPECT_EQ(out.kind, Kind::Invalid) << typed;
        EXPECT_EQ(out.message, text);
        EXPECT_EQ(out.chapter, "");
        EXPECT_EQ(out.clearEnabled, false);
        EXPECT_FALSE(out.isNew);
    }
}

TEST_F(ChapterCheckTest, NonMemberSetsNvlAndNeedsItsRosterRecord) {
    ChapterOutcome out = check("599");
    EXPECT_EQ(out.kind, Kind::Valid);
    EXPECT_TRUE(out.nonMember);
    EXPECT_EQ(out.clearEnabled, true);

    dir.write(names::kRoster, "\"001\",\"First Chapter\"\r\n\"999\",\"End\"\r\n");
    out = check("599");
    EXPECT_EQ(out.kind, Kind::Invalid);
    EXPECT_TRUE(out.nonMember);  // the comment keeps NVL
    EXPECT_EQ(out.message, "599 is an invalid Chapter Number");
}

TEST_F(ChapterCheckTest, WorkedInThisModeIsNotNewButIsNewInAnother) {
    ChapterOutcome out = check("123", "PHN");
    EXPECT_EQ(out.kind, Kind::Valid);
    EXPECT_FALSE(out.isNew);
    EXPECT_TRUE(out.notice.empty());

    out = check("123", "CW");
    EXPECT_TRUE(out.isNew);
    EXPECT_EQ(out.notice, "Third Chapter,Chapter 123 is a NEW CHAPTER!");
    EXPECT_TRUE(check("123", "DIG").isNew);
    EXPECT_TRUE(check("123", "RTTY").isNew);  // a mode without a file
}

struct SpellingRow {
    const char* held;  // the chapters-worked file
    const char* typed;
    bool isNew;
};

class ChapterSpellingTest : public ChapterCheckTest,
                            public ::testing::WithParamInterface<SpellingRow> {};

// A recount writes the chapter as the log pads it ("7  "), the entry row as
// "007": either spelling in the file is the chapter typed.
TEST_P(ChapterSpellingTest, WorkedChapterIsFoundWhateverItsSpelling) {
    const SpellingRow& row = GetParam();
    dir.write(names::kPhoneChapters, std::string("\"001\"\r\n\"") + row.held + "\"\r\n");
    const ChapterOutcome out = check(row.typed);
    EXPECT_EQ(out.kind, Kind::Valid);
    EXPECT_EQ(out.chapter, "007");
    EXPECT_EQ(out.isNew, row.isNew);
}

INSTANTIATE_TEST_SUITE_P(Spellings, ChapterSpellingTest,
                         ::testing::Values(SpellingRow{"7  ", "7", false},
                                           SpellingRow{"7  ", "007", false},
                                           SpellingRow{"007", "7", false},
                                           SpellingRow{"007", " 007 ", false},
                                           SpellingRow{"07", "7", false},
                                           SpellingRow{"017", "7", true},
                                           SpellingRow{"7A", "7", true}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.typed}); });

TEST_F(ChapterCheckTest, MissingRosterIsOneError) {
    ASSERT_FALSE(dir.folder().remove(names::kRoster));
    const ChapterOutcome out = check("123");
    EXPECT_EQ(out.kind, Kind::Error);
    ASSERT_TRUE(out.error.has_value());
    EXPECT_EQ(out.error->number, ENOENT);
    EXPECT_FALSE(out.error->description.empty());
    EXPECT_EQ(out.chapter, "123");
    EXPECT_FALSE(out.isNew);
}

TEST_F(ChapterCheckTest, MissingChaptersWorkedFileIsAnErrorAfterTheRoster) {
    ASSERT_FALSE(dir.folder().remove(names::kCwChapters));
    const ChapterOutcome out = check("123", "CW");
    EXPECT_EQ(out.kind, Kind::Error);
    EXPECT_EQ(out.error->number, ENOENT);
    EXPECT_EQ(out.clearEnabled, true);
    EXPECT_FALSE(out.isNew);
}

}  // namespace
}  // namespace vl::entry
