#pragma once
// The chapter roster "VLChapters.txt": number and name per line, the last
// record numbered "999" as the end mark.
#include <string>
#include <string_view>
#include <vector>

namespace vl::logbook {

inline constexpr std::string_view kRosterEndMark = "999";
inline constexpr std::string_view kNonMemberChapter = "599";

struct RosterEntry {
    std::string number;
    std::string name;
};

std::vector<RosterEntry> parseRoster(std::string_view content);

}  // namespace vl::logbook
