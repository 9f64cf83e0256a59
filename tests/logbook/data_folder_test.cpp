// The working folder on a real, temporary directory.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

#include "logbook/data_folder.h"
#include "logbook/file_names.h"

namespace vl::logbook {
namespace {

namespace fs = std::filesystem;

class DataFolderTest : public ::testing::Test {
protected:
    DataFolderTest() : dir_(makeDir()), folder_(dir_) {}
    ~DataFolderTest() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    static fs::path makeDir() {
        char pattern[] = "/tmp/vl_logbook_test_XXXXXX";
        return ::mkdtemp(pattern);
    }
    void put(const std::string& fileName, const std::string& bytes) const {
        std::ofstream(dir_ / fileName, std::ios::binary) << bytes;
    }
    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.insert(e.path().filename().string());
        return names;
    }
    std::string contentOf(std::string_view name) const {
        ReadResult r = folder_.read(name);
        EXPECT_TRUE(r.ok()) << name;
        return r.content;
    }

    fs::path dir_;
    DataFolder folder_;
};

TEST_F(DataFolderTest, FindsAFileWhateverItsLetterCase) {
    put("VLCHAPTERS.TXT", "\"001\",\"First\"\r\n");
    EXPECT_TRUE(folder_.exists("VLChapters.txt"));
    EXPECT_TRUE(folder_.exists("vlchapters.txt"));
    EXPECT_EQ(folder_.resolve("VLChapters.txt").filename(), "VLCHAPTERS.TXT");
    EXPECT_EQ(contentOf("VLChapters.txt"), "\"001\",\"First\"\r\n");
    EXPECT_FALSE(folder_.exists(names::kHistory));
}

TEST_F(DataFolderTest, EverySpellingOfTheLogIsOneFileUnderTheCanonicalName) {
    ASSERT_FALSE(folder_.appendText("VLQsoLog.txt", "one\r\n"));
    ASSERT_FALSE(folder_.appendText("vlqsolog.txt", "two\r\n"));
    ASSERT_FALSE(folder_.appendText("VLQsolog.txt", "three\r\n"));
    ASSERT_FALSE(folder_.appendText("DigChapswrk.txt", "\"123\"\r\n"));
    EXPECT_EQ(entries(), (std::set<std::string>{"vlqsolog.txt", "DIGchapswrk.txt"}));
    EXPECT_EQ(contentOf("VLQSOLOG.TXT"), "one\r\ntwo\r\nthree\r\n");
}

TEST_F(DataFolderTest, AnAppendedLineNeverJoinsALastLineWithoutItsEnd) {
    put("vlqsolog.txt", "\"A\"");  // cut short: no line end
    ASSERT_FALSE(folder_.appendText(names::kContactLog, "\"B\"\r\n"));
    put("BonusCall.txt", "\"C\"\r");  // half a line end
    ASSERT_FALSE(folder_.appendText(names::kBonusCalls, "\"D\"\r\n"));
    ASSERT_FALSE(folder_.appendText(names::kBonusCalls, "\"E\"\r\n"));
    ASSERT_FALSE(folder_.touch(names::kBonusCalls));
    EXPECT_EQ(contentOf(names::kContactLog), "\"A\"\r\n\"B\"\r\n");
    EXPECT_EQ(contentOf(names::kBonusCalls), "\"C\"\r\n\"D\"\r\n\"E\"\r\n");
}

TEST_F(DataFolderTest, WriteWholeReplacesTheFileInPlace) {
    put("LOGONFILE.TXT", "old registration, much longer than the new one\r\n");
    ASSERT_FALSE(folder_.writeWhole(names::kRegistration, "new\r\n"));
    EXPECT_EQ(entries(), std::set<std::string>{"LOGONFILE.TXT"});  // no .tmp, no second file
    EXPECT_EQ(contentOf(names::kRegistration), "new\r\n");

    ASSERT_FALSE(folder_.writeWhole(names::kStartMessage, "\"NO\"\r\n"));
    EXPECT_EQ(entries().count("NoGreeting.txt"), 1u);
    EXPECT_EQ(entries().size(), 2u);

    // Files the program did not make are neither followed nor removed: a link
    // named as the old temporary file was, pointing at the log, and a file of
    // the operator's with such a name.
    put("vlqsolog.txt", "the log\r\n");
    put("keep.log.tmp", "kept\r\n");
    fs::create_symlink("vlqsolog.txt", dir_ / "k.log.tmp");
    ASSERT_FALSE(replaceFile(dir_ / "k.log", "export\r\n"));
    ASSERT_FALSE(replaceFile(dir_ / "keep.log", "export\r\n"));
    EXPECT_EQ(contentOf(names::kContactLog), "the log\r\n");
    EXPECT_EQ(contentOf("keep.log.tmp"), "kept\r\n");
    EXPECT_TRUE(fs::is_symlink(dir_ / "k.log.tmp"));
    EXPECT_EQ(contentOf("k.log"), "export\r\n");
    EXPECT_EQ(entries().size(), 7u);  // nothing else left behind
}

TEST_F(DataFolderTest, MissingFilesGiveErrorsNotEmptyContent) {
    const ReadResult r = folder_.read(names::kRoster);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error->number, ENOENT);
    EXPECT_FALSE(r.error->description.empty());

