#pragma once
// Writing an export: the file's suggested name, the whole file written at
// once through a temporary file and a rename, and the texts that tell the
// operator how it went. Texts are built around the file name as the caller
// spells it (Windows-1252 for the window, UTF-8 for the command line).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "exports/adif.h"
#include "exports/export_log.h"
#include "logbook/data_folder.h"
#include "reports/sheet_file_name.h"

namespace vl::exports {

enum class ExportFormat { kCabrillo, kAdif };

// Callsign + contest year + ".log" (Cabrillo) or ".adi" (ADIF), made safe
// for a file name as the summary sheet's name is ("W1AW/4" gives "W1AW-4").
reports::SheetFileName exportFileName(const logbook::Registration& registration,
                                      ExportFormat format);

// Why the log cannot go out in the format (a Cabrillo checker would misread
// a contact), as the operator is told it; empty when it can.
std::string exportRefusal(const ExportLog& log, ExportFormat format);

// Told once when the score claimed lies past the range of the counters.
std::string scoreBeyondRangeNote(std::int64_t claimedScore);

// The file's bytes for the format.
std::string exportBytes(const ExportLog& log, ExportFormat format, const AdifOptions& adif);

// Writes the whole file; an older file of that name is replaced only once
// the new one is complete.
logbook::FileResult writeExport(const ExportLog& log, ExportFormat format,
                                const AdifOptions& adif, const std::filesystem::path& target);

// Why an export may not be written to `target`, empty when it may: the file is
// one of the program's own in the working folder (the log, a chapters-worked
// file, the lock...), which an export would replace.
// "Nothing was exported: the file VLQSOLOG.TXT is the program's own
// vlqsolog.txt in the working folder, which an export must not replace.
// Choose another name."
std::string refusedExportTarget(const logbook::DataFolder& folder,
                                const std::filesystem::path& target, std::string_view fileName);

// "The Cabrillo log with 12 contacts has been written to File W1AW2026.log"
std::string exportedMessage(ExportFormat format, std::string_view fileName, std::size_t contacts);
// "Nothing was exported: the file W1AW2026.log could not be written (Permission denied)."
std::string notWrittenMessage(std::string_view fileName, const logbook::FileError& error);

}  // namespace vl::exports
