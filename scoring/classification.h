#pragma once
// Which counters a contact moves, by its three-character band and mode codes
// as they stand in the log ("20 ", "PHN"). Both are compared whole and with
// case: "20" unpadded, "cw " or the band "2  " match nothing.
#include <optional>
#include <string_view>

#include "scoring/counters.h"

namespace vl::scoring {

struct Classification {
    Band band;      // never kTot
    Column column;  // kCw, kPhn or kDig
    bool operator==(const Classification&) const = default;
};

// The row of the classification table, or nothing for a pair counted nowhere.
std::optional<Classification> classify(std::string_view band3, std::string_view mode3);

// Adds the contact to its band-and-mode counter, its band total and its mode
// total. Each counter that would pass 32767 keeps its value and sets
// *overflow. Returns false when the pair is counted nowhere.
bool addContact(Counters& counters, std::string_view band3, std::string_view mode3,
                bool* overflow = nullptr);

// Counts the contact just logged from the band and mode list texts ("20",
// "CW"), padded to three characters, then recomputes ttot. Returns the error
// to report when a counter would pass 32767 (one report for the contact).
std::optional<logbook::FileError> countLoggedContact(Counters& counters,
                                                     std::string_view bandText,
                                                     std::string_view modeText);

}  // namespace vl::scoring
