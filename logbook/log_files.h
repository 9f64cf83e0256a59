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

}  // namespace vl::logbook
