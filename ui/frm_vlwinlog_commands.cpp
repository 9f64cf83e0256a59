// The clock, band and mode, the timers and the housekeeping commands.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <ctime>
#include <vector>

#include "entry/bonus_claim.h"
#include "entry/utc_stamp.h"
#include "logbook/file_names.h"
#include "logbook/log_files.h"
#include "logbook/registration.h"
#include "logbook/small_files.h"
#include "reports/write_summary_sheet.h"
#include "scoring/set_counters.h"
#include "ui/display_text.h"
#include "ui/entry_box.h"
#include "ui/frm_vllogin.h"
#include "ui/frm_vlwinlog.h"
#include "ui/help_window.h"
#include "ui/program_host.h"
#include "ui/text_codec.h"

namespace vl::ui {

namespace names = logbook::names;

// ---- Date and time -------------------------------------------------------

void frmVLWinLog::Timer1_Timer() {
    const QDateTime now = QDateTime::currentDateTime();
    const entry::LocalDateTime local{now.date().year(), now.date().month(), now.date().day(),
                                     now.time().hour(), now.time().minute()};
    const entry::UtcStamp stamp = entry::utcStamp(local, uHr_);
    txtDate->setText(q(stamp.date));
    txtTime->setText(q(stamp.time));
    summaryRefresh(true);
}

void frmVLWinLog::Timer2_Timer() { summaryRefresh(false); }

void frmVLWinLog::setEntryTabOrder(bool manualDateTime) {
    const Qt::FocusPolicy dateTimePolicy = manualDateTime ? Qt::StrongFocus : Qt::ClickFocus;
    txtDate->setFocusPolicy(dateTimePolicy);
    txtTime->setFocusPolicy(dateTimePolicy);
    QWidget* const row[] = {txtDate,    txtTime, txtCallsign, txtYears, txtRptRcv,
                            txtChapter, txtName, txtComment,  cboBand,  cboMode};
    // Stamped automatically, the date and time boxes can still be clicked into
    // but come after everything else in the chain.
    std::vector<QWidget*> order(std::begin(row), std::end(row));
    if (!manualDateTime) std::rotate(order.begin(), order.begin() + 2, order.end());
    for (size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void frmVLWinLog::mnuOFF_Click() {
    Timer1->stop();
    Timer2->setInterval(1000);
    Timer2->start();
    setEntryTabOrder(true);
    mnuClear->setEnabled(false);
    txtDate->clear();
    txtTime->clear();
    moveFocus(txtDate);
}

void frmVLWinLog::mnuON_Click() {
    Timer2->stop();
    Timer1->start();
    setEntryTabOrder(false);
    mnuClear->setEnabled(true);
    moveFocus(txtCallsign);
}

// ---- Band and mode ---------------------------------------------------------

void frmVLWinLog::setBand(int position) { cboBand->setCurrentIndex(position); }

void frmVLWinLog::showPanelsForMode(int position) {
    const bool digital = position == 2;
    for (QWidget* w : {static_cast<QWidget*>(lstCWChapswrked), static_cast<QWidget*>(lblCWChapsWrk),
                       static_cast<QWidget*>(lblCWChapTot), static_cast<QWidget*>(txtOChptot)}) {
        w->setVisible(!digital);
    }
    for (QWidget* w : {static_cast<QWidget*>(lstDigChapsWrk), static_cast<QWidget*>(lblDigChapWrk),
                       static_cast<QWidget*>(labDigitalChapsWrked),
                       static_cast<QWidget*>(txtDigChapTot)}) {
        w->setVisible(digital);
    }
}

void frmVLWinLog::mnuPhoneMode_Click() {
    cboMode->setCurrentIndex(0);
    showPanelsForMode(0);
}

void frmVLWinLog::mnuCWMode_Click() {
    cboMode->setCurrentIndex(1);
    showPanelsForMode(1);
}

void frmVLWinLog::mnuDigitalMode_Click() {
    cboMode->setCurrentIndex(2);
    showPanelsForMode(2);
}

void frmVLWinLog::mnuExplainVL_Click() {
    runPendingFocusSteps();
    const QString claimed = q(entry::claimBonus(toCp1252(txtComment->text())));
    if (claimed != txtComment->text()) txtComment->setText(claimed);
}

// ---- Timers -------------------------------------------------------------------

void frmVLWinLog::Timer3_Timer() {
    const QColor windowText = QApplication::palette().color(QPalette::WindowText);
    auto paint = [](QComboBox* list, const QColor& text, const QColor& background) {
        QPalette palette = list->palette();
        for (auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText}) {
            palette.setColor(role, text);
        }
        for (auto role : {QPalette::Base, QPalette::Button, QPalette::Window}) {
            palette.setColor(role, background);
        }
        list->setPalette(palette);
    };
    if (flashRed_) {
        paint(cboBand, Qt::red, Qt::green);
        paint(cboMode, Qt::red, Qt::green);
    } else {
        paint(cboBand, windowText, QColor(255, 255, 128));
        paint(cboMode, windowText, QColor(255, 255, 128));
    }
    flashRed_ = !flashRed_;
}

void frmVLWinLog::tmrbonus_Timer() {
    txtbonusclaim->hide();
    tmrbonus->stop();
}

void frmVLWinLog::tmrNewChap_Timer() {
    txtNewChap->hide();
    tmrNewChap->stop();
}

void frmVLWinLog::mnuBonusTimerOn_Click() { BonusTim_ = QStringLiteral("ON"); }
void frmVLWinLog::mnuBonusTimeroff_Click() { BonusTim_ = QStringLiteral("OFF"); }
void frmVLWinLog::mnuNewChapTimeron_Click() { NewChapTim_ = QStringLiteral("ON"); }
void frmVLWinLog::mnuNewChapTimeroff_Click() { NewChapTim_ = QStringLiteral("OFF"); }

// ---- Housekeeping -----------------------------------------------------------

void frmVLWinLog::mnuDeleteLog_Click() {
    // No is the default of both questions, so that Enter pressed once too
    // often never deletes a log.
    if (!dialogs_.question(QStringLiteral(
                               "Are you sure you want to Delete the QSOLOG  and associated files?"),
                           {}, Dialogs::Icon::None, false)) {
        return;
    }
    if (!dialogs_.question(QStringLiteral("Are you REALLY SURE you want to Delete the QSOLOG?  "
                                          "You will LOSE YOUR LOG!"),
                           {}, Dialogs::Icon::None, false)) {
        return;
    }
    // The log itself is kept in the working folder under a dated name. A file
    // that is already gone (a second deletion in one run finds no bonus file)
    // is passed over; any other failure stops the command.
    const logbook::LogDeletion deletion = logbook::deleteLogFiles(folder_, std::time(nullptr));
    if (const auto& failure = deletion.failure) {
        dialogs_.beep();
        dialogs_.message(q(failure->name) + QStringLiteral(" could not be deleted: ") +
                             QString::fromLocal8Bit(failure->error.description.c_str()),
                         {}, Dialogs::Icon::Critical);
        // The files already deleted are there again, empty, as the deletion
        // would have left them, and the window shows what is on disk rather
        // than what was there before.
        logbook::createLogFiles(folder_);
        ZeroCounters();
        loadChapterLists();
        SetCounters();
        DisplayLog();
        return;
    }
    txtRecentLog->clear();
    for (const auto& error : logbook::createLogFiles(folder_)) {
        commonError(error, QStringLiteral("This error occurred creating the log files"));
    }
    ZeroCounters();
    SetCounters();
    lstChptrswrked->clear();
    lstCWChapswrked->clear();
    lstDigChapsWrk->clear();
    counters_.chptot = counters_.ochptot = counters_.dchptot = 0;
    txtTotChap->clear();
    txtOChptot->clear();
    txtDigChapTot->clear();
}

void frmVLWinLog::mnuClear_Click() { ClearInput(); }

void frmVLWinLog::mnuExit_Click() {
    if (!dialogs_.question(QStringLiteral("Are you sure you want to Exit VLWinLog?"),
                           QStringLiteral("VLWinLog"), Dialogs::Icon::Question)) {
        return;
    }
    keyer_.stop();
    closingConfirmed_ = true;
    host_.endProgram(0);
}

void frmVLWinLog::mnuHelpKeys_Click() {
    if (!keysWindow_) keysWindow_ = new KeysWindow(this);
    keysWindow_->show();
    keysWindow_->raise();
    keysWindow_->activateWindow();
}

void frmVLWinLog::mnuAbout_Click() {
    dialogs_.message(aboutText(folder_), QStringLiteral("About VLWinLog"), Dialogs::Icon::None);
}

void frmVLWinLog::mnuResetMsg_Click() {
    if (auto error = folder_.writeWhole(names::kStartMessage, logbook::formatStartSwitch(true))) {
        commonError(*error, QStringLiteral("This error occurred writing NoGreeting.txt"));
        return;
    }
    dialogs_.message(
        QStringLiteral("The START MESSAGE will be shown the next time you start VLWINLOG"));
}

void frmVLWinLog::mnupromptON_Click() { Prompt_ = QStringLiteral("ON"); }
void frmVLWinLog::mnupromptOFF_Click() { Prompt_ = QStringLiteral("OFF"); }

// ---- Summary sheet ---------------------------------------------------------

void frmVLWinLog::mnuToFile_Click() {
    auto listed = [](QListWidget* list) {
        std::vector<std::string> entries;
        for (int i = 0; i < list->count(); ++i) entries.push_back(toCp1252(list->item(i)->text()));
        if (list->count() > 0) list->setCurrentRow(list->count() - 1);
        return entries;
    };
    const reports::ChapterLists lists{listed(lstCWChapswrked), listed(lstChptrswrked),
                                      listed(lstDigChapsWrk)};
    const reports::SheetOutcome outcome = reports::writeSummarySheet(folder_, counters_, lists);
    for (const std::string& note : outcome.notes) dialogs_.message(q(note));
    dialogs_.message(q(outcome.message));
}

// ---- Registration ------------------------------------------------------------

void frmVLWinLog::mnuShowLogin_Click() {
    frmVLLogIn* login = host_.loginDialog();
    const logbook::ReadResult file = folder_.read(names::kRegistration);
    const logbook::RegistrationRead read =
        file.ok() ? logbook::parseRegistration(file.content) : logbook::RegistrationRead{};
    if (read.fieldsRead > 0) {
        setOwnChapterData(q(read.registration.chapter),
                          read.offsetValid ? read.registration.utcOffset : uHr_,
                          q(read.registration.email));
        login->showRegistration(read.registration);
        login->showOffset(uHr_);
    } else {
        // Nothing registered yet: the boxes start empty.
        login->clearBoxes();
    }
    login->setFirstStart(false);
    login->show();
    login->raise();
}

void frmVLWinLog::mnuDelLogIn_Click() {
    if (dialogs_.question(QStringLiteral("Are you sure you want to delete the Log In File?")) &&
        dialogs_.question(QStringLiteral("Are you REALLY SURE you want to Delete the Log In File?"
                                         "  You will need to re-register!"))) {
        // LogOnFileKill
        auto error = folder_.remove(names::kRegistration);
        if (!error) {
            dialogs_.message(QStringLiteral("Click OK. You will then have to re-start the program"));
            host_.endProgram(0);
            return;
        }
        if (error->number != ENOENT) {
            dialogs_.beep();
            dialogs_.message(QString::fromLocal8Bit(error->description.c_str()), {},
                             Dialogs::Icon::Critical);
            host_.endProgram(1);
            return;
        }
        dialogs_.message(QStringLiteral("The File is not found."));
    }
    folder_.touch(names::kRegistration);
    frmVLLogIn* login = host_.loginDialog();
    login->setFirstStart(false);
    login->show();
    login->raise();
}

}  // namespace vl::ui
