// How key strokes and focus changes reach the window's procedures.
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

#include "ui/entry_box.h"
#include "ui/frm_vlwinlog.h"
#include "ui/program_host.h"

namespace vl::ui {

namespace {

// The key codes the window's key handlers compare against.
constexpr int kInsert = 45;
constexpr int kEscape = 27;
constexpr int kF1 = 112;

int previewCode(int qtKey) {
    if (qtKey == Qt::Key_Insert) return kInsert;
    if (qtKey == Qt::Key_Escape) return kEscape;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12 && qtKey != Qt::Key_F11) {
        return kF1 + (qtKey - Qt::Key_F1);
    }
    return 0;
}

}  // namespace

void frmVLWinLog::installKeyPreview() {
    winId();
    if (QWindow* window = windowHandle()) window->installEventFilter(this);
}

void frmVLWinLog::watchFocus(QWidget* box) { box->installEventFilter(this); }

bool frmVLWinLog::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == windowHandle() && (type == QEvent::KeyPress || type == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Page Up and Page Down step the keying speed, on every press.
        if ((key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            if (type == QEvent::KeyPress) stepSpeed(key->key() == Qt::Key_PageUp);
            return true;
        }
        const int code = previewCode(key->key());
        if (code == 0) return false;
        if (type == QEvent::KeyPress) {
            if (key->isAutoRepeat()) return claimedKeys_.contains(code) || code == kInsert;
            // Shift, Ctrl and Alt change nothing: a combination that is a menu
            // shortcut (Ctrl+F1 is 10 m) never gets here, the shortcut has
            // taken its press, and a release without a claimed press is passed on.
            if (code == kInsert) {
                Form_KeyDown(code);
                return true;
            }
            claimedKeys_.insert(code);
            return true;
        }
        if (key->isAutoRepeat()) return claimedKeys_.contains(code);
        if (!claimedKeys_.remove(code)) return false;
        Form_KeyUp(code);
        return true;
    }
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        auto* box = qobject_cast<QWidget*>(watched);
        if (!box || suppressFocus_ > 0) return false;
        switch (static_cast<QFocusEvent*>(event)->reason()) {
            case Qt::ActiveWindowFocusReason:
            case Qt::PopupFocusReason:
            case Qt::MenuBarFocusReason:
                return false;
            default:
                break;
        }
        if (type == QEvent::FocusOut) {
            focusLeft(box);
        } else {
            focusEntered(box);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// A box's leave steps run before the entry steps of the box the cursor went
// to, once the focus change is complete; entry steps are skipped when the
// leave steps sent the cursor elsewhere.
void frmVLWinLog::focusLeft(QWidget* box) {
    if (pendingLeave_) runFocusTransition();
    pendingLeave_ = box;
    if (!transitionQueued_) {
        transitionQueued_ = true;
        QTimer::singleShot(0, this, [this] { runFocusTransition(); });
    }
}

void frmVLWinLog::focusEntered(QWidget* box) {
    pendingEnter_ = box;
    if (!transitionQueued_) {
        transitionQueued_ = true;
        QTimer::singleShot(0, this, [this] { runFocusTransition(); });
    }
}

void frmVLWinLog::runPendingFocusSteps() {
    if (pendingLeave_ || pendingEnter_) runFocusTransition();
}

void frmVLWinLog::runFocusTransition() {
    transitionQueued_ = false;
    QPointer<QWidget> leave = pendingLeave_;
    QPointer<QWidget> enter = pendingEnter_;
    pendingLeave_ = nullptr;
    pendingEnter_ = nullptr;
    if (leave) {
        if (leave == txtCallsign) txtCallsign_LostFocus();
        else if (leave == txtYears) txtYears_LostFocus();
        else if (leave == txtChapter) txtChapter_LostFocus();
        else if (leave == cboMode) cboMode_LostFocus();
    }
    if (host_.ended()) return;
    // The window's own focus widget, not hasFocus(): right after a message
    // box closes the window is not yet active again and no widget has the
    // application's focus, yet the cursor is in this box.
    if (!enter || focusWidget() != enter) return;
    if (enter == txtYears) txtYears_GotFocus();
    else if (enter == txtChapter) txtChapter_GotFocus();
    else if (enter == txtName) txtName_GotFocus();
    else if (enter == txtDate) txtDate_GotFocus();
    else if (enter == txtTime) txtTime_GotFocus();
}

void frmVLWinLog::moveFocus(QWidget* box) {
    // A command that takes the cursor out of the chapter box (Date/Time, F11,
    // Clear) must not leave a typed chapter unchecked: its check decides as
    // if the box had been left with TAB. An empty box only stops being
    // "entered".
    if (box != txtChapter && chpfocck_ == QLatin1String("yes")) {
        if (txtChapter->text().isEmpty()) {
            chpfocck_ = QStringLiteral("no");
        } else {
            txtChapter_LostFocus();
        }
    }
    ++suppressFocus_;
    box->setFocus(Qt::OtherFocusReason);
    --suppressFocus_;
    // A focus change the toolkit reports later must not run any steps either.
    pendingEnter_ = nullptr;
}

void frmVLWinLog::Form_KeyDown(int key) {
    if (key == kInsert) logContact();
}

void frmVLWinLog::Form_KeyUp(int key) {
    if (key == kEscape) {
        keyer_.stop();
        return;
    }
    if (key == kF1 + 11) {  // F12 claims the non-member bonus
        mnuExplainVL_Click();
        return;
    }
    const int f = key - kF1 + 1;  // 1 .. 10
    if (f >= 1 && f <= 8) sendBox(f - 1);
    else if (f == 9) sendBox(8);
    else if (f == 10) sendBox(9);
}

void frmVLWinLog::closeEvent(QCloseEvent* event) {
    if (closingConfirmed_ || host_.ended()) {
        event->accept();
        return;
    }
    // Closing the window is leaving the program: ask as Exit does.
    event->ignore();
    mnuExit_Click();
}

}  // namespace vl::ui
