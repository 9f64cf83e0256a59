#pragma once
// A fresh working folder per test, removed afterwards.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "logbook/data_folder.h"

namespace vl::scoring::testing {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vlscoringXXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    // Names are matched without regard to case, as the program does.
    std::string read(const std::string& name) const {
        std::ifstream in(logbook::DataFolder(path_).resolve(name), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool exists(const std::string& name) const { return logbook::DataFolder(path_).exists(name); }

private:
    std::filesystem::path path_;
};

}  // namespace vl::scoring::testing
