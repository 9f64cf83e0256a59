#include "logbook/small_files.h"

#include "logbook/file_names.h"
#include "logbook/quoted_line.h"

namespace vl::logbook {

std::string formatSingleFieldLine(std::string_view value) {
    return formatQuotedLine(std::vector<std::string>{std::string(value)});
}

std::string formatBonusLine(std::string_view call) {
    return formatSingleFieldLine(trimBlanks(call));
}

std::vector<std::string> readFirstFields(std::string_view content) {
    std::vector<std::string> values;
    for (auto& fields : readQuotedLines(content)) values.push_back(fields.at(0));
    return values;
}

std::string_view chaptersFileForMode(std::string_view mode) {
    std::string_view m = trimBlanks(mode);
    if (m == "PHN") return names::kPhoneChapters;
    if (m == "CW") return names::kCwChapters;
    if (m == "DIG") return names::kDigitalChapters;
    return {};
}

std::string formatCwMessages(const CwMessages& messages) {
    return formatQuotedLine(std::vector<std::string>(messages.begin(), messages.end()));
}

bool parseCwMessages(std::string_view content, CwMessages& out) {
    std::vector<std::string> fields = readAllFields(content);
    if (fields.size() < out.size()) return false;
    for (size_t i = 0; i < out.size(); ++i) out[i] = fields[i];
    return true;
}

std::string formatStartSwitch(bool show) {
    return formatSingleFieldLine(show ? "YES" : "NO");
}

bool startMessageWanted(std::string_view content) {
    std::vector<std::string> fields = readAllFields(content);
    return fields.empty() || fields[0] != "NO";
}

}  // namespace vl::logbook
