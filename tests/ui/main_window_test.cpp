// The main window's inventory: its elements with their captions, the menu
// tree with its shortcuts, the counters grid, the timers and the
// proportional re-layout.
#include "window_test_support.h"

#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QTreeWidget>

namespace vl::ui::test {
namespace {

class MainWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
        ASSERT_TRUE(startProgram());
        activate();
    }
    QStringList labelTexts(QWidget* parent) const {
        QStringList texts;
        for (QLabel* label : parent->findChildren<QLabel*>()) texts << label->text();
        return texts;
    }
    // "depth name caption shortcut" for every menu item, in menu order.
    static void walk(const QList<QAction*>& actions, int depth, QStringList& out) {
        for (QAction* a : actions) {
            if (a->isSeparator()) continue;
            out << QStringLiteral("%1|%2|%3|%4")
                       .arg(depth)
                       .arg(a->objectName(), a->text(),
                            a->shortcut().toString(QKeySequence::PortableText));
            if (a->menu()) walk(a->menu()->actions(), depth + 1, out);
        }
    }
};

struct Captioned {
    const char* element;
    const char* caption;
};

// Each element of the entry row and the information displays with its label.
const Captioned kLabelled[] = {
    {"txtDate", "    Date"},
    {"txtTime", "    Time"},
    {"txtCallsign", "     CallSign"},
    {"txtYears", "Rpt Sent"},
    {"txtRptRcv", "Rpt Rcv"},
    {"txtChapter", "Chapter"},
    {"txtName", "     Name"},
    {"cboBand", " Band"},
    {"cboMode", " Mode"},
    {"txtComment", "    Comment:"},
    {"lstChptrswrked", "Phone Chapters Worked"},
    {"lstCWChapswrked", " CW  Chapters Worked"},
    {"lstDigChapsWrk", "Digital Chapters Worked"},
    {"txtTotChap", "Phone Chapters Total"},
    {"txtOChptot", "CW Chapters Total"},
    {"txtDigChapTot", "Dig    Chapters Total"},
    {"txtTotPhnCts", "Total Phone Contacts"},
    {"txtTotCWcts", "Total CW Contacts"},
    {"TxtTotDigCont", "Total Digital Contacts"},
    {"txtTotOtrCts", "   UTC time        Offset"},
    {"txtTotScore", "   Total          Score"},
    {"lblF11", "F11"},
};

TEST_F(MainWindowTest, EveryElementIsThereWithItsCaption) {
    EXPECT_TRUE(window()->windowTitle().startsWith(QStringLiteral("VLWINLOG")));
    EXPECT_EQ(window()->objectName(), QStringLiteral("frmVLWinLog"));
    const QStringList labels = labelTexts(window());
    for (const Captioned& c : kLabelled) {
        EXPECT_NE(window()->findChild<QWidget*>(QString::fromLatin1(c.element)), nullptr) << c.element;
        EXPECT_TRUE(labels.contains(QString::fromLatin1(c.caption))) << c.element << ": " << c.caption;
    }
    for (const char* name : {"Label10", "Label12", "lblF1", "lblF2", "lblF3", "lblF4", "lblF5",
                             "lblF6", "lblF7", "lblF8", "lblF10"}) {
        EXPECT_NE(window()->findChild<QLabel*>(QString::fromLatin1(name)), nullptr) << name;
    }
    for (const char* name : {"txtDate", "txtTime", "txtCallsign", "txtYears", "txtRptRcv",
                             "txtChapter", "txtName", "txtComment", "txtTotChap", "txtOChptot",
                             "txtDigChapTot", "txtTotPhnCts", "txtTotCWcts", "TxtTotDigCont",
                             "txtTotOtrCts", "txtTotScore", "txtNewChap", "txtbonusclaim", "txtF1",
                             "txtF2", "txtF3", "txtF4", "txtF5", "txtF6", "txtF7", "txtF8",
                             "txtF10"}) {
        EXPECT_NE(window()->findChild<QLineEdit*>(QString::fromLatin1(name)), nullptr) << name;
    }
    EXPECT_EQ(text("txtINS"), QStringLiteral("INS to Log Contact"));
    EXPECT_EQ(text("txtF1F8"), QStringLiteral("F1-F8 Send CW"));
    EXPECT_EQ(text("txtF9"), QStringLiteral("F9-Send Call Input"));
    EXPECT_EQ(text("txtbonusclaim"), QStringLiteral("          Press F-12 to claim NVL Bonus"));

    for (const char* name : {"txtPrevCon", "txtRecentLog"}) {
        auto* box = find<QPlainTextEdit>(name);
        ASSERT_NE(box, nullptr);
        // Columns line up: a narrow and a wide letter take the same room.
        const QFontMetricsF metrics(box->font());
        EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char('i')),
                  metrics.horizontalAdvance(QLatin1Char('W')))
            << name;
    }
    for (const char* name : {"lstChptrswrked", "lstCWChapswrked", "lstDigChapsWrk"}) {
        EXPECT_NE(find<QListWidget>(name), nullptr);
    }
}

