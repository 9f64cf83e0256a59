#include "logbook/file_names.h"

#include <array>

namespace vl::logbook::names {

namespace {
char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

std::string canonicalName(std::string_view name) {
    static constexpr std::array kKnown = {
        kContactLog, kPhoneChapters, kCwChapters, kDigitalChapters, kBonusCalls, kRoster,
        kHistory,    kRegistration,  kStartMessage, kCwMessages,  kSheetWorkingName, kSerialPorts};
    for (std::string_view known : kKnown) {
        if (sameNameIgnoringCase(known, name)) return std::string(known);
    }
    return std::string(name);
}

}  // namespace vl::logbook::names
