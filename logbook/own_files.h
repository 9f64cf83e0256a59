#pragma once
// The files the program keeps in its working folder, which a file written at
// the operator's choice (an export) must never replace.
#include <filesystem>
#include <string>

#include "logbook/data_folder.h"

namespace vl::logbook {

// The name of the program's own file that `target` is: a file of the working
// folder named as one of them in any letter case, or the same file (device
// and inode) as one of them under any name or through any link. Empty when
// `target` is none of them.
std::string ownFileAt(const DataFolder& folder, const std::filesystem::path& target);

}  // namespace vl::logbook