TEST_F(MainWindowTest, BandAndModeListsHoldTheirItemsInOrder) {
    auto items = [this](const char* name) {
        QStringList out;
        auto* combo = find<QComboBox>(name);
        for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
        return out;
    };
    EXPECT_EQ(items("cboBand"), (QStringList{"160", "80", "40", "20", "15", "10", "6", "2"}));
    EXPECT_EQ(items("cboMode"), (QStringList{"PHN", "CW", "DIG"}));
    EXPECT_FALSE(find<QComboBox>("cboBand")->isEditable());
    EXPECT_FALSE(find<QComboBox>("cboMode")->isEditable());
}

TEST_F(MainWindowTest, CountersFrameHoldsTheThirtySixCells) {
    auto* frame = find<QGroupBox>("frmCounters");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), QStringLiteral("Contacts"));
    const QStringList heads = labelTexts(frame);
    for (const char* head : {"      B A N D", "M  O  D  E", "CW", "PHN", "DIG", "TOT", "160", "80",
                             "40", "20", "15", "10", "6", "U/V"}) {
        EXPECT_TRUE(heads.contains(QString::fromLatin1(head))) << head;
    }
    int cells = 0;
    for (const char* band : {"160", "80", "40", "20", "15", "10", "6", "UV", "TOT"}) {
        for (const char* column : {"CW", "PHN", "DIG", "TOT"}) {
            const QString name = QStringLiteral("txt%1%2").arg(QLatin1String(band), QLatin1String(column));
            auto* cell = frame->findChild<QLineEdit*>(name);
            ASSERT_NE(cell, nullptr) << name.toStdString();
            EXPECT_EQ(cell->text(), QStringLiteral(" 0")) << name.toStdString();
            ++cells;
        }
    }
    EXPECT_EQ(cells, 36);
}

TEST_F(MainWindowTest, TimersStartAsTheProgramNeedsThem) {
    struct TimerState {
        const char* name;
        bool active;
        int interval;  // -1: not looked at
    };
    const TimerState timers[] = {{"Timer1", true, 1000},
                                 {"Timer2", false, -1},
                                 {"Timer3", false, 500},
                                 {"tmrbonus", false, 2000},
                                 {"tmrNewChap", false, 2000}};
    for (const TimerState& t : timers) {
        auto* timer = find<QTimer>(t.name);
        ASSERT_NE(timer, nullptr);
        EXPECT_EQ(timer->isActive(), t.active) << t.name;
        if (t.interval >= 0) {
            EXPECT_EQ(timer->interval(), t.interval) << t.name;
        }
    }
}

