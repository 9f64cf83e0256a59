#include "reports/sheet_texts.h"

#include "logbook/quoted_line.h"

namespace vl::reports {

SheetTexts defaultSheetTexts() {
    return SheetTexts{
        "Sponsored by the Velmara Amateur Radio Fellowship",
        "Robin Example, QV9MGR",
        "12 Harbour Lane",
        "Lindenport, North Province 10001, Velmara",
        "E-mail: vlqso-manager@example.org",
        "QV9XYZ",
    };
}

namespace {

bool sameKey(std::string_view a, std::string_view b) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

std::string* slotFor(SheetTexts& texts, std::string_view key) {
    struct Slot {
        std::string_view key;
        std::string SheetTexts::*member;
    };
    static constexpr Slot kSlots[] = {
        {"sponsor", &SheetTexts::sponsor}, {"manager", &SheetTexts::manager},
        {"street", &SheetTexts::street},   {"city", &SheetTexts::city},
        {"email", &SheetTexts::email},     {"examplecall", &SheetTexts::exampleCall},
    };
    for (const Slot& slot : kSlots) {
        if (sameKey(key, slot.key)) return &(texts.*slot.member);
    }
    return nullptr;
}

}  // namespace

SheetTextsRead applySheetTextOverrides(SheetTexts base, std::string_view content) {
    SheetTextsRead out{std::move(base), {}};
    for (std::string_view line : logbook::splitLines(content)) {
        bool unterminated = false;
        const auto fields = logbook::splitQuotedLine(line, &unterminated);
        if (unterminated || fields.size() < 2) {
            out.problems.push_back(std::string(kSheetTextFile) + ": the line " +
                                   logbook::lineExcerpt(line) +
                                   " is not of the form \"key\",\"text\" and was ignored.");
            continue;
        }
        if (std::string* slot = slotFor(out.texts, logbook::trimBlanks(fields[0]))) *slot = fields[1];
    }
    return out;
}

SheetTextsRead loadSheetTexts(const logbook::DataFolder& folder) {
    if (!folder.exists(kSheetTextFile)) return {defaultSheetTexts(), {}};
    logbook::ReadResult read = folder.read(kSheetTextFile);
    if (!read.ok()) {
        return {defaultSheetTexts(),
                {std::string(kSheetTextFile) + " could not be read (" + read.error->description +
                 "); the built-in texts were used."}};
    }
    return applySheetTextOverrides(defaultSheetTexts(), read.content);
}

}  // namespace vl::reports
