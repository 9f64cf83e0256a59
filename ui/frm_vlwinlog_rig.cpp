// Following the radio: the Task menu's "Follow Radio", the Radio status box,
// and the band and mode the radio reports, applied as the band and mode
// commands apply them. The radio is polled on a thread of its own; what it
// reports reaches the window as queued calls, so the window never waits for
// the radio.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include "rig/radio_follower.h"
#include "rig/rig_poller.h"
#include "rig/rig_settings.h"
#include "ui/display_text.h"
#include "ui/entry_box.h"
#include "ui/frm_vlwinlog.h"
#include "ui/program_host.h"

namespace vl::ui {

struct frmVLWinLog::RigFollowing {
    rig::RigSettings settings;
    rig::RadioFollower follower;
    std::unique_ptr<rig::RigPoller> poller;
    // Counts the times following was switched on, so that what an earlier
    // poller queued before it stopped is passed over.
    int session = 0;
    // A recheck of the row that waits for an open box to close, and the mode
    // the row was checked in.
    QTimer recheckWait;
    QString modeChecked;
};

void frmVLWinLog::RigFollowingDeleter::operator()(RigFollowing* rig) const { delete rig; }

frmVLWinLog::~frmVLWinLog() {
    // No radio report reaches the window once its poller has stopped.
    rig_.reset();
    // The boxes and lists are destroyed after the window's own part: what
    // they signal then (a list's model reset) must not reach the window.
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void frmVLWinLog::buildRigFollowing() {
    rig_.reset(new RigFollowing);
    rig_->recheckWait.setInterval(50);
    connect(&rig_->recheckWait, &QTimer::timeout, this, [this] { runWaitingRowRecheck(); });
    auto* task = findChild<QMenu*>(QStringLiteral("mnuTask"));
    mnuFollowRadio = task->addAction(QStringLiteral("Follow Radio"));
    mnuFollowRadio->setParent(this);
    mnuFollowRadio->setObjectName(QStringLiteral("mnuFollowRadio"));
    mnuFollowRadio->setCheckable(true);
    connect(mnuFollowRadio, &QAction::triggered, this, [this](bool on) { mnuFollowRadio_Click(on); });

    // Beside the totals, under the band and mode lists.
    QWidget* c = centralWidget();
    auto* caption = new QLabel(QStringLiteral("Radio"), c);
    caption->setObjectName(QStringLiteral("lblRadioStatus"));
    caption->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    ActiveResize1.place(caption, QRect(632, 296, 130, 34));
    txtRadioStatus = new QLineEdit(q(rig::kRadioOff), c);
    txtRadioStatus->setObjectName(QStringLiteral("txtRadioStatus"));
    txtRadioStatus->setReadOnly(true);
    txtRadioStatus->setFocusPolicy(Qt::NoFocus);
    ActiveResize1.place(txtRadioStatus, QRect(632, 332, 130, 24));
}

void frmVLWinLog::loadRigFollowing() {
    const rig::RigSettingsRead read = rig::loadRigSettings(folder_);
    rig_->settings = read.settings;
    if (read.problem) dialogs_.message(q(*read.problem));
    if (rig_->settings.follow) followRadio(true);
}

void frmVLWinLog::mnuFollowRadio_Click(bool on) {
    if (on) {
        // The file is read again, so a line put right since start-up counts.
        const rig::RigSettingsRead read = rig::loadRigSettings(folder_);
        if (read.problem) {
            dialogs_.message(q(*read.problem));
            followRadio(false);
            return;
        }
        rig_->settings = read.settings;
    }
    rig_->settings.follow = on;
    if (auto error = rig::saveRigSettings(folder_, rig_->settings)) {
        commonError(*error, QStringLiteral("This error occurred writing ") + q(rig::kRigSettingsFile));
    }
    followRadio(on);
}

void frmVLWinLog::followRadio(bool on) {
    stopFollowingRadio();
    mnuFollowRadio->setChecked(on);
    if (!on) return;
    rig_->follower.reset();
    showRadioStatus(rig::kRadioNotConnected);
    const int session = ++rig_->session;
    auto sink = [this, session](const rig::RigEvent& event) {
        // On the polling thread: only queue the event for the window.
        QMetaObject::invokeMethod(
            this, [this, session, event] { applyRigEvent(session, event); }, Qt::QueuedConnection);
    };
    rig_->poller = std::make_unique<rig::RigPoller>(
        host_.environment().makeRigLink(rig_->settings), std::move(sink));
}

void frmVLWinLog::stopFollowingRadio() {
    rig_->poller.reset();
    showRadioStatus(rig::kRadioOff);
}

// What the radio link has to say goes to the Radio box only, never to a box
// that takes the focus: a notice raised while the operator types or sends
// would take the keys meant for the log (ESC among them). Why the radio
// cannot be reached is the box's tip.
void frmVLWinLog::showRadioStatus(std::string_view status, const std::string& why) {
    txtRadioStatus->setText(q(status));
    txtRadioStatus->setToolTip(q(why));
}

void frmVLWinLog::applyRigEvent(int session, const rig::RigEvent& event) {
    if (!rig_->poller || session != rig_->session) return;
    switch (event.kind) {
        case rig::RigEvent::Kind::Connected:
            rig_->follower.reset();
            showRadioStatus(rig::kRadioConnected);
            break;
        case rig::RigEvent::Kind::NotConnected:
            showRadioStatus(rig::kRadioNotConnected,
                            rig::unreachableMessage(rig_->settings, event.error));
            break;
        case rig::RigEvent::Kind::NotAnswering:
            showRadioStatus(rig::kRadioNotAnswering,
                            rig::notAnsweringMessage(rig_->settings, event.error));
            break;
        case rig::RigEvent::Kind::Reading: {
            // The boxes change as the commands change them; the cursor and
            // the typed text stay where they are.
            const rig::FollowChange change = rig_->follower.next(event.reading);
            const QString bandBefore = cboBand->currentText();
            const QString modeBefore = cboMode->currentText();
            if (change.band) {
                const int position = cboBand->findText(q(*change.band));
                if (position >= 0) setBand(position);
            }
            if (change.mode) {
                switch (cboMode->findText(q(*change.mode))) {
                    case 0: mnuPhoneMode_Click(); break;
                    case 1: mnuCWMode_Click(); break;
                    case 2: mnuDigitalMode_Click(); break;
                    default: break;
                }
            }
            recheckRowWhenNoBoxIsOpen(bandBefore, modeBefore);
            break;
        }
    }
}

void frmVLWinLog::recheckRowWhenNoBoxIsOpen(const QString& bandBefore, const QString& modeBefore) {
    if (cboBand->currentText() == bandBefore && cboMode->currentText() == modeBefore) return;
    if (txtCallsign->text().isEmpty() || txtCallsign->text() != checkedCall_) return;
    // Changes that arrive while a box is open (or a message is being keyed,
    // which the dupe question would interrupt) wait for it together; the row
    // is rechecked from the mode it was checked in.
    if (!rig_->recheckWait.isActive()) rig_->modeChecked = modeBefore;
    if (QApplication::activeModalWidget() || sending_ > 0) {
        rig_->recheckWait.start();
        return;
    }
    rig_->recheckWait.stop();
    recheckRowForBandMode(rig_->modeChecked);
}

bool frmVLWinLog::runWaitingRowRecheck() {
    if (!rig_->recheckWait.isActive() || QApplication::activeModalWidget() || sending_ > 0) {
        return false;
    }
    rig_->recheckWait.stop();
    recheckRowForBandMode(rig_->modeChecked);
    return true;
}

}  // namespace vl::ui
