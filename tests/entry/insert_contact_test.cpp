#include "entry/insert_contact.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace vl::entry {
namespace {

using testing::TempFolder;

ContactRow completeRow() {
    ContactRow row;
    row.boxes = {"K1ABC", "59", "59", "007", "BOB", "20", "PHN", "12/06/2026", "18:30", ""};
    return row;
}

std::string contentOf(const TempFolder& t, std::string_view name) {
    return t.folder().read(name).content;
}

TEST(InsertRefusal, ChecksRunInOrder) {
    ContactRow row = completeRow();
    EXPECT_EQ(refusalFor(row), "");
    row.chapterBeingChecked = true;
    row.boxes.chapter = "7";
    EXPECT_EQ(refusalFor(row), kChapterNotCheckedMessage);
    row.chapterBeingChecked = false;
    EXPECT_EQ(refusalFor(row), kShortChapterMessage);
    row.boxes.rcvd = "";
    EXPECT_EQ(refusalFor(row), kIncompleteRowMessage);
}

TEST(InsertRefusal, AHandTypedStampMustBeARealDateAndTime) {
    ContactRow row = completeRow();
    row.stampedByHand = true;
    EXPECT_EQ(refusalFor(row), "");
    for (const char* date : {"02/30/2026", "2026-12-06", "", "12/6/2026"}) {
        row.boxes.date = date;
        EXPECT_EQ(refusalFor(row), kBadHandStampMessage) << date;
    }
    row.boxes.date = "12/06/2026";
    row.boxes.time = "24:00";
    EXPECT_EQ(refusalFor(row), kBadHandStampMessage);
    row.stampedByHand = false;  // the clock's own stamp is not second-guessed
    EXPECT_EQ(refusalFor(row), "");
}

TEST(InsertWrites, ANewChapterAndAClaimedBonusGoToTheirFiles) {
    TempFolder t;
    ContactRow row = completeRow();
    row.boxes.comment = "BNVL";
    row.boxes.call = " K1ABC ";
    row.chapterIsNew = true;
    const LoggedContact logged = logContact(row, t.folder());
    EXPECT_FALSE(logged.logError);
    EXPECT_TRUE(logged.chapterAdded);
    EXPECT_TRUE(logged.laterErrors.empty());
    EXPECT_EQ(contentOf(t, "vlqsolog.txt"),
              "\" K1ABC  \",\"59  \",\"59  \",\"007\",\"BOB    \",\"20 \",\"PHN\",\"12/06/2026\","
              "\"18:30 \",\"BNVL\"\r\n");
    EXPECT_EQ(contentOf(t, "BonusCall.txt"), "\"K1ABC\"\r\n");
    EXPECT_EQ(contentOf(t, "chapsworked.txt"), "\"007\"\r\n");
}

TEST(InsertWrites, AChapterTheModesFileHoldsInAnySpellingIsNotAddedAgain) {
    TempFolder t;
    t.write("CWchapsworked.txt", "\"7  \"\r\n");
    ContactRow row = completeRow();
    row.boxes.mode = "CW";
    row.chapterIsNew = true;  // checked while the mode was still phone
    const LoggedContact logged = logContact(row, t.folder());
    EXPECT_FALSE(logged.chapterAdded);
    EXPECT_EQ(contentOf(t, "CWchapsworked.txt"), "\"7  \"\r\n");
}

TEST(InsertWrites, ADupeIsLoggedAndNothingElse) {
    TempFolder t;
    ContactRow row = completeRow();
    row.boxes.comment = "DUPE";
    row.chapterIsNew = true;
    const LoggedContact logged = logContact(row, t.folder());
    EXPECT_TRUE(logged.dupe);
    EXPECT_FALSE(logged.chapterAdded);
    EXPECT_FALSE(t.folder().exists("chapsworked.txt"));
    EXPECT_NE(contentOf(t, "vlqsolog.txt").find("\"DUPE\"\r\n"), std::string::npos);
}

// After the log line, each later write is its own step: a failed one is
// reported and skipped, the others go on.
TEST(InsertWrites, AFailedLaterWriteIsSkippedAndTheOthersGoOn) {
    for (const char* failing : {"chapsworked.txt", "BonusCall.txt"}) {
        TempFolder t;
        std::filesystem::create_directories(t.folder().dir() / failing);
        ContactRow row = completeRow();
        row.boxes.comment = "BNVL";
        row.chapterIsNew = true;
        const LoggedContact logged = logContact(row, t.folder());
        EXPECT_FALSE(logged.logError) << failing;
        EXPECT_EQ(logged.laterErrors.size(), 1u) << failing;
        const bool chapterFailed = std::string_view(failing) == "chapsworked.txt";
        EXPECT_EQ(logged.chapterAdded, !chapterFailed) << failing;
        EXPECT_EQ(contentOf(t, chapterFailed ? "BonusCall.txt" : "chapsworked.txt"),
                  chapterFailed ? "\"K1ABC\"\r\n" : "\"007\"\r\n");
    }
}

TEST(InsertWrites, WhenTheLogCannotBeWrittenNothingElseIsWritten) {
    TempFolder t;
    std::filesystem::create_directories(t.folder().dir() / "vlqsolog.txt" / "x");
    ContactRow row = completeRow();
    row.boxes.comment = "BNVL";
    row.chapterIsNew = true;
    const LoggedContact logged = logContact(row, t.folder());
    ASSERT_TRUE(logged.logError);
    EXPECT_FALSE(logged.chapterAdded);
    EXPECT_FALSE(t.folder().exists("BonusCall.txt"));
    EXPECT_FALSE(t.folder().exists("chapsworked.txt"));
}

}  // namespace
}  // namespace vl::entry
