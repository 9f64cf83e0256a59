#pragma once
// The program's one command line: a working folder or --choose-folder for a
// run with the window; an export of the folder's log; or --help and
// --version. Exports, --help and --version answer on the terminal without a
// window or a display.
//
//   vlwinlog [FOLDER]
//   vlwinlog --choose-folder
//   vlwinlog --export-cabrillo FILE [FOLDER]
//   vlwinlog --export-adif FILE [--digital-mode MODE[/SUBMODE]] [FOLDER]
//   vlwinlog --stats [FOLDER]
//   vlwinlog --chart FILE.png|FILE.svg [--by band|mode] [--size WIDTHxHEIGHT] [FOLDER]
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

#include "exports/adif.h"
#include "exports/export_file.h"

namespace vl::ui {

// Exit statuses of a run that ends on the terminal.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;  // nothing written: the reason on standard error
inline constexpr int kExitUsage = 2;   // the command line cannot be carried out as given

struct StartupOptions {
    enum class Action { Run, Export, ShowHelp, ShowVersion, Refuse, Stats, Chart };
    Action action = Action::Run;
    bool chooseFolder = false;
    QString folder;   // as typed; empty for the current folder
    QString problem;  // why the command line was refused
    // Answered on the terminal without a window or a display: --help,
    // --version, and any command line with an export, --stats or --chart
    // option, refused or not (the chart is drawn offscreen).
    bool withoutWindow = false;

    // For Action::Export.
    exports::ExportFormat format = exports::ExportFormat::kCabrillo;
    QString exportFile;  // as typed; a relative name is taken from the current folder
    exports::DigitalMode digitalMode;

    // For Action::Chart: the contacts per hour, stacked by band or by mode.
    QString chartFile;  // as typed, ending in .png or .svg
    bool chartByMode = false;
    QSize chartSize{1200, 600};
};

// arguments[0] is the program, as in QCoreApplication::arguments().
StartupOptions parseStartupOptions(const QStringList& arguments);
QStringList argumentsOf(int argc, char* argv[]);

// What the program prints for --help, --version or a refused command line,
// and its exit status.
struct TerminalAnswer {
    QString text;
    bool toStandardError = false;
    int exitStatus = kExitDone;
};
TerminalAnswer terminalAnswer(const StartupOptions& options);
// Prints the answer; returns its exit status.
int answerOnTerminal(const StartupOptions& options);

}  // namespace vl::ui
