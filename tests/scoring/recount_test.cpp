#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <map>

#include "logbook/contact_record.h"
#include "logbook/file_writes.h"
#include "scoring/recount.h"
#include "temp_folder.h"
#include "case_name.h"

namespace vl::scoring {
namespace {

using Outcome = RecountResult::Outcome;
using Chapters = std::vector<std::string>;

const std::string kRoster =
    "\"001\",\"First\"\r\n\"007\",\"Seven\"\r\n\"012\",\"Twelve\"\r\n"
    "\"599\",\"Non-member stations\"\r\n\"999\",\"End\"\r\n";

std::string contact(const char* call, const char* chapter, const char* band, const char* mode,
                    const char* comment = "") {
    return logbook::formatContactLine(
        {call, "59", "59", chapter, "BOB", band, mode, "06/12/2026", "18:30", comment});
}

// Chapter 7 in two spellings, one chapter in three modes, duplicates, a
// claimed bonus twice for a callsign with blanks around it, a foreign mode
// and the band "2".
std::string sampleLog(const char* extraChapter = nullptr) {
    std::string log = contact("W1AW", "7", "20", "PHN") + contact("K1ABC", "007", "20", "PHN") +
                      contact("N1XYZ", "012", "20", "PHN") + contact("N1XYZ", "012", "40", "CW") +
                      contact("N1XYZ", "012", "20", "PHN", "DUPE") +
                      contact("AA1AA", "001", "15", "PHN", "DUPE") +
                      contact(" N\xD8" "CALL ", "599", "20", "PHN", "BNVL") +
                      contact("W2XX", "012", "20", "DIG") + contact("W3XX", "001", "20", "RTY");
    if (extraChapter) log += contact("W9BAD", extraChapter, "10", "PHN");
    log += contact("W4XX", "001", "2", "PHN") +
           contact(" N\xD8" "CALL ", "599", "40", "CW", "BNVL");
    return log;
}

class RecountTest : public ::testing::Test {
protected:
    RecountTest() {
        dir.write("VLChapters.txt", kRoster);
        // Stale derived files; the digital one is missing altogether.
        dir.write("Chapsworked.txt", "\"123\"\r\n");
        dir.write("CWChapsworked.txt", "\"456\"\r\n");
        dir.write("BonusCall.txt", "\"OLD\"\r\n");
    }
    RecountResult run() { return recount(logbook::DataFolder(dir.path())); }

    void expectRebuilt(const RecountResult& result) {
        EXPECT_EQ(result.outcome, Outcome::kCompleted);
        EXPECT_EQ(result.message, "RECOUNT has completed  Click OK to continue");
        // The missing digital file cannot be deleted: reported, then created.
        ASSERT_EQ(result.errors.size(), 1u);
        EXPECT_EQ(result.errors[0].number, ENOENT);
        EXPECT_EQ(dir.read("Chapsworked.txt"), "\"7  \"\r\n\"012\"\r\n\"599\"\r\n\"001\"\r\n");
        EXPECT_EQ(dir.read("CWChapsworked.txt"), "\"012\"\r\n\"599\"\r\n");
        EXPECT_EQ(dir.read("DIGchapswrk.txt"), "\"012\"\r\n");
        EXPECT_EQ(dir.read("BonusCall.txt"), "\"N\xD8" "CALL\"\r\n\"N\xD8" "CALL\"\r\n");
        EXPECT_EQ(result.phoneChapters, (Chapters{"7  ", "012", "599", "001"}));
        EXPECT_EQ(result.cwChapters, (Chapters{"012", "599"}));
        EXPECT_EQ(result.digitalChapters, (Chapters{"012"}));

        Counters expected;
        expected.p20 = 4, expected.d20 = 1, expected.t20 = 5;
        expected.c40 = 2, expected.t40 = 2;
        expected.ptot = 4, expected.ctot = 2, expected.dtot = 1, expected.ttot = 7;
        expected.chptot = 4, expected.ochptot = 2, expected.dchptot = 1;
        EXPECT_EQ(result.counters, expected);
    }

