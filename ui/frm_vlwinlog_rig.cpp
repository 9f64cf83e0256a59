// Following the radio: the Task menu's "Follow Radio", the Radio status box,
// and the band and mode the radio reports, applied as the band and mode
// commands apply them. The radio is polled on a thread of its own; what it
// reports reaches the window as queued calls, so the window never waits for
// the radio.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include "rig/radio_follower.h"
#include "rig/rig_poller.h"
#include "rig/rig_settings.h"
#include "ui/display_text.h"
#include "ui/frm_vlwinlog.h"
#include "ui/program_host.h"

namespace vl::ui {

struct frmVLWinLog::RigFollowing {
    rig::RigSettings settings;
    rig::RadioFollower follower;
    std::unique_ptr<rig::RigPoller> poller;
    // One message for each time following is switched on.
    bool failureShown = false;
    // Counts the times following was switched on, so that what an earlier
    // poller queued before it stopped is passed over.
    int session = 0;
};

void frmVLWinLog::RigFollowingDeleter::operator()(RigFollowing* rig) const { delete rig; }

frmVLWinLog::~frmVLWinLog() {
    // No radio report reaches the window once its poller has stopped.
    rig_.reset();
}

void frmVLWinLog::buildRigFollowing() {
    rig_.reset(new RigFollowing);
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
    rig_->failureShown = false;
    rig_->follower.reset();
    txtRadioStatus->setText(q(rig::kRadioNotConnected));
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
    txtRadioStatus->setText(q(rig::kRadioOff));
}

void frmVLWinLog::applyRigEvent(int session, const rig::RigEvent& event) {
    if (!rig_->poller || session != rig_->session) return;
    switch (event.kind) {
        case rig::RigEvent::Kind::Connected:
            rig_->follower.reset();
            txtRadioStatus->setText(q(rig::kRadioConnected));
            break;
        case rig::RigEvent::Kind::NotConnected:
            txtRadioStatus->setText(q(rig::kRadioNotConnected));
            if (!rig_->failureShown) {
                rig_->failureShown = true;
                dialogs_.message(q(rig::unreachableMessage(rig_->settings, event.error)));
            }
            break;
        case rig::RigEvent::Kind::Reading: {
            // The boxes change as the commands change them; the cursor and
            // the typed text stay where they are.
            const rig::FollowChange change = rig_->follower.next(event.reading);
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
            break;
        }
    }
}

}  // namespace vl::ui
