#include "scoring/derived_files_check.h"

#include <map>
#include <set>
#include <string_view>

#include "logbook/chapter_key.h"
#include "logbook/contact_record.h"
#include "logbook/file_names.h"
#include "logbook/quoted_line.h"
#include "scoring/recount.h"

namespace vl::scoring {

namespace {

namespace names = logbook::names;

// The lines of a file as their first fields, with the lines holding a NUL
// byte apart.
struct FileLines {
    std::vector<std::string> values;
    int damaged = 0;
};

FileLines linesOf(std::string_view content) {
    FileLines out;
    for (std::string_view line : logbook::splitLines(content)) {
        if (line.find('\0') != std::string_view::npos) {
            ++out.damaged;
            continue;
        }
        const std::vector<std::string> fields = logbook::splitQuotedLine(line);
        out.values.emplace_back(fields.empty() ? std::string() : fields.front());
    }
    return out;
}

void noteDamaged(DerivedFilesCheck& check, const FileLines& lines, std::string_view file) {
    for (int i = 0; i < lines.damaged; ++i) {
        check.extra.push_back("a damaged line in " + std::string(file));
    }
}

void compareChapters(DerivedFilesCheck& check, std::string_view file, std::string_view mode,
                     const std::vector<std::string>& expected, const FileLines& lines) {
    auto named = [&](std::string_view chapter) {
        return "chapter " + std::string(logbook::trimBlanks(chapter)) + " (" + std::string(mode) +
               ")";
    };
    std::set<std::string> wanted;
    for (const std::string& chapter : expected) wanted.insert(logbook::chapterKey(chapter));
    std::set<std::string> held;
    for (const std::string& chapter : lines.values) {
        const std::string key = logbook::chapterKey(chapter);
        // Held twice, or not in the log: either way more than a recount writes.
        if (!held.insert(key).second || !wanted.contains(key)) {
            check.extra.push_back(named(chapter));
        }
    }
    for (const std::string& chapter : expected) {
        if (!held.contains(logbook::chapterKey(chapter))) check.missing.push_back(named(chapter));
    }
    noteDamaged(check, lines, file);
}

void compareBonusCalls(DerivedFilesCheck& check, const std::vector<std::string>& expected,
                       const FileLines& lines) {
    std::map<std::string, int> balance;  // claims in the log less lines in the file
    for (const std::string& call : expected) ++balance[call];
    for (const std::string& call : lines.values) --balance[std::string(logbook::trimBlanks(call))];
    for (const auto& [call, count] : balance) {
        for (int i = count; i > 0; --i) check.missing.push_back("bonus call " + call);
        for (int i = count; i < 0; ++i) check.extra.push_back("bonus call " + call);
    }
    noteDamaged(check, lines, names::kBonusCalls);
}

std::string listed(const std::vector<std::string>& items) {
    constexpr size_t kShown = 6;
    std::string text;
    for (size_t i = 0; i < items.size() && i < kShown; ++i) text += (i ? ", " : "") + items[i];
    if (items.size() > kShown) text += " and " + std::to_string(items.size() - kShown) + " more";
    return text;
}

}  // namespace

DerivedFilesCheck checkDerivedFiles(const logbook::DataFolder& folder) {
    DerivedFilesCheck check;
    const logbook::ReadResult log = folder.read(names::kContactLog);
    if (!log.ok()) return check;
    const DerivedFiles derived = deriveFromLog(logbook::readContacts(log.content));
    struct Chapters {
        std::string_view file;
        std::string_view mode;
        const std::vector<std::string>& expected;
    };
    for (const Chapters& c :
         {Chapters{names::kPhoneChapters, "phone", derived.phoneChapters},
          Chapters{names::kCwChapters, "CW", derived.cwChapters},
          Chapters{names::kDigitalChapters, "digital", derived.digitalChapters}}) {
        const logbook::ReadResult file = folder.read(c.file);
        if (file.ok()) compareChapters(check, c.file, c.mode, c.expected, linesOf(file.content));
    }
    const logbook::ReadResult bonus = folder.read(names::kBonusCalls);
    if (bonus.ok()) compareBonusCalls(check, derived.bonusCalls, linesOf(bonus.content));
    return check;
}

std::string derivedFilesQuestion(const DerivedFilesCheck& check) {
    std::string text =
        "The chapters-worked and bonus-call files do not agree with the contact log, as a "
        "power cut or crash while logging or deleting the log can leave them.\r\n";
    if (!check.missing.empty()) text += "\r\nMissing from them: " + listed(check.missing) + ".";
    if (!check.extra.empty()) {
        text += "\r\nIn them but not in the log: " + listed(check.extra) + ".";
    }
    text += "\r\n\r\nRecount now, rebuilding them from the log?  Until then the chapter lists, "
            "the new-chapter notices and the summary sheet follow the files.";
    return text;
}

}  // namespace vl::scoring
