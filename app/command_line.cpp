#include "app/command_line.h"

#include "app/statistics_command.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "exports/adif.h"
#include "exports/export_file.h"
#include "exports/export_log.h"
#include "logbook/data_folder.h"
#include "ui/text_codec.h"

namespace vl::app {

namespace {

void printLine(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

// The program's own texts hold the log's Windows-1252 (a call with Ø); the
// terminal reads UTF-8.
std::string terminalText(std::string_view cp1252) { return ui::fromCp1252(cp1252).toStdString(); }

int failed(std::string_view why) {
    printLine(stderr, "vlwinlog: " + std::string(why));
    return ui::kExitFailed;
}

// Reads the log of the working folder (FOLDER or the current one) and writes
// the export to the file named, which is taken from the current folder, or
// to standard output for "-". Names are used as the bytes given.
int exportLog(const ui::StartupOptions& options) {
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::absolute(options.folder.empty() ? "." : options.folder, error);
    const std::string folderName = "\"" + options.folder + "\"";
    if (!std::filesystem::exists(folder, error)) {
        return failed("Nothing was exported: the working folder " + folderName + " does not exist.");
    }
    if (!std::filesystem::is_directory(folder, error)) {
        return failed("Nothing was exported: " + folderName + " is a file, not a folder.");
    }
    const logbook::DataFolder data(folder);
    const exports::ExportLogRead read = exports::readExportLog(data);
    if (!read.ok()) return failed(terminalText(read.problem));
    if (const std::string refusal = exports::exportRefusal(read.log, options.format); !refusal.empty()) {
        return failed(terminalText(refusal));
    }
    const bool toStandardOutput = options.exportFile == ui::kStandardOutput;
    const std::filesystem::path target = std::filesystem::absolute(options.exportFile, error);
    if (!toStandardOutput) {
        const std::string refused = exports::refusedExportTarget(data, target, options.exportFile);
        if (!refused.empty()) return failed(refused);  // the name as typed
    }

    exports::AdifOptions adif;
    adif.digital = options.digitalMode;
    adif.phone = options.phoneMode;
    adif.createdTimestamp = exports::adifTimestampNow();
    if (toStandardOutput) {
        const std::string bytes = exports::exportBytes(read.log, options.format, adif);
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
            std::fflush(stdout) != 0) {
            return failed("Nothing was exported: standard output could not be written.");
        }
    } else if (auto writeError = exports::writeExport(read.log, options.format, adif,
                                                      target)) {
        return failed(exports::notWrittenMessage(options.exportFile, *writeError));
    }
    if (read.log.beyondSixteenBits) {
        printLine(stderr, "vlwinlog: " + exports::scoreBeyondRangeNote(read.log.claimedScore));
    }
    // What was written goes beside the export, never into it.
    printLine(toStandardOutput ? stderr : stdout,
              exports::exportedMessage(options.format,
                                       toStandardOutput ? "- (standard output)" : options.exportFile,
                                       read.log.contacts.size()));
    return ui::kExitDone;
}

}  // namespace

int runCommandLine(const ui::StartupOptions& options) {
    if (options.action == ui::StartupOptions::Action::Export) return exportLog(options);
    if (options.action == ui::StartupOptions::Action::Stats) return printStatistics(options);
    if (options.action == ui::StartupOptions::Action::Chart) return writeChart(options);
    return ui::answerOnTerminal(options);
}

}  // namespace vl::app
