#pragma once
// The name the summary sheet is finally given: the operator's callsign
// directly followed by the contest year and ".txt", both as registered,
// blanks included ("W1AW2026.txt").
//
// A callsign may hold characters that cannot stand in a file name, or that
// would make one the contest manager cannot open: a portable call "W1AW/4"
// holds "/". Each of / \ : * ? " < > | NUL and the other control characters,
// and the bytes the code page leaves undefined, becomes "-" ("W1AW-42026.txt");
// leading dots become "-" so the sheet is never a hidden file; an empty call
// and year give "NOCALL.txt"; a name that is one of the program's own data
// files gets "-sheet" before ".txt"; a very long name is cut to fit the file
// system. On disk the name is UTF-8 ("Ø", 0xD8, becomes C3 98).
#include <string>
#include <string_view>

namespace vl::reports {

struct SheetFileName {
    std::string shown;   // Windows-1252, as the closing message states it
    std::string onDisk;  // UTF-8, the name in the working folder
    bool adjusted = false;  // differs from call + year + ".txt"
};

SheetFileName sheetFileName(std::string_view call, std::string_view year);

}  // namespace vl::reports
