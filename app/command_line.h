#pragma once
// The program's command line: exports of the working folder's log that run
// without a window or a display (over SSH, say), and --help and --version.
//
//   vlwinlog --export-cabrillo FILE
//   vlwinlog --export-adif FILE [--digital-mode MODE[/SUBMODE]]
#include <QStringList>
#include <filesystem>

namespace vl::app {

// Exit statuses of a command-line run.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;  // nothing written: the reason on standard error
inline constexpr int kExitUsage = 2;   // the options cannot be carried out as given

// True when the arguments ask for something the command line does by itself
// (an export, --help, --version), so no window and no display are needed.
bool runsWithoutWindow(int argc, char* argv[]);

// Parses the arguments of the running QCoreApplication and does what they ask
// in `folder`; the exit status. --help and --version print and exit 0.
int runCommandLine(const QStringList& arguments, const std::filesystem::path& folder);

}  // namespace vl::app
