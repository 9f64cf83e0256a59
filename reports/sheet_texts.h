#pragma once
// The texts of the summary sheet that belong to the event's organisers rather
// than to the program: the sponsoring club, the contest manager's name and
// callsign, postal address and e-mail line, and the callsign used in the
// example file name. The built-in values are placeholders; an operator replaces
// them without rebuilding by putting a file "VLSheetText.txt" in the working
// folder, one quoted-field line per text:
//
//   "sponsor","Sponsored by the Velmara Amateur Radio Fellowship"
//   "manager","Robin Example, QV9MGR"            (manager's name and callsign)
//   "street","12 Harbour Lane"                   (manager's street address)
//   "city","Lindenport, North Province 10001, Velmara"
//                                    (city, state, postal code and country)
//   "email","E-mail: vlqso-manager@example.org"  (the whole e-mail line)
//   "examplecall","QV9XYZ"           (callsign of the example file name)
//
// Keys are matched without regard to letter case; unknown keys are ignored;
// a key missing from the file keeps its built-in text. The file is
// single-byte Windows-1252 text like every other data file.
#include <string>
#include <string_view>
#include <vector>

#include "logbook/data_folder.h"

namespace vl::reports {

inline constexpr std::string_view kSheetTextFile = "VLSheetText.txt";

struct SheetTexts {
    std::string sponsor;      // page 1, under the top margin
    std::string manager;      // page 2, "send to" block: name and callsign
    std::string street;       //   street address
    std::string city;         //   city, state, postal code and country
    std::string email;        // page 2, last line: the manager's e-mail
    std::string exampleCall;  // page 2, the example file name's callsign
};

SheetTexts defaultSheetTexts();

struct SheetTextsRead {
    SheetTexts texts;
    // One sentence per line of the override file that could not be read
    // (fewer than two fields, an unclosed quote); empty when all was well.
    std::vector<std::string> problems;
};

// `base` with the overrides found in the content of "VLSheetText.txt".
SheetTextsRead applySheetTextOverrides(SheetTexts base, std::string_view content);

// The built-in texts with the overrides of the working folder's
// "VLSheetText.txt", when there is one.
SheetTextsRead loadSheetTexts(const logbook::DataFolder& folder);

}  // namespace vl::reports
