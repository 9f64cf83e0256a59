#include "app/command_line.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <string>
#include <string_view>

#include "exports/adif.h"
#include "exports/export_file.h"
#include "exports/export_log.h"
#include "logbook/data_folder.h"

namespace vl::app {

namespace {

void printLine(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
}

int failed(std::string_view why) {
    printLine(stderr, "vlwinlog: " + std::string(why));
    return ui::kExitFailed;
}

std::filesystem::path onDisk(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Reads the log of the working folder (FOLDER or the current one) and writes
// the export to the file named, which is taken from the current folder.
int exportLog(const ui::StartupOptions& options) {
    const QFileInfo folder(options.folder.isEmpty() ? QDir::currentPath() : options.folder);
    const std::string folderName = "\"" + options.folder.toStdString() + "\"";
    if (!folder.exists()) {
        return failed("Nothing was exported: the working folder " + folderName + " does not exist.");
    }
    if (!folder.isDir()) {
        return failed("Nothing was exported: " + folderName + " is a file, not a folder.");
    }
    const logbook::DataFolder data(onDisk(folder.absoluteFilePath()));
    const exports::ExportLogRead read = exports::readExportLog(data);
    if (!read.ok()) return failed(read.problem);
    const std::filesystem::path target = onDisk(QFileInfo(options.exportFile).absoluteFilePath());
    const std::string refused =
        exports::refusedExportTarget(data, target, options.exportFile.toStdString());
    if (!refused.empty()) return failed(refused);

    exports::AdifOptions adif;
    adif.digital = options.digitalMode;
    adif.createdTimestamp = exports::adifTimestampNow();
    const std::string fileName = options.exportFile.toStdString();
    if (auto error = exports::writeExport(read.log, options.format, adif, target)) {
        return failed(exports::notWrittenMessage(fileName, *error));
    }
    printLine(stdout, exports::exportedMessage(options.format, fileName, read.log.contacts.size()));
    return ui::kExitDone;
}

}  // namespace

int runCommandLine(const ui::StartupOptions& options) {
    if (options.action == ui::StartupOptions::Action::Export) return exportLog(options);
    return ui::answerOnTerminal(options);
}

}  // namespace vl::app
