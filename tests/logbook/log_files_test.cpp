#include "logbook/log_files.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "logbook/quoted_line.h"

namespace vl::logbook {
namespace {

namespace fs = std::filesystem;

class LogFilesTest : public ::testing::Test {
protected:
    LogFilesTest() : dir_(makeDir()), folder_(dir_) {}
    ~LogFilesTest() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    static fs::path makeDir() {
        char pattern[] = "/tmp/vl_log_files_test_XXXXXX";
        return ::mkdtemp(pattern);
    }
    void put(const std::string& name) const { std::ofstream(dir_ / name) << "\"x\"\r\n"; }

    fs::path dir_;
    DataFolder folder_;
};

// 2026-12-08 03:15:00 UTC
constexpr std::time_t kNow = 1796699700;

TEST_F(LogFilesTest, DeletingTwiceInARunKeepsEachLogAndPassesOverWhatIsGone) {
    for (const char* name : {"VLQSOLOG.TXT", "Chapsworked.txt", "CWchapsworked.txt",
                             "DIGchapswrk.txt", "BonusCall.txt"}) {
        put(name);
    }
    EXPECT_EQ(logBackupName(kNow), "vlqsolog-20261208-031500.txt");
    const LogDeletion first = deleteLogFiles(folder_, kNow);
    EXPECT_FALSE(first.failure);
    EXPECT_EQ(first.backup, "vlqsolog-20261208-031500.txt");
    EXPECT_TRUE(createLogFiles(folder_).empty());
    // In the same second: the first backup is not replaced.
    const LogDeletion second = deleteLogFiles(folder_, kNow);
    EXPECT_FALSE(second.failure) << "no bonus file the second time";
    EXPECT_EQ(second.backup, "vlqsolog-20261208-031500-2.txt");
    EXPECT_EQ(folder_.read(first.backup).content, "\"x\"\r\n");
    EXPECT_EQ(folder_.read(second.backup).content, "");
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) ++files;
    EXPECT_EQ(files, 2u);
    EXPECT_TRUE(createLogFiles(folder_).empty());
    EXPECT_EQ(folder_.read("vlqsolog.txt").content, "");
    EXPECT_FALSE(folder_.exists("BonusCall.txt"));
    // Without a log there is nothing to keep.
    EXPECT_EQ(deleteLogFiles(folder_, kNow + 1).backup, "vlqsolog-20261208-031501.txt");
    EXPECT_EQ(deleteLogFiles(folder_, kNow + 2).backup, "");
}

TEST_F(LogFilesTest, AFileThatCannotBeDeletedStopsTheDeletionThere) {
    put("vlqsolog.txt");
    fs::create_directories(dir_ / "CWchapsworked.txt" / "keep");
    put("BonusCall.txt");
    const auto failure = deleteLogFiles(folder_, kNow).failure;
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->name, "CWchapsworked.txt");
    EXPECT_FALSE(failure->error.description.empty());
    EXPECT_FALSE(folder_.exists("vlqsolog.txt"));
    EXPECT_TRUE(folder_.exists("BonusCall.txt"));
}

const std::string kWhole =
    "\"K1ABC   \",\"59  \",\"59  \",\"012\",\"BOB    \",\"20 \",\"PHN\",\"20261208\",\"0312\",\"    \"";

// Only a last line with no line end that is not a whole record is torn.
TEST(TornLastLineTest, OnlyALastLineCutShortIsTorn) {
    const std::string ok = kWhole + "\r\n";
    const struct {
        std::string log;
        std::string torn;
    } cases[] = {
        {"", ""},
        {ok + ok, ""},
        {ok + kWhole, ""},         // a hand edit that lost its line end
        {ok + kWhole + "\r", ""},  // cut between CR and LF
        {ok + "  ", ""},
        {ok + kWhole.substr(0, 40), kWhole.substr(0, 40)},  // inside a field
        {ok + kWhole.substr(0, 37), kWhole.substr(0, 37)},  // after a closing quote
        {ok + kWhole.substr(0, kWhole.size() - 1), kWhole.substr(0, kWhole.size() - 1)},
        {kWhole.substr(0, 5), kWhole.substr(0, 5)},         // the only line
        {ok + "\"A\",\"B\"", "\"A\",\"B\""},
    };
    for (const auto& c : cases) EXPECT_EQ(tornLastLine(c.log), c.torn) << c.log;
}

TEST_F(LogFilesTest, ATornLineIsKeptAsideBeforeTheLogIsCut) {
    const std::string ok = kWhole + "\r\n";
    const std::string log = ok + kWhole.substr(0, 30);
    fs::create_directory(dir_ / "VLTornLines.txt");  // cannot be written: the log stays
    ASSERT_TRUE(folder_.writeWhole("vlqsolog.txt", log) == std::nullopt);
    EXPECT_TRUE(setAsideBrokenLines(folder_, log));
    EXPECT_EQ(folder_.read("vlqsolog.txt").content, log);

    fs::remove(dir_ / "VLTornLines.txt");
    std::ofstream(dir_ / "VLTornLines.txt", std::ios::binary) << "\"earlier\"";
    EXPECT_FALSE(setAsideBrokenLines(folder_, log));
    EXPECT_EQ(folder_.read("vlqsolog.txt").content, ok);
    const std::string kept = "\"earlier\"\r\n" + kWhole.substr(0, 30) + "\r\n";
    EXPECT_EQ(folder_.read("VLTornLines.txt").content, kept);
    EXPECT_FALSE(setAsideBrokenLines(folder_, ok)) << "nothing torn, nothing done";

    // Stopped between its two writes, the set aside left the line in both
    // files: done again, it cuts the log and keeps the line once.
    EXPECT_FALSE(setAsideBrokenLines(folder_, log));
    EXPECT_EQ(folder_.read("VLTornLines.txt").content, kept);
    EXPECT_EQ(folder_.read("vlqsolog.txt").content, ok);
}

// A power cut on some file systems leaves a hole of NUL bytes in a line that
// still ends in CR LF: every such line goes aside with the torn last line, in
// one question that names how many and the first, and says what No means.
TEST_F(LogFilesTest, LinesHoldingNulBytesGoAsideWithTheTornLine) {
    const std::string ok = kWhole + "\r\n";
    const std::string holed = kWhole.substr(0, 20) + std::string(12, '\0') + "\",\"x\"\r\n";
    const std::string log = ok + holed + ok + holed + kWhole.substr(0, 30);
    const std::vector<std::string_view> lines = brokenLogLines(log);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], holed);
    EXPECT_EQ(lines[2], kWhole.substr(0, 30));
    const std::string question = brokenLinesQuestion(lines);
    EXPECT_NE(question.find("3 lines of the contact log"), std::string::npos) << question;
    EXPECT_NE(question.find(lineExcerpt(kWhole.substr(0, 20) + std::string(12, '\0'))),
              std::string::npos) << question;
    EXPECT_NE(question.find("No leaves the log as it is, and the exports and Recount will refuse"),
              std::string::npos) << question;
    EXPECT_NE(brokenLinesQuestion({lines[2]}).find("which the exports will refuse"),
              std::string::npos);
    EXPECT_TRUE(brokenLogLines(ok + ok).empty());

    ASSERT_FALSE(setAsideBrokenLines(folder_, log));
    EXPECT_EQ(folder_.read("vlqsolog.txt").content, ok + ok);
    EXPECT_EQ(folder_.read("VLTornLines.txt").content, holed + holed + kWhole.substr(0, 30) + "\r\n");
}

}  // namespace
}  // namespace vl::logbook
