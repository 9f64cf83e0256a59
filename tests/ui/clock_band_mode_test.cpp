// The date and time stamp, typing date and time by hand, the Task menu's
// band, mode and bonus commands from the keyboard, and band and mode
// following the radio.
#include <QDateTime>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTimeZone>
#include <QTimer>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <iostream>

#include "window_test_support.h"
#include "../case_name.h"

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
                                           BandKeyCase{Qt::Key_F7, "2", true}, BandKeyCase{Qt::Key_F8, "80"}),
    [](const auto& info) { return test_names::caseName(info.index, {"F" + std::to_string(info.param.key - Qt::Key_F1 + 1)}); });

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
                                           ClaimCase{" NVL", " NVL"}, ClaimCase{"", ""}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.comment}); });

// ---- Following the radio -----------------------------------------------------

constexpr int kRadioWait = 5000;  // ms; the radio is polled twice a second

class FollowRadioTest : public ClockBandModeTest {
protected:
    QString radioStatus() const { return text("txtRadioStatus"); }
    QString radioTip() const { return find<QLineEdit>("txtRadioStatus")->toolTip(); }
    QString unreachable(const char* reason) const {
        return QStringLiteral("The radio cannot be reached (Hamlib model 2 at localhost:4532): ") +
               QString::fromLatin1(reason) + QStringLiteral(". Follow Radio keeps trying.");
    }
};

TEST_F(FollowRadioTest, BandAndModeFollowTheRadioWhileTheOperatorTypes) {
    EXPECT_EQ(radioStatus(), QStringLiteral("off"));
    EXPECT_FALSE(action("mnuFollowRadio")->isChecked());
    EXPECT_EQ(radio->opens(), 0) << "no radio is asked before following is switched on";
    typeInto("txtCallsign", QStringLiteral("K1AB"));
    auto* call = find<QLineEdit>("txtCallsign");
    call->setCursorPosition(2);

    radio->set({7'030'000, "CW"});
    trigger("mnuFollowRadio");
    EXPECT_TRUE(action("mnuFollowRadio")->isChecked());
    EXPECT_EQ(readFile("VLRig.txt"), "\"2\",\"localhost:4532\",\"ON\"\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(radioStatus(), QStringLiteral("connected"), kRadioWait);
    QTRY_COMPARE_WITH_TIMEOUT(text("cboBand"), QStringLiteral("40"), kRadioWait);
    EXPECT_EQ(text("cboMode"), QStringLiteral("CW"));

    struct Step {
        std::int64_t hz;
        const char* mode;
        const char* band;      // the band list afterwards
        const char* logMode;   // the mode list afterwards
        bool digitalPanel;
    };
    const Step steps[] = {
        {7'074'000, "PKTUSB", "40", "DIG", true},
        {14'025'000, "CWR", "20", "CW", false},
        {10'136'000, "USB", "20", "PHN", false},    // 30 m: the band stays
        {144'174'000, "USB", "2", "PHN", false},
        {50'313'000, "RTTY", "6", "DIG", true},
        {1'840'000, "IQ", "160", "DIG", true},      // a mode the log has no place for
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.hz) + " " + s.mode);
        radio->set({s.hz, s.mode});
        QTRY_COMPARE_WITH_TIMEOUT(text("cboBand") + text("cboMode"),
                                  QString::fromLatin1(s.band) + QString::fromLatin1(s.logMode),
                                  kRadioWait);
        expectPanel(s.digitalPanel);
        // The cursor and the typed text stay where they were.
        EXPECT_EQ(focused(), QStringLiteral("txtCallsign"));
        EXPECT_EQ(call->text(), QStringLiteral("K1AB"));
        EXPECT_EQ(call->cursorPosition(), 2);
    }
    QTest::keyClicks(call, QStringLiteral("X"));
    EXPECT_EQ(call->text(), QStringLiteral("K1XAB"));

    // A band chosen by hand stays until the radio changes band.
    pressWindowKey(Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(text("cboBand"), QStringLiteral("20"));
    radio->set({1'850'000, "LSB"});
    QTRY_COMPARE_WITH_TIMEOUT(text("cboMode"), QStringLiteral("PHN"), kRadioWait);
    EXPECT_EQ(text("cboBand"), QStringLiteral("20"));
    radio->set({3'750'000, "LSB"});
    QTRY_COMPARE_WITH_TIMEOUT(text("cboBand"), QStringLiteral("80"), kRadioWait);

    // A radio that goes away: the status box says so, and no box ever takes
    // the operator's keys.
    radio->setReachable(false);
    QTRY_COMPARE_WITH_TIMEOUT(radioStatus(), QStringLiteral("not connected"), kRadioWait);
    EXPECT_EQ(radioTip(), unreachable("Connection lost"));
    QTest::qWait(2500);  // several attempts to reconnect
    radio->set({21'200'000, "USB"});
    radio->setReachable(true);
    QTRY_COMPARE_WITH_TIMEOUT(radioStatus(), QStringLiteral("connected"), kRadioWait);
    QTRY_COMPARE_WITH_TIMEOUT(text("cboBand"), QStringLiteral("15"), kRadioWait);
    EXPECT_EQ(radioTip(), QString());
    EXPECT_TRUE(dialogs->shown.empty());

    // Switched off: the radio is let go and its changes no longer count.
    trigger("mnuFollowRadio");
    EXPECT_EQ(radioStatus(), QStringLiteral("off"));
    EXPECT_EQ(readFile("VLRig.txt"), "\"2\",\"localhost:4532\",\"OFF\"\r\n");
    EXPECT_EQ(radio->opens(), radio->closes());
    radio->set({28'400'000, "CW"});
    QTest::qWait(1200);
    EXPECT_EQ(text("cboBand"), QStringLiteral("15"));
    EXPECT_EQ(text("cboMode"), QStringLiteral("PHN"));
    EXPECT_EQ(call->text(), QStringLiteral("K1XAB"));
}