// The whole tree in order, with captions and shortcuts.
const char* const kMenuTree[] = {
    "0|mnuFile|&File|",
    "1|mnuDeleteLog|&DeleteLog|",
    "1|mnuExportCabrillo|Export Cabrillo…|",
    "1|mnuExportAdif|Export ADIF…|",
    "0|mnuClear|&Clear|",
    "0|mnuView|&View|",
    "1|mnuLog|&Log|",
    "1|mnuCounters|Cou&nters|",
    "1|mnuEditLog|Edit Log…|Ctrl+L",
    "1|mnuStatistics|Statistics…|Ctrl+T",
    "1|mnuCheckPanels|Check Panels|Ctrl+K",
    "0|mnuLogin|LogIn|",
    "1|mnuShowLogin|Show Login|",
    "1|mnuDelLogIn|Delete LogIn File|",
    "0|mnuHistoryFileCk|&HistoryFile|",
    "1|mnuHistoryFileOn|History File On|",
    "1|mnuHistoryFileOff|History File Off|",
    "1|mnuHistFileAdd|&History File Add|F11",
    "1|mnuHistoryOverride|History Override|Ctrl+F11",
    "0|mnuCounter|Counte&rs|",
    "1|mnuCountOn|CountOn|",
    "1|mnuCountOff|CountOff|",
    "1|mnuRecount|Recount|Ctrl+R",
    "0|mnuSearch|&Search|",
    "1|mnuSearchLog|Search Log|",
    "1|mnuSearchHistory|Search History|",
    "0|cmmPort|SetPort|",
    "1|cmmPort1|SetPort-1|",
    "1|cmmPort2|SetPort-2|",
    "1|cmmPort3|SetPort-3|",
    "1|mnudisablePort|Disable Port|",
    "0|mnuCWtext|CW/IN|",
    "1|mnuF1|F1-|",
    "1|mnuF2|F2-|",
    "1|mnuF3|F3-|",
    "1|mnuF4|F4-|",
    "1|mnuF5|F5-|",
    "1|mnuF6|F6-|",
    "1|mnuF7|F7-|",
    "1|mnuF8|F8-|",
    "1|mnuF10input|F10-|",
    "1|mnuSignOff|SignOff|",
    "0|mnuCWspeed|CWspeed|",
    "1|mnu10wpm|10 wpm|",
    "1|mnu13wpm|13 wpm|",
    "1|mnu15wpm|15 wpm|",
    "1|mnu18wpm|18 wpm|",
    "1|mnu20wpm|20 wpm|",
    "1|mnu22wpm|22 wpm|",
    "1|mnu25wpm|25 wpm|",
    "1|mnuCWincrease|+ 25%|",
    "1|mnuCWdecrease|-  25%|",
    "0|mnuSndCW|SndCW|",
    "1|mnuSndF1|SndF1|",
    "1|mnuSndF2|SndF2|",
    "1|mnuSndF3|SndF3|",
    "1|mnuSndF4|SndF4|",
    "1|mnuSndF5|SndF5|",
    "1|mnuSndF6|SndF6|",
    "1|mnuSndF7|SndF7|",
    "1|mnuSndF8|SndF8|",
    "1|mnuSndF9|SndF9|",
    "1|mnuSndF10|SndF10|",
    "1|mnuSndF11|SndF11|",
    "1|mnuSndF12|SndF12|",
    "0|mnuDateTime|Date/Time|",
    "1|mnuOFF|OFF|",
    "1|mnuON|ON|",
    "0|mnuprompt|Prompt|",
    "1|mnupromptON|ON|",
    "1|mnupromptOFF|OFF|",
    "0|mnuStartMsg|StartMsg|",
    "1|mnuResetMsg|Reset Start Msg|",
    "0|mnuPrint|Print|",
    "1|mnuToPrinter|To&Printer|",
    "1|mnuToFile|To&File|",
    "0|mnuTask|Task|",
    "1|mnuExplainVL|Explain VL|Ctrl+X",
    "1|mnuDigitalMode|Digital Mode|Ctrl+D",
    "1|mnuPhoneMode|Phone Mode|Ctrl+P",
    "1|mnuCWMode|CW Mode|Ctrl+W",
    "1|mnuBandMode10|BandMode10|Ctrl+F1",
    "1|mnuBandMode15|BandMode15|Ctrl+F5",
    "1|mnuBandMode20|BandMode20|Ctrl+F2",
    "1|mnuBandMode40|BandMode40|Ctrl+F4",
    "1|mnuBandMode80|BandMode80|Ctrl+F8",
    "1|mnuBandMode160|BandMode160|Ctrl+F6",
    "1|mnuFollowRadio|Follow Radio|",
    "0|mnuTimers|Timers|",
    "1|mnuBonusTimer|BonusTimer|",
    "2|mnuBonusTimerOn|ON|",
    "2|mnuBonusTimeroff|OFF|",
    "1|mnuNewChapTimer|NewChapterTimer|",
    "2|mnuNewChapTimeron|ON|",
    "2|mnuNewChapTimeroff|OFF|",
    "0|mnuExit|E&Xit|",
    "0|mnuHelp|Help|",
    "1|mnuHelpKeys|Keys|",
    "1|mnuAbout|About VLWinLog|",
};

