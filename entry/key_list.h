#pragma once
// Every key of the program in one table: the Help > Keys window, the manual
// page's KEYS section and the README's key table are all made from it, and a
// test holds the two documents to it. A new key is one more row here.
#include <span>
#include <string>
#include <string_view>

namespace vl::entry {

struct KeyRow {
    std::string_view group;   // rows of one group stand together, groups in table order
    std::string_view keys;    // as the keyboard names them: "Ctrl+F1", "F1-F8, F10"
    std::string_view action;  // what they do, in the operator's words
};

inline constexpr KeyRow kKeyList[] = {
    {"Entry row", "Tab", "next box; leaving the callsign box looks the station up"},
    {"Entry row", "Shift+Tab", "previous box"},
    {"Entry row", "Enter", "in the callsign box: a reminder to press Tab"},
    {"Entry row", "Ins", "log the contact in the entry row"},

    {"Codes typed in boxes", "0 in the callsign box", "stored as \xD8 (slashed zero)"},
    {"Codes typed in boxes", "88 in the chapter box", "abandon the contact: the row is cleared"},
    {"Codes typed in boxes", "Tab through an empty chapter box", "fills in your own chapter"},
    {"Codes typed in boxes", "599 in the chapter box", "a station that is not a member: the comment becomes NVL"},

    {"Function keys", "F1-F8, F10", "send the CW message stored for the key (CW/IN menu)"},
    {"Function keys", "F9", "send the callsign being worked"},
    {"Function keys", "Esc", "stop the CW being sent, after the current character"},
    {"Function keys", "Page Up, Page Down", "CW speed 2 wpm faster or slower, from 5 to 60 wpm"},
    {"Function keys", "F11", "add the station to the history file (HistoryFile > History File Add)"},
    {"Function keys", "F12", "claim the non-member bonus: the comment NVL becomes BNVL"},

    {"Band and mode", "Ctrl+F6", "160 m"},
    {"Band and mode", "Ctrl+F8", "80 m"},
    {"Band and mode", "Ctrl+F4", "40 m"},
    {"Band and mode", "Ctrl+F2", "20 m"},
    {"Band and mode", "Ctrl+F5", "15 m"},
    {"Band and mode", "Ctrl+F1", "10 m"},
    {"Band and mode", "Ctrl+P", "phone"},
    {"Band and mode", "Ctrl+W", "CW"},
    {"Band and mode", "Ctrl+D", "digital"},

    {"Menu shortcuts", "Ctrl+R", "recount everything from the log (Counters > Recount)"},
    {"Menu shortcuts", "Ctrl+X", "claim the non-member bonus (Task > Explain VL)"},
    {"Menu shortcuts", "Ctrl+L", "open the log window: find, correct and delete contacts (View > Edit Log)"},
    {"Menu shortcuts", "Ctrl+T", "open the statistics window: rate, table and charts (View > Statistics)"},
    {"Menu shortcuts", "Ctrl+K", "show or hide the check panels (View > Check Panels)"},
    {"Menu shortcuts", "Alt+underlined letter", "open that menu or run that command (Alt+F File, Alt+C Clear)"},

    {"Log window", "Ctrl+F", "move to the filter box"},
    {"Log window", "Esc in the filter box", "clear the filter"},
    {"Log window", "Enter, F2 or a double click", "correct the selected contact in a form"},
    {"Log window", "Delete", "delete the selected contact, after a question"},
    {"Log window", "Ctrl+Z", "undo the last correction or deletion of this run"},
    {"Log window", "Ctrl+1-Ctrl+9", "sort by the first to the ninth column"},
};

// The table in the code page of the program's files (Windows-1252).
inline constexpr std::span<const KeyRow> keyList() { return kKeyList; }

// The manual page's KEYS section: ".SH KEYS", then per group a ".SS" heading
// and one ".TP" paragraph per row, in UTF-8.
std::string keysManSection();

// The README's key table in Markdown (UTF-8): a header row, then one row per
// key with its group in the first column.
std::string keysMarkdownTable();

}  // namespace vl::entry