// The radio moves under a row whose callsign has been checked: the checks
// run again for the new band and mode before INSERT can log the row.
TEST_F(FollowRadioTest, ABandOrModeChangeAfterTabChecksTheRowAgain) {
    auto followTo = [this](std::int64_t hz, const char* mode, const char* band, const char* logMode) {
        radio->set({hz, mode});
        QTRY_COMPARE_WITH_TIMEOUT(text("cboBand") + text("cboMode"),
                                  QString::fromLatin1(band) + QString::fromLatin1(logMode), kRadioWait);
    };
    auto logLines = [this] {
        const std::string log = readFile("vlqsolog.txt");
        return static_cast<int>(std::count(log.begin(), log.end(), '\n'));
    };
    radio->set({7'030'000, "CW"});
    trigger("mnuFollowRadio");
    QTRY_COMPARE_WITH_TIMEOUT(text("cboBand"), QStringLiteral("40"), kRadioWait);
    typeContact(QStringLiteral("W1AW"), QStringLiteral("7"), QStringLiteral("AL"));
    pressWindowKey(Qt::Key_Insert);
    ASSERT_EQ(logLines(), 1);

    // W1AW on 20 is no dupe; back on 40 it is, and the question comes again.
    followTo(14'030'000, "CW", "20", "CW");
    typeContact(QStringLiteral("W1AW"), QStringLiteral("7"), QStringLiteral("AL"));
    EXPECT_TRUE(dialogs->shown.empty()) << dialogs->lastText().toStdString();
    dialogs->answers = {true};
    followTo(7'030'000, "CW", "40", "CW");
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].kind, ScriptedDialogs::Shown::Kind::Question);
    EXPECT_EQ(text("txtComment"), QStringLiteral("DUPE"));
    // Off to 20 again: no dupe there, so the mark goes.
    followTo(14'030'000, "CW", "20", "CW");
    EXPECT_EQ(text("txtComment"), QString());
    dialogs->answers = {true};
    followTo(7'030'000, "CW", "40", "CW");
    EXPECT_EQ(dialogs->shown.size(), 2u);
    pressWindowKey(Qt::Key_Insert);
    ASSERT_EQ(logLines(), 2);
    const std::string log = readFile("vlqsolog.txt");
    EXPECT_NE(log.find("\"40 \",\"CW \"", log.find("\r\n")), std::string::npos) << log;
    EXPECT_EQ(log.substr(log.size() - 8), "\"DUPE\"\r\n") << log;

    // A phone row the radio moves to CW takes CW's reports, and its chapter
    // (new on phone, worked on CW) is not counted as new.
    followTo(7'200'000, "LSB", "40", "PHN");
    typeContact(QStringLiteral("K2XYZ"), QStringLiteral("7"), QStringLiteral("SAM"));
    EXPECT_EQ(text("txtYears") + text("txtRptRcv"), QStringLiteral("5959"));
    followTo(7'030'000, "CW", "40", "CW");
    EXPECT_EQ(text("txtYears") + text("txtRptRcv"), QStringLiteral("599599"));
    pressWindowKey(Qt::Key_Insert);
    ASSERT_EQ(logLines(), 3);
    EXPECT_EQ(readFile("CWchapsworked.txt"), "\"007\"\r\n");
    EXPECT_EQ(readFile("chapsworked.txt").find("007"), std::string::npos);
}

