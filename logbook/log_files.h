#pragma once
// The contact log and the files derived from it, as one set: deleting the
// log deletes them all, and they are created again empty.
#include <optional>
#include <string>
#include <vector>

#include "logbook/data_folder.h"

namespace vl::logbook {

struct DeletionFailure {
    std::string name;  // the file that could not be deleted
    FileError error;
};

// Deletes the log, the three chapters-worked files and the bonus-call file,
// in that order. A file that is already gone is passed over; any other
// failure stops the deletion there and is returned.
std::optional<DeletionFailure> deleteLogFiles(const DataFolder& folder);

// Creates the log and the three chapters-worked files where they are missing
// (the bonus-call file is created by its first append); the failures.
std::vector<FileError> createLogFiles(const DataFolder& folder);

// Where lines cut from the end of the log are kept.
inline constexpr std::string_view kTornLinesFile = "VLTornLines.txt";

// The log's last line when it has no line end and is not a whole contact
// record (ten fields, the last quote closed): what a write stopped in the
// middle by a killed program or a power cut leaves behind. A whole record
// without its line end (a hand edit) is not torn. Empty when there is none.
std::string_view tornLastLine(std::string_view log);

// What the operator is asked at start-up about a torn last line.
std::string tornLineQuestion(std::string_view torn);

// Cuts the torn last line off the log after keeping it, with a line end, at
// the end of kTornLinesFile. When keeping it fails the log is left alone;
// when cutting fails the line is in both files. The failure, if any.
FileResult setAsideTornLastLine(const DataFolder& folder, std::string_view log);

}  // namespace vl::logbook