    const FileResult removed = folder_.remove(names::kContactLog);
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->number, ENOENT);

    std::string buffer = "stale";
    const FileResult into = folder_.readInto(names::kContactLog, buffer);
    ASSERT_TRUE(into);
    EXPECT_EQ(into->number, ENOENT);
    EXPECT_TRUE(buffer.empty());
}

TEST_F(DataFolderTest, TouchCreatesButNeverChanges) {
    ASSERT_FALSE(folder_.touch(names::kBonusCalls));
    EXPECT_EQ(contentOf(names::kBonusCalls), "");
    put("VLHISTORY.TXT", "\"K1ABC\",\"123\",\"BOB\"\r\n");
    ASSERT_FALSE(folder_.touch(names::kHistory));
    EXPECT_EQ(contentOf(names::kHistory), "\"K1ABC\",\"123\",\"BOB\"\r\n");
    EXPECT_EQ(entries().size(), 2u);
}

TEST_F(DataFolderTest, RemoveFindsAnyCaseSpelling) {
    put("CWCHAPSWORKED.TXT", "\"001\"\r\n");
    EXPECT_FALSE(folder_.remove(names::kCwChapters));
    EXPECT_TRUE(entries().empty());
}

TEST_F(DataFolderTest, RenameToReplacesAnExistingTarget) {
    ASSERT_FALSE(folder_.writeWhole(names::kSheetWorkingName, "new sheet\r\n"));
    put("K1ABC2026.txt", "old sheet\r\n");
    ASSERT_FALSE(folder_.renameTo(names::kSheetWorkingName, "K1ABC2026.txt"));
    EXPECT_EQ(entries(), std::set<std::string>{"K1ABC2026.txt"});
    EXPECT_EQ(contentOf("K1ABC2026.txt"), "new sheet\r\n");
    EXPECT_TRUE(folder_.renameTo(names::kSheetWorkingName, "again.txt"));  // source is gone
}

TEST_F(DataFolderTest, UnwritableTargetsReportAndLeaveNothingBehind) {
    fs::create_directory(dir_ / "vlqsolog.txt");
    fs::create_directory(dir_ / "CWBUFFRECORD.TXT");
    const FileResult appended = folder_.appendText(names::kContactLog, "line\r\n");
    ASSERT_TRUE(appended);
    EXPECT_FALSE(appended->description.empty());
    const FileResult written = folder_.writeWhole(names::kCwMessages, "\"\"\r\n");
    ASSERT_TRUE(written);
    EXPECT_NE(written->number, 0);
    EXPECT_FALSE(written->description.empty());
    EXPECT_EQ(entries(), (std::set<std::string>{"vlqsolog.txt", "CWBUFFRECORD.TXT"}));
    EXPECT_FALSE(folder_.read(names::kContactLog).ok());
}

