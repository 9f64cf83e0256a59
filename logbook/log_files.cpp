#include "logbook/log_files.h"

#include <cerrno>

#include "logbook/file_names.h"
#include "logbook/quoted_line.h"

namespace vl::logbook {

std::optional<DeletionFailure> deleteLogFiles(const DataFolder& folder) {
    for (std::string_view name : {names::kContactLog, names::kPhoneChapters, names::kCwChapters,
                                  names::kDigitalChapters, names::kBonusCalls}) {
        if (auto error = folder.remove(name); error && error->number != ENOENT) {
            return DeletionFailure{std::string(name), *error};
        }
    }
    return std::nullopt;
}

std::vector<FileError> createLogFiles(const DataFolder& folder) {
    std::vector<FileError> errors;
    for (std::string_view name : {names::kContactLog, names::kPhoneChapters, names::kCwChapters,
                                  names::kDigitalChapters}) {
        if (auto error = folder.touch(name)) errors.push_back(*error);
    }
    return errors;
}

std::string_view tornLastLine(std::string_view log) {
    if (log.empty() || log.back() == '\n') return {};
    const size_t start = log.rfind('\n') + 1;  // npos + 1 is 0
    const std::string_view line = log.substr(start);
    std::string_view bare = line;
    if (bare.ends_with('\r')) bare.remove_suffix(1);
    if (trimBlanks(bare).empty()) return {};
    bool unterminated = false;
    const size_t fields = splitQuotedLine(bare, &unterminated).size();
    if (!unterminated && fields == 10 && bare.ends_with('"')) return {};
    return line;
}

std::string tornLineQuestion(std::string_view torn) {
    return "The last line of the contact log was cut short, as a write stopped by a crash or a "
           "power cut leaves it:\r\n\r\n" +
           lineExcerpt(torn) +
           "\r\n\r\nThat contact was not logged.  Move the line out of the log into " +
           std::string(kTornLinesFile) + "?  No leaves the log as it is.";
}

FileResult setAsideTornLastLine(const DataFolder& folder, std::string_view log) {
    const std::string_view torn = tornLastLine(log);
    if (torn.empty()) return std::nullopt;
    std::string kept(torn);
    if (!kept.ends_with('\r')) kept += '\r';
    kept += '\n';
    if (auto error = folder.appendText(kTornLinesFile, kept)) return error;
    return folder.writeWhole(names::kContactLog, log.substr(0, log.size() - torn.size()));
}

}  // namespace vl::logbook
