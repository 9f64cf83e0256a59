#pragma once
// Walking the lines of a data file without splitting every line into fields:
// a look-up for one callsign only needs the lines that contain it.
#include <algorithm>
#include <functional>
#include <string_view>

namespace vl::entry {

// Calls fn(line) in file order for every line of `content` that contains
// `needle`, each line once, without its line end (CR LF or LF); with an empty
// needle for every non-blank line. Lines are cut as logbook::splitLines cuts
// them. fn returns false to stop.
template <class Fn>
void forEachLineContaining(std::string_view content, std::string_view needle, Fn&& fn) {
    auto lineAt = [&](size_t begin, size_t end) {
        std::string_view line = content.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return line;
    };
    if (needle.empty()) {
        size_t pos = 0;
        while (pos < content.size()) {
            size_t lf = content.find('\n', pos);
            size_t end = lf == std::string_view::npos ? content.size() : lf;
            std::string_view line = lineAt(pos, end);
            if (line.find_first_not_of(" \t") != std::string_view::npos && !fn(line)) return;
            if (lf == std::string_view::npos) return;
            pos = lf + 1;
        }
        return;
    }
    const std::boyer_moore_horspool_searcher searcher(needle.begin(), needle.end());
    auto from = content.begin();
    while (from != content.end()) {
        auto hit = std::search(from, content.end(), searcher);
        if (hit == content.end()) return;
        const size_t at = static_cast<size_t>(hit - content.begin());
        const size_t lf = content.rfind('\n', at);
        const size_t begin = lf == std::string_view::npos ? 0 : lf + 1;
        size_t end = content.find('\n', at + needle.size() - 1);
        if (end == std::string_view::npos) end = content.size();
        if (!fn(lineAt(begin, end))) return;
        from = end == content.size() ? content.end() : content.begin() + end + 1;
    }
}

// The first field of `line` by the reading rule of the data files (a quoted
// field is exactly what lies between its quotes, an unquoted one runs to the
// next comma, blanks at both ends removed), without splitting the rest of the
// line. Agrees with logbook::splitQuotedLine(line)[0].
inline std::string_view firstFieldView(std::string_view line) {
    const size_t start = line.find_first_not_of(" \t");
    if (start != std::string_view::npos && line[start] == '"') {
        const size_t close = line.find('"', start + 1);
        return close == std::string_view::npos ? line.substr(start + 1)
                                               : line.substr(start + 1, close - start - 1);
    }
    std::string_view raw = line.substr(0, line.find(','));
    const size_t first = raw.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return raw.substr(first, raw.find_last_not_of(" \t") - first + 1);
}

}  // namespace vl::entry
