#include "logbook/own_files.h"

#include <sys/stat.h>

#include <array>
#include <string_view>

#include "logbook/file_names.h"
#include "logbook/log_files.h"

namespace vl::logbook {

namespace {

// The log, the files derived from it, the station's own data, the settings
// files and the lock.
constexpr std::array<std::string_view, 16> kOwnFiles = {
    names::kContactLog,   names::kPhoneChapters, names::kCwChapters,  names::kDigitalChapters,
    names::kBonusCalls,   names::kRoster,        names::kHistory,     names::kRegistration,
    names::kCwMessages,   names::kStartMessage,  names::kSerialPorts, "VLRig.txt",
    "VLSheetText.txt",    kTornLinesFile,        "VLWinLog.lock",     names::kSheetWorkingName};

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

std::string ownFileAt(const DataFolder& folder, const std::filesystem::path& target) {
    struct stat workingFolder{};
    struct stat targetFolder{};
    const std::filesystem::path parent = target.has_parent_path() ? target.parent_path() : ".";
    if (::stat(folder.dir().c_str(), &workingFolder) == 0 &&
        ::stat(parent.c_str(), &targetFolder) == 0 && sameFile(workingFolder, targetFolder)) {
        const std::string name = target.filename().string();
        for (std::string_view own : kOwnFiles) {
            if (names::sameNameIgnoringCase(own, name)) return std::string(own);
        }
    }
    struct stat existing{};
    if (::stat(target.c_str(), &existing) != 0) return {};
    for (std::string_view own : kOwnFiles) {
        struct stat st{};
        if (::stat(folder.resolve(own).c_str(), &st) == 0 && sameFile(st, existing)) {
            return std::string(own);
        }
    }
    return {};
}

}  // namespace vl::logbook
