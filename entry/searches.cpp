#include "entry/searches.h"

#include "entry/file_buffers.h"
#include "entry/line_scan.h"
#include "entry/pattern.h"
#include "logbook/contact_record.h"
#include "logbook/file_names.h"
#include "logbook/quoted_line.h"

namespace vl::entry {

namespace {

using logbook::trimBlanks;

// The matching rule of both searches, set up once per search.
class CallMatcher {
public:
    explicit CallMatcher(std::string_view callBox)
        : n_(callBox.size()), wanted_(trimBlanks(callBox)), pattern_(wanted_) {}

    // `call` as the record holds it (the log's padded field, or the history's
    // field as read).
    bool operator()(std::string_view call) const {
        return pattern_.matches(trimBlanks(call)) || call.substr(0, n_) == wanted_;
    }

private:
    size_t n_;
    std::string_view wanted_;
    CallPattern pattern_;
};

// `text` left-justified in `width`, blank-padded or cut, as the log's fixed
// fields are read back.
void appendPadded(std::string& out, std::string_view text, size_t width) {
    text = text.substr(0, width);
    out += text;
    out.append(width - text.size(), ' ');
}

}  // namespace

SearchResult searchLog(std::string_view callBox, const logbook::DataFolder& folder) {
    SearchResult out;
    FreshRead file = readFresh(folder, logbook::names::kContactLog);
    if (!file.ok()) {
        out.error = file.error;
        return out;
    }
    const CallMatcher matches(callBox);
    out.text.reserve(file.content.size() + 64);
    forEachLineContaining(file.content, {}, [&](std::string_view line) {
        if (!matches(logbook::padCut(firstFieldView(line), logbook::kCallWidth))) return true;
        const std::vector<std::string> fields = logbook::splitQuotedLine(line);
        auto field = [&](size_t i) -> std::string_view {
            return i < fields.size() ? std::string_view(fields[i]) : std::string_view();
        };
        using namespace logbook;
        std::string& t = out.text;
        t += "  ";
        appendPadded(t, field(0), kCallWidth);
        t += ' ';
        appendPadded(t, field(1), kSentWidth);
        t += ' ';
        appendPadded(t, field(2), kRcvdWidth);
        t += ' ';
        appendPadded(t, field(3), kChapterWidth);
        t += ' ';
        appendPadded(t, field(4), kNameWidth);
        t += ' ';
        appendPadded(t, field(5), kBandWidth);
        appendPadded(t, field(6), kModeWidth);
        t += ' ';
        appendPadded(t, field(7), kDateWidth);
        t += ' ';
        appendPadded(t, field(8), kTimeWidth);
        t += ' ';
        t += field(9);
        t += kCrLf;
        ++out.count;
        return true;
    });
    if (out.count == 0) out.text = kNoLogMatchText;
    return out;
}

SearchResult searchHistory(std::string_view callBox, const logbook::DataFolder& folder) {
    SearchResult out;
    FreshRead file = readFresh(folder, logbook::names::kHistory);
    if (!file.ok()) {
        out.error = file.error;
        return out;
    }
    const CallMatcher matches(callBox);
    out.text.reserve(file.content.size() + 64);
    forEachLineContaining(file.content, {}, [&](std::string_view line) {
        if (!matches(firstFieldView(line))) return true;
        const std::vector<std::string> fields = logbook::splitQuotedLine(line);
        auto field = [&](size_t i) -> std::string_view {
            return i < fields.size() ? std::string_view(fields[i]) : std::string_view();
        };
        out.text += field(0);
        out.text += "   ";
        out.text += field(1);
        out.text += "   ";
        out.text += field(2);
        out.text += logbook::kCrLf;
        ++out.count;
        return true;
    });
    if (out.count == 0) out.text = kNoHistoryMatchText;
    return out;
}

}  // namespace vl::entry
