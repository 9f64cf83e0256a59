#pragma once
// A working folder of its own for each test, removed afterwards.
#include <unistd.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "logbook/data_folder.h"

namespace vl::entry::testing {

class TempFolder {
public:
    TempFolder() : dir_(makeDir()), folder_(dir_) {}
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const logbook::DataFolder& folder() const { return folder_; }
    void write(std::string_view name, std::string_view bytes) const {
        folder_.writeWhole(name, bytes);
    }

private:
    static std::filesystem::path makeDir() {
        char pattern[] = "/tmp/vl_entry_test_XXXXXX";
        return ::mkdtemp(pattern);
    }
    std::filesystem::path dir_;
    logbook::DataFolder folder_;
};

// "Ø" as the byte the files hold.
inline std::string withSlashedZero(std::string text) {
    for (char& c : text) {
        if (c == '0') c = static_cast<char>(0xD8);
    }
    return text;
}

}  // namespace vl::entry::testing
