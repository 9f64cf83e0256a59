#pragma once
// The history file "vlhistory.txt": callsign, chapter, name per line.
#include <string>
#include <string_view>
#include <vector>

namespace vl::logbook {

struct HistoryRecord {
    std::string call;
    std::string chapter;
    std::string name;
};

std::vector<HistoryRecord> parseHistory(std::string_view content);

// The line appended for a station: each field stripped of blanks at both ends.
std::string formatHistoryLine(const HistoryRecord& record);

}  // namespace vl::logbook
