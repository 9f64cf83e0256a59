// Logging a contact, the recent-log box, resetting the entry row, and the
// counters and score displays.
#include <cerrno>

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTimer>

#include "entry/insert_contact.h"
#include "entry/recent_log.h"
#include "logbook/contact_record.h"
#include "logbook/file_names.h"
#include "logbook/small_files.h"
#include "scoring/classification.h"
#include "scoring/grid_cells.h"
#include "scoring/recount.h"
#include "scoring/score.h"
#include "scoring/set_counters.h"
#include "ui/entry_box.h"
#include "ui/frm_vlwinlog.h"
#include "ui/log_window.h"
#include "ui/program_host.h"
#include "ui/display_text.h"
#include "ui/text_codec.h"

namespace vl::ui {

namespace names = logbook::names;

void frmVLWinLog::commonError(const logbook::FileError& error, const QString& lastLine) {
    dialogs_.message(QStringLiteral("An unexpected error as occurred: \r\nError number: ") +
                     QString::number(error.number) + QStringLiteral("\r\nDescription: ") +
                     QString::fromLocal8Bit(error.description.c_str()) + QStringLiteral("\r\n") +
                     lastLine + QStringLiteral("\r\n"));
}

void frmVLWinLog::ZeroCounters() { scoring::ZeroCounters(counters_); }

void frmVLWinLog::SetCounters() {
    const scoring::ChapterCounts lists{lstChptrswrked->count(), lstCWChapswrked->count(),
                                       lstDigChapsWrk->count()};
    for (const auto& error : scoring::SetCounters(counters_, folder_, lists)) {
        commonError(error, q(scoring::kResetCountersErrorLine));
    }
    N_ = 0;
    showCounterCells();
}

void frmVLWinLog::showCounterCells() {
    static const scoring::Column kColumns[] = {scoring::Column::kCw, scoring::Column::kPhn,
                                               scoring::Column::kDig, scoring::Column::kTot};
    for (int row = 0; row < 9; ++row) {
        for (int col = 0; col < 4; ++col) {
            const int16_t value = counters_.at(static_cast<scoring::Band>(row), kColumns[col]);
            cells_[row][col]->setText(q(scoring::cellText(value)));
        }
    }
}

void frmVLWinLog::summaryRefresh(bool clockRunning) {
    txtTotPhnCts->setText(cells_[8][1]->text());
    txtTotCWcts->setText(cells_[8][0]->text());
    TxtTotDigCont->setText(cells_[8][2]->text());
    const scoring::SummaryTexts texts = scoring::summaryRefresh(
        counters_, clockRunning ? scoring::Clock::kRunning : scoring::Clock::kStopped);
    txtTotScore->setText(q(texts.txtTotScore));
    txtTotChap->setText(q(texts.txtTotChap));
    txtOChptot->setText(q(texts.txtOChptot));
    txtDigChapTot->setText(q(texts.txtDigChapTot));
}

std::optional<logbook::FileError> frmVLWinLog::fillRecentLog(bool startupLayout) {
    const logbook::ReadResult log = folder_.read(names::kContactLog);
    setDisplayText(txtRecentLog,
               entry::recentLogText(log.content, startupLayout ? entry::RecentLayout::StartUp
                                                               : entry::RecentLayout::Refresh));
    return log.error;
}

void frmVLWinLog::showRecentLogBox() {
    frmCounters->hide();
    txtRecentLog->show();
}

std::optional<logbook::FileError> frmVLWinLog::DisplayLog() {
    txtPrevCon->hide();
    showRecentLogBox();
    auto error = fillRecentLog(false);
    emit logChanged();
    return error;
}

void frmVLWinLog::CursorSet() {
    moveFocus(Timer2->isActive() ? static_cast<QWidget*>(txtDate)
                                 : static_cast<QWidget*>(txtCallsign));
}

void frmVLWinLog::resetSelectorColours() {
    for (QComboBox* list : {cboBand, cboMode}) {
        QPalette palette = list->palette();
        for (auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText}) {
            palette.setColor(role, Qt::black);
        }
        for (auto role : {QPalette::Base, QPalette::Button, QPalette::Window}) {
            palette.setColor(role, QColor(255, 255, 0));
        }
        list->setPalette(palette);
    }
}

void frmVLWinLog::ClearInput() {
    for (EntryBox* box : {txtCallsign, txtYears, txtRptRcv, txtChapter, txtName, txtComment}) {
        box->clear();
    }
    txtNewChap->clear();
    Timer3->stop();
    resetSelectorColours();
    CursorSet();
    txtPrevCon->clear();
    txtPrevCon->hide();
    showRecentLogBox();
    N_ = 0;
}

