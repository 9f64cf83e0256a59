#pragma once
// Correcting the contact log in place: one line replaced, removed or put
// back, checked against the bytes the caller expects that line to hold in the
// file as it is now (compare and swap), and written whole through the write
// seam, so a failure leaves the log as it was. Every other line keeps its
// bytes, a line the reader cannot read as a contact included.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logbook/contact_record.h"
#include "logbook/data_folder.h"

namespace vl::logbook {

// What tells that a file changed: its size, modification time and inode.
// A missing file has `exists` false and the rest zero.
struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uintmax_t inode = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp stampOf(const DataFolder& folder, std::string_view name);

// One non-blank line of the log.
struct LogLine {
    std::size_t number = 0;  // 1 for the file's first line; blank lines count
    std::size_t offset = 0;  // where the line starts in the content
    std::size_t length = 0;  // its bytes, its line end included
    // Ten fields with every quote closed. A line that is not is shown as it
    // stands and never rewritten as a contact.
    bool readable = false;
    ContactRecord record;  // fields 1 to 9 at their widths
};

struct LogSnapshot {
    std::string content;
    FileStamp stamp;
    std::vector<LogLine> lines;
    std::optional<FileError> error;  // the log could not be read (a missing log is empty)

    std::string_view bytesOf(const LogLine& line) const {
        return std::string_view(content).substr(line.offset, line.length);
    }
};

// Reads the log with its stamp taken just before, so that a change made while
// it is read shows as a changed stamp later.
LogSnapshot readLogSnapshot(const DataFolder& folder);
// The same for content already read.
std::vector<LogLine> logLines(std::string_view content);

// Replaces the bytes `expected` (a whole line, its line end included) at line
// `number` by `replacement` (whole lines, or nothing to remove the line). An
// empty `expected` inserts `replacement` before line `number`, or at the end
// when `number` is one past the last line.
struct LogChange {
    std::size_t number = 0;
    std::string expected;
    std::string replacement;
};

LogChange replaceRecord(const LogSnapshot& snapshot, const LogLine& line,
                        const ContactRecord& record);
LogChange removeRecord(const LogSnapshot& snapshot, const LogLine& line);

struct LogChangeOutcome {
    enum class Kind {
        kDone,
        kStale,   // the line no longer holds the expected bytes: nothing written
        kFailed,  // the log could not be read or written: it is as it was
    };
    Kind kind = Kind::kDone;
    std::optional<FileError> error;  // kFailed
    LogChange undo;                  // kDone: the change that puts the log back
};

LogChangeOutcome applyLogChange(const DataFolder& folder, const LogChange& change);

}  // namespace vl::logbook
