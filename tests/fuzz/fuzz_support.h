#pragma once
// What the harnesses share: the input as file bytes, a check that stops the
// run with a message, and one working folder per process for the readers
// that take their files from disk.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "logbook/data_folder.h"

namespace vl::fuzz {

inline std::string_view bytesOf(const std::uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A fault the sanitizers cannot see (a wrong result): report it and abort,
// so libFuzzer keeps the input as a crash.
#define VL_FUZZ_CHECK(condition)                                                   \
    do {                                                                           \
        if (!(condition)) {                                                        \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, \
                         __LINE__);                                                \
            std::abort();                                                          \
        }                                                                          \
    } while (0)

// The input split at its first LF: the text before it, and the rest.
inline std::pair<std::string_view, std::string_view> splitAtFirstLine(std::string_view input) {
    const size_t lf = input.find('\n');
    if (lf == std::string_view::npos) return {input, {}};
    return {input.substr(0, lf), input.substr(lf + 1)};
}

// A working folder made once per process and removed at its end; in memory
// (/dev/shm) where there is one, so that the readers' file traffic and the
// writers' syncs cost little.
class FuzzFolder {
public:
    static FuzzFolder& instance() {
        static FuzzFolder folder;
        return folder;
    }
    const logbook::DataFolder& folder() const { return folder_; }
    // Replaces the file with exactly these bytes (no sync: nothing here must
    // survive the process).
    void put(std::string_view name, std::string_view bytes) const {
        std::ofstream out(folder_.dir() / std::string(name), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    void erase(std::string_view name) const {
        std::error_code ec;
        std::filesystem::remove(folder_.dir() / std::string(name), ec);
    }
    ~FuzzFolder() {
        std::error_code ec;
        std::filesystem::remove_all(folder_.dir(), ec);
    }

private:
    FuzzFolder() : folder_(makeDir()) {}
    static std::filesystem::path makeDir() {
        std::string pattern = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        pattern += "/vl_fuzz_XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return pattern;
    }
    logbook::DataFolder folder_;
};

}  // namespace vl::fuzz
