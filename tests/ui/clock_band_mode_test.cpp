// The date and time stamp, typing date and time by hand, and the Task menu's
// band, mode and bonus commands from the keyboard.
#include <QDateTime>
#include <QLabel>
#include <QListWidget>
#include <QTimeZone>
#include <QTimer>

#include "window_test_support.h"

namespace vl::ui::test {
namespace {

class ClockBandModeTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
        ASSERT_TRUE(startProgram());
        activate();
    }
    // Exactly one of the CW and digital chapter panels is shown.
    void expectPanel(bool digital) {
        for (const char* name : {"lstCWChapswrked", "lblCWChapsWrk", "lblCWChapTot", "txtOChptot"}) {
            EXPECT_EQ(find<QWidget>(name)->isVisible(), !digital) << name;
        }
        for (const char* name :
             {"lstDigChapsWrk", "lblDigChapWrk", "labDigitalChapsWrked", "txtDigChapTot"}) {
            EXPECT_EQ(find<QWidget>(name)->isVisible(), digital) << name;
        }
        EXPECT_TRUE(find<QWidget>("lstChptrswrked")->isVisible());
    }
    // Types a whole contact after date and time in manual mode.
    void typeManualContact(const QString& date, const QString& time) {
        auto* dateBox = find<QLineEdit>("txtDate");
        auto* timeBox = find<QLineEdit>("txtTime");
        dateBox->clear();
        timeBox->clear();
        focusBox("txtDate");
        typeInto("txtDate", date);
        tab();
        typeInto("txtTime", time);
        tab();
        typeInto("txtCallsign", QStringLiteral("k1abc"));
        tab();
        tab();
        tab();
        typeInto("txtChapter", QStringLiteral("7"));
        tab();
        typeInto("txtName", QStringLiteral("bob"));
    }
};

// ---- Date and time -----------------------------------------------------------

// The UTC stamp for a local moment and the registered offset of -5 hours.
std::pair<QString, QString> expectedStamp(const QDateTime& local) {
    const QDateTime utc =
        QDateTime(local.date(), QTime(local.time().hour(), local.time().minute()), QTimeZone::utc())
            .addSecs(-5 * 3600);
    return {utc.toString(QStringLiteral("MM/dd/yyyy")), utc.toString(QStringLiteral("HH:mm"))};
}

TEST_F(ClockBandModeTest, ClockTickStampsUtcDateAndTime) {
    find<QLineEdit>("txtDate")->setText(QStringLiteral("typed"));
    const auto before = expectedStamp(QDateTime::currentDateTime());
    tick("Timer1");
    const auto after = expectedStamp(QDateTime::currentDateTime());
    const std::pair<QString, QString> shown{text("txtDate"), text("txtTime")};
    EXPECT_TRUE(shown == before || shown == after)
        << shown.first.toStdString() << " " << shown.second.toStdString();
    EXPECT_TRUE(timer("Timer1")->isActive());
    EXPECT_EQ(timer("Timer1")->interval(), 1000);
    EXPECT_FALSE(timer("Timer2")->isActive());
}