void frmVLWinLog::logContact() {
    runPendingFocusSteps();
    if (host_.ended()) return;
    // A band or mode change still waiting to recheck the row is carried out
    // first; the operator sees its outcome and presses INSERT again.
    if (runWaitingRowRecheck()) return;
    entry::ContactRow row;
    row.boxes = {toCp1252(txtCallsign->text()), toCp1252(txtYears->text()),
                 toCp1252(txtRptRcv->text()),   toCp1252(txtChapter->text()),
                 toCp1252(txtName->text()),     toCp1252(cboBand->currentText()),
                 toCp1252(cboMode->currentText()), toCp1252(txtDate->text()),
                 toCp1252(txtTime->text()),     toCp1252(txtComment->text())};
    row.chapterBeingChecked = chpfocck_ == QLatin1String("yes");
    row.stampedByHand = Timer2->isActive();
    row.chapterIsNew = N_ == 1;
    if (const std::string refusal = entry::refusalFor(row); !refusal.empty()) {
        dialogs_.message(q(refusal));
        if (refusal == entry::kBadHandStampMessage) moveFocus(txtDate);
        return;
    }
    const QString errorLine = q(entry::kLoggingErrorLine);
    const entry::LoggedContact logged = entry::logContact(row, folder_);
    // The contact is logged only once its line is safely on disk; when that
    // fails the row stays as it is so that it can be logged again.
    if (logged.logError) {
        commonError(*logged.logError, errorLine);
        return;
    }
    index_->extend(entry::LogIndex::File::Log);
    for (const auto& error : logged.laterErrors) commonError(error, errorLine);
    emit contactLogged();
    if (logged.dupe) {
        ClearInput();
        if (auto error = DisplayLog()) commonError(*error, errorLine);
        return;
    }
    if (logged.chapterAdded) {
        QListWidget* list = cboMode->currentIndex() == 1   ? lstCWChapswrked
                            : cboMode->currentIndex() == 2 ? lstDigChapsWrk
                                                           : lstChptrswrked;
        list->addItem(txtChapter->text());
        scoring::setChapterCounts(counters_, lstChptrswrked->count(), lstCWChapswrked->count(),
                                  lstDigChapsWrk->count());
    }
    N_ = 0;
    Timer3->stop();
    resetSelectorColours();
    for (EntryBox* box : {txtCallsign, txtYears, txtRptRcv, txtChapter, txtName, txtComment}) {
        box->clear();
    }
    CursorSet();
    if (CountFlag_ == QLatin1String("Yes")) countContact(logged.record.band, logged.record.mode);
    if (auto error = DisplayLog()) commonError(*error, errorLine);
}

void frmVLWinLog::countContact(const std::string& band, const std::string& mode) {
    if (auto error = scoring::countLoggedContact(counters_, band, mode)) {
        commonError(*error, q(entry::kLoggingErrorLine));
    }
    showCounterCells();
}

void frmVLWinLog::mnuCounters_Click() {
    frmCounters->show();
    frmCounters->raise();
    txtPrevCon->hide();
    txtRecentLog->hide();
}

void frmVLWinLog::mnuCountOn_Click() { CountFlag_ = QStringLiteral("Yes"); }
void frmVLWinLog::mnuCountOff_Click() { CountFlag_ = QStringLiteral("No"); }

void frmVLWinLog::mnuRecount_Click() {
    scoring::RecountResult result = scoring::recount(folder_);
    for (const auto& error : result.errors) {
        commonError(error, q(scoring::kResetCountersErrorLine));
    }
    using Outcome = scoring::RecountResult::Outcome;
    if (result.outcome == Outcome::kAborted) return;
    if (result.outcome == Outcome::kNothingToCount) {
        dialogs_.message(q(scoring::kNothingToRecount));
        return;
    }
    showRecount(result);
    emit logChanged();
    dialogs_.message(q(result.message));
    if (result.outcome == Outcome::kInvalidChapter) host_.endProgram(1);
}

void frmVLWinLog::showRecount(const scoring::RecountResult& result) {
    struct Rebuilt {
        QListWidget* list;
        const std::vector<std::string>& chapters;
    };
    for (const Rebuilt& r : {Rebuilt{lstChptrswrked, result.phoneChapters},
                             Rebuilt{lstCWChapswrked, result.cwChapters},
                             Rebuilt{lstDigChapsWrk, result.digitalChapters}}) {
        r.list->clear();
        // As the log holds them, as the files do: "7  " stays "7  ".
        for (const std::string& chapter : r.chapters) r.list->addItem(q(chapter));
    }
    counters_ = result.counters;
    N_ = 0;
    showCounterCells();
}

void frmVLWinLog::mnuEditLog_Click() {
    if (!logWindow_) {
        logWindow_ = new LogWindow(folder_, host_.environment().makeDialogs, this);
        connect(logWindow_, &LogWindow::logChanged, this, &frmVLWinLog::logCorrected);
        connect(this, &frmVLWinLog::contactLogged, logWindow_, &LogWindow::reload);
    }
    logWindow_->show();
    logWindow_->raise();
    logWindow_->activateWindow();
}

// A correction made in the log window: everything derived from the log is
// rebuilt by the recount's own code, without its guard and its closing
// message; a derived file that was missing is created without a report (the
// bonus file exists only after a first claim), and a chapter not on the
// roster leaves the program running.
void frmVLWinLog::logCorrected() {
    const scoring::RecountResult result = scoring::recount(folder_);
    const QString errorLine = q(scoring::kResetCountersErrorLine);
    for (const auto& error : result.errors) {
        if (error.number != ENOENT) commonError(error, errorLine);
    }
    if (result.outcome == scoring::RecountResult::Outcome::kAborted) return;
    showRecount(result);
    summaryRefresh(Timer1->isActive());
    if (auto error = DisplayLog()) commonError(*error, errorLine);
    if (result.outcome == scoring::RecountResult::Outcome::kInvalidChapter) {
        dialogs_.message(invalidChapterAfterCorrection(result.invalidChapter));
    }
}

}  // namespace vl::ui
