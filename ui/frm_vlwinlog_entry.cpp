// The entry row: what each box does when it is entered, typed into and left,
// the look-ups on leaving the callsign box, the chapter check, the history
// file and the searches.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include "entry/bonus_claim.h"
#include "entry/callsign_rules.h"
#include "entry/callsign_text.h"
#include "entry/chapter_check.h"
#include "entry/history_add.h"
#include "entry/lookups.h"
#include "entry/numeric.h"
#include "entry/searches.h"
#include "logbook/contact_record.h"
#include "logbook/file_names.h"
#include "logbook/number_text.h"
#include "logbook/registration.h"
#include "ui/entry_box.h"
#include "ui/frm_vlwinlog.h"
#include "ui/program_host.h"
#include "ui/display_text.h"
#include "ui/text_codec.h"

namespace vl::ui {

namespace names = logbook::names;

std::string frmVLWinLog::readRegistrationForEntry() {
    const logbook::ReadResult file = folder_.read(names::kRegistration);
    if (!file.ok()) return {};
    const logbook::RegistrationRead read = logbook::parseRegistration(file.content);
    HomeChap_ = q(read.registration.chapter);
    if (read.offsetValid) uHr_ = read.registration.utcOffset;
    emailadr_ = q(read.registration.email);
    return read.registration.call;
}

void frmVLWinLog::setOwnChapterData(const QString& homeChap, int utcOffset, const QString& email) {
    HomeChap_ = homeChap;
    uHr_ = utcOffset;
    emailadr_ = email;
}

void frmVLWinLog::txtCallsign_EnterPressed() { dialogs_.message(q(entry::kPressTabMessage)); }

void frmVLWinLog::txtCallsign_LostFocus() {
    const std::string ownCall = readRegistrationForEntry();
    if (txtCallsign->text().isEmpty()) return;
    if (entry::isOwnCall(toCp1252(txtCallsign->text()), ownCall)) {
        dialogs_.message(q(entry::kOwnCallMessage), q(entry::kOwnCallTitle),
                         Dialogs::Icon::Exclamation);
        txtCallsign->clear();
        txtYears->clear();
        txtRptRcv->clear();
        moveFocus(txtCallsign);
        return;
    }
    checkedCall_ = txtCallsign->text();
    CkBandMode();
    if (!txtCallsign->text().isEmpty()) CkPrevCon();
    if (HistoryFile_ == QLatin1String("On") && txtPrevCon->toPlainText().isEmpty() &&
        !txtCallsign->text().isEmpty()) {
        CkHistory();
    }
    if (txtChapter->text().isEmpty() && txtPrevCon->toPlainText().isEmpty()) {
        setDisplayText(txtPrevCon, entry::kNoHistoryNotice);
        WritHist_ = 1;
    }
}

void frmVLWinLog::CkBandMode() {
    const entry::DupeCheck dupe =
        entry::findDupe(toCp1252(txtCallsign->text()), toCp1252(cboBand->currentText()),
                        toCp1252(cboMode->currentText()), *index_);
    if (dupe.error) {
        commonError(*dupe.error, q(entry::kDupeErrorLine));
        return;
    }
    if (!dupe.match) return;
    if (dialogs_.question(q(dupe.question), QString(), Dialogs::Icon::Question, false)) {
        txtComment->setText(q(entry::kDupeComment));
    } else {
        ClearInput();
    }
}

// The radio changed band or mode after the row's callsign was checked: the
// dupe question is asked for the new band and mode (a DUPE mark of the old
// ones goes), reports still at the old mode's default take the new one's,
// and the chapter is checked again for the new mode.
void frmVLWinLog::recheckRowForBandMode(const QString& modeBefore) {
    if (txtCallsign->text().isEmpty() || txtCallsign->text() != checkedCall_) return;
    if (txtComment->text() == q(logbook::kDupe)) txtComment->clear();
    CkBandMode();
    if (txtCallsign->text().isEmpty()) return;  // No to the question: the row was abandoned
    const std::string before = toCp1252(modeBefore);
    const std::string now = toCp1252(cboMode->currentText());
    for (EntryBox* report : {txtYears, txtRptRcv}) {
        const QString text = q(entry::reportAfterModeChange(toCp1252(report->text()), before, now));
        if (text != report->text()) report->setText(text);
    }
    if (txtChapter->text().isEmpty() || chpfocck_ == QLatin1String("yes")) return;
    const entry::ChapterOutcome outcome = entry::checkChapter(
        toCp1252(txtChapter->text()), toCp1252(HomeChap_), now, folder_);
    if (outcome.kind != entry::ChapterOutcome::Kind::Valid) {
        txtChapter_LostFocus();  // says why and puts the cursor back in the box
        return;
    }
    N_ = outcome.isNew ? 1 : 0;
    if (outcome.nonMember && txtComment->text().isEmpty()) {
        txtComment->setText(q(entry::nonMemberComment({})));  // a DUPE mark held it off before
    }
    if (outcome.isNew && NewChapTim_ == QLatin1String("ON")) {
        txtNewChap->setText(q(outcome.notice));
        txtNewChap->show();
        tmrNewChap->start();
    }
}

// Puts a known exchange into the row the way the cursor would carry it: into
// the chapter box, whose check then runs on the pre-filled chapter, and on to
// the name box.
void frmVLWinLog::passThroughChapter(const QString& chapter, const QString& name) {
    moveFocus(txtChapter);
    txtChapter_GotFocus();
    txtChapter->setText(chapter);
    const bool chapterAccepted = txtChapter_LostFocus();
    if (txtCallsign->text().isEmpty()) return;  // 88: the row was abandoned
    txtName->setText(name);
    if (chapterAccepted) {
        moveFocus(txtName);
        txtName_GotFocus();
    }
}

void frmVLWinLog::CkPrevCon() {
    if (txtCallsign->text().isEmpty()) return;
    txtPrevCon->clear();
    const entry::PreviousContacts found =
        entry::findPreviousContacts(toCp1252(txtCallsign->text()), *index_);
    if (found.error) {
        commonError(*found.error, q(entry::kPrevConErrorLine));
        return;
    }
    txtRecentLog->hide();
    txtPrevCon->show();
    txtPrevCon->raise();
    if (found.count == 0) return;
    setDisplayText(txtPrevCon, found.text);
    const entry::RowReports reports =
        entry::reportsForRow(found, toCp1252(cboMode->currentText()));
    txtYears->setText(q(reports.sent));
    txtRptRcv->setText(q(reports.rcvd));
    passThroughChapter(q(found.chapter), q(found.name));
}

void frmVLWinLog::CkHistory() {
    const entry::HistoryMatch found = entry::findHistory(toCp1252(txtCallsign->text()), *index_);
    if (found.error) {
        commonError(*found.error, q(entry::kHistoryErrorLine));
        return;
    }
    if (!found.found) return;
    setDisplayText(txtPrevCon, entry::kFromHistoryText);
    // The history knows no reports: the cursor passes the report box on its
    // way, so the callsign is checked and the default reports filled in as
    // when the box is entered.
    txtYears_GotFocus();
    if (txtCallsign->text().isEmpty()) return;  // refused and cleared
    passThroughChapter(q(found.chapter), q(found.name));
}

void frmVLWinLog::txtYears_GotFocus() {
    mnuClear->setEnabled(true);
    if (!entry::checkCallsignShape(toCp1252(txtCallsign->text())).accepted) {
        dialogs_.message(q(entry::kInvalidCallsignMessage));
        ClearInput();
        return;
    }
    const QString report = q(entry::defaultReport(toCp1252(cboMode->currentText())));
    txtYears->setText(report);
    txtRptRcv->setText(report);
    txtYears->setSelection(0, static_cast<int>(report.size()));
    txtRptRcv->setSelection(0, static_cast<int>(report.size()));
}

void frmVLWinLog::txtYears_KeyUp() {
    if (!entry::passesNumericTest(toCp1252(txtYears->text()))) {
        dialogs_.message(q(entry::kInvalidEntryMessage));
        txtYears->clear();
        moveFocus(txtYears);
    }
}

void frmVLWinLog::txtYears_LostFocus() {
    txtYears->setText(q(entry::formatReportSent(toCp1252(txtYears->text()))));
}

void frmVLWinLog::txtChapter_GotFocus() {
    mnuClear->setEnabled(false);
    chpfocck_ = QStringLiteral("yes");
}

void frmVLWinLog::txtChapter_KeyUp() {
    if (!entry::passesNumericTest(toCp1252(txtChapter->text()))) {
        dialogs_.message(q(entry::kInvalidEntryMessage));
        txtChapter->clear();
        moveFocus(txtChapter);
    }
}

bool frmVLWinLog::txtChapter_LostFocus() {
    chpfocck_ = QStringLiteral("no");
    const entry::ChapterOutcome outcome =
        entry::checkChapter(toCp1252(txtChapter->text()), toCp1252(HomeChap_),
                            toCp1252(cboMode->currentText()), folder_);
    if (outcome.clearEnabled) mnuClear->setEnabled(*outcome.clearEnabled);
    if (outcome.nonMember) {
        txtComment->setText(q(entry::nonMemberComment(toCp1252(txtComment->text()))));
    }
    auto backIntoBox = [this] {
        N_ = 0;
        moveFocus(txtChapter);
        txtChapter_GotFocus();
    };
    using Kind = entry::ChapterOutcome::Kind;
    switch (outcome.kind) {
        case Kind::Abandon:
            ClearInput();
            mnuClear->setEnabled(true);
            return false;
        case Kind::Missing:
            dialogs_.message(q(outcome.message));
            backIntoBox();
            return false;
        case Kind::Error:
            commonError(*outcome.error, q(entry::kChapterFileErrorLine));
            backIntoBox();
            return false;
        case Kind::Invalid:
            txtChapter->setText(q(outcome.chapter));
            dialogs_.message(q(outcome.message));
            txtChapter->clear();
            backIntoBox();
            mnuClear->setEnabled(false);
            return false;
        case Kind::Valid:
            break;
    }
    txtChapter->setText(q(outcome.chapter));
    // N follows the latest check: a chapter corrected to one already worked
    // must not be added to the chapters worked a second time.
    N_ = outcome.isNew ? 1 : 0;
    if (outcome.isNew) {
        if (NewChapTim_ == QLatin1String("ON")) {
            txtNewChap->setText(q(outcome.notice));
            txtNewChap->show();
            tmrNewChap->start();
        }
    }
    return true;
}

void frmVLWinLog::txtName_GotFocus() {
    // The flashing starts from the resting colours, whichever phase it was
    // stopped in; entering the box again while it flashes changes nothing.
    if (Prompt_ == QLatin1String("ON") && !Timer3->isActive()) {
        flashRed_ = false;
        Timer3->start();
    }
    if (entry::remindsOfBonus(toCp1252(txtChapter->text()), toCp1252(txtComment->text())) &&
        BonusTim_ == QLatin1String("ON")) {
        txtbonusclaim->show();
        tmrbonus->start();
    }
}

void frmVLWinLog::txtDate_GotFocus() { txtDate->setSelection(0, 20); }

void frmVLWinLog::txtTime_GotFocus() {
    const int length = static_cast<int>(txtTime->text().size());
    if (length > 3) txtTime->setSelection(3, std::min(4, length - 3));
}

void frmVLWinLog::cboMode_LostFocus() { showPanelsForMode(cboMode->currentIndex()); }

void frmVLWinLog::mnuHistFileAdd_Click() {
    runPendingFocusSteps();
    const entry::HistoryAddOutcome outcome = entry::addToHistory(
        WritHist_, toCp1252(txtCallsign->text()), toCp1252(txtChapter->text()),
        toCp1252(txtName->text()), folder_);
    using Kind = entry::HistoryAddOutcome::Kind;
    switch (outcome.kind) {
        case Kind::NotAllowed:
            dialogs_.message(q(outcome.message));
            return;
        case Kind::NoChapter:
            dialogs_.message(q(outcome.message));
            moveFocus(txtChapter);
            txtChapter_GotFocus();
            return;
        case Kind::Error:
            commonError(*outcome.error, q(entry::kHistoryAddErrorLine));
            return;
        case Kind::Added:
            break;
    }
    index_->extend(entry::LogIndex::File::History);
    WritHist_ = 0;
    if (dialogs_.question(q(entry::kLogThisContactQuestion))) {
        logContact();
    } else {
        ClearInput();
    }
}

void frmVLWinLog::mnuHistoryFileOn_Click() {
    HistoryFile_ = QStringLiteral("On");
    dialogs_.message(QStringLiteral("Search of the History File is turned ON"));
}

void frmVLWinLog::mnuHistoryFileOff_Click() {
    HistoryFile_ = QStringLiteral("Off");
    dialogs_.message(QStringLiteral("Search of the History File is turned OFF"));
}

void frmVLWinLog::mnuSearchLog_Click() {
    const entry::SearchResult result = entry::searchLog(toCp1252(txtCallsign->text()), folder_);
    setDisplayText(txtPrevCon, result.text);
    if (result.error) commonError(*result.error, q(entry::kSearchLogErrorLine));
    showRecentLogBox();
    txtPrevCon->show();
    txtPrevCon->raise();
}

void frmVLWinLog::mnuSearchHistory_Click() {
    const entry::SearchResult result = entry::searchHistory(toCp1252(txtCallsign->text()), folder_);
    setDisplayText(txtPrevCon, result.text);
    if (result.error) commonError(*result.error, q(entry::kSearchHistoryErrorLine));
    showRecentLogBox();
    txtPrevCon->show();
    txtPrevCon->raise();
}

void frmVLWinLog::mnuLog_Click() {
    showRecentLogBox();
    txtPrevCon->hide();
}

}  // namespace vl::ui
