#pragma once
// The main window: the entry row, the displays, the menu, the timers and the
// window's own procedures. Each procedure reads its boxes, asks the core
// folders what to do and applies the answer.
#include <QMainWindow>
#include <QPalette>
#include <QPointer>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "entry/log_index.h"
#include "keyer/comm_port.h"
#include "keyer/keyer.h"
#include "keyer/keying_thread.h"
#include "logbook/data_folder.h"
#include "scoring/counters.h"
#include "ui/dialogs.h"
#include "ui/proportional_layout.h"

class QAction;
class QComboBox;
class QDockWidget;
class QEventLoop;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QTimer;

namespace vl::exports {
enum class ExportFormat;
}

namespace vl::rig {
struct RigEvent;
}

namespace vl::scoring {
struct RecountResult;
}

namespace vl::ui {

class CheckPanels;
class EntryBox;
class KeyerState;
class LogWindow;
class ProgramHost;
class RateMeter;
class StatisticsWindow;

class frmVLWinLog : public QMainWindow {
    Q_OBJECT
public:
    frmVLWinLog(ProgramHost& host, std::unique_ptr<keyer::CommPort> port);
    ~frmVLWinLog() override;

    // Start-up. False when it ended the program.
    bool Form_Load();
    // Leaves the program's service (the registration was submitted): stops
    // sending and deletes the window once no send of its own is running.
    void retire();

    // Key preview: the window sees every key before the focused box.
    void Form_KeyDown(int key);
    void Form_KeyUp(int key);

    // Procedures other parts of the program call.
    void SetCounters();
    void ZeroCounters();
    void ClearInput();
    void CursorSet();
    // Empty, or the failure to read the log, which the caller reports.
    std::optional<logbook::FileError> DisplayLog();
    void CkBandMode();
    void CkPrevCon();
    void CkHistory();
    bool BufferRecord();
    void logContact();  // INSERT

    // State the tests and the host look at.
    const scoring::Counters& counters() const { return counters_; }
    const keyer::Keyer& keyer() const { return keyer_; }
    const keyer::KeyingThread& keying() const { return keying_; }
    keyer::CommPort& MSComm1() { return *MSComm1_; }
    // Closes the keying port (an error when none is open); a text being
    // keyed ends first, with the line released, also when no port is open.
    std::optional<keyer::KeyError> closePort();
    const logbook::DataFolder& folder() const { return folder_; }
    int16_t N() const { return N_; }
    int16_t WritHist() const { return WritHist_; }
    QString chpfocck() const { return chpfocck_; }
    QString HistoryFile() const { return HistoryFile_; }
    QString CountFlag() const { return CountFlag_; }
    QString Prompt() const { return Prompt_; }
    QString BonusTim() const { return BonusTim_; }
    QString NewChapTim() const { return NewChapTim_; }
    int uHr() const { return uHr_; }
    QString emailadr() const { return emailadr_; }
    QString HomeChap() const { return HomeChap_; }
    void setOwnChapterData(const QString& homeChap, int utcOffset, const QString& email);

signals:
    void contactLogged();  // INSERT wrote a contact to the log
    // The log was read anew after a contact, a recount, a deletion or start-up.
    void logChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Building the window.
    void buildEntryRow();
    void buildDisplays();
    void buildCounters();
    void buildCwGroup();
    void buildMenus();
    void buildTimers();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                     void (frmVLWinLog::*slot)() = nullptr, const QKeySequence& shortcut = {});
    QMenu* addMenu(QMenu* parent, const char* name, const QString& caption);
    void installKeyPreview();
    void watchFocus(QWidget* box);

    // Focus events of the entry row, run after the focus has settled.
    void focusLeft(QWidget* box);
    void focusEntered(QWidget* box);
    void runFocusTransition();
    // A command that reads the row first runs the leave and entry steps of a
    // focus change that is still waiting (TAB and INSERT typed together).
    void runPendingFocusSteps();
    // Moves the cursor without running the leave and entry steps.
    void moveFocus(QWidget* box);

    // Entry row.
    void txtCallsign_EnterPressed();
    void txtCallsign_LostFocus();
    void txtYears_GotFocus();
    void txtYears_KeyUp();
    void txtYears_LostFocus();
    void txtChapter_GotFocus();
    void txtChapter_KeyUp();
    bool txtChapter_LostFocus();  // true when the chapter was accepted
    void passThroughChapter(const QString& chapter, const QString& name);
    void txtName_GotFocus();
    void txtDate_GotFocus();
    void txtTime_GotFocus();
    void cboMode_LostFocus();
    std::string readRegistrationForEntry();  // the own callsign

