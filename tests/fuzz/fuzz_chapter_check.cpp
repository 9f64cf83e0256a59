// The chapter check on a roster and a chapters-worked file as the operator
// may have edited them: the first line is the typed chapter, the rest is
// written as the roster and as the CW chapters-worked file.
#include "entry/chapter_check.h"
#include "fuzz_support.h"
#include "logbook/file_names.h"

using namespace vl;
using Kind = entry::ChapterOutcome::Kind;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const auto [typed, roster] = fuzz::splitAtFirstLine(fuzz::bytesOf(data, size));
    const fuzz::FuzzFolder& work = fuzz::FuzzFolder::instance();
    work.put(logbook::names::kRoster, roster);
    work.put(logbook::names::kCwChapters, roster);
    for (std::string_view box : {typed, std::string_view("599"), std::string_view("")}) {
        const entry::ChapterOutcome outcome = entry::checkChapter(box, "007", "CW", work.folder());
        VL_FUZZ_CHECK(outcome.kind != Kind::Error);
        if (outcome.kind == Kind::Invalid) VL_FUZZ_CHECK(outcome.chapter.empty());
        if (outcome.kind == Kind::Valid) VL_FUZZ_CHECK(!outcome.chapter.empty());
    }
    return 0;
}
