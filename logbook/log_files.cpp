#include "logbook/log_files.h"

#include <cerrno>

#include "logbook/file_names.h"

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

}  // namespace vl::logbook
