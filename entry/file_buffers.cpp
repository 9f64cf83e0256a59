#include "entry/file_buffers.h"

#include <map>
#include <string>

#include "logbook/file_names.h"

namespace vl::entry {

FreshRead readFresh(const logbook::DataFolder& folder, std::string_view name) {
    thread_local std::map<std::string, std::string, std::less<>> buffers;
    const std::string key = logbook::names::canonicalName(name);
    auto it = buffers.find(key);
    if (it == buffers.end()) it = buffers.emplace(key, std::string()).first;
    FreshRead out;
    out.error = folder.readInto(name, it->second);
    out.content = it->second;
    return out;
}

}  // namespace vl::entry
