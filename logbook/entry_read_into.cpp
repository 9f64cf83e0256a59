#include "logbook/entry_read_into.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace vl::logbook {

FileResult readInto(const DataFolder& folder, std::string_view name, std::string& buffer) {
    buffer.clear();
    const std::filesystem::path path = folder.resolve(name);
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

}  // namespace vl::logbook