    // Displays and counters.
    void showCounterCells();
    void summaryRefresh(bool clockRunning);
    void countContact(const std::string& band, const std::string& mode);
    void showPanelsForMode(int position);
    void setPortLayout(bool open);
    void setCwGroupVisible(bool visible);
    void resetSelectorColours();
    std::optional<logbook::FileError> fillRecentLog(bool startupLayout);
    // The recent-log box and the counters frame share one place on the
    // window: showing one hides the other.
    void showRecentLogBox();
    void loadChapterLists();

    // Reports.
    void commonError(const logbook::FileError& error, const QString& lastLine);

    // Menu commands.
    void mnuDeleteLog_Click();
    void mnuClear_Click();
    void mnuLog_Click();
    void mnuCounters_Click();
    void mnuShowLogin_Click();
    void mnuDelLogIn_Click();
    void mnuHistoryFileOn_Click();
    void mnuHistoryFileOff_Click();
    void mnuHistFileAdd_Click();
    void mnuCountOn_Click();
    void mnuCountOff_Click();
    void mnuRecount_Click();
    // The lists and counters a recount rebuilt, shown.
    void showRecount(const scoring::RecountResult& result);
    // View > Edit Log…, and the log window's corrections.
    void mnuEditLog_Click();
    void logCorrected();
    void mnuSearchLog_Click();
    void mnuSearchHistory_Click();
    void cmmPort1_Click();
    void cmmPort2_Click();
    void openPort(int n);
    // Names the keying thread's priority beside the keyer's speed.
    void showKeyingPriority();
    void mnudisablePort_Click();
    void editCwMessage(int index);
    void setSpeed(int wpm);
    void mnuCWincrease_Click();
    void mnuCWdecrease_Click();
    void sendBox(int index);  // 0..7 F1..F8, 8 F9 (the callsign), 9 F10
    void mnuOFF_Click();
    void mnuON_Click();
    // The TAB chain of the entry row: date and time first when they are typed
    // by hand, skipped when the clock stamps them.
    void setEntryTabOrder(bool manualDateTime);
    void mnupromptON_Click();
    void mnupromptOFF_Click();
    void mnuResetMsg_Click();
    void mnuToFile_Click();
    void mnuExplainVL_Click();
    void mnuDigitalMode_Click();
    void mnuPhoneMode_Click();
    void mnuCWMode_Click();
    void setBand(int position);
    void mnuBonusTimerOn_Click();
    void mnuBonusTimeroff_Click();
    void mnuNewChapTimeron_Click();
    void mnuNewChapTimeroff_Click();
    void mnuExit_Click();
    void mnuHelpKeys_Click();
    void mnuAbout_Click();
    void mnuExportCabrillo_Click();
    void mnuExportAdif_Click();
    void exportLog(exports::ExportFormat format);

    // The rate meter and the statistics window.
    void buildStatistics();
    void mnuStatistics_Click();
    RateMeter* rateMeter_ = nullptr;
    QPointer<StatisticsWindow> statisticsWindow_;

    // Timers.
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void tmrbonus_Timer();
    void tmrNewChap_Timer();

    // Sending.
    void Send_String(std::string text);
    // The keying thread finished a text: the sends waiting for one look.
    void keyingReported();

    // Following the radio.
    struct RigFollowing;
    void buildRigFollowing();
    void loadRigFollowing();  // at start: reads VLRig.txt, follows when it says so
    void mnuFollowRadio_Click(bool on);
    void followRadio(bool on);
    void stopFollowingRadio();
    void showRadioStatus(std::string_view status, const std::string& why = {});
    // A band or mode change from the radio under a row whose callsign has
    // been checked: the checks run again for the new band and mode, once no
    // box is open.
    void recheckRowWhenNoBoxIsOpen(const QString& bandBefore, const QString& modeBefore);
    void recheckRowForBandMode(const QString& modeBefore);
    bool runWaitingRowRecheck();  // true when a waiting recheck ran
    void applyRigEvent(int session, const rig::RigEvent& event);
    struct RigFollowingDeleter {
        void operator()(RigFollowing* rig) const;
    };
    std::unique_ptr<RigFollowing, RigFollowingDeleter> rig_;

    // The check panels, the dupe colour and the keyer's state
    // (frm_vlwinlog_checks.cpp).
    void buildCheckPanels();
    void updatePartialCheck();
    void queueNeededChapters();
    void updateNeededChapters();
    void mnuCheckPanels_Click(bool on);
    void stepSpeed(bool up);
    void showSpeed();
    std::unique_ptr<entry::LogIndex> index_;
    CheckPanels* checkPanels_ = nullptr;
    QDockWidget* dockCheckPanels = nullptr;
    KeyerState* keyerState_ = nullptr;
    QAction* mnuCheckPanels = nullptr;
    QPalette callsignPalette_;
    bool neededQueued_ = false;
    QAction* mnuFollowRadio = nullptr;
    QLineEdit* txtRadioStatus = nullptr;

