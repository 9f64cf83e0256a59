#include "exports/export_file.h"

#include "exports/cabrillo.h"
#include "logbook/file_writes.h"
#include "logbook/own_files.h"

namespace vl::exports {

namespace {

constexpr std::string_view kSheetExtension = ".txt";

std::string_view extension(ExportFormat format) {
    return format == ExportFormat::kCabrillo ? ".log" : ".adi";
}

std::string withExtension(std::string name, ExportFormat format) {
    name.resize(name.size() - kSheetExtension.size());
    return name + std::string(extension(format));
}

}  // namespace

reports::SheetFileName exportFileName(const logbook::Registration& registration,
                                      ExportFormat format) {
    reports::SheetFileName name = reports::sheetFileName(registration.call, registration.year);
    name.shown = withExtension(name.shown, format);
    name.onDisk = withExtension(name.onDisk, format);
    return name;
}

std::string exportRefusal(const ExportLog& log, ExportFormat format) {
    return format == ExportFormat::kCabrillo ? cabrilloRefusal(log) : std::string();
}

std::string scoreBeyondRangeNote(std::int64_t claimedScore) {
    return "The claimed score " + std::to_string(claimedScore) +
           " is larger than 32767, the largest number the score counters hold. It is claimed "
           "in full; check it against your log.";
}

std::string exportBytes(const ExportLog& log, ExportFormat format, const AdifOptions& adif) {
    return format == ExportFormat::kCabrillo ? cabrilloFrom(log, adif.programVersion)
                                             : adifFrom(log, adif);
}

logbook::FileResult writeExport(const ExportLog& log, ExportFormat format,
                                const AdifOptions& adif, const std::filesystem::path& target) {
    return logbook::replaceFile(target, exportBytes(log, format, adif));
}

std::string refusedExportTarget(const logbook::DataFolder& folder,
                                const std::filesystem::path& target, std::string_view fileName) {
    const std::string own = logbook::ownFileAt(folder, target);
    if (own.empty()) return {};
    return "Nothing was exported: the file " + std::string(fileName) + " is the program's own " +
           own + " in the working folder, which an export must not replace. Choose another name.";
}

std::string exportedMessage(ExportFormat format, std::string_view fileName, std::size_t contacts) {
    return std::string(format == ExportFormat::kCabrillo ? "The Cabrillo log" : "The ADIF log") +
           " with " + std::to_string(contacts) + (contacts == 1 ? " contact" : " contacts") +
           " has been written to File " + std::string(fileName);
}

std::string notWrittenMessage(std::string_view fileName, const logbook::FileError& error) {
    return "Nothing was exported: the file " + std::string(fileName) + " could not be written (" +
           error.description + ").";
}

}  // namespace vl::exports
