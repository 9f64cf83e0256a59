#pragma once
// The working folder and every file access of the program. Names are matched
// without regard to letter case, so a roster copied as VLCHAPTERS.TXT is found.
// Appends write the whole line with one write and reach the disk before the
// call returns; whole-file writes go through a temporary file and a rename, so
// a failure never leaves half a file behind (see file_writes.h).
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "logbook/file_writes.h"

namespace vl::logbook {

struct ReadResult {
    std::string content;
    std::optional<FileError> error;
    bool ok() const { return !error.has_value(); }
};

class DataFolder {
public:
    explicit DataFolder(std::filesystem::path dir);

    const std::filesystem::path& dir() const { return dir_; }

    // The path of the file with this name: an existing file whose name matches
    // without regard to case, else the canonical spelling in the folder.
    std::filesystem::path resolve(std::string_view name) const;

    bool exists(std::string_view name) const;
    ReadResult read(std::string_view name) const;
    // The same into a buffer the caller keeps, so that a file read again and
    // again reuses its storage. On failure the buffer is empty.
    FileResult readInto(std::string_view name, std::string& buffer) const;
    // Appends with one write; when the file's last line has no line end, the
    // appended text starts on a line of its own. A failed append leaves the
    // file as it was.
    FileResult appendText(std::string_view name, std::string_view bytes) const;
    FileResult writeWhole(std::string_view name, std::string_view bytes) const;
    // Creates an empty file when none exists; leaves an existing one alone.
    FileResult touch(std::string_view name) const;
    // Fails with ENOENT when the file is missing.
    FileResult remove(std::string_view name) const;
    // Moves `from` to the file name `to` (taken as given, not case-folded),
    // replacing any file of that name.
    FileResult renameTo(std::string_view from, const std::filesystem::path& to) const;

private:
    std::filesystem::path dir_;
};

}  // namespace vl::logbook
