#include "logbook/registration.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "logbook/number_text.h"
#include "logbook/quoted_line.h"

namespace vl::logbook {

std::string formatRegistrationLine(const Registration& r) {
    return formatQuotedLine(std::vector<OutField>{
        {r.call},  {r.chapter},     {r.address}, {r.state}, {r.report},
        {r.name},  {r.chapterName}, {r.city},    {r.zip},   {r.year},
        {std::to_string(r.utcOffset), false},    {r.email}});
}

RegistrationRead parseRegistration(std::string_view content) {
    RegistrationRead out;
    std::vector<std::string> fields = readAllFields(content);
    out.fieldsRead = static_cast<int>(std::min<size_t>(fields.size(), 12));
    fields.resize(12);
    Registration& r = out.registration;
    r.call = fields[0];
    r.chapter = fields[1];
    r.address = fields[2];
    r.state = fields[3];
    r.report = fields[4];
    r.name = fields[5];
    r.chapterName = fields[6];
    r.city = fields[7];
    r.zip = fields[8];
    r.year = fields[9];
    if (auto offset = parseUtcOffset(fields[10])) {
        r.utcOffset = *offset;
        out.offsetValid = true;
    }
    r.email = fields[11];
    return out;
}

std::optional<int> parseUtcOffset(std::string_view typed) {
    std::optional<double> value = parseNumber(typed);
    if (!value) return std::nullopt;
    double whole = std::floor(*value);
    if (whole < kMinUtcOffset || whole > kMaxUtcOffset) return std::nullopt;
    return static_cast<int>(whole);
}

}  // namespace vl::logbook
