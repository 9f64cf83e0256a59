#pragma once
// The program's one command line: a working folder or --choose-folder for a
// run with the window; an export of the folder's log; or --help and
// --version. Everything but a run with the window is answered on the
// terminal, refusals included, before any window system is asked for.
//
//   vlwinlog [FOLDER]
//   vlwinlog --choose-folder
//   vlwinlog --export-cabrillo FILE [FOLDER]
//   vlwinlog --export-adif FILE [--digital-mode MODE[/SUBMODE]] [--phone-mode MODE] [FOLDER]
//   vlwinlog --stats [FOLDER]
//   vlwinlog --chart FILE.png|FILE.svg [--by band|mode] [--size WIDTHxHEIGHT] [FOLDER]
//
// Names of files and folders are kept as the bytes given, whatever the
// locale: a folder named in Latin-1 is found, and a file is created under
// the very name typed.
#include <QSize>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "exports/adif.h"
#include "exports/export_file.h"

namespace vl::ui {

// Exit statuses of a run that ends on the terminal.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;  // nothing written: the reason on standard error
inline constexpr int kExitUsage = 2;   // the command line cannot be carried out as given

// FILE "-" writes the export to standard output.
inline constexpr std::string_view kStandardOutput = "-";

struct StartupOptions {
    enum class Action { Run, Export, ShowHelp, ShowVersion, Refuse, Stats, Chart };
    Action action = Action::Run;
    bool chooseFolder = false;
    std::string folder;   // the bytes given; empty for the current folder
    std::string problem;  // why the command line was refused, in the bytes it was given
    // Answered on the terminal, without a window or a display.
    bool withoutWindow() const { return action != Action::Run; }
    // The folder for the window's file functions (empty for the current one).
    QString folderName() const;

    // For Action::Export.
    exports::ExportFormat format = exports::ExportFormat::kCabrillo;
    std::string exportFile;  // the bytes given; a relative name is taken from the current folder
    exports::DigitalMode digitalMode;
    std::string phoneMode{exports::kPhoneModes[0]};

    // For Action::Chart: the contacts per hour, stacked by band or by mode.
    std::string chartFile;  // the bytes given, ending in .png or .svg
    bool chartByMode = false;
    QSize chartSize{1200, 600};
};

// arguments[0] is the program, as argv gives them: bytes. The toolkit's own
// options (-platform NAME, -style NAME, -reverse ...) are passed over; the
// window's toolkit reads them.
StartupOptions parseStartupOptions(const std::vector<std::string>& arguments);
// The same from text, for callers holding Unicode arguments (encoded as the
// file system encodes names).
StartupOptions parseStartupOptions(const QStringList& arguments);
std::vector<std::string> argumentsOf(int argc, char* argv[]);

// What the program prints for --help, --version or a refused command line,
// and its exit status.
struct TerminalAnswer {
    std::string text;  // UTF-8, and the command line's own bytes where it quotes them
    bool toStandardError = false;
    int exitStatus = kExitDone;
};
TerminalAnswer terminalAnswer(const StartupOptions& options);
// Prints the answer; returns its exit status.
int answerOnTerminal(const StartupOptions& options);

}  // namespace vl::ui
