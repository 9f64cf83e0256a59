#include "logbook/log_edit.h"

#include <sys/stat.h>

#include <cerrno>

#include "logbook/file_names.h"
#include "logbook/quoted_line.h"

namespace vl::logbook {

namespace {

// Every line of the content, blank ones included: where it starts and how
// long it is with its line end.
struct Span {
    std::size_t offset;
    std::size_t length;
};

std::vector<Span> physicalLines(std::string_view content) {
    std::vector<Span> spans;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        end = end == std::string_view::npos ? content.size() : end + 1;
        spans.push_back({start, end - start});
        start = end;
    }
    return spans;
}

std::string_view withoutLineEnd(std::string_view line) {
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

}  // namespace

FileStamp stampOf(const DataFolder& folder, std::string_view name) {
    struct stat st{};
    if (::stat(folder.resolve(name).c_str(), &st) != 0) return {};
    return FileStamp{true, static_cast<std::uintmax_t>(st.st_size),
                     static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 +
                         st.st_mtim.tv_nsec,
                     static_cast<std::uintmax_t>(st.st_ino)};
}

std::vector<LogLine> logLines(std::string_view content) {
    std::vector<LogLine> lines;
    const std::vector<Span> spans = physicalLines(content);
    lines.reserve(spans.size());
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const std::string_view bare = withoutLineEnd(content.substr(spans[i].offset, spans[i].length));
        if (trimBlanks(bare).empty()) continue;
        bool unterminated = false;
        const std::vector<std::string> fields = splitQuotedLine(bare, &unterminated);
        lines.push_back(LogLine{i + 1, spans[i].offset, spans[i].length,
                                !unterminated && fields.size() == 10, contactFromFields(fields)});
    }
    return lines;
}

LogSnapshot readLogSnapshot(const DataFolder& folder) {
    LogSnapshot snapshot;
    snapshot.stamp = stampOf(folder, names::kContactLog);
    if (FileResult error = folder.readInto(names::kContactLog, snapshot.content);
        error && error->number != ENOENT) {
        snapshot.error = error;
        return snapshot;
    }
    snapshot.lines = logLines(snapshot.content);
    return snapshot;
}

LogChange replaceRecord(const LogSnapshot& snapshot, const LogLine& line,
                        const ContactRecord& record) {
    return LogChange{line.number, std::string(snapshot.bytesOf(line)), formatContactLine(record)};
}

LogChange removeRecord(const LogSnapshot& snapshot, const LogLine& line) {
    return LogChange{line.number, std::string(snapshot.bytesOf(line)), {}};
}

LogChangeOutcome applyLogChange(const DataFolder& folder, const LogChange& change) {
    using Kind = LogChangeOutcome::Kind;
    LogChangeOutcome outcome;
    std::string content;
    if (FileResult error = folder.readInto(names::kContactLog, content);
        error && error->number != ENOENT) {
        outcome.kind = Kind::kFailed;
        outcome.error = error;
        return outcome;
    }
    const std::vector<Span> spans = physicalLines(content);
    const std::size_t index = change.number - 1;
    const bool inserting = change.expected.empty();
    const bool inRange = change.number >= 1 &&
                         (inserting ? index <= spans.size() : index < spans.size());
    if (!inRange || (!inserting && std::string_view(content).substr(
                                       spans[index].offset, spans[index].length) !=
                                       change.expected)) {
        outcome.kind = Kind::kStale;
        return outcome;
    }
    const std::size_t begin = index < spans.size() ? spans[index].offset : content.size();
    const std::size_t end = inserting ? begin : begin + spans[index].length;
    std::string replacement = change.replacement;
    // A line put after a last line that lost its line end starts on its own,
    // and one without a line end put before other lines gets one.
    if (!replacement.empty() && begin > 0 && content[begin - 1] != '\n') {
        replacement.insert(0, kCrLf);
    }
    if (!replacement.empty() && !replacement.ends_with('\n') && end < content.size()) {
        replacement += kCrLf;
    }
    std::string updated;
    updated.reserve(content.size() + replacement.size());
    updated.append(content, 0, begin).append(replacement).append(content, end);
    if (FileResult error = folder.writeWhole(names::kContactLog, updated)) {
        outcome.kind = Kind::kFailed;
        outcome.error = error;
        return outcome;
    }
    outcome.undo = LogChange{change.number, replacement, content.substr(begin, end - begin)};
    return outcome;
}

}  // namespace vl::logbook