TEST_F(MainWindowTest, MenuTreeIsCompleteAndInOrder) {
    QStringList actual;
    walk(window()->menuBar()->actions(), 0, actual);
    QStringList expected;
    for (const char* line : kMenuTree) expected << QString::fromUtf8(line);
    EXPECT_EQ(actual, expected);
    // Every item is also found under its name.
    for (const QString& line : expected) {
        const QString name = line.section(QLatin1Char('|'), 1, 1);
        EXPECT_NE(window()->findChild<QAction*>(name), nullptr) << name.toStdString();
    }
}

// Help > Keys lists every shortcut the menus offer, grouped; About names the
// version, the folder and its files. The window carries the program's icon.
TEST_F(MainWindowTest, HelpListsEveryShortcutAndAboutNamesTheFolder) {
    trigger("mnuHelpKeys");
    auto* tree = window()->findChild<QTreeWidget*>(QStringLiteral("treKeys"));
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(tree->isVisible());
    QStringList listed;
    for (int g = 0; g < tree->topLevelItemCount(); ++g) {
        for (int k = 0; k < tree->topLevelItem(g)->childCount(); ++k) {
            listed << tree->topLevelItem(g)->child(k)->text(0);
        }
    }
    EXPECT_TRUE(listed.contains(QStringLiteral("0 in the callsign box")));
    for (QAction* a : window()->findChildren<QAction*>()) {
        if (!a->isEnabled() || a->shortcut().isEmpty()) continue;
        EXPECT_TRUE(listed.contains(a->shortcut().toString(QKeySequence::PortableText)))
            << a->objectName().toStdString() << " is not in Help > Keys";
    }

    trigger("mnuAbout");
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].title, QStringLiteral("About VLWinLog"));
    const QString about = dialogs->lastText();
    EXPECT_TRUE(about.startsWith(QStringLiteral("VLWinLog 1."))) << about.toStdString();
    EXPECT_TRUE(about.contains(QStringLiteral("Working folder: ") + dir.path()));
    EXPECT_TRUE(about.contains(
        QStringLiteral("  VLPorts.txt (serial devices of the keying ports): not there\n")));

    EXPECT_FALSE(window()->windowIcon().pixmap(32).isNull());
}

TEST_F(MainWindowTest, SixItemsAreNeverOffered) {
    for (const char* name : {"mnuHistoryOverride", "mnuSignOff", "cmmPort3", "mnuSndF11",
                             "mnuSndF12", "mnuToPrinter"}) {
        QAction* item = action(name);
        ASSERT_NE(item, nullptr);
        EXPECT_FALSE(item->isVisible()) << name;
        EXPECT_FALSE(item->isEnabled()) << name;
    }
    for (const char* line : kMenuTree) {
        const QString name = QString::fromLatin1(line).section(QLatin1Char('|'), 1, 1);
        static const QStringList hidden{"mnuHistoryOverride", "mnuSignOff", "cmmPort3",
                                        "mnuSndF11", "mnuSndF12", "mnuToPrinter"};
        if (hidden.contains(name)) continue;
        QAction* item = window()->findChild<QAction*>(name);
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(item->isVisible()) << name.toStdString();
    }
    // Ctrl+F11 belongs to the hidden item: nothing happens.
    typeInto("txtCallsign", QStringLiteral("K1ABC"));
    dialogs->clear();
    pressWindowKey(Qt::Key_F11, Qt::ControlModifier);
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(text("txtCallsign"), QStringLiteral("K1ABC"));
}

