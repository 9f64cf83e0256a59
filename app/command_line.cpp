#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <string>
#include <string_view>

#include "exports/adif.h"
#include "exports/export_file.h"
#include "exports/export_log.h"
#include "logbook/data_folder.h"

namespace vl::app {

namespace {

const QString kCabrilloOption = QStringLiteral("export-cabrillo");
const QString kAdifOption = QStringLiteral("export-adif");
const QString kDigitalModeOption = QStringLiteral("digital-mode");

void printLine(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
}

int failed(std::string_view why, int status = kExitFailed) {
    printLine(stderr, "vlwinlog: " + std::string(why));
    return status;
}

}  // namespace

bool runsWithoutWindow(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "-h" || a == "-?" || a == "--help" || a == "--help-all" || a == "-v" ||
            a == "--version" || a.starts_with("--export-") || a.starts_with("--digital-mode")) {
            return true;
        }
    }
    return false;
}

int runCommandLine(const QStringList& arguments, const std::filesystem::path& folder) {
    QCoreApplication::setApplicationName(QStringLiteral("vlwinlog"));
    QCoreApplication::setApplicationVersion(QString::fromStdString(std::string(exports::programVersion())));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "VLWinLog, the Velmara QSO Party logger. Without options it opens its window on the "
        "log in the current folder; the exports below read that log and write one file "
        "without opening a window."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOption({kCabrilloOption,
                      QStringLiteral("Write the log as a Cabrillo 3.0 file for the log checkers."),
                      QStringLiteral("FILE")});
    parser.addOption({kAdifOption, QStringLiteral("Write the log as an ADIF 3.1 file (.adi)."),
                      QStringLiteral("FILE")});
    parser.addOption({kDigitalModeOption,
                      QStringLiteral("The ADIF mode of the digital contacts, for example RTTY "
                                     "(the default), FT8 or PSK/PSK31."),
                      QStringLiteral("MODE[/SUBMODE]")});
    if (!parser.parse(arguments)) {
        return failed(parser.errorText().toStdString() + " (see --help).", kExitUsage);
    }
    // Both print and end the program.
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) parser.showHelp(kExitDone);
    if (parser.isSet(version)) parser.showVersion();

    const bool cabrillo = parser.isSet(kCabrilloOption);
    const bool adif = parser.isSet(kAdifOption);
    if (cabrillo == adif) {
        return failed("give one of --export-cabrillo FILE or --export-adif FILE (see --help).",
                      kExitUsage);
    }
    if (!parser.positionalArguments().isEmpty()) {
        return failed("unexpected argument \"" + parser.positionalArguments().first().toStdString() +
                          "\" (see --help).",
                      kExitUsage);
    }
    exports::AdifOptions options;
    if (parser.isSet(kDigitalModeOption)) {
        const std::string typed = parser.value(kDigitalModeOption).toStdString();
        if (cabrillo) return failed("--digital-mode goes with --export-adif only.", kExitUsage);
        const std::optional<exports::DigitalMode> mode = exports::parseDigitalMode(typed);
        if (!mode) return failed(exports::badDigitalModeMessage(typed), kExitUsage);
        options.digital = *mode;
    }
    options.createdTimestamp = exports::adifTimestampNow();

    const QString file = parser.value(cabrillo ? kCabrilloOption : kAdifOption);
    const std::string fileName = file.toStdString();
    const exports::ExportFormat format =
        cabrillo ? exports::ExportFormat::kCabrillo : exports::ExportFormat::kAdif;

    const exports::ExportLogRead read = exports::readExportLog(logbook::DataFolder(folder));
    if (!read.ok()) return failed(read.problem);
    std::filesystem::path target(QFile::encodeName(file).toStdString());
    if (target.is_relative()) target = folder / target;
    if (auto error = exports::writeExport(read.log, format, options, target)) {
        return failed(exports::notWrittenMessage(fileName, *error));
    }
    printLine(stdout, exports::exportedMessage(format, fileName, read.log.contacts.size()));
    return kExitDone;
}

}  // namespace vl::app
