// The chapter roster "VLChapters.txt".
#include "fuzz_support.h"
#include "logbook/chapter_key.h"
#include "logbook/roster.h"

using namespace vl::logbook;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view content = vl::fuzz::bytesOf(data, size);
    for (const RosterEntry& entry : parseRoster(content)) {
        const std::string key = chapterKey(entry.number);
        VL_FUZZ_CHECK(chapterKey(key) == key);
    }
    return 0;
}
