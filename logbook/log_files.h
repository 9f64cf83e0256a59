#pragma once
// The contact log and the files derived from it, as one set: deleting the
// log deletes them all, and they are created again empty.
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "logbook/data_folder.h"

namespace vl::logbook {

struct DeletionFailure {
    std::string name;  // the file that could not be deleted
    FileError error;
};

// What Delete Log did: the name the log was kept under (empty when there
// was no log), and the failure that stopped it, if any.
struct LogDeletion {
    std::string backup;
    std::optional<DeletionFailure> failure;
};

// "vlqsolog-20261208-031500.txt" for that moment in UTC; `attempt` above 1
// adds "-2", "-3"... for a name already taken.
std::string logBackupName(std::time_t now, int attempt = 1);

// Renames the log to a backup in the working folder (logBackupName, never
// replacing an older backup), then deletes the three chapters-worked files
// and the bonus-call file, in that order. A file that is already gone is
// passed over; any other failure stops the deletion there and is returned.
LogDeletion deleteLogFiles(const DataFolder& folder, std::time_t now);

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

// The lines of the log that start-up offers to set aside, each with its line
// end: the lines holding a NUL byte (the hole a power cut leaves on a file
// system that lengthens a file before its data reaches the disk; they end in
// CR LF like any line, but are no contact the exports or Recount can take)
// and the torn last line.
std::vector<std::string_view> brokenLogLines(std::string_view log);

// What the operator is asked at start-up about them, saying what follows No.
std::string brokenLinesQuestion(const std::vector<std::string_view>& lines);

// Cuts the broken lines out of the log after keeping them, each with a line
// end, at the end of kTornLinesFile. When keeping them fails the log is left
// alone; when cutting fails the lines are in both files, and the next set
// aside finds them already kept and does not keep them twice. The failure,
// if any.
FileResult setAsideBrokenLines(const DataFolder& folder, std::string_view log);

}  // namespace vl::logbook
