#pragma once
// One in-memory index of the log "vlqsolog.txt" and the history file
// "vlhistory.txt", read by the look-ups run when the callsign box is left and
// by the partial check run as a call is typed.
//
// Every query first looks at the file (it is opened each time, so a file
// that can no longer be read is reported exactly as a fresh read reports it)
// and compares its size, modification time and inode with those the index
// was built from; any difference rebuilds that file's index, so a hand edit,
// the log window, a recount or a deleted log is seen at the next query. After
// the program appends a line itself (INSERT, F11) `extend` reads only the new
// bytes. Within one file the index keeps the file's bytes and, per callsign as
// the look-ups compare it (blanks at both ends removed, case kept), its lines
// in file order; a look-up re-reads only those lines with the same parsing as
// a scan of the whole file, so its answer is the scan's answer.
#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "logbook/data_folder.h"

namespace vl::entry {

class LogIndex {
public:
    enum class File { Log, History };

    explicit LogIndex(logbook::DataFolder folder);
    ~LogIndex();
    LogIndex(const LogIndex&) = delete;
    LogIndex& operator=(const LogIndex&) = delete;

    const logbook::DataFolder& folder() const { return folder_; }

    // Brings the file's index up to date; the failure to read it otherwise.
    logbook::FileResult refresh(File file);
    // After the program appended to the file: the new lines are added without
    // reading the file again from the start (a file that shrank or was
    // replaced is read whole).
    logbook::FileResult extend(File file);

    // The indexed lines (without line end) whose callsign is `call` and that
    // contain it, in file order. Valid until the next refresh or extend.
    std::vector<std::string_view> linesOf(File file, std::string_view call) const;

    // A callsign of one file that contains the text searched for.
    struct Hit {
        uint32_t id;     // the call's place in the order the file first names it
        uint32_t times;  // log: contacts logged; history: records
        bool exact;      // the call is the text searched for
    };
    // Every callsign of the file that contains `folded` once Ø is read as 0
    // and letters as capitals (see foldCall), in the order the file first
    // names them; `folded` has two characters or more.
    std::vector<Hit> containing(File file, std::string_view folded) const;

    // What the partial check shows of a call found.
    struct Known {
        std::string_view call;        // as the look-ups compare it
        std::string_view latestLine;  // log: the latest contact; history: the first record
        // Log: the distinct band and mode pairs worked (blanks removed).
        std::vector<std::pair<std::string_view, std::string_view>> workedOn;
    };
    Known describe(File file, uint32_t id) const;
    bool knows(File file, std::string_view call) const;

    // Heap bytes the index holds, roughly.
    size_t memoryBytes() const;

private:
    struct FileIndex;
    FileIndex& indexOf(File file) const;
    logbook::FileResult update(File file, bool appendOnly);

    logbook::DataFolder folder_;
    std::unique_ptr<FileIndex> log_;
    std::unique_ptr<FileIndex> history_;
};

// A callsign as the partial check compares it: letters as capitals, the
// slashed zero Ø (0xD8, also ø 0xF8) as the digit 0.
std::string foldCall(std::string_view call);

}  // namespace vl::entry
