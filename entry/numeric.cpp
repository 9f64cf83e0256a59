#include "entry/numeric.h"

#include "logbook/number_text.h"

namespace vl::entry {

bool passesNumericTest(std::string_view boxText) {
    return boxText.empty() || logbook::isNumber(boxText);
}

std::string formatReportSent(std::string_view boxText) {
    if (boxText.empty()) return {};
    return logbook::formatWithZeros(boxText, 2);
}

}  // namespace vl::entry
