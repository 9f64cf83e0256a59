#pragma once
// The one line form of every data file: fields in double quotes, separated by
// commas, the line ended by CR LF, single-byte text. A bare number is written
// without quotes.
#include <string>
#include <string_view>
#include <vector>

namespace vl::logbook {

inline constexpr std::string_view kCrLf = "\r\n";

// One field as it is written: text between double quotes, or bare.
struct OutField {
    std::string text;
    bool quoted = true;
};

// "a","b",-5 followed by CR LF. The text of a quoted field must hold no quote
// (the format has no escape); callers clean their input before it gets here.
std::string formatQuotedLine(const std::vector<OutField>& fields);
std::string formatQuotedLine(const std::vector<std::string>& quotedFields);

// Splits one line (without its line end) by the reading rule: a field that
// begins with a double quote runs to the next double quote and its content is
// exactly what lies between (blanks kept); the reader then skips to the next
// comma. A field without a leading quote runs to the next comma, with leading
// and trailing blanks removed. A quote that is never closed takes the rest of
// the line; `unterminated` is then set.
std::vector<std::string> splitQuotedLine(std::string_view line, bool* unterminated = nullptr);

// Splits file content into lines, accepting CR LF, a bare LF and a missing last
// line end. Blank lines (empty or only blanks) are left out.
std::vector<std::string_view> splitLines(std::string_view content);

// Every line of the content split into its fields; blank lines left out.
std::vector<std::vector<std::string>> readQuotedLines(std::string_view content);

// All fields of the content in order, across lines, as a sequential reader
// that does not care where lines end would see them.
std::vector<std::string> readAllFields(std::string_view content);

// Leading and trailing blanks (spaces and tabs) removed.
std::string_view trimBlanks(std::string_view text);

// A line of a file as a message quotes it: its first kExcerptLength
// characters, then "..." when there was more, and every control character
// shown as "?", so that a huge or binary line never fills the screen or
// cuts the message short.
inline constexpr size_t kExcerptLength = 40;
std::string lineExcerpt(std::string_view line);

}  // namespace vl::logbook
