#include "logbook/log_edit.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "../scoring/temp_folder.h"

namespace vl::logbook {
namespace {

const std::string kA =
    "\"W1XYZ   \",\"59  \",\"57  \",\"123\",\"JOE    \",\"20 \",\"PHN\",\"06/01/2026\",\"14:05 \",\"\"\r\n";
const std::string kB =
    "\"K1AB    \",\"599 \",\"599 \",\"012\",\"CY     \",\"160\",\"CW \",\"06/01/2026\",\"15:00 \",\"NVL\"\r\n";
// A hand-edited line the reader cannot take as a contact, and one with LF only.
const std::string kTorn = "\"W2BBB   \",\"599 \r\n";
const std::string kLfOnly = "\"W\xD8ZZ\",\"59\",\"59\",\"7\",\"FLO\",\"40\",\"DIG\",\"06/02/2026\",\"9:00\",\"x\"\n";
// What kB becomes: every field at its width, CR LF.
const ContactRecord kEdited{"K1ABC", "579", "589", "012", "CYRIL", "80", "CW", "06/01/2026",
                            "15:01", "FIXED"};
const std::string kEditedLine =
    "\"K1ABC   \",\"579 \",\"589 \",\"012\",\"CYRIL  \",\"80 \",\"CW \",\"06/01/2026\",\"15:01 \",\"FIXED\"\r\n";

enum class Op { kReplace, kRemove };

struct Row {
    const char* name;
    std::string log;
    std::size_t record;  // index among the non-blank lines
    Op op;
    std::string handEdit;  // written over the log after the snapshot, when not empty
    WriteFault fault;
    LogChangeOutcome::Kind kind;
    std::string after;  // the log afterwards
};

class LogEditTest : public ::testing::TestWithParam<Row> {
protected:
    void put(const std::string& bytes) const { dir_.write("vlqsolog.txt", bytes); }
    std::string log() const { return dir_.read("vlqsolog.txt"); }
    scoring::testing::TempFolder dir_;
    DataFolder folder_{dir_.path()};
};

TEST_P(LogEditTest, ChangesOneLineAndUndoesIt) {
    const Row& row = GetParam();
    put(row.log);
    const LogSnapshot snapshot = readLogSnapshot(folder_);
    ASSERT_LT(row.record, snapshot.lines.size());
    const LogLine& line = snapshot.lines[row.record];
    const LogChange change = row.op == Op::kReplace ? replaceRecord(snapshot, line, kEdited)
                                                    : removeRecord(snapshot, line);
    if (!row.handEdit.empty()) put(row.handEdit);
    const std::string before = log();
    LogChangeOutcome outcome;
    {
        WriteFaultScope scope(row.fault);
        outcome = applyLogChange(folder_, change);
    }
    EXPECT_EQ(outcome.kind, row.kind);
    EXPECT_EQ(log(), row.after);
    EXPECT_EQ(outcome.error.has_value(), row.kind == LogChangeOutcome::Kind::kFailed);
    EXPECT_FALSE(dir_.exists("vlqsolog.txt.tmp"));
    if (row.kind != LogChangeOutcome::Kind::kDone) return;
    EXPECT_NE(stampOf(folder_, "vlqsolog.txt"), snapshot.stamp);
    EXPECT_EQ(applyLogChange(folder_, outcome.undo).kind, LogChangeOutcome::Kind::kDone);
    EXPECT_EQ(log(), before) << "undo puts the log back byte for byte";
}

using K = LogChangeOutcome::Kind;
INSTANTIATE_TEST_SUITE_P(
    Rows, LogEditTest,
    ::testing::Values(
        Row{"ReplaceKeepsOtherLines", kA + kTorn + "\r\n" + kB + kLfOnly, 2, Op::kReplace, {}, {},
            K::kDone, kA + kTorn + "\r\n" + kEditedLine + kLfOnly},
        Row{"ReplaceLastLineWithoutLineEnd", kA + kB.substr(0, kB.size() - 2), 1, Op::kReplace,
            {}, {}, K::kDone, kA + kEditedLine},
        Row{"ReplaceHandEditedLine", kA + kLfOnly + kB, 1, Op::kReplace, {}, {}, K::kDone,
            kA + kEditedLine + kB},
        Row{"RemoveKeepsUnreadableLine", kTorn + kA + kB, 1, Op::kRemove, {}, {}, K::kDone,
            kTorn + kB},
        Row{"RemoveLastLine", kA + kB, 1, Op::kRemove, {}, {}, K::kDone, kA},
        Row{"AppendedContactIsNoConflict", kA + kB, 1, Op::kReplace, kA + kB + kA, {}, K::kDone,
            kA + kEditedLine + kA},
        Row{"LineChangedByHandIsRefused", kA + kB, 1, Op::kReplace, kA + kLfOnly, {}, K::kStale,
            kA + kLfOnly},
        Row{"LogCutShortIsRefused", kA + kB, 1, Op::kRemove, kA, {}, K::kStale, kA},
        Row{"FailedOpenLeavesLog", kA + kB, 0, Op::kRemove, {}, {1, ENOSPC}, K::kFailed, kA + kB},
        Row{"FailedSyncLeavesLog", kA + kB, 1, Op::kReplace, {}, {3, EIO}, K::kFailed, kA + kB},
        Row{"ReadOnlyRenameLeavesLog", kA + kB, 1, Op::kRemove, {}, {4, EROFS}, K::kFailed,
            kA + kB}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vl::logbook
