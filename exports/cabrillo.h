#pragma once
// The log as a Cabrillo 3.0 file for the log checkers: the header tags, one
// QSO: line per contact in time order in the format's columns, END-OF-LOG:.
// Dupes stay in (the checkers remove them). ASCII only, calls in capitals,
// lines end in CR LF.
#include <string>

#include "exports/export_log.h"

namespace vl::exports {

// Why the log cannot be written as Cabrillo, naming the first contact whose
// call, report or chapter holds a blank or a character a checker would
// misread; empty when it can.
std::string cabrilloRefusal(const ExportLog& log);

std::string cabrilloFrom(const ExportLog& log, std::string_view version = programVersion());

// One QSO: line without its line end:
// "QSO: 14000 PH 2026-12-06 1830 W1AW           59 012    N0CALL         59 123"
std::string cabrilloQsoLine(const ExportContact& contact, const logbook::Registration& own);

}  // namespace vl::exports
