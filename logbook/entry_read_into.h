#pragma once
// Reading a whole file into a buffer the caller keeps, so that a look-up that
// reads the same large file again and again reuses its storage instead of
// allocating (and page-faulting) several megabytes each time.
#include <string>
#include <string_view>

#include "logbook/data_folder.h"

namespace vl::logbook {

// The content of the file `name` of the folder (resolved as DataFolder::read
// resolves it), replacing what `buffer` held. On failure the buffer is empty.
FileResult readInto(const DataFolder& folder, std::string_view name, std::string& buffer);

}  // namespace vl::logbook
