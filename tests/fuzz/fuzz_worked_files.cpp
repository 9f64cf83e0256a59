// The chapters-worked files and the bonus-call file.
#include "fuzz_support.h"
#include "logbook/chapter_key.h"
#include "logbook/small_files.h"

using namespace vl::logbook;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view content = vl::fuzz::bytesOf(data, size);
    for (const std::string& first : readFirstFields(content)) {
        const std::string key = chapterKey(first);
        VL_FUZZ_CHECK(chapterKey(key) == key);
        (void)formatBonusLine(first);
        (void)chaptersFileForMode(first);
    }
    return 0;
}
