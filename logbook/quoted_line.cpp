#include "logbook/quoted_line.h"

#include <algorithm>

namespace vl::logbook {

std::string formatQuotedLine(const std::vector<OutField>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        if (fields[i].quoted) {
            line += '"';
            line += fields[i].text;
            line += '"';
        } else {
            line += fields[i].text;
        }
    }
    line += kCrLf;
    return line;
}

std::string formatQuotedLine(const std::vector<std::string>& quotedFields) {
    std::vector<OutField> fields;
    fields.reserve(quotedFields.size());
    for (const auto& text : quotedFields) fields.push_back({text, true});
    return formatQuotedLine(fields);
}

std::string_view trimBlanks(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    return text.substr(begin, end - begin);
}

std::vector<std::string> splitQuotedLine(std::string_view line, bool* unterminated) {
    std::vector<std::string> fields;
    // At most one field more than there are commas.
    fields.reserve(static_cast<size_t>(std::count(line.begin(), line.end(), ',')) + 1);
    if (unterminated) *unterminated = false;
    size_t pos = 0;
    const size_t n = line.size();
    while (true) {
        // Blanks before a field do not count.
        size_t start = pos;
        while (start < n && (line[start] == ' ' || line[start] == '\t')) ++start;
        if (start < n && line[start] == '"') {
            size_t close = line.find('"', start + 1);
            if (close == std::string_view::npos) {
                fields.emplace_back(line.substr(start + 1));
                if (unterminated) *unterminated = true;
                return fields;
            }
            fields.emplace_back(line.substr(start + 1, close - start - 1));
            size_t comma = line.find(',', close + 1);
            if (comma == std::string_view::npos) return fields;
            pos = comma + 1;
        } else {
            size_t comma = line.find(',', pos);
            std::string_view raw =
                comma == std::string_view::npos ? line.substr(pos) : line.substr(pos, comma - pos);
            fields.emplace_back(trimBlanks(raw));
            if (comma == std::string_view::npos) return fields;
            pos = comma + 1;
        }
    }
}

std::vector<std::string_view> splitLines(std::string_view content) {
    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (pos < content.size()) {
        size_t lf = content.find('\n', pos);
        size_t end = lf == std::string_view::npos ? content.size() : lf;
        std::string_view line = content.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!trimBlanks(line).empty()) lines.push_back(line);
        if (lf == std::string_view::npos) break;
        pos = lf + 1;
    }
    return lines;
}

std::vector<std::vector<std::string>> readQuotedLines(std::string_view content) {
    std::vector<std::vector<std::string>> out;
    for (std::string_view line : splitLines(content)) out.push_back(splitQuotedLine(line));
    return out;
}

std::vector<std::string> readAllFields(std::string_view content) {
    std::vector<std::string> out;
    for (std::string_view line : splitLines(content)) {
        for (auto& field : splitQuotedLine(line)) out.push_back(std::move(field));
    }
    return out;
}

std::string lineExcerpt(std::string_view line) {
    std::string shown(line.substr(0, kExcerptLength));
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte == 0x7F) c = '?';
    }
    if (line.size() > kExcerptLength) shown += "...";
    return shown;
}

}  // namespace vl::logbook
