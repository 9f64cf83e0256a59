#include "logbook/log_files.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

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

TEST_F(LogFilesTest, DeletingTwiceInARunPassesOverWhatIsGone) {
    for (const char* name : {"vlqsolog.txt", "Chapsworked.txt", "CWchapsworked.txt",
                             "DIGchapswrk.txt", "BonusCall.txt"}) {
        put(name);
    }
    EXPECT_FALSE(deleteLogFiles(folder_));
    EXPECT_TRUE(createLogFiles(folder_).empty());
    EXPECT_FALSE(deleteLogFiles(folder_)) << "no bonus file the second time";
    EXPECT_TRUE(fs::is_empty(dir_));
    EXPECT_TRUE(createLogFiles(folder_).empty());
    EXPECT_EQ(folder_.read("vlqsolog.txt").content, "");
    EXPECT_FALSE(folder_.exists("BonusCall.txt"));
}

TEST_F(LogFilesTest, AFileThatCannotBeDeletedStopsTheDeletionThere) {
    put("vlqsolog.txt");
    fs::create_directories(dir_ / "CWchapsworked.txt" / "keep");
    put("BonusCall.txt");
    const auto failure = deleteLogFiles(folder_);
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
    EXPECT_TRUE(setAsideTornLastLine(folder_, log));
    EXPECT_EQ(folder_.read("vlqsolog.txt").content, log);

    fs::remove(dir_ / "VLTornLines.txt");
    std::ofstream(dir_ / "VLTornLines.txt", std::ios::binary) << "\"earlier\"";
    EXPECT_FALSE(setAsideTornLastLine(folder_, log));
    EXPECT_EQ(folder_.read("vlqsolog.txt").content, ok);
    EXPECT_EQ(folder_.read("VLTornLines.txt").content, "\"earlier\"\r\n" + kWhole.substr(0, 30) + "\r\n");
    EXPECT_FALSE(setAsideTornLastLine(folder_, ok)) << "nothing torn, nothing done";
}

}  // namespace
}  // namespace vl::logbook
