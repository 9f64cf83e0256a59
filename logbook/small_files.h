#pragma once
// The small one-field-a-line files (chapters worked per mode, bonus calls),
// the CW message file and the start-message switch.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vl::logbook {

// One quoted field and CR LF: a chapters-worked line ("123") or a bonus-call
// line (the callsign with blanks removed at both ends).
std::string formatSingleFieldLine(std::string_view value);
std::string formatBonusLine(std::string_view call);

// The first field of every line, in file order.
std::vector<std::string> readFirstFields(std::string_view content);

// The chapters-worked file of a mode text ("PHN", "CW", "CW ", "DIG"); empty
// for any other mode.
std::string_view chaptersFileForMode(std::string_view mode);

// "CWBuffRecord.txt": one line of nine quoted fields, the F1 to F8 and F10
// messages.
using CwMessages = std::array<std::string, 9>;
std::string formatCwMessages(const CwMessages& messages);
// Reads the nine messages; false when the content holds fewer than nine.
bool parseCwMessages(std::string_view content, CwMessages& out);

// "NoGreeting.txt": "YES" shows the start message, "NO" does not; anything
// else counts as "YES".
std::string formatStartSwitch(bool show);
bool startMessageWanted(std::string_view content);

}  // namespace vl::logbook
