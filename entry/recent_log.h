#pragma once
// The recent-log box `txtRecentLog`: the last nine records of the log, in the
// layout `DisplayLog` writes after a contact, or in the start-up layout.
#include <string>
#include <string_view>

#include "logbook/contact_record.h"

namespace vl::entry {

enum class RecentLayout { Refresh, StartUp };

// One line of the box, CR LF included.
std::string recentLogLine(const logbook::ContactRecord& record, RecentLayout layout);

// The box text for the log content: records numbered from max(L - 8, 1) to L,
// L being the number of records.
std::string recentLogText(std::string_view logContent, RecentLayout layout);

}  // namespace vl::entry
