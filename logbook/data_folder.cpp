#include "logbook/data_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "logbook/file_names.h"

namespace vl::logbook {

namespace fs = std::filesystem;

FileError errorFromErrno(int number) { return FileError{number, std::strerror(number)}; }

namespace {

FileResult writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errorFromErrno(errno);
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return std::nullopt;
}

void syncDirectory(const fs::path& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool fileExists(const fs::path& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

FileResult writeWholeFile(const fs::path& target, std::string_view bytes) {
    fs::path temp = target;
    temp += ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return errorFromErrno(errno);
    FileResult result = writeAll(fd, bytes);
    if (!result && ::fsync(fd) != 0) result = errorFromErrno(errno);
    if (::close(fd) != 0 && !result) result = errorFromErrno(errno);
    if (!result && ::rename(temp.c_str(), target.c_str()) != 0) result = errorFromErrno(errno);
    if (result) {
        ::unlink(temp.c_str());
        return result;
    }
    syncDirectory(target.has_parent_path() ? target.parent_path() : fs::path("."));
    return std::nullopt;
}

DataFolder::DataFolder(fs::path dir) : dir_(std::move(dir)) {}

fs::path DataFolder::resolve(std::string_view name) const {
    const std::string canonical = names::canonicalName(name);
    fs::path exact = dir_ / canonical;
    if (fileExists(exact)) return exact;
    // Stepped with an error code: a folder that cannot be listed gives the
    // canonical path (whose use then reports), never an exception.
    std::error_code ec;
    for (fs::directory_iterator it(dir_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string found = it->path().filename().string();
        if (names::sameNameIgnoringCase(found, canonical)) return it->path();
    }
    return exact;
}

bool DataFolder::exists(std::string_view name) const { return fileExists(resolve(name)); }

FileResult DataFolder::readInto(std::string_view name, std::string& buffer) const {
    buffer.clear();
    const std::filesystem::path path = resolve(name);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errorFromErrno(errno);
    struct stat st{};
    size_t expected = 0;
    if (::fstat(fd, &st) == 0 && st.st_size > 0) expected = static_cast<size_t>(st.st_size);
    // One byte more than expected, so that the end of the file is seen
    // without another round; a file that grew meanwhile is read on.
    buffer.resize(std::max(expected + 1, size_t{65536}));
    size_t used = 0;
    FileResult result;
    while (true) {
        if (used == buffer.size()) buffer.resize(used * 2);
        ssize_t n = ::read(fd, buffer.data() + used, buffer.size() - used);
        if (n < 0) {
            if (errno == EINTR) continue;
            result = errorFromErrno(errno);
            used = 0;
            break;
        }
        if (n == 0) break;
        used += static_cast<size_t>(n);
    }
    ::close(fd);
    buffer.resize(used);
    return result;
}

ReadResult DataFolder::read(std::string_view name) const {
    ReadResult result;
    result.error = readInto(name, result.content);
    return result;
}

FileResult DataFolder::appendText(std::string_view name, std::string_view bytes) const {
    const fs::path path = resolve(name);
    const bool existed = fileExists(path);
    int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return errorFromErrno(errno);
    // A file whose last line lost its line end (edited by hand, or cut short
    // by a crash) must not swallow the new line: it then starts on its own.
    std::string line;
    struct stat st{};
    char last = '\n';
    if (!bytes.empty() && ::fstat(fd, &st) == 0 && st.st_size > 0 &&
        ::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n') {
        line = last == '\r' ? "\n" : "\r\n";
        line += bytes;
        bytes = line;
    }
    FileResult result = writeAll(fd, bytes);
    if (!result && ::fsync(fd) != 0) result = errorFromErrno(errno);
    if (::close(fd) != 0 && !result) result = errorFromErrno(errno);
    if (!existed) syncDirectory(dir_);
    return result;
}

FileResult DataFolder::writeWhole(std::string_view name, std::string_view bytes) const {
    return writeWholeFile(resolve(name), bytes);
}

FileResult DataFolder::touch(std::string_view name) const { return appendText(name, {}); }

FileResult DataFolder::remove(std::string_view name) const {
    const fs::path path = resolve(name);
    if (::unlink(path.c_str()) != 0) return errorFromErrno(errno);
    syncDirectory(dir_);
    return std::nullopt;
}

FileResult DataFolder::renameTo(std::string_view from, const fs::path& to) const {
    const fs::path source = resolve(from);
    const fs::path target = to.is_absolute() ? to : dir_ / to;
    if (::rename(source.c_str(), target.c_str()) != 0) return errorFromErrno(errno);
    syncDirectory(dir_);
    return std::nullopt;
}

}  // namespace vl::logbook
