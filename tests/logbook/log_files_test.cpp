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

}  // namespace
}  // namespace vl::logbook
