// The summary sheet's text file "VLSheetText.txt".
#include "fuzz_support.h"
#include "reports/sheet_texts.h"

using namespace vl::reports;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view content = vl::fuzz::bytesOf(data, size);
    const SheetTextsRead read = applySheetTextOverrides(defaultSheetTexts(), content);
    // Every problem is one short sentence, however long the line it is about.
    for (const std::string& problem : read.problems) {
        VL_FUZZ_CHECK(problem.size() < 400);
    }
    return 0;
}