    testing::TempFolder dir;
};

TEST_F(RecountTest, RebuildsFilesListsAndCounters) {
    dir.write("vlqsolog.txt", sampleLog());
    expectRebuilt(run());
    EXPECT_EQ(dir.read("vlqsolog.txt"), sampleLog());
}

TEST_F(RecountTest, InvalidChapterEmptiesTheFilesAndACorrectedLogRecountsDespiteThem) {
    dir.write("vlqsolog.txt", sampleLog("5"));
    RecountResult result = run();
    EXPECT_EQ(result.outcome, Outcome::kInvalidChapter);
    EXPECT_EQ(result.message,
              "The Chapter  005 in your log is invalid! The program will close.  "
              "Correct your log and try again.");
    EXPECT_EQ(result.errors.size(), 1u) << "the missing digital file";
    for (const char* name : {"Chapsworked.txt", "CWChapsworked.txt", "DIGchapswrk.txt", "BonusCall.txt"}) {
        EXPECT_TRUE(dir.exists(name)) << name;
        EXPECT_EQ(dir.read(name), "") << name;
    }
    EXPECT_TRUE(result.phoneChapters.empty());
    EXPECT_EQ(result.counters, Counters{});

    // The operator mends the log; the chapter files are empty and the score
    // would read 0, yet the recount runs.
    dir.write("vlqsolog.txt", sampleLog());
    std::filesystem::remove(dir.path() / "DIGchapswrk.txt");
    expectRebuilt(run());
}

// A log emptied by hand still empties what was derived from it; only when
// the derived files hold nothing either is there nothing to recount.
TEST_F(RecountTest, EmptyLogEmptiesTheDerivedFilesUnlessTheyHoldNothing) {
    for (const std::string& log : {std::string(), std::string("\r\n  \r\n")}) {
        dir.write("vlqsolog.txt", log);
        dir.write("Chapsworked.txt", "\"123\"\r\n");
        dir.write("BonusCall.txt", "\"OLD\"\r\n");
        dir.write("DIGchapswrk.txt", "");
        RecountResult result = run();
        EXPECT_EQ(result.outcome, Outcome::kCompleted);
        EXPECT_TRUE(result.errors.empty());
        for (const char* name : {"Chapsworked.txt", "CWChapsworked.txt", "DIGchapswrk.txt", "BonusCall.txt"}) {
            EXPECT_EQ(dir.read(name), "") << name;
        }
        EXPECT_EQ(result.counters, Counters{});

        // Now empty, blank or missing: nothing to do, and nothing is touched.
        dir.write("CWChapsworked.txt", "\r\n");
        std::filesystem::remove(dir.path() / "BonusCall.txt");
        result = run();
        EXPECT_EQ(result.outcome, Outcome::kNothingToCount);
        EXPECT_EQ(result.message, "You have nothing to Re-Count");
        EXPECT_TRUE(result.errors.empty());
        EXPECT_EQ(dir.read("CWChapsworked.txt"), "\r\n");
        EXPECT_FALSE(dir.exists("BonusCall.txt"));
    }
}

TEST_F(RecountTest, MissingRosterIsOneReportAndChangesNothing) {
    std::filesystem::remove(dir.path() / "VLChapters.txt");
    dir.write("vlqsolog.txt", sampleLog());
    RecountResult result = run();
    EXPECT_EQ(result.outcome, Outcome::kAborted);
    EXPECT_EQ(result.errors.size(), 1u);
    EXPECT_EQ(result.message, "");
    EXPECT_EQ(dir.read("Chapsworked.txt"), "\"123\"\r\n");
    EXPECT_EQ(dir.read("BonusCall.txt"), "\"OLD\"\r\n");
}

TEST_F(RecountTest, ChapterIsHeldOnceWhicheverSpellingComesFirst) {
    dir.write("vlqsolog.txt", contact("K1ABC", "007", "20", "PHN") +
                                  contact("W1AW", "7", "40", "PHN") +
                                  contact("W2XX", " 7", "15", "CW") +
                                  contact("W3XX", "007", "10", "CW"));
    RecountResult result = run();
    EXPECT_EQ(result.outcome, Outcome::kCompleted);
    EXPECT_EQ(result.phoneChapters, (Chapters{"007"}));
    EXPECT_EQ(result.cwChapters.size(), 1u);
    EXPECT_EQ(dir.read("Chapsworked.txt"), "\"007\"\r\n");
    EXPECT_EQ(result.counters.chptot, 1);
    EXPECT_EQ(result.counters.ochptot, 1);
}

// A file that cannot be written is reported once, whatever the number of
// records meant for it, and the lists and counters are rebuilt all the same.
TEST_F(RecountTest, UnwritableFilesAreReportedOnceEach) {
    for (const char* name : {"BonusCall.txt", "Chapsworked.txt"}) {
        std::filesystem::remove(dir.path() / name);
        std::filesystem::create_directory(dir.path() / name);
    }
    std::string log = contact("W1AW", "001", "20", "PHN") + contact("W1AW", "007", "20", "PHN") +
                      contact("W1AW", "012", "40", "CW");
    for (int i = 0; i < 500; ++i) log += contact("N1BON", "599", "20", "PHN", "BNVL");
    dir.write("vlqsolog.txt", log);
    dir.write("DIGchapswrk.txt", "");

    RecountResult result = run();
    EXPECT_EQ(result.outcome, Outcome::kCompleted);
    EXPECT_EQ(result.errors.size(), 2u);
    EXPECT_EQ(result.phoneChapters, (Chapters{"001", "007", "599"}));
    EXPECT_EQ(result.cwChapters, (Chapters{"012"}));
    EXPECT_EQ(dir.read("CWChapsworked.txt"), "\"012\"\r\n");
    EXPECT_EQ(result.counters.chptot, 3);
    EXPECT_EQ(result.counters.ptot, 502);
    EXPECT_EQ(result.counters.ttot, 503);
}

// Every rebuilt file is written whole, once: whichever step of the rebuild
// fails, each file holds its old content or its new one, never half a file,
// and the failure is reported once.
TEST_F(RecountTest, AFailedRebuildLeavesEachFileOldOrNewAndWhole) {
    const std::map<std::string, std::pair<std::string, std::string>> files = {
        {"Chapsworked.txt", {"\"123\"\r\n", "\"7  \"\r\n\"012\"\r\n\"599\"\r\n\"001\"\r\n"}},
        {"CWChapsworked.txt", {"\"456\"\r\n", "\"012\"\r\n\"599\"\r\n"}},
        {"DIGchapswrk.txt", {"", "\"012\"\r\n"}},
        {"BonusCall.txt", {"\"OLD\"\r\n", "\"N\xD8" "CALL\"\r\n\"N\xD8" "CALL\"\r\n"}}};
    auto reset = [&] {
        for (const auto& [name, contents] : files) dir.write(name, contents.first);
    };
    reset();
    dir.write("vlqsolog.txt", sampleLog());
    int steps = 0;
    {
        logbook::WriteFaultScope count;
        run();
        steps = count.steps();
    }
    for (int n = 1; n <= steps; ++n) {
        for (bool partial : {false, true}) {
            SCOPED_TRACE("step " + std::to_string(n) + (partial ? ", part of a write" : ""));
            reset();
            logbook::WriteFaultScope fault({n, EIO, partial});
            const RecountResult result = run();
            ASSERT_EQ(result.errors.size(), 1u);
            EXPECT_EQ(result.errors[0].number, EIO);
            for (const auto& [name, contents] : files) {
                const std::string now = dir.read(name);
                EXPECT_TRUE(now == contents.first || now == contents.second) << name << ": " << now;
            }
        }
    }
}

struct ValidationRow {
    std::string roster;
    const char* chapter;
    bool valid;
    const char* named = "";  // the chapter as the message names it
};

class RecountValidationTest : public ::testing::TestWithParam<ValidationRow> {};

TEST_P(RecountValidationTest, ChecksTheChapterAgainstTheRoster) {
    const ValidationRow& row = GetParam();
    testing::TempFolder dir;
    dir.write("vlchapters.txt", row.roster);
    for (const char* name : {"Chapsworked.txt", "CWChapsworked.txt", "DIGchapswrk.txt", "BonusCall.txt"}) {
        dir.write(name, "");
    }
    dir.write("vlqsolog.txt", contact("W1AW", "001", "20", "PHN", "DUPE") +
                                  contact("W1AW", row.chapter, "20", "PHN", "DUPE"));
    RecountResult result = recount(logbook::DataFolder(dir.path()));
    EXPECT_TRUE(result.errors.empty());
    if (row.valid) {
        EXPECT_EQ(result.outcome, Outcome::kCompleted);
    } else {
        EXPECT_EQ(result.outcome, Outcome::kInvalidChapter);
        EXPECT_EQ(result.message, invalidChapterMessage(row.named));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Roster, RecountValidationTest,
    ::testing::Values(ValidationRow{kRoster, "7", true}, ValidationRow{kRoster, "07", true},
                      ValidationRow{"001,One\r\n7,Seven\r\n999,End\r\n", "007", true},
                      ValidationRow{kRoster, "5", false, "005"},
                      ValidationRow{kRoster, "999", false, "999"},
                      ValidationRow{kRoster, "AB", false, "AB "},
                      ValidationRow{kRoster, "", false, "   "},
                      ValidationRow{"\"Number\",\"Name\"\r\n" + kRoster, "5", false, "005"},
                      // Without the end mark a chapter not found passes.
                      ValidationRow{"\"001\",\"First\"\r\n\"007\",\"Seven\"\r\n", "5", true}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.chapter}); });

}  // namespace
}  // namespace vl::scoring