struct FollowStartCase {
    const char* file;    // VLRig.txt, nullptr for none
    bool reachable;
    const char* status;  // the status once start-up is done and the radio asked
    const char* message; // the one message shown, "" for none
};

class FollowRadioStartTest : public FollowRadioTest,
                             public ::testing::WithParamInterface<FollowStartCase> {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
        if (GetParam().file) writeFile("VLRig.txt", GetParam().file);
        radio->set({14'250'000, "USB"});
        radio->setReachable(GetParam().reachable);
        ASSERT_TRUE(startProgram());
        activate();
    }
};

TEST_P(FollowRadioStartTest, SettingsFileDecidesWhetherTheRadioIsFollowedAtStart) {
    const FollowStartCase& c = GetParam();
    const bool following = QString::fromLatin1(c.status) != QStringLiteral("off");
    EXPECT_EQ(action("mnuFollowRadio")->isChecked(), following);
    QTRY_COMPARE_WITH_TIMEOUT(radioStatus(), QString::fromLatin1(c.status), kRadioWait);
    QTest::qWait(1200);
    EXPECT_EQ(dialogs->texts().size(), *c.message ? 1u : 0u);
    if (*c.message) {
        EXPECT_EQ(dialogs->lastText(), QString::fromLatin1(c.message));
    }
    if (c.file) {
        EXPECT_EQ(readFile("VLRig.txt"), c.file) << "start-up writes nothing";
    }
    if (!following) {
        EXPECT_EQ(radio->opens(), 0);
        // Switching on reads the file again: a line that still cannot be read
        // is reported again and following stays off.
        dialogs->clear();
        trigger("mnuFollowRadio");
        if (*c.message) {
            EXPECT_EQ(dialogs->texts(), std::vector<QString>{QString::fromLatin1(c.message)});
            EXPECT_FALSE(action("mnuFollowRadio")->isChecked());
            EXPECT_EQ(readFile("VLRig.txt"), c.file);
            return;
        }
    }
    // Once the radio answers, its band and mode are taken.
    radio->setReachable(true);
    QTRY_COMPARE_WITH_TIMEOUT(radioStatus(), QStringLiteral("connected"), kRadioWait);
    QTRY_COMPARE_WITH_TIMEOUT(text("cboBand"), QStringLiteral("20"), kRadioWait);
    EXPECT_EQ(text("cboMode"), QStringLiteral("PHN"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, FollowRadioStartTest,
    ::testing::Values(
        FollowStartCase{nullptr, true, "off", ""},
        FollowStartCase{"\"2\",\"localhost:4532\",\"OFF\"\r\n", true, "off", ""},
        FollowStartCase{"\"2\",\"localhost:4532\",\"ON\"\r\n", true, "connected", ""},
        FollowStartCase{"\"2\",\"localhost:4532\",\"ON\"\r\n", false, "not connected", ""},
        FollowStartCase{"\"2\";\"localhost:4532\";\"ON\"\r\n", true, "off",
                        "VLRig.txt has a line that cannot be read, so the radio is not followed:\r\n"
                        "\"2\";\"localhost:4532\";\"ON\"\r\n"
                        "It should read like \"2\",\"localhost:4532\",\"ON\"."}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.status}); });

