#pragma once
// Text typed or pasted into the entry row, on its way into the data files.
// All text is single-byte Windows-1252; the callsign box keeps a typed zero as
// the letter Ø (0xD8) so that zero and O cannot be confused.
#include <string>
#include <string_view>

#include "logbook/code_page.h"

namespace vl::entry {

using logbook::kSlashedZero;  // Ø

using logbook::upperCp1252;

// The callsign box filter, for typed and for pasted text alike (a pasted
// digit zero would otherwise slip past the dupe check): every "0" becomes Ø,
// letters are upper-cased, and the text is made safe for the data files
// (sanitizeForFile).
std::string filterCallsignInput(std::string_view typed);

// The other upper-casing boxes (`txtYears`, `txtName`): upper case and safe
// for the data files.
std::string upperForBox(std::string_view typed);

// Text of any entry box made safe for the quoted-field files, which cannot
// carry a double quote or a line break: a double quote is replaced by an
// apostrophe (so "BIG" GUN reads 'BIG' GUN), and control characters (CR, LF,
// tab and the rest below 0x20, and 0x7F) are removed.
std::string sanitizeForFile(std::string_view text);

// The self-contact test on leaving `txtCallsign`: the whole typed text against
// the registered callsign, exactly and with case, no trimming and no cutting
// to the log's eight characters, except that the digit "0" and Ø count as
// the same character (the registration keeps the digit, the callsign box the
// letter). An empty text is never the operator's own call.
bool isOwnCall(std::string_view typed, std::string_view registered);

// Messages of the callsign box.
inline constexpr std::string_view kPressTabMessage = "You must press TAB to change Input Boxes";
inline constexpr std::string_view kOwnCallMessage =
    "W A K E   U P!  Y O U  C A N 'T  W O R K  Y O U R S E L F!";
inline constexpr std::string_view kOwnCallTitle = "Invalid";

}  // namespace vl::entry
