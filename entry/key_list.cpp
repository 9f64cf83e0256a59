#include "entry/key_list.h"

namespace vl::entry {

namespace {

// The table's Windows-1252 text in UTF-8; for the manual page, also with the
// characters troff treats specially escaped.
std::string documentText(std::string_view text, bool forTroff) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0xD8) {
            out += forTroff ? "\\[/O]" : "\xC3\x98";
        } else if (forTroff && (c == '-' || c == '\\')) {
            out += '\\';
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string keysManSection() {
    std::string out = ".SH KEYS\n";
    std::string_view group;
    for (const KeyRow& row : keyList()) {
        if (row.group != group) {
            group = row.group;
            out += ".SS " + documentText(group, true) + "\n";
        }
        out += ".TP\n.B " + documentText(row.keys, true) + "\n" + documentText(row.action, true) + "\n";
    }
    return out;
}

std::string keysMarkdownTable() {
    std::string out = "| Group | Keys | Action |\n|---|---|---|\n";
    for (const KeyRow& row : keyList()) {
        out += "| " + documentText(row.group, false) + " | " + documentText(row.keys, false) +
               " | " + documentText(row.action, false) + " |\n";
    }
    return out;
}

}  // namespace vl::entry