struct ShortcutCase {
    const char* label;
    Qt::Key key;
    const char* band;
    const char* mode;
    int startMode = 1;  // CW, so that both other modes show a change
};
void PrintTo(const ShortcutCase& c, std::ostream* os) { *os << c.label; }

class MenuShortcutTest : public MainWindowTest, public ::testing::WithParamInterface<ShortcutCase> {};

// The shortcuts act from the keyboard wherever the cursor is.
TEST_P(MenuShortcutTest, KeyReachesItsCommand) {
    focusBox("txtCallsign");
    find<QComboBox>("cboBand")->setCurrentIndex(7);  // "2": no shortcut selects it
    find<QComboBox>("cboMode")->setCurrentIndex(GetParam().startMode);
    pressWindowKey(GetParam().key, Qt::ControlModifier);
    EXPECT_EQ(text("cboBand"), QString::fromLatin1(GetParam().band));
    EXPECT_EQ(text("cboMode"), QString::fromLatin1(GetParam().mode));
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_TRUE(port->dtr.empty()) << "Ctrl with a function key sends nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MenuShortcutTest,
    ::testing::Values(ShortcutCase{"CtrlF1", Qt::Key_F1, "10", "CW"},
                      ShortcutCase{"CtrlF2", Qt::Key_F2, "20", "CW"},
                      ShortcutCase{"CtrlF3", Qt::Key_F3, "2", "CW"},
                      ShortcutCase{"CtrlF4", Qt::Key_F4, "40", "CW"},
                      ShortcutCase{"CtrlF5", Qt::Key_F5, "15", "CW"},
                      ShortcutCase{"CtrlF6", Qt::Key_F6, "160", "CW"},
                      ShortcutCase{"CtrlF7", Qt::Key_F7, "2", "CW"},
                      ShortcutCase{"CtrlF8", Qt::Key_F8, "80", "CW"},
                      ShortcutCase{"CtrlD", Qt::Key_D, "2", "DIG"},
                      ShortcutCase{"CtrlP", Qt::Key_P, "2", "PHN"},
                      ShortcutCase{"CtrlW", Qt::Key_W, "2", "CW", 0}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(MainWindowTest, LayoutScalesWithTheWindow) {
    QWidget* central = window()->centralWidget();
    const QSize before = central->size();
    struct Seen {
        const char* name;
        QRect rect;
        qreal points;
    };
    std::vector<Seen> seen;
    for (const char* name : {"txtCallsign", "txtRecentLog", "lstChptrswrked", "txtTotScore",
                             "frmCounters", "txtComment", "Label12"}) {
        auto* w = find<QWidget>(name);
        seen.push_back({name, w->geometry(), w->font().pointSizeF()});
    }
    const QSize extra = window()->size() - before;
    window()->resize(before * 2 + extra);
    settle();
    ASSERT_EQ(central->size(), before * 2);
    for (const Seen& s : seen) {
        const QRect now = find<QWidget>(s.name)->geometry();
        EXPECT_NEAR(now.x(), s.rect.x() * 2, 2) << s.name;
        EXPECT_NEAR(now.y(), s.rect.y() * 2, 2) << s.name;
        EXPECT_NEAR(now.width(), s.rect.width() * 2, 2) << s.name;
        EXPECT_NEAR(now.height(), s.rect.height() * 2, 2) << s.name;
        EXPECT_NEAR(find<QWidget>(s.name)->font().pointSizeF(), s.points * 2, 0.5) << s.name;
    }
    window()->resize(before + extra);
    settle();
    for (const Seen& s : seen) {
        EXPECT_EQ(find<QWidget>(s.name)->geometry(), s.rect) << s.name;
        EXPECT_NEAR(find<QWidget>(s.name)->font().pointSizeF(), s.points, 0.01) << s.name;
    }
}

}  // namespace
}  // namespace vl::ui::test
