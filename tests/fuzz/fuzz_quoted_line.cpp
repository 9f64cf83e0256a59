// The quoted-field line reader every data file goes through.
#include "fuzz_support.h"
#include "logbook/quoted_line.h"

using namespace vl::logbook;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view content = vl::fuzz::bytesOf(data, size);
    const auto lines = splitLines(content);
    const auto perLine = readQuotedLines(content);
    const auto all = readAllFields(content);
    VL_FUZZ_CHECK(perLine.size() == lines.size());
    size_t fieldCount = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        VL_FUZZ_CHECK(lines[i].find('\n') == std::string_view::npos);
        VL_FUZZ_CHECK(!trimBlanks(lines[i]).empty());
        VL_FUZZ_CHECK(!perLine[i].empty());
        fieldCount += perLine[i].size();
        // Fields that hold no quote and no line end come back unchanged
        // when written and read again.
        std::vector<std::string> clean;
        for (const std::string& field : perLine[i]) {
            if (field.find_first_of("\"\r\n") == std::string::npos) clean.push_back(field);
        }
        if (clean.empty()) continue;
        const std::string written = formatQuotedLine(clean);
        std::string_view line = written;
        line.remove_suffix(kCrLf.size());
        VL_FUZZ_CHECK(splitQuotedLine(line) == clean);
    }
    VL_FUZZ_CHECK(all.size() == fieldCount);
    return 0;
}