TEST_F(ClockBandModeTest, DateTimeOffEmptiesTheBoxesAndStopsTheClock) {
    find<QLineEdit>("txtCallsign")->setText(QStringLiteral("K1ABC"));
    trigger("mnuOFF");
    EXPECT_EQ(text("txtDate"), QString());
    EXPECT_EQ(text("txtTime"), QString());
    EXPECT_EQ(focused(), QStringLiteral("txtDate"));
    EXPECT_FALSE(timer("Timer1")->isActive());
    EXPECT_TRUE(timer("Timer2")->isActive());
    EXPECT_EQ(timer("Timer2")->interval(), 1000);
    EXPECT_FALSE(action("mnuClear")->isEnabled());
    // The boxes keep what is typed; the refresh tick does not touch them.
    typeInto("txtDate", QStringLiteral("06/15/2026"));
    tick("Timer2");
    EXPECT_EQ(text("txtDate"), QStringLiteral("06/15/2026"));
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(ClockBandModeTest, DateTimeOnRestartsTheClockAndSkipsDateAndTime) {
    trigger("mnuOFF");
    typeInto("txtDate", QStringLiteral("06/15/2026"));
    trigger("mnuON");
    EXPECT_EQ(focused(), QStringLiteral("txtCallsign"));
    EXPECT_TRUE(timer("Timer1")->isActive());
    EXPECT_FALSE(timer("Timer2")->isActive());
    EXPECT_TRUE(action("mnuClear")->isEnabled());
    tick("Timer1");
    EXPECT_NE(text("txtDate"), QStringLiteral("06/15/2026"));
    EXPECT_EQ(text("txtDate").size(), 10);
    // Clearing the row puts the cursor back into the callsign box.
    trigger("mnuClear");
    EXPECT_EQ(focused(), QStringLiteral("txtCallsign"));
}

TEST_F(ClockBandModeTest, ManualContactIsLoggedWithTheTypedStampAndTheCursorReturnsToDate) {
    trigger("mnuOFF");
    typeManualContact(QStringLiteral("02/29/2028"), QStringLiteral("23:59"));
    pressWindowKey(Qt::Key_Insert);
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(readFile("vlqsolog.txt"), "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"BOB    \",\"20 \","
                                        "\"PHN\",\"02/29/2028\",\"23:59 \",\"\"\r\n");
    EXPECT_EQ(focused(), QStringLiteral("txtDate"));
    EXPECT_EQ(text("txtDate"), QStringLiteral("02/29/2028"));
}

TEST_F(ClockBandModeTest, ManualDateOrTimeThatIsNotRealIsRefusedAtInsert) {
    trigger("mnuOFF");
    const std::pair<const char*, const char*> bad[] = {
        {"13/01/2026", "12:00"}, {"02/29/2026", "12:00"}, {"6/1/2026", "12:00"},
        {"2026-06-01", "12:00"}, {"", "12:00"},           {"06/01/2026", "24:00"},
        {"06/01/2026", "9:30"},  {"06/01/2026", "12:60"}, {"06/01/2026", ""},
    };
    for (const auto& [date, time] : bad) {
        SCOPED_TRACE(std::string(date) + " " + time);
        dialogs->clear();
        typeManualContact(QString::fromLatin1(date), QString::fromLatin1(time));
        pressWindowKey(Qt::Key_Insert);
        EXPECT_EQ(dialogs->texts(),
                  std::vector<QString>{
                      "The Date must be a real date typed as mm/dd/yyyy and the Time a time "
                      "typed as HH:MM (UTC).  The contact was not logged."});
        EXPECT_EQ(readFile("vlqsolog.txt"), "");
        EXPECT_EQ(text("txtCallsign"), QStringLiteral("K1ABC"));
        trigger("mnuClear");
    }
}

// ---- Band shortcuts ------------------------------------------------------------

struct BandKeyCase {
    Qt::Key key;
    const char* band;  // the band afterwards; "2" (the starting band here) for none
    bool sends = false;  // no shortcut: the key sends its message as without Ctrl
};

class BandShortcutTest : public ClockBandModeTest,
                         public ::testing::WithParamInterface<BandKeyCase> {};

TEST_P(BandShortcutTest, CtrlFunctionKeyChoosesTheBandAndSendsNothing) {
    trigger("cmmPort1");  // a keying port open: any send would key it
    ASSERT_TRUE(port->isOpen);
    const int n = GetParam().key - Qt::Key_F1 + 1;
    find<QLineEdit>(QStringLiteral("txtF%1").arg(n).toLatin1().constData())
        ->setText(QStringLiteral("E"));
    auto* band = find<QComboBox>("cboBand");
    for (const char* box : {"txtCallsign", "txtName"}) {
        SCOPED_TRACE(box);
        band->setCurrentIndex(7);
        port->dtr.clear();
        focusBox(box);
        pressWindowKey(GetParam().key, Qt::ControlModifier);
        EXPECT_EQ(text("cboBand"), QString::fromLatin1(GetParam().band));
        EXPECT_EQ(port->dtr.empty(), !GetParam().sends);
        EXPECT_EQ(text("cboMode"), QStringLiteral("CW"));
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, BandShortcutTest,
                         ::testing::Values(BandKeyCase{Qt::Key_F1, "10"}, BandKeyCase{Qt::Key_F2, "20"},
                                           BandKeyCase{Qt::Key_F3, "2", true}, BandKeyCase{Qt::Key_F4, "40"},
                                           BandKeyCase{Qt::Key_F5, "15"}, BandKeyCase{Qt::Key_F6, "160"},
                                           BandKeyCase{Qt::Key_F7, "2", true}, BandKeyCase{Qt::Key_F8, "80"}));

TEST_F(ClockBandModeTest, CtrlReleasedBeforeTheFunctionKeySendsNothingEither) {
    trigger("cmmPort1");
    find<QLineEdit>("txtF1")->setText(QStringLiteral("E"));
    port->dtr.clear();
    QTest::keyPress(window()->windowHandle(), Qt::Key_F1, Qt::ControlModifier);
    QTest::keyRelease(window()->windowHandle(), Qt::Key_F1, Qt::NoModifier);
    settle();
    EXPECT_EQ(text("cboBand"), QStringLiteral("10"));
    EXPECT_TRUE(port->dtr.empty());
    // F1 on its own does send, so the port would have shown it.
    pressWindowKey(Qt::Key_F1);
    EXPECT_FALSE(port->dtr.empty());
}

// ---- Mode and the chapter panels -------------------------------------------

TEST_F(ClockBandModeTest, ModeShortcutsChooseTheModeAndItsChapterPanel) {
    expectPanel(false);
    struct Step {
        Qt::Key key;
        const char* mode;
        bool digital;
    };
    for (const char* box : {"txtCallsign", "txtComment"}) {
        SCOPED_TRACE(box);
        focusBox(box);
        for (const Step& s : {Step{Qt::Key_D, "DIG", true}, Step{Qt::Key_P, "PHN", false},
                              Step{Qt::Key_D, "DIG", true}, Step{Qt::Key_W, "CW", false}}) {
            pressWindowKey(s.key, Qt::ControlModifier);
            EXPECT_EQ(text("cboMode"), QString::fromLatin1(s.mode));
            expectPanel(s.digital);
        }
    }
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(ClockBandModeTest, LeavingTheModeListShowsThePanelOfItsChoice) {
    focusBox("cboMode");
    QTest::keyClick(find<QWidget>("cboMode"), Qt::Key_Down);
    QTest::keyClick(find<QWidget>("cboMode"), Qt::Key_Down);
    settle();
    ASSERT_EQ(text("cboMode"), QStringLiteral("DIG"));
    expectPanel(false);  // not while the list holds the cursor
    tab();
    expectPanel(true);
    focusBox("cboMode");
    QTest::keyClick(find<QWidget>("cboMode"), Qt::Key_Up);
    settle();
    ASSERT_EQ(text("cboMode"), QStringLiteral("CW"));
    expectPanel(true);
    tab();
    expectPanel(false);
    // A choice made while the cursor is elsewhere (the mouse wheel over the
    // list): the panel stays until the list is entered and left.
    focusBox("txtCallsign");
    find<QComboBox>("cboMode")->setCurrentIndex(2);
    settle();
    expectPanel(false);
    focusBox("cboMode");
    focusBox("txtName");
    expectPanel(true);
}

// ---- The bonus claim ------------------------------------------------------------

struct ClaimCase {
    const char* comment;
    const char* after;
};

class BonusClaimTest : public ClockBandModeTest,
                       public ::testing::WithParamInterface<ClaimCase> {};

TEST_P(BonusClaimTest, CtrlXAndF12TurnOnlyNvlIntoBnvl) {
    auto* comment = find<QLineEdit>("txtComment");
    const QString before = QString::fromLatin1(GetParam().comment);
    const QString after = QString::fromLatin1(GetParam().after);
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_X, Qt::ControlModifier},
        {Qt::Key_F12, Qt::NoModifier},
        {Qt::Key_F12, Qt::ControlModifier},
        {Qt::Key_F12, Qt::ShiftModifier | Qt::AltModifier}};
    for (const auto& [key, modifiers] : keys) {
        for (const char* box : {"txtName", "txtComment"}) {
            SCOPED_TRACE(std::string(box) + (key == Qt::Key_X ? " X" : " F12") + " modifiers " +
                         std::to_string(modifiers.toInt()));
            comment->setText(before);
            focusBox(box);
            find<QLineEdit>(box)->selectAll();
            pressWindowKey(key, modifiers);
            EXPECT_EQ(comment->text(), after);
        }
    }
    EXPECT_TRUE(dialogs->shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Comments, BonusClaimTest,
                         ::testing::Values(ClaimCase{"NVL", "BNVL"}, ClaimCase{"nvl", "nvl"},
                                           ClaimCase{"BNVL", "BNVL"}, ClaimCase{"DUPE", "DUPE"},
                                           ClaimCase{" NVL", " NVL"}, ClaimCase{"", ""}));

}  // namespace
}  // namespace vl::ui::test
