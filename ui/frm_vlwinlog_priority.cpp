// The keying thread's priority, named in the status bar when a port opens,
// so the operator knows whether the timing holds under load.
#include <QStatusBar>

#include "keyer/real_time.h"
#include "ui/frm_vlwinlog.h"

namespace vl::ui {

void frmVLWinLog::showKeyingPriority() {
    statusBar()->showMessage(QString::fromStdString(keyer::priorityText(keying_.priority().priority)));
}

}  // namespace vl::ui
