#pragma once
// Every change the program makes to a file, in one place. Each system call
// that changes a file (an open for writing, a write, a sync, a truncation, a
// rename, a removal) passes through `fileWrites`, so that a test can make any
// one of them fail as a full disk, a failing drive or a refused permission
// would, and watch what the writer does about it.
//
// On top of those calls, the two ways the program writes a file:
//   appendToFile   one write of whole lines, on the disk before it returns;
//                  a failure takes back whatever part reached the file
//   replaceFile    a temporary file, one sync and a rename over the old one;
//                  a failure leaves the old file and no temporary file
// A folder whose entries cannot be synced after a file was created, renamed
// or removed is a failed write like any other: the caller hears of it.
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vl::logbook {

struct FileError {
    int number = 0;           // the system's error number
    std::string description;  // its text
};

// Empty on success.
using FileResult = std::optional<FileError>;

FileError errorFromErrno(int number);

enum class WriteStep { kOpen, kWrite, kSync, kTruncate, kRename, kRemove, kSyncFolder };

// The system calls, each returning as its system call does (-1 with errno
// set on failure).
namespace fileWrites {
int open(const char* path, int flags, mode_t mode);
ssize_t write(int fd, const void* data, size_t size);
int sync(int fd);
int truncate(int fd, off_t length);
int rename(const char* from, const char* to);
// The same, failing with EEXIST when `to` exists.
int renameNoReplace(const char* from, const char* to);
int remove(const char* path);
}  // namespace fileWrites

// Appends with one write; when the file's last line has no line end, the
// appended text starts on a line of its own. Creates the file when missing.
// On failure the file is as it was: cut back to its old length, or removed
// when this call created it.
FileResult appendToFile(const std::filesystem::path& path, std::string_view bytes);

// Writes the whole file through a temporary file of a name of its own beside
// it (created exclusively, never through a link) and a rename. No other file
// is followed, replaced or removed on the way.
FileResult replaceFile(const std::filesystem::path& path, std::string_view bytes);

// Flushes the folder's entries (a new, renamed or removed file) to the disk.
FileResult syncFolder(const std::filesystem::path& dir);

// For tests: while one lives, the steps are counted from 1, and the step
// numbered `failAt` fails with `error`. With `partial`, a failing write first
// writes part of its bytes and returns short, and the step after it fails,
// which is how a disk that fills up in the middle of a line behaves.
struct WriteFault {
    int failAt = 0;  // 0: nothing fails
    int error = 0;
    bool partial = false;
};

class WriteFaultScope {
public:
    explicit WriteFaultScope(WriteFault fault = {});
    ~WriteFaultScope();
    WriteFaultScope(const WriteFaultScope&) = delete;
    WriteFaultScope& operator=(const WriteFaultScope&) = delete;

    // The steps taken so far.
    int steps() const;
    // Whether the fault has been met, and at which kind of step.
    bool struck() const;
    WriteStep struckStep() const;
};

}  // namespace vl::logbook