// A local TCP port nothing listens on: the one the system picks for port 0.
quint16 freeLocalPort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    quint16 port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    ::close(s);
    return port;
}

// Hamlib's own dummy radio behind a real rigctld, started here on a free port.
class HamlibRadioTest : public FollowRadioTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        rigctld_ = QStandardPaths::findExecutable(QStringLiteral("rigctld"));
        rigctl_ = QStandardPaths::findExecutable(QStringLiteral("rigctl"));
        if (rigctld_.isEmpty() || rigctl_.isEmpty()) GTEST_SKIP() << "rigctld is not installed";
        port_ = freeLocalPort();
        ASSERT_NE(port_, 0);
        startDaemon();
        prepareRegisteredFolder();
        writeFile("VLRig.txt", "\"2\",\"127.0.0.1:" + std::to_string(port_) + "\",\"ON\"\r\n");
        hamlibRadio = true;
        ASSERT_TRUE(startProgram());
        activate();
    }
    void TearDown() override {
        WindowTest::TearDown();
        stopDaemon();
    }
    void startDaemon() {
        daemon_.start(rigctld_, {QStringLiteral("-m"), QStringLiteral("1"), QStringLiteral("-T"),
                                 QStringLiteral("127.0.0.1"), QStringLiteral("-t"),
                                 QString::number(port_)});
        ASSERT_TRUE(daemon_.waitForStarted(5000));
    }
    void stopDaemon() {
        if (daemon_.state() == QProcess::NotRunning) return;
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }
    // Tells the radio something through rigctl, as another program would.
    void rigctl(const QStringList& command) {
        QProcess p;
        p.start(rigctl_, QStringList{QStringLiteral("-m"), QStringLiteral("2"), QStringLiteral("-r"),
                                     QStringLiteral("127.0.0.1:%1").arg(port_)} +
                             command);
        ASSERT_TRUE(p.waitForFinished(10000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }
    // How long the window took to show the band and mode, printed as a figure.
    void expectFollowed(const char* band, const char* mode) {
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE_WITH_TIMEOUT(text("cboBand") + QLatin1Char(' ') + text("cboMode"),
                                  QString::fromLatin1(band) + QLatin1Char(' ') + QString::fromLatin1(mode),
                                  kRadioWait);
        std::cout << "[ figure ] band " << band << " and mode " << mode << " followed in "
                  << clock.elapsed() << " ms\n";
    }

    QString rigctld_;
    QString rigctl_;
    quint16 port_ = 0;
    QProcess daemon_;
};

TEST_F(HamlibRadioTest, FollowsTheDummyRadioAndReconnectsAfterRigctldRestarts) {
    QTRY_COMPARE_WITH_TIMEOUT(radioStatus(), QStringLiteral("connected"), kRadioWait);
    rigctl({QStringLiteral("F"), QStringLiteral("14025000"), QStringLiteral("M"), QStringLiteral("CW"),
            QStringLiteral("500")});
    expectFollowed("20", "CW");
    rigctl({QStringLiteral("F"), QStringLiteral("7074000"), QStringLiteral("M"),
            QStringLiteral("PKTUSB"), QStringLiteral("3000")});
    expectFollowed("40", "DIG");
    expectPanel(true);

    stopDaemon();
    QTRY_COMPARE_WITH_TIMEOUT(radioStatus(), QStringLiteral("not connected"), kRadioWait);
    startDaemon();
    QTRY_COMPARE_WITH_TIMEOUT(radioStatus(), QStringLiteral("connected"), kRadioWait);
    // A fresh dummy radio starts elsewhere; tell it where to go.
    rigctl({QStringLiteral("F"), QStringLiteral("21250000"), QStringLiteral("M"), QStringLiteral("USB"),
            QStringLiteral("2400")});
    expectFollowed("15", "PHN");
    EXPECT_TRUE(dialogs->shown.empty()) << "radio notices go to the Radio box only";
}

}  // namespace
}  // namespace vl::ui::test
