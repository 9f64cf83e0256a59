#include "logbook/log_files.h"

#include <cerrno>

#include "logbook/file_names.h"
#include "logbook/quoted_line.h"

namespace vl::logbook {

std::string logBackupName(std::time_t now, int attempt) {
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    std::string name = "vlqsolog-" + std::string(stamp);
    if (attempt > 1) name += "-" + std::to_string(attempt);
    return name + ".txt";
}

LogDeletion deleteLogFiles(const DataFolder& folder, std::time_t now) {
    LogDeletion done;
    auto fail = [&](std::string_view name, const FileError& error) {
        done.failure = DeletionFailure{std::string(name), error};
        return done;
    };
    // The log is kept, under a name no older backup has.
    const std::filesystem::path log = folder.resolve(names::kContactLog);
    int attempt = 1;
    int status = 0;
    while ((status = fileWrites::renameNoReplace(
                log.c_str(), (folder.dir() / logBackupName(now, attempt)).c_str())) != 0 &&
           errno == EEXIST && attempt < 100) {
        ++attempt;
    }
    if (status == 0) {
        done.backup = logBackupName(now, attempt);
        if (auto error = syncFolder(folder.dir())) return fail(names::kContactLog, *error);
    } else if (errno != ENOENT) {
        return fail(names::kContactLog, errorFromErrno(errno));
    }
    for (std::string_view name : {names::kPhoneChapters, names::kCwChapters,
                                  names::kDigitalChapters, names::kBonusCalls}) {
        if (auto error = folder.remove(name); error && error->number != ENOENT) {
            return fail(name, *error);
        }
    }
    return done;
}

std::vector<FileError> createLogFiles(const DataFolder& folder) {
    std::vector<FileError> errors;
    for (std::string_view name : {names::kContactLog, names::kPhoneChapters, names::kCwChapters,
                                  names::kDigitalChapters}) {
        if (auto error = folder.touch(name)) errors.push_back(*error);
    }
    return errors;
}

std::string_view tornLastLine(std::string_view log) {
    if (log.empty() || log.back() == '\n') return {};
    const size_t start = log.rfind('\n') + 1;  // npos + 1 is 0
    const std::string_view line = log.substr(start);
    std::string_view bare = line;
    if (bare.ends_with('\r')) bare.remove_suffix(1);
    if (trimBlanks(bare).empty()) return {};
    bool unterminated = false;
    const size_t fields = splitQuotedLine(bare, &unterminated).size();
    if (!unterminated && fields == 10 && bare.ends_with('"')) return {};
    return line;
}

namespace {

std::string_view withoutLineEnd(std::string_view line) {
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

}  // namespace

std::vector<std::string_view> brokenLogLines(std::string_view log) {
    std::vector<std::string_view> lines;
    const std::string_view torn = tornLastLine(log);
    for (size_t start = 0; start < log.size() - torn.size();) {
        const size_t end = log.find('\n', start);
        const size_t next = end == std::string_view::npos ? log.size() - torn.size() : end + 1;
        const std::string_view line = log.substr(start, next - start);
        if (line.find('\0') != std::string_view::npos) lines.push_back(line);
        start = next;
    }
    if (!torn.empty()) lines.push_back(torn);
    return lines;
}

std::string brokenLinesQuestion(const std::vector<std::string_view>& lines) {
    if (lines.empty()) return {};
    const std::string file(kTornLinesFile);
    if (lines.size() == 1 && !lines.front().ends_with('\n') &&
        lines.front().find('\0') == std::string_view::npos) {
        return "The last line of the contact log was cut short, as a write stopped by a crash or "
               "a power cut leaves it:\r\n\r\n" +
               lineExcerpt(lines.front()) +
               "\r\n\r\nThat contact was not logged.  Move the line out of the log into " + file +
               "?  No leaves the log as it is: the next contact logged then closes the cut line "
               "as a line of its own, which the exports will refuse.";
    }
    const std::string count =
        lines.size() == 1 ? "One line" : std::to_string(lines.size()) + " lines";
    return count + " of the contact log " + (lines.size() == 1 ? "was" : "were") +
           " damaged by a crash or a power cut (cut short, or holding NUL bytes) and " +
           (lines.size() == 1 ? "is no contact" : "are no contacts") +
           " the program can read.  The first:\r\n\r\n" +
           lineExcerpt(withoutLineEnd(lines.front())) +
           "\r\n\r\nMove " + (lines.size() == 1 ? "it" : "them") + " out of the log into " + file +
           "?  No leaves the log as it is, and the exports and Recount will refuse it until "
           "the log is mended by hand.";
}

FileResult setAsideBrokenLines(const DataFolder& folder, std::string_view log) {
    const std::vector<std::string_view> lines = brokenLogLines(log);
    if (lines.empty()) return std::nullopt;
    std::string kept;
    std::string rest;
    size_t from = 0;
    for (std::string_view line : lines) {
        const size_t at = static_cast<size_t>(line.data() - log.data());
        rest.append(log.substr(from, at - from));
        from = at + line.size();
        kept.append(withoutLineEnd(line));
        kept += "\r\n";
    }
    rest.append(log.substr(from));
    // A set aside stopped between its two writes kept the lines already.
    const ReadResult earlier = folder.read(kTornLinesFile);
    if (!(earlier.ok() && std::string_view(earlier.content).ends_with(kept))) {
        if (auto error = folder.appendText(kTornLinesFile, kept)) return error;
    }
    return folder.writeWhole(names::kContactLog, rest);
}

}  // namespace vl::logbook
