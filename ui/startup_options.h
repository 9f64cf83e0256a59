#pragma once
// The program's command line: a working folder or --choose-folder for a run
// with the window, or --help and --version, which answer on the terminal
// without a display.
#include <QString>
#include <QStringList>

namespace vl::ui {

struct StartupOptions {
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Run;
    bool chooseFolder = false;
    QString folder;   // as typed; empty for the current folder
    QString problem;  // why the command line was refused
};

// arguments[0] is the program, as in QCoreApplication::arguments().
StartupOptions parseStartupOptions(const QStringList& arguments);
QStringList argumentsOf(int argc, char* argv[]);

// What the program prints for --help, --version or a refused command line,
// and its exit status.
struct TerminalAnswer {
    QString text;
    bool toStandardError = false;
    int exitStatus = 0;
};
TerminalAnswer terminalAnswer(const StartupOptions& options);
// Prints the answer; returns its exit status.
int answerOnTerminal(const StartupOptions& options);

}  // namespace vl::ui
