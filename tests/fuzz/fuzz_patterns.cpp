// The callsign patterns of the searches: the first line is the pattern,
// the rest the callsigns it is matched against.
#include "entry/pattern.h"
#include "fuzz_support.h"
#include "logbook/quoted_line.h"

using namespace vl;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const auto [pattern, rest] = fuzz::splitAtFirstLine(fuzz::bytesOf(data, size));
    const entry::CallPattern compiled(pattern);
    for (std::string_view call : logbook::splitLines(rest)) {
        const bool once = compiled.matches(call);
        VL_FUZZ_CHECK(once == entry::matchesPattern(call, pattern));
        // A pattern without wildcards or lists matches exactly itself.
        if (pattern.find_first_of("?*#[") == std::string_view::npos) {
            VL_FUZZ_CHECK(once == (call == pattern));
        }
    }
    // Stars alone match anything, the empty pattern only the empty text.
    if (pattern.find_first_not_of('*') == std::string_view::npos) {
        VL_FUZZ_CHECK(compiled.matches(rest) == (!pattern.empty() || rest.empty()));
    }
    return 0;
}
