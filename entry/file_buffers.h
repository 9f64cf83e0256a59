#pragma once
// Every reader of the entry row reads its file afresh on each call, so the
// files stay the only record and an edit made by hand between two contacts is
// always seen. The bytes land in storage kept per file name and thread, so
// that reading a log of tens of thousands of contacts several times a contact
// does not allocate megabytes anew each time.
#include <string_view>

#include "logbook/data_folder.h"

namespace vl::entry {

struct FreshRead {
    std::string_view content;  // valid until the next read of the same name on this thread
    logbook::FileResult error;
    bool ok() const { return !error.has_value(); }
};

FreshRead readFresh(const logbook::DataFolder& folder, std::string_view name);

}  // namespace vl::entry
