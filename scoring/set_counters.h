#pragma once
// The rebuild of the contact counters from the log. It adds to what the
// counters hold (call ZeroCounters first for a fresh count) and takes the
// chapter counts from the three chapter lists.
#include <cstdint>
#include <string_view>
#include <vector>

#include "logbook/contact_record.h"
#include "logbook/data_folder.h"
#include "scoring/counters.h"

namespace vl::scoring {

// Item counts of the phone, CW and digital chapter lists.
struct ChapterCounts {
    std::int64_t phone = 0;
    std::int64_t cw = 0;
    std::int64_t digital = 0;
};

// The last line of the error report for SetCounters and the recount.
inline constexpr std::string_view kResetCountersErrorLine =
    "This error occurred reading the Log to reset counters";

// Counts every record of the log content except those whose comment is
// exactly "DUPE", then recomputes ttot. Returns the errors to report, in
// order; a counter overflow is reported once per rebuild.
std::vector<logbook::FileError> SetCounters(Counters& counters, std::string_view logContent,
                                            const ChapterCounts& lists);
// The same over records already read (logbook::readContacts).
std::vector<logbook::FileError> SetCounters(Counters& counters,
                                            const std::vector<logbook::ContactRecord>& records,
                                            const ChapterCounts& lists);

// The same over the log in the folder. A log that cannot be read is reported
// once; the counters are then left as they were apart from the chapter counts
// and ttot.
std::vector<logbook::FileError> SetCounters(Counters& counters, const logbook::DataFolder& folder,
                                            const ChapterCounts& lists);

// The counters as start-up builds them, for a reader without the window: the
// chapter counts from the entries of the three chapters-worked files of the
// folder, the contacts from the log's records. Errors are not reported.
Counters countersFromFiles(const logbook::DataFolder& folder,
                           const std::vector<logbook::ContactRecord>& records);

}  // namespace vl::scoring
