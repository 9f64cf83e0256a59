#pragma once
// `vlwinlog --stats` and `vlwinlog --chart`: the statistics of the working
// folder's log on the terminal, or its chart of contacts per hour as a file,
// without a window or a display.
#include "ui/startup_options.h"

namespace vl::app {

// The exit status as the exports give it: 0 done, 1 nothing printed or
// written (the reason on standard error).
int printStatistics(const ui::StartupOptions& options);
// Needs a QApplication (on the offscreen platform without a display).
int writeChart(const ui::StartupOptions& options);

}  // namespace vl::app
