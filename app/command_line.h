#pragma once
// Carries out a command line that needs no window: prints the help, the
// version or why the command line is refused, or exports the working folder's
// log (over SSH, say, with no display).
#include "ui/startup_options.h"

namespace vl::app {

// The exit status: 0 done, 1 nothing written (the reason on standard error),
// 2 a command line that cannot be carried out as given.
int runCommandLine(const ui::StartupOptions& options);

}  // namespace vl::app
