// The rate meter in the status bar and the statistics window: both read the
// log again whenever the window says the log changed.
#include <QDateTime>
#include <QStatusBar>

#include "entry/utc_stamp.h"
#include "ui/frm_vlwinlog.h"
#include "ui/rate_meter.h"
#include "ui/statistics_window.h"

namespace vl::ui {

void frmVLWinLog::buildStatistics() {
    // Now as the clock would stamp a contact: the computer's clock and the
    // registration's offset.
    auto now = [this] {
        const QDateTime local = QDateTime::currentDateTime();
        const entry::UtcStamp stamp = entry::utcStamp(
            {local.date().year(), local.date().month(), local.date().day(), local.time().hour(),
             local.time().minute()},
            uHr_);
        return scoring::stampMinute(stamp.date, stamp.time).value_or(0);
    };
    rateMeter_ = new RateMeter(folder_, now, this);
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(rateMeter_, 1);
    connect(this, &frmVLWinLog::logChanged, rateMeter_, &RateMeter::refresh);
    connect(this, &frmVLWinLog::logChanged, this, [this] {
        if (statisticsWindow_ && statisticsWindow_->isVisible()) statisticsWindow_->refresh(counters_);
    });
}

void frmVLWinLog::mnuStatistics_Click() {
    if (!statisticsWindow_) statisticsWindow_ = new StatisticsWindow(folder_, dialogs_, this);
    statisticsWindow_->refresh(counters_);
    statisticsWindow_->show();
    statisticsWindow_->raise();
    statisticsWindow_->activateWindow();
}

}  // namespace vl::ui
