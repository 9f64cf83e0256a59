// The keying thread's priority, named beside the keyer's speed when a port
// opens, so the operator knows whether the timing holds under load.
#include "keyer/real_time.h"
#include "ui/frm_vlwinlog.h"
#include "ui/keyer_state.h"

namespace vl::ui {

void frmVLWinLog::showKeyingPriority() {
    keyerState_->setPriorityText(QString::fromStdString(keyer::priorityText(keying_.priority().priority)));
}

}  // namespace vl::ui
