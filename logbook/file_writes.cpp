#include "logbook/file_writes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace vl::logbook {

namespace fs = std::filesystem;

FileError errorFromErrno(int number) { return FileError{number, std::strerror(number)}; }

namespace {

// The fault a test has set; read on every step, set only by WriteFaultScope.
struct FaultState {
    std::atomic<bool> active{false};
    std::atomic<int> steps{0};
    std::atomic<int> failAt{0};
    std::atomic<int> error{0};
    std::atomic<bool> partial{false};
    std::atomic<bool> struck{false};
    std::atomic<WriteStep> struckStep{WriteStep::kOpen};
};

FaultState& faultState() {
    static FaultState state;
    return state;
}

enum class Verdict { kGo, kFail, kShort };

// The one gate every step passes.
Verdict gate(WriteStep step) {
    FaultState& s = faultState();
    if (!s.active.load(std::memory_order_acquire)) return Verdict::kGo;
    const int n = ++s.steps;
    if (n != s.failAt.load()) return Verdict::kGo;
    s.struck = true;
    s.struckStep = step;
    if (step == WriteStep::kWrite && s.partial.exchange(false)) {
        s.failAt = n + 1;
        return Verdict::kShort;
    }
    errno = s.error.load();
    return Verdict::kFail;
}

FileResult writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = fileWrites::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errorFromErrno(errno);
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return std::nullopt;
}

bool fileExists(const fs::path& path) {
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;
}

fs::path folderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// Creates a temporary file beside `path` under a name no file has yet, as
// mkstemp does: exclusively and never through a link, so that whatever is
// found under a name tried is left alone. Its descriptor, or -1 with errno.
int createTemporary(const fs::path& path, fs::path& temp) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    // The name does not grow with the target's, so a target whose name is as
    // long as the file system allows still has a temporary file.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".vlwinlog-";
        for (int i = 0; i < 10; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
        name += ".tmp";
        temp = folderOf(path) / name;
        const int fd = fileWrites::open(
            temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

namespace fileWrites {

int open(const char* path, int flags, mode_t mode) {
    if (gate(WriteStep::kOpen) == Verdict::kFail) return -1;
    return ::open(path, flags, mode);
}

ssize_t write(int fd, const void* data, size_t size) {
    switch (gate(WriteStep::kWrite)) {
        case Verdict::kFail: return -1;
        case Verdict::kShort: return ::write(fd, data, size / 2);
        case Verdict::kGo: break;
    }
    return ::write(fd, data, size);
}

int sync(int fd) {
    if (gate(WriteStep::kSync) == Verdict::kFail) return -1;
    return ::fsync(fd);
}

int truncate(int fd, off_t length) {
    if (gate(WriteStep::kTruncate) == Verdict::kFail) return -1;
    return ::ftruncate(fd, length);
}

int rename(const char* from, const char* to) {
    if (gate(WriteStep::kRename) == Verdict::kFail) return -1;
    return ::rename(from, to);
}

int renameNoReplace(const char* from, const char* to) {
    if (gate(WriteStep::kRename) == Verdict::kFail) return -1;
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
    // A file system without the flag: the check and the rename one after the
    // other, which only another program racing for the name could defeat.
    struct stat st{};
    if (::lstat(to, &st) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from, to);
}

int remove(const char* path) {
    if (gate(WriteStep::kRemove) == Verdict::kFail) return -1;
    return ::unlink(path);
}

}  // namespace fileWrites

FileResult syncFolder(const fs::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errorFromErrno(errno);
    FileResult result;
    if (gate(WriteStep::kSyncFolder) == Verdict::kFail || ::fsync(fd) != 0) {
        // Some file systems cannot sync a folder at all; their entries are
        // written with the files, and there is nothing to report.
        if (errno != EINVAL && errno != ENOTSUP) result = errorFromErrno(errno);
    }
    ::close(fd);
    return result;
}

FileResult appendToFile(const fs::path& path, std::string_view bytes) {
    const bool existed = fileExists(path);
    int fd = fileWrites::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return errorFromErrno(errno);
    // The length before the append is what a failure cuts back to.
    struct stat st{};
    if (::fstat(fd, &st) != 0) {
        FileError error = errorFromErrno(errno);
        ::close(fd);
        return error;
    }
    const off_t before = st.st_size;
    // A file whose last line lost its line end (edited by hand, or cut short
    // by a crash) must not swallow the new line: it then starts on its own.
    std::string line;
    char last = '\n';
    if (!bytes.empty() && before > 0 && ::pread(fd, &last, 1, before - 1) == 1 && last != '\n') {
        line = last == '\r' ? "\n" : "\r\n";
        line += bytes;
        bytes = line;
    }
    FileResult result = writeAll(fd, bytes);
    if (!result && fileWrites::sync(fd) != 0) result = errorFromErrno(errno);
    if (result) {
        // Whatever part of the line reached the file is taken back, so that
        // the file is as it was and the same line can be appended again.
        if (fileWrites::truncate(fd, before) == 0) fileWrites::sync(fd);
        ::close(fd);
        if (!existed) fileWrites::remove(path.c_str());
        return result;
    }
    // Once the line is synced it is on the disk; a failing close changes
    // nothing about that, and reporting it would have the line written twice.
    ::close(fd);
    if (!existed) {
        // A new file whose name may not survive a power cut is not a line
        // written: it goes again, so that the same line can be appended later.
        if (FileResult error = syncFolder(folderOf(path))) {
            fileWrites::remove(path.c_str());
            return error;
        }
    }
    return std::nullopt;
}

FileResult replaceFile(const fs::path& path, std::string_view bytes) {
    fs::path temp;
    const int fd = createTemporary(path, temp);
    if (fd < 0) return errorFromErrno(errno);
    FileResult result = writeAll(fd, bytes);
    if (!result && fileWrites::sync(fd) != 0) result = errorFromErrno(errno);
    if (::close(fd) != 0 && !result) result = errorFromErrno(errno);
    if (!result && fileWrites::rename(temp.c_str(), path.c_str()) != 0) {
        result = errorFromErrno(errno);
    }
    if (result) {
        fileWrites::remove(temp.c_str());
        return result;
    }
    return syncFolder(folderOf(path));
}

WriteFaultScope::WriteFaultScope(WriteFault fault) {
    FaultState& s = faultState();
    s.steps = 0;
    s.failAt = fault.failAt;
    s.error = fault.error;
    s.partial = fault.partial;
    s.struck = false;
    s.active.store(true, std::memory_order_release);
}

WriteFaultScope::~WriteFaultScope() { faultState().active.store(false, std::memory_order_release); }

int WriteFaultScope::steps() const { return faultState().steps.load(); }

bool WriteFaultScope::struck() const { return faultState().struck.load(); }

WriteStep WriteFaultScope::struckStep() const { return faultState().struckStep.load(); }

}  // namespace vl::logbook