// Every step of each kind of write failing in turn, with each error a full
// disk, a failing drive or a refused permission gives, and with a write that
// gets part of its bytes onto the disk before the disk is full: a failure is
// reported with its error and leaves the folder exactly as it was, no torn
// line and no temporary file; the same write then works once the fault is
// gone. A step whose failure costs nothing (the folder's sync) may pass.
TEST_F(DataFolderTest, AFailedWriteLeavesTheFolderAsItWasAndTheNextWriteWorks) {
    struct Case {
        const char* what;
        std::string name;                  // the file written
        std::optional<std::string> before; // its content first; none: missing
        std::function<FileResult(const DataFolder&)> write;
        std::string after;
    };
    const auto append = [](std::string_view name, std::string line) {
        return [name, line](const DataFolder& f) { return f.appendText(name, line); };
    };
    const auto replace = [](std::string_view name, std::string bytes) {
        return [name, bytes](const DataFolder& f) { return f.writeWhole(name, bytes); };
    };
    const std::string record = "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"BOB    \"\r\n";
    const Case cases[] = {
        {"append to the log", "vlqsolog.txt", "\"A\"\r\n", append(names::kContactLog, record),
         "\"A\"\r\n" + record},
        {"append after a last line without its end", "vlqsolog.txt", "\"A\"",
         append(names::kContactLog, record), "\"A\"\r\n" + record},
        {"append creating the file", "BonusCall.txt", std::nullopt,
         append(names::kBonusCalls, "\"K1ABC\"\r\n"), "\"K1ABC\"\r\n"},
        {"touch creating the file", "BonusCall.txt", std::nullopt,
         [](const DataFolder& f) { return f.touch(names::kBonusCalls); }, ""},
        {"whole file over an old one", "LogOnFile.txt", "\"old, and longer than the new\"\r\n",
         replace(names::kRegistration, "\"new\"\r\n"), "\"new\"\r\n"},
        {"whole file where there was none", "CWBuffRecord.txt", std::nullopt,
         replace(names::kCwMessages, "\"CQ\"\r\n"), "\"CQ\"\r\n"},
    };
    auto reset = [&](const Case& c) {
        for (const auto& e : fs::directory_iterator(dir_)) fs::remove(e.path());
        put("VLChapters.txt", "\"001\",\"First\"\r\n");  // a bystander
        if (c.before) put(c.name, *c.before);
    };
    int faults = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reset(c);
        const std::set<std::string> entriesBefore = entries();
        int steps = 0;
        {
            WriteFaultScope count;
            ASSERT_FALSE(c.write(folder_));
            steps = count.steps();
        }
        ASSERT_GT(steps, 0);
        for (int n = 1; n <= steps; ++n) {
            for (int error : {ENOSPC, EIO, EACCES}) {
                for (bool partial : {false, true}) {
                    SCOPED_TRACE("step " + std::to_string(n) + " error " + std::to_string(error) +
                                 (partial ? " after part of a write" : ""));
                    reset(c);
                    FileResult result;
                    bool renamed = false;
                    {
                        WriteFaultScope fault({n, error, partial});
                        result = c.write(folder_);
                        if (!fault.struck()) continue;
                        // A whole file is in place before its folder is synced,
                        // and a failed sync is reported all the same.
                        renamed = fault.struckStep() == WriteStep::kSyncFolder &&
                                  std::string_view(c.what).starts_with("whole file");
                    }
                    ++faults;
                    if (result) {
                        EXPECT_EQ(result->number, error);
                        if (renamed) {
                            EXPECT_EQ(contentOf(c.name), c.after);
                        } else {
                            EXPECT_EQ(entries(), entriesBefore);
                            if (c.before) {
                                EXPECT_EQ(contentOf(c.name), *c.before);
                            }
                        }
                        // The fault is gone: the same write goes through, once.
                        EXPECT_FALSE(c.write(folder_));
                    }
                    EXPECT_EQ(contentOf(c.name), c.after);
                    std::set<std::string> expected = entriesBefore;
                    expected.insert(c.name);
                    EXPECT_EQ(entries(), expected);
                }
            }
        }
    }
    EXPECT_GT(faults, 60);
}

}  // namespace
}  // namespace vl::logbook
