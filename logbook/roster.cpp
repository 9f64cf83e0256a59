#include "logbook/roster.h"

#include "logbook/quoted_line.h"

namespace vl::logbook {

std::vector<RosterEntry> parseRoster(std::string_view content) {
    std::vector<RosterEntry> roster;
    for (auto& fields : readQuotedLines(content)) {
        fields.resize(std::max<size_t>(fields.size(), 2));
        roster.push_back({fields[0], fields[1]});
    }
    return roster;
}

}  // namespace vl::logbook
