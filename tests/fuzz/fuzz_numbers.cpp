// Numbers typed into the numeric boxes or found in the files.
#include <cmath>

#include "entry/numeric.h"
#include "fuzz_support.h"
#include "logbook/chapter_key.h"
#include "logbook/number_text.h"
#include "logbook/registration.h"

using namespace vl;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view text = fuzz::bytesOf(data, size);
    const std::optional<double> value = logbook::parseNumber(text);
    VL_FUZZ_CHECK(value.has_value() == logbook::isNumber(text));
    VL_FUZZ_CHECK(entry::passesNumericTest(text) == (text.empty() || value.has_value()));
    for (int digits : {2, 3}) {
        const std::string zeros = logbook::formatWithZeros(text, digits);
        if (!value) {
            VL_FUZZ_CHECK(zeros == text);
        } else if (std::isfinite(*value) && std::fabs(*value) < 1e15) {
            // A number comes back as a whole number of the same value.
            const std::optional<double> again = logbook::parseNumber(zeros);
            VL_FUZZ_CHECK(again && std::nearbyint(*value) == *again);
            VL_FUZZ_CHECK(zeros.size() >= static_cast<size_t>(digits));
        }
    }
    (void)entry::formatReportSent(text);
    (void)logbook::chapterKey(text);
    (void)logbook::parseUtcOffset(text);
    return 0;
}
