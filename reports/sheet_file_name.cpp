#include "reports/sheet_file_name.h"

#include <array>

#include "logbook/code_page.h"
#include "logbook/file_names.h"
#include "reports/sheet_texts.h"
#include "reports/utf8_from_windows1252.h"

namespace vl::reports {

namespace {

constexpr std::string_view kExtension = ".txt";
constexpr std::string_view kOwnFileSuffix = "-sheet";
constexpr std::string_view kEmptyStem = "NOCALL";
// The longest file name Linux file systems take, in bytes.
constexpr size_t kMaxNameBytes = 255;

bool unfitForName(unsigned char c) {
    if (c < 0x20 || c == 0x7F) return true;
    if (logbook::undefinedInCp1252(c)) return true;
    constexpr std::string_view kReserved = "/\\:*?\"<>|";
    return kReserved.find(static_cast<char>(c)) != std::string_view::npos;
}

bool isOwnDataFile(std::string_view name) {
    namespace n = logbook::names;
    static constexpr std::array kOwn = {
        n::kContactLog, n::kPhoneChapters, n::kCwChapters,    n::kDigitalChapters,
        n::kBonusCalls, n::kRoster,        n::kHistory,       n::kRegistration,
        n::kStartMessage, n::kCwMessages,  n::kSheetWorkingName, n::kSerialPorts,
        kSheetTextFile};
    for (std::string_view own : kOwn) {
        if (n::sameNameIgnoringCase(own, name)) return true;
    }
    return false;
}

}  // namespace

SheetFileName sheetFileName(std::string_view call, std::string_view year) {
    const std::string asRegistered = std::string(call) + std::string(year);
    std::string stem = asRegistered;
    for (char& c : stem) {
        if (unfitForName(static_cast<unsigned char>(c))) c = '-';
    }
    for (char& c : stem) {
        if (c != '.') break;
        c = '-';
    }
    if (stem.empty()) stem = kEmptyStem;
    if (isOwnDataFile(stem + std::string(kExtension))) stem += kOwnFileSuffix;

    // Cut whole characters where the UTF-8 form would no longer fit.
    const size_t room = kMaxNameBytes - kExtension.size();
    size_t used = 0;
    size_t kept = 0;
    for (; kept < stem.size(); ++kept) {
        used += utf8FromWindows1252(std::string_view(stem).substr(kept, 1)).size();
        if (used > room) break;
    }
    stem.resize(kept);

    SheetFileName out;
    out.shown = stem + std::string(kExtension);
    out.onDisk = utf8FromWindows1252(stem) + std::string(kExtension);
    out.adjusted = stem != asRegistered;
    return out;
}

}  // namespace vl::reports
