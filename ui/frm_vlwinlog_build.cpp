// Building the main window: every element under its name, the menu tree, the
// timers and the key preview.
#include <QAction>
#include <QCoreApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include "ui/entry_box.h"
#include "ui/frm_vlwinlog.h"
#include "ui/program_host.h"

namespace vl::ui {

namespace {

constexpr QSize kDesignSize(1020, 570);

// The comment row in its two arrangements, from the design's twips (15 to a pixel).
QRect twips(int left, int top, int width, int height) {
    return QRect(qRound(left / 15.0), qRound(top / 15.0), qRound(width / 15.0), qRound(height / 15.0));
}

}  // namespace

frmVLWinLog::frmVLWinLog(ProgramHost& host, std::unique_ptr<keyer::CommPort> port)
    : host_(host),
      dialogs_(host.dialogs()),
      folder_(host.environment().folder),
      MSComm1_(std::move(port)),
      keying_(keyer_,
              [this] {
                  QMetaObject::invokeMethod(this, [this] { keyingReported(); }, Qt::QueuedConnection);
              }),
      ActiveResize1(kDesignSize) {
    setObjectName(QStringLiteral("frmVLWinLog"));
    setWindowTitle(QStringLiteral("VLWINLOG 1.0"));
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    setCentralWidget(central);
    buildEntryRow();
    buildDisplays();
    buildCounters();
    buildCwGroup();
    buildMenus();
    buildTimers();
    buildRigFollowing();
    buildStatistics();
    // Every run starts with the clock stamping date and time.
    setEntryTabOrder(false);
    resize(kDesignSize.width(), kDesignSize.height() + menuBar()->sizeHint().height() +
                                    statusBar()->sizeHint().height());
    buildCheckPanels();
    installKeyPreview();
    keyer_.setKeyLine(MSComm1_.get());
}

void frmVLWinLog::buildEntryRow() {
    QWidget* c = centralWidget();
    struct Box {
        EntryBox** box;
        const char* name;
        const char* labelName;
        const char* caption;
        int x, w;
        EntryBox::Filter filter;
    };
    const Box boxes[] = {
        {&txtDate, "txtDate", "lblDate", "    Date", 8, 100, EntryBox::Filter::Plain},
        {&txtTime, "txtTime", "lblTime", "    Time", 112, 64, EntryBox::Filter::Plain},
        {&txtCallsign, "txtCallsign", "lblCallsign", "     CallSign", 180, 120,
         EntryBox::Filter::Callsign},
        {&txtYears, "txtYears", "lblYears", "Rpt Sent", 304, 64, EntryBox::Filter::UpperCase},
        {&txtRptRcv, "txtRptRcv", "lblRptRcv", "Rpt Rcv", 372, 64, EntryBox::Filter::Plain},
        {&txtChapter, "txtChapter", "lblChapter", "Chapter", 440, 56, EntryBox::Filter::Plain},
        {&txtName, "txtName", "lblName", "     Name", 500, 120, EntryBox::Filter::UpperCase},
    };
    for (const Box& b : boxes) {
        auto* label = new QLabel(QString::fromLatin1(b.caption), c);
        label->setObjectName(QString::fromLatin1(b.labelName));
        ActiveResize1.place(label, QRect(b.x, 4, b.w, 18));
        *b.box = new EntryBox(c, b.filter);
        (*b.box)->setObjectName(QString::fromLatin1(b.name));
        ActiveResize1.place(*b.box, QRect(b.x, 22, b.w, 26));
    }
    txtChapter->setMaxLength(3);

    auto addList = [&](QComboBox** combo, const char* name, const char* labelName,
                       const char* caption, int x, int w, const QStringList& items) {
        auto* label = new QLabel(QString::fromLatin1(caption), c);
        label->setObjectName(QString::fromLatin1(labelName));
        ActiveResize1.place(label, QRect(x, 4, w, 18));
        *combo = new QComboBox(c);
        (*combo)->setObjectName(QString::fromLatin1(name));
        (*combo)->addItems(items);
        (*combo)->setEditable(false);
        ActiveResize1.place(*combo, QRect(x, 22, w, 26));
    };
    addList(&cboBand, "cboBand", "lblBand", " Band", 624, 64,
            {"160", "80", "40", "20", "15", "10", "6", "2"});
    addList(&cboMode, "cboMode", "lblMode", " Mode", 692, 70, {"PHN", "CW", "DIG"});
    resetSelectorColours();

    Label10 = new QLabel(QStringLiteral("    Comment:"), c);
    Label10->setObjectName(QStringLiteral("Label10"));
    txtComment = new EntryBox(c);
    txtComment->setObjectName(QStringLiteral("txtComment"));
    txtINS = new QLineEdit(QStringLiteral("INS to Log Contact"), c);
    txtINS->setObjectName(QStringLiteral("txtINS"));
    txtINS->setReadOnly(true);
    txtINS->setFocusPolicy(Qt::NoFocus);
    Label12 = new QLabel(c);
    Label12->setObjectName(QStringLiteral("Label12"));
    ActiveResize1.place(Label10, twips(3000, 7560, 2300, 300));
    ActiveResize1.place(txtComment, twips(5520, 7480, 6120, 420));
    ActiveResize1.place(txtINS, twips(360, 7560, 2400, 330));
    ActiveResize1.place(Label12, twips(11840, 7560, 3180, 300));

    for (QWidget* box : {static_cast<QWidget*>(txtDate), static_cast<QWidget*>(txtTime),
                         static_cast<QWidget*>(txtCallsign), static_cast<QWidget*>(txtYears),
                         static_cast<QWidget*>(txtRptRcv), static_cast<QWidget*>(txtChapter),
                         static_cast<QWidget*>(txtName), static_cast<QWidget*>(txtComment),
                         static_cast<QWidget*>(cboMode)}) {
        watchFocus(box);
    }
    connect(txtCallsign, &EntryBox::enterPressed, this, [this] { txtCallsign_EnterPressed(); });
    connect(txtYears, &EntryBox::keyReleased, this, [this] { txtYears_KeyUp(); });
    connect(txtChapter, &EntryBox::keyReleased, this, [this] { txtChapter_KeyUp(); });
}

void frmVLWinLog::buildDisplays() {
    QWidget* c = centralWidget();
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto makeText = [&](QPlainTextEdit** box, const char* name) {
        *box = new QPlainTextEdit(c);
        (*box)->setObjectName(QString::fromLatin1(name));
        (*box)->setReadOnly(true);
        (*box)->setFont(fixed);
        (*box)->setLineWrapMode(QPlainTextEdit::NoWrap);
        (*box)->setFocusPolicy(Qt::ClickFocus);
        ActiveResize1.place(*box, QRect(8, 80, 754, 210));
    };
    makeText(&txtRecentLog, "txtRecentLog");
    makeText(&txtPrevCon, "txtPrevCon");

    auto makeLabel = [&](const char* name, const char* caption, const QRect& rect) {
        auto* label = new QLabel(QString::fromLatin1(caption), c);
        label->setObjectName(QString::fromLatin1(name));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        ActiveResize1.place(label, rect);
        return label;
    };
    auto makeBox = [&](const char* name, const QRect& rect) {
        auto* box = new QLineEdit(c);
        box->setObjectName(QString::fromLatin1(name));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        ActiveResize1.place(box, rect);
        return box;
    };
    auto makeList = [&](QListWidget** list, const char* name, const QRect& rect) {
        *list = new QListWidget(c);
        (*list)->setObjectName(QString::fromLatin1(name));
        (*list)->setFocusPolicy(Qt::NoFocus);
        ActiveResize1.place(*list, rect);
    };

    makeLabel("lblChptrswrked", "Phone Chapters Worked", QRect(772, 2, 116, 36));
    makeList(&lstChptrswrked, "lstChptrswrked", QRect(772, 40, 116, 200));
    makeLabel("lblTotChap", "Phone Chapters Total", QRect(772, 242, 116, 36));
    txtTotChap = makeBox("txtTotChap", QRect(772, 280, 116, 24));

    lblCWChapsWrk = makeLabel("lblCWChapsWrk", " CW  Chapters Worked", QRect(896, 2, 116, 36));
    makeList(&lstCWChapswrked, "lstCWChapswrked", QRect(896, 40, 116, 200));
    lblCWChapTot = makeLabel("lblCWChapTot", "CW Chapters Total", QRect(896, 242, 116, 36));
    txtOChptot = makeBox("txtOChptot", QRect(896, 280, 116, 24));

    lblDigChapWrk = makeLabel("lblDigChapWrk", "Digital Chapters Worked", QRect(896, 2, 116, 36));
    makeList(&lstDigChapsWrk, "lstDigChapsWrk", QRect(896, 40, 116, 200));
    labDigitalChapsWrked =
        makeLabel("labDigitalChapsWrked", "Dig    Chapters Total", QRect(896, 242, 116, 36));
    txtDigChapTot = makeBox("txtDigChapTot", QRect(896, 280, 116, 24));
    showPanelsForMode(0);

    struct Total {
        QLineEdit** box;
        const char* name;
        const char* labelName;
        const char* caption;
    };
    const Total totals[] = {
        {&txtTotPhnCts, "txtTotPhnCts", "lblTotPhnCts", "Total Phone Contacts"},
        {&txtTotCWcts, "txtTotCWcts", "lblTotCWcts", "Total CW Contacts"},
        {&TxtTotDigCont, "TxtTotDigCont", "lblTotDigCont", "Total Digital Contacts"},
        {&txtTotOtrCts, "txtTotOtrCts", "lblTotOtrCts", "   UTC time        Offset"},
        {&txtTotScore, "txtTotScore", "lblTotScore", "   Total          Score"},
    };
    int x = 8;
    for (const Total& t : totals) {
        makeLabel(t.labelName, t.caption, QRect(x, 296, 110, 34));
        *t.box = makeBox(t.name, QRect(x, 332, 110, 24));
        x += 124;
    }

    txtNewChap = makeBox("txtNewChap", QRect(8, 52, 380, 24));
    txtbonusclaim = makeBox("txtbonusclaim", QRect(392, 52, 370, 24));
    txtbonusclaim->setText(QStringLiteral("          Press F-12 to claim NVL Bonus"));
    txtbonusclaim->hide();

    lblF11 = new QLabel(QStringLiteral("F11"), c);
    lblF11->setObjectName(QStringLiteral("lblF11"));
    ActiveResize1.place(lblF11, QRect(772, 332, 40, 24));
}

void frmVLWinLog::buildCounters() {
    frmCounters = new QGroupBox(QStringLiteral("Contacts"), centralWidget());
    frmCounters->setObjectName(QStringLiteral("frmCounters"));
    ActiveResize1.place(frmCounters, QRect(8, 80, 754, 210));
    const QFont arial(QStringLiteral("Arial"), 8);
    auto label = [&](const QString& text, const QRect& rect, const QString& name = {}) {
        auto* l = new QLabel(text, frmCounters);
        if (!name.isEmpty()) l->setObjectName(name);
        l->setFont(arial);
        ActiveResize1.place(l, rect);
    };
    label(QStringLiteral("      B A N D"), QRect(8, 16, 100, 16), QStringLiteral("lblBandHead"));
    label(QStringLiteral("M  O  D  E"), QRect(120, 16, 350, 16), QStringLiteral("lblModeHead"));
    static const char* const kColumns[] = {"CW", "PHN", "DIG", "TOT"};
    static const char* const kRowHeads[] = {"160", "80", "40", "20", "15", "10", "6", "U/V", "TOT"};
    static const char* const kRowKeys[] = {"160", "80", "40", "20", "15", "10", "6", "UV", "TOT"};
    for (int col = 0; col < 4; ++col) {
        label(QString::fromLatin1(kColumns[col]), QRect(120 + col * 90, 32, 80, 14));
    }
    for (int row = 0; row < 9; ++row) {
        label(QString::fromLatin1(kRowHeads[row]), QRect(40, 48 + row * 17, 60, 16));
        for (int col = 0; col < 4; ++col) {
            auto* cell = new QLineEdit(frmCounters);
            cell->setObjectName(QStringLiteral("txt") + QString::fromLatin1(kRowKeys[row]) +
                                QString::fromLatin1(kColumns[col]));
            cell->setReadOnly(true);
            cell->setFocusPolicy(Qt::NoFocus);
            cell->setFont(arial);
            ActiveResize1.place(cell, QRect(120 + col * 90, 48 + row * 17, 80, 16));
            cells_[row][col] = cell;
        }
    }
    frmCounters->hide();
}

void frmVLWinLog::buildCwGroup() {
    QWidget* c = centralWidget();
    auto caption = [&](const char* name, const char* text, const QRect& rect) {
        auto* box = new QLineEdit(QString::fromLatin1(text), c);
        box->setObjectName(QString::fromLatin1(name));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        ActiveResize1.place(box, rect);
        return box;
    };
    txtF1F8 = caption("txtF1F8", "F1-F8 Send CW", QRect(8, 366, 130, 24));
    txtF9 = caption("txtF9", "F9-Send Call Input", QRect(8, 424, 130, 24));
    static const char* const kLabels[] = {"F1", "F2", "F3", "F4", "F5", " F6", " F7", " F8", "F10"};
    for (int i = 0; i < 9; ++i) {
        const int row = i < 8 ? i / 4 : 2;
        const int slot = i < 8 ? i % 4 : 0;
        const int x = 146 + slot * 216;
        const int y = 366 + row * 29;
        const QString key = i < 8 ? QStringLiteral("F%1").arg(i + 1) : QStringLiteral("F10");
        lblF[i] = new QLabel(QString::fromLatin1(kLabels[i]), c);
        lblF[i]->setObjectName(QStringLiteral("lbl") + key);
        ActiveResize1.place(lblF[i], QRect(x, y, 28, 24));
        auto* box = new EntryBox(c);
        box->setObjectName(QStringLiteral("txt") + key);
        box->setFocusPolicy(Qt::ClickFocus);
        ActiveResize1.place(box, QRect(x + 30, y, 184, 24));
        txtF[i] = box;
    }
}

QMenu* frmVLWinLog::addMenu(QMenu* parent, const char* name, const QString& caption) {
    QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* frmVLWinLog::addItem(QMenu* menu, const char* name, const QString& caption,
                              void (frmVLWinLog::*slot)(), const QKeySequence& shortcut) {
    QAction* action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    action->setParent(this);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    if (slot) {
        connect(action, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
    } else {
        // Defined in the menu but never offered to the operator.
        action->setVisible(false);
        action->setEnabled(false);
    }
    return action;
}

void frmVLWinLog::buildMenus() {
    using W = frmVLWinLog;
    QMenu* m = addMenu(nullptr, "mnuFile", QStringLiteral("&File"));
    addItem(m, "mnuDeleteLog", QStringLiteral("&DeleteLog"), &W::mnuDeleteLog_Click);
    addItem(m, "mnuExportCabrillo", QStringLiteral("Export Cabrillo\u2026"),
            &W::mnuExportCabrillo_Click);
    addItem(m, "mnuExportAdif", QStringLiteral("Export ADIF\u2026"), &W::mnuExportAdif_Click);
    mnuClear = addItem(nullptr, "mnuClear", QStringLiteral("&Clear"), &W::mnuClear_Click);

    m = addMenu(nullptr, "mnuView", QStringLiteral("&View"));
    addItem(m, "mnuLog", QStringLiteral("&Log"), &W::mnuLog_Click);
    addItem(m, "mnuCounters", QStringLiteral("Cou&nters"), &W::mnuCounters_Click);
    addItem(m, "mnuEditLog", QStringLiteral("Edit Log\u2026"), &W::mnuEditLog_Click,
            QKeySequence(Qt::CTRL | Qt::Key_L));
    addItem(m, "mnuStatistics", QStringLiteral("Statistics\u2026"), &W::mnuStatistics_Click,
            QKeySequence(Qt::CTRL | Qt::Key_T));

    m = addMenu(nullptr, "mnuLogin", QStringLiteral("LogIn"));
    addItem(m, "mnuShowLogin", QStringLiteral("Show Login"), &W::mnuShowLogin_Click);
    addItem(m, "mnuDelLogIn", QStringLiteral("Delete LogIn File"), &W::mnuDelLogIn_Click);

    m = addMenu(nullptr, "mnuHistoryFileCk", QStringLiteral("&HistoryFile"));
    addItem(m, "mnuHistoryFileOn", QStringLiteral("History File On"), &W::mnuHistoryFileOn_Click);
    addItem(m, "mnuHistoryFileOff", QStringLiteral("History File Off"), &W::mnuHistoryFileOff_Click);
    addItem(m, "mnuHistFileAdd", QStringLiteral("&History File Add"), &W::mnuHistFileAdd_Click,
            QKeySequence(Qt::Key_F11));
    addItem(m, "mnuHistoryOverride", QStringLiteral("History Override"), nullptr,
            QKeySequence(Qt::CTRL | Qt::Key_F11));

    m = addMenu(nullptr, "mnuCounter", QStringLiteral("Counte&rs"));
    addItem(m, "mnuCountOn", QStringLiteral("CountOn"), &W::mnuCountOn_Click);
    addItem(m, "mnuCountOff", QStringLiteral("CountOff"), &W::mnuCountOff_Click);
    addItem(m, "mnuRecount", QStringLiteral("Recount"), &W::mnuRecount_Click,
            QKeySequence(Qt::CTRL | Qt::Key_R));

    m = addMenu(nullptr, "mnuSearch", QStringLiteral("&Search"));
    addItem(m, "mnuSearchLog", QStringLiteral("Search Log"), &W::mnuSearchLog_Click);
    addItem(m, "mnuSearchHistory", QStringLiteral("Search History"), &W::mnuSearchHistory_Click);

    m = addMenu(nullptr, "cmmPort", QStringLiteral("SetPort"));
    addItem(m, "cmmPort1", QStringLiteral("SetPort-1"), &W::cmmPort1_Click);
    addItem(m, "cmmPort2", QStringLiteral("SetPort-2"), &W::cmmPort2_Click);
    addItem(m, "cmmPort3", QStringLiteral("SetPort-3"));
    addItem(m, "mnudisablePort", QStringLiteral("Disable Port"), &W::mnudisablePort_Click);

    m = addMenu(nullptr, "mnuCWtext", QStringLiteral("CW/IN"));
    for (int i = 0; i < 9; ++i) {
        const QString key = i < 8 ? QStringLiteral("F%1").arg(i + 1) : QStringLiteral("F10");
        QAction* a = m->addAction(key + QLatin1Char('-'));
        a->setParent(this);
        a->setObjectName(i < 8 ? QStringLiteral("mnu") + key : QStringLiteral("mnuF10input"));
        connect(a, &QAction::triggered, this, [this, i] { editCwMessage(i); });
    }
    addItem(m, "mnuSignOff", QStringLiteral("SignOff"));

    m = addMenu(nullptr, "mnuCWspeed", QStringLiteral("CWspeed"));
    for (int wpm : {10, 13, 15, 18, 20, 22, 25}) {
        QAction* a = m->addAction(QStringLiteral("%1 wpm").arg(wpm));
        a->setParent(this);
        a->setObjectName(QStringLiteral("mnu%1wpm").arg(wpm));
        connect(a, &QAction::triggered, this, [this, wpm] { setSpeed(wpm); });
    }
    addItem(m, "mnuCWincrease", QStringLiteral("+ 25%"), &W::mnuCWincrease_Click);
    addItem(m, "mnuCWdecrease", QStringLiteral("-  25%"), &W::mnuCWdecrease_Click);

    m = addMenu(nullptr, "mnuSndCW", QStringLiteral("SndCW"));
    for (int n = 1; n <= 10; ++n) {
        QAction* a = m->addAction(QStringLiteral("SndF%1").arg(n));
        a->setParent(this);
        a->setObjectName(QStringLiteral("mnuSndF%1").arg(n));
        const int index = n <= 8 ? n - 1 : (n == 9 ? 8 : 9);
        connect(a, &QAction::triggered, this, [this, index] { sendBox(index); });
    }
    addItem(m, "mnuSndF11", QStringLiteral("SndF11"));
    addItem(m, "mnuSndF12", QStringLiteral("SndF12"));

    m = addMenu(nullptr, "mnuDateTime", QStringLiteral("Date/Time"));
    addItem(m, "mnuOFF", QStringLiteral("OFF"), &W::mnuOFF_Click);
    addItem(m, "mnuON", QStringLiteral("ON"), &W::mnuON_Click);

    m = addMenu(nullptr, "mnuprompt", QStringLiteral("Prompt"));
    addItem(m, "mnupromptON", QStringLiteral("ON"), &W::mnupromptON_Click);
    addItem(m, "mnupromptOFF", QStringLiteral("OFF"), &W::mnupromptOFF_Click);

    m = addMenu(nullptr, "mnuStartMsg", QStringLiteral("StartMsg"));
    addItem(m, "mnuResetMsg", QStringLiteral("Reset Start Msg"), &W::mnuResetMsg_Click);

    m = addMenu(nullptr, "mnuPrint", QStringLiteral("Print"));
    addItem(m, "mnuToPrinter", QStringLiteral("To&Printer"));
    addItem(m, "mnuToFile", QStringLiteral("To&File"), &W::mnuToFile_Click);

    m = addMenu(nullptr, "mnuTask", QStringLiteral("Task"));
    addItem(m, "mnuExplainVL", QStringLiteral("Explain VL"), &W::mnuExplainVL_Click,
            QKeySequence(Qt::CTRL | Qt::Key_X));
    addItem(m, "mnuDigitalMode", QStringLiteral("Digital Mode"), &W::mnuDigitalMode_Click,
            QKeySequence(Qt::CTRL | Qt::Key_D));
    addItem(m, "mnuPhoneMode", QStringLiteral("Phone Mode"), &W::mnuPhoneMode_Click,
            QKeySequence(Qt::CTRL | Qt::Key_P));
    addItem(m, "mnuCWMode", QStringLiteral("CW Mode"), &W::mnuCWMode_Click,
            QKeySequence(Qt::CTRL | Qt::Key_W));
    struct BandItem {
        const char* name;
        const char* caption;
        int key;
        int position;
    };
    const BandItem bands[] = {
        {"mnuBandMode10", "BandMode10", Qt::Key_F1, 5},   {"mnuBandMode15", "BandMode15", Qt::Key_F5, 4},
        {"mnuBandMode20", "BandMode20", Qt::Key_F2, 3},   {"mnuBandMode40", "BandMode40", Qt::Key_F4, 2},
        {"mnuBandMode80", "BandMode80", Qt::Key_F8, 1},   {"mnuBandMode160", "BandMode160", Qt::Key_F6, 0},
    };
    for (const BandItem& b : bands) {
        QAction* a = m->addAction(QString::fromLatin1(b.caption));
        a->setParent(this);
        a->setObjectName(QString::fromLatin1(b.name));
        a->setShortcut(QKeySequence(Qt::CTRL | b.key));
        a->setShortcutContext(Qt::WindowShortcut);
        const int position = b.position;
        connect(a, &QAction::triggered, this, [this, position] { setBand(position); });
    }

    m = addMenu(nullptr, "mnuTimers", QStringLiteral("Timers"));
    QMenu* sub = addMenu(m, "mnuBonusTimer", QStringLiteral("BonusTimer"));
    addItem(sub, "mnuBonusTimerOn", QStringLiteral("ON"), &W::mnuBonusTimerOn_Click);
    addItem(sub, "mnuBonusTimeroff", QStringLiteral("OFF"), &W::mnuBonusTimeroff_Click);
    sub = addMenu(m, "mnuNewChapTimer", QStringLiteral("NewChapterTimer"));
    addItem(sub, "mnuNewChapTimeron", QStringLiteral("ON"), &W::mnuNewChapTimeron_Click);
    addItem(sub, "mnuNewChapTimeroff", QStringLiteral("OFF"), &W::mnuNewChapTimeroff_Click);

    addItem(nullptr, "mnuExit", QStringLiteral("E&Xit"), &W::mnuExit_Click);

    m = addMenu(nullptr, "mnuHelp", QStringLiteral("Help"));
    addItem(m, "mnuHelpKeys", QStringLiteral("Keys"), &W::mnuHelpKeys_Click);
    addItem(m, "mnuAbout", QStringLiteral("About VLWinLog"), &W::mnuAbout_Click);
}

void frmVLWinLog::buildTimers() {
    auto make = [this](QTimer** timer, const char* name, int interval, void (frmVLWinLog::*slot)()) {
        *timer = new QTimer(this);
        (*timer)->setObjectName(QString::fromLatin1(name));
        if (interval > 0) (*timer)->setInterval(interval);
        connect(*timer, &QTimer::timeout, this, [this, slot] { (this->*slot)(); });
    };
    make(&Timer1, "Timer1", 0, &frmVLWinLog::Timer1_Timer);
    make(&Timer2, "Timer2", 0, &frmVLWinLog::Timer2_Timer);
    make(&Timer3, "Timer3", 500, &frmVLWinLog::Timer3_Timer);
    make(&tmrbonus, "tmrbonus", 2000, &frmVLWinLog::tmrbonus_Timer);
    make(&tmrNewChap, "tmrNewChap", 2000, &frmVLWinLog::tmrNewChap_Timer);
}

void frmVLWinLog::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (centralWidget()) ActiveResize1.apply(centralWidget()->size());
}

void frmVLWinLog::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (centralWidget()) ActiveResize1.apply(centralWidget()->size());
    activateWindow();  // the operator types into the entry row at once
}

void frmVLWinLog::setPortLayout(bool open) {
    if (open) {
        ActiveResize1.place(Label10, twips(360, 7560, 2400, 300));
        ActiveResize1.place(txtComment, twips(3360, 7480, 7695, 320));
        ActiveResize1.place(txtINS, twips(360, 8040, 2400, 330));
        ActiveResize1.place(Label12, twips(11640, 7560, 3375, 300));
    } else {
        QRect label10 = ActiveResize1.designRect(Label10);
        ActiveResize1.place(Label10, twips(3000, label10.y() * 15, 2300, label10.height() * 15));
        QRect comment = ActiveResize1.designRect(txtComment);
        ActiveResize1.place(txtComment, twips(5520, comment.y() * 15, 6120, 420));
        QRect ins = ActiveResize1.designRect(txtINS);
        ActiveResize1.place(txtINS, twips(ins.x() * 15, 7560, ins.width() * 15, ins.height() * 15));
        ActiveResize1.place(Label12, twips(11840, 7560, 3180, 300));
    }
}

}  // namespace vl::ui
