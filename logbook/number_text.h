#pragma once
// Numbers typed by the operator or found in the data files.
#include <optional>
#include <string>
#include <string_view>

namespace vl::logbook {

// The usual number syntax: optional blanks, optional sign, digits with an
// optional decimal point, optional exponent. Empty when the text is not one.
std::optional<double> parseNumber(std::string_view text);

bool isNumber(std::string_view text);

// A number written as a whole number with at least `digits` digits, leading
// zeros added ("7" with 3 gives "007"); a fraction is rounded half to even.
// Text that is not a number is returned unchanged.
std::string formatWithZeros(std::string_view text, int digits);

}  // namespace vl::logbook