    ProgramHost& host_;
    Dialogs& dialogs_;
    logbook::DataFolder folder_;
    std::unique_ptr<keyer::CommPort> MSComm1_;
    keyer::Keyer keyer_;
    // Owns the keyer's line while a text is keyed; goes first, so the thread
    // ends before the keyer and the port do.
    keyer::KeyingThread keying_;
    ProportionalLayout ActiveResize1;

    // Entry row.
    EntryBox* txtDate = nullptr;
    EntryBox* txtTime = nullptr;
    EntryBox* txtCallsign = nullptr;
    EntryBox* txtYears = nullptr;
    EntryBox* txtRptRcv = nullptr;
    EntryBox* txtChapter = nullptr;
    EntryBox* txtName = nullptr;
    EntryBox* txtComment = nullptr;
    QComboBox* cboBand = nullptr;
    QComboBox* cboMode = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label12 = nullptr;

    // Displays.
    QPlainTextEdit* txtPrevCon = nullptr;
    QPlainTextEdit* txtRecentLog = nullptr;
    QListWidget* lstChptrswrked = nullptr;
    QListWidget* lstCWChapswrked = nullptr;
    QListWidget* lstDigChapsWrk = nullptr;
    QLabel* lblCWChapsWrk = nullptr;
    QLabel* lblCWChapTot = nullptr;
    QLabel* lblDigChapWrk = nullptr;
    QLabel* labDigitalChapsWrked = nullptr;
    QLineEdit* txtTotChap = nullptr;
    QLineEdit* txtOChptot = nullptr;
    QLineEdit* txtDigChapTot = nullptr;
    QLineEdit* txtTotPhnCts = nullptr;
    QLineEdit* txtTotCWcts = nullptr;
    QLineEdit* TxtTotDigCont = nullptr;
    QLineEdit* txtTotOtrCts = nullptr;
    QLineEdit* txtTotScore = nullptr;
    QLineEdit* txtNewChap = nullptr;
    QLineEdit* txtbonusclaim = nullptr;

    // Key legend and CW messages: index 0..7 are F1..F8, 8 is F10.
    QLineEdit* txtINS = nullptr;
    QLineEdit* txtF1F8 = nullptr;
    QLineEdit* txtF9 = nullptr;
    std::array<QLineEdit*, 9> txtF{};
    std::array<QLabel*, 9> lblF{};
    QLabel* lblF11 = nullptr;
    std::array<std::string, 9> Buff;  // Buff1 .. Buff8, Buff10
    std::string SignOff;

    // Counters grid: rows 160, 80, 40, 20, 15, 10, 6, UV, TOT; columns CW, PHN, DIG, TOT.
    QGroupBox* frmCounters = nullptr;
    std::array<std::array<QLineEdit*, 4>, 9> cells_{};

    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* tmrbonus = nullptr;
    QTimer* tmrNewChap = nullptr;

    QAction* mnuClear = nullptr;
    QPointer<LogWindow> logWindow_;

    // Window state.
    scoring::Counters counters_;
    QString HistoryFile_ = QStringLiteral("On");
    QString CountFlag_ = QStringLiteral("Yes");
    QString Prompt_ = QStringLiteral("OFF");
    QString BonusTim_ = QStringLiteral("ON");
    QString NewChapTim_ = QStringLiteral("ON");
    QString chpfocck_ = QStringLiteral("no");
    int16_t N_ = 0;
    int16_t WritHist_ = 0;
    int uHr_ = 0;
    QString emailadr_;
    QString HomeChap_;
    // The callsign the leave-callsign checks ran for, while it stands in the row.
    QString checkedCall_;

    QPointer<QWidget> keysWindow_;  // Help > Keys, made when first asked for

    // Focus bookkeeping.
    QPointer<QWidget> pendingLeave_;
    QPointer<QWidget> pendingEnter_;
    bool transitionQueued_ = false;
    int suppressFocus_ = 0;
    // Keys whose press the window claimed, so that their release acts.
    QSet<int> claimedKeys_;
    bool closingConfirmed_ = false;
    bool flashRed_ = false;
    int sending_ = 0;       // sends running, nested ones included
    std::vector<QEventLoop*> waitingSends_;  // their local event loops, innermost last
    bool retired_ = false;  // the next flash of the band and mode lists is red on green
};

}  // namespace vl::ui
