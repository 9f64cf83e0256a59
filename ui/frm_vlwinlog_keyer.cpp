// CW working: the keying port, the stored messages, the speed and the send
// commands.
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

#include "keyer/port_map.h"
#include "logbook/file_names.h"
#include "logbook/small_files.h"
#include "ui/display_text.h"
#include "ui/entry_box.h"
#include "ui/frm_vlwinlog.h"
#include "ui/keyer_state.h"
#include "ui/program_host.h"
#include "ui/text_codec.h"

namespace vl::ui {

void frmVLWinLog::setCwGroupVisible(bool visible) {
    txtF1F8->setVisible(visible);
    txtF9->setVisible(visible);
    for (QLineEdit* box : txtF) box->setVisible(visible);
    for (QLabel* label : lblF) label->setVisible(visible);
    keyerState_->setVisible(visible);
    showSpeed();
}

void frmVLWinLog::cmmPort1_Click() { openPort(1); }
void frmVLWinLog::cmmPort2_Click() { openPort(2); }

void frmVLWinLog::openPort(int n) {
    // A send in progress ends here, as Disable Port ends it: none of it goes
    // out on the port about to open.
    keying_.abort();
    const QString failure = n == 1 ? QStringLiteral("No Serial Port found or this port bad")
                                   : QStringLiteral("No Serial Port2 found or this port bad");
    // A port file the operator got wrong is named, not passed over.
    if (auto problem = keyer::portMapProblem(keyer::loadPortMap(folder_))) {
        dialogs_.message(QString::fromLocal8Bit(problem->description.c_str()));
    }
    keyer::CommPort& port = *MSComm1_;
    // The second line says which device failed, why, and what to do about it.
    std::optional<keyer::KeyError> error;
    if (port.portOpen()) error = closePort();
    if (!error) error = port.setCommPort(static_cast<int16_t>(n));
    if (!error) error = port.setSettings(keyer::kKeyerSettings);
    if (!error) error = port.setPortOpen(true);
    if (error) {
        dialogs_.message(failure + QLatin1Char('\n') +
                         QString::fromLocal8Bit(error->description.c_str()));
        return;
    }
    cboMode->setCurrentIndex(1);
    showPanelsForMode(1);
    setCwGroupVisible(true);
    setPortLayout(true);
    showKeyingPriority();
}

void frmVLWinLog::mnudisablePort_Click() {
    if (!MSComm1_->portOpen() || closePort()) {
        dialogs_.message(QStringLiteral("NO PORT OPEN"));
        return;
    }
    cboMode->setCurrentIndex(0);
    showPanelsForMode(0);
    setCwGroupVisible(false);
    setPortLayout(false);
}

void frmVLWinLog::editCwMessage(int index) {
    const QString key = index < 8 ? QStringLiteral("F%1").arg(index + 1) : QStringLiteral("F10");
    const QString answer = dialogs_.input(QStringLiteral("Type info for %1 Buffer:").arg(key),
                                          QStringLiteral("%1 CW Buffer").arg(key));
    if (answer.isEmpty()) {
        dialogs_.message(QStringLiteral("You did not type anything or pressed cancel."));
        return;
    }
    // The message file cannot carry a double quote: it becomes an apostrophe.
    txtF[index]->setText(cleanForFiles(answer));
    if (dialogs_.question(QStringLiteral("Do you wish to save this message?"),
                          QStringLiteral("Save CW Message"), Dialogs::Icon::Question)) {
        BufferRecord();
    }
}

bool frmVLWinLog::BufferRecord() {
    std::array<std::string, 9> staged;
    for (size_t i = 0; i < txtF.size(); ++i) staged[i] = toCp1252(cleanForFiles(txtF[i]->text()));
    if (auto error = folder_.writeWhole(logbook::names::kCwMessages,
                                        logbook::formatCwMessages(staged))) {
        // The boxes keep their texts for this run.
        commonError(*error, QStringLiteral("This error occurred writing CWBuffRecord.txt"));
        return false;
    }
    Buff = staged;
    return true;
}

void frmVLWinLog::setSpeed(int wpm) { keyer_.setSpeedWpm(wpm); }
void frmVLWinLog::mnuCWincrease_Click() { keyer_.increaseSpeed25(); }
void frmVLWinLog::mnuCWdecrease_Click() { keyer_.decreaseSpeed25(); }

void frmVLWinLog::retire() {
    retired_ = true;
    keying_.abort();  // a message going out stops at once, the line released
    stopFollowingRadio();  // the window that replaces it follows the radio
    hide();
    if (sending_ == 0) deleteLater();
}

void frmVLWinLog::sendBox(int index) {
    runPendingFocusSteps();
    keyer_.stopsend = 0;
    QLineEdit* box = index < 8 ? txtF[index] : (index == 8 ? txtCallsign : txtF[8]);
    if (!MSComm1_->portOpen()) statusBar()->showMessage(QStringLiteral("No keying port is open"), 5000);
    // The keyer's state names the message while it is keyed (a send started
    // meanwhile names its own, then the first again).
    const QString before = keyerState_->sending();
    keyerState_->setSending(QStringLiteral("F%1").arg(index + 1));
    Send_String(toCp1252(box->text()));
    keyerState_->setSending(before);
}

std::optional<keyer::KeyError> frmVLWinLog::closePort() {
    keying_.abort();
    return MSComm1_->setPortOpen(false);
}

void frmVLWinLog::Send_String(std::string text) {
    // The keying thread keys the text; the command waits in an event loop of
    // its own, so the window stays live meanwhile (ESC, speed changes and
    // other sends included) and still returns only when its text is over.
    if (text.empty() || keyer_.stopsend == 1 || host_.ended()) return;
    const std::optional<keyer::KeyingThread::Ticket> ticket = keying_.start(std::move(text));
    if (!ticket) return;  // sends nested deeper than any operator could press
    // The window may be replaced meanwhile: it stays alive until its
    // outermost send is over.
    ++sending_;
    QEventLoop loop;
    waitingSends_.push_back(&loop);
    while (!keying_.finished(*ticket)) loop.exec();
    waitingSends_.pop_back();
    const keyer::KeyingThread::Outcome outcome = keying_.collect(*ticket);
    --sending_;
    if (retired_) {
        if (sending_ == 0) deleteLater();
        return;
    }
    if (outcome.error) {
        dialogs_.message(QStringLiteral("Sending stopped: the keying line failed.\r\n") +
                         QString::fromLocal8Bit(outcome.error->description.c_str()));
    }
}

void frmVLWinLog::keyingReported() {
    for (QEventLoop* loop : waitingSends_) loop->quit();
}

}  // namespace vl::ui
