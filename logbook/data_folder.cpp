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

namespace {

bool fileExists(const fs::path& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

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
    return appendToFile(resolve(name), bytes);
}

FileResult DataFolder::writeWhole(std::string_view name, std::string_view bytes) const {
    return replaceFile(resolve(name), bytes);
}

FileResult DataFolder::touch(std::string_view name) const { return appendText(name, {}); }

FileResult DataFolder::remove(std::string_view name) const {
    const fs::path path = resolve(name);
    if (fileWrites::remove(path.c_str()) != 0) return errorFromErrno(errno);
    return syncFolder(dir_);
}

FileResult DataFolder::renameTo(std::string_view from, const fs::path& to) const {
    const fs::path source = resolve(from);
    const fs::path target = to.is_absolute() ? to : dir_ / to;
    if (fileWrites::rename(source.c_str(), target.c_str()) != 0) return errorFromErrno(errno);
    return syncFolder(dir_);
}

}  // namespace vl::logbook
