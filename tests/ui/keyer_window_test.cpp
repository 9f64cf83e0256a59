// CW working in the main window: opening and releasing the keying port, the
// function keys through the window's key preview, the send commands and the
// speed commands.
#include "window_test_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <signal.h>

#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <map>
#include <thread>

#include "keyer/line_guard.h"
#include "keyer/morse_table.h"
#include "keyer/real_time.h"
#include "../case_name.h"

namespace vl::ui::test {
namespace {

// The DTR settings keying a text makes: one raise and one release per element.
std::vector<bool> edgesFor(const std::string& text) {
    std::vector<bool> edges;
    for (char c : text) {
        bool keyed = false;
        for (char unit : keyer::morseUnits(c)) {
            const bool on = unit == '1';
            if (on != keyed) edges.push_back(on);
            keyed = on;
        }
    }
    return edges;
}

const char* const kMessageBoxes[] = {"txtF1", "txtF2", "txtF3", "txtF4", "txtF5",
                                     "txtF6", "txtF7", "txtF8", "txtF10"};
const char* const kCwGroup[] = {"txtF1F8", "txtF9", "txtF1", "txtF2", "txtF3", "txtF4",
                                "txtF5",   "txtF6", "txtF7", "txtF8", "txtF10", "lblF1",
                                "lblF2",   "lblF3", "lblF4", "lblF5", "lblF6",  "lblF7",
                                "lblF8",   "lblF10"};
const char* const kCommentRow[] = {"Label10", "txtComment", "txtINS", "Label12"};

class KeyerWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
    }

    void start(bool fakePort = true) {
        ASSERT_TRUE(startProgram(fakePort));
        activate();
    }

    QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }

    // 25 wpm and eight steps of 25 % up: 149 wpm, so short texts key quickly.
    void fastSpeed() {
        trigger("mnu25wpm");
        for (int i = 0; i < 8; ++i) trigger("mnuCWincrease");
        ASSERT_EQ(window()->keyer().swpm, 149);
    }

    void openFakePortFast() {
        trigger("cmmPort1");
        ASSERT_TRUE(port->isOpen);
        fastSpeed();
        port->dtr.clear();
        dialogs->clear();
    }

    // Empties every message box, so that only the box a command should send
    // keys anything.
    void clearMessages() {
        for (const char* name : kMessageBoxes) box(name)->clear();
    }

    void expectCwGroupVisible(bool visible) {
        for (const char* name : kCwGroup) {
            EXPECT_EQ(find<QWidget>(name)->isVisible(), visible) << name;
        }
    }

    std::map<std::string, QRect> commentRow() const {
        std::map<std::string, QRect> row;
        for (const char* name : kCommentRow) row[name] = find<QWidget>(name)->geometry();
        return row;
    }

    void sendToWindow(QEvent::Type type, Qt::Key key, bool autoRepeat = false) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QCoreApplication::sendEvent(window()->windowHandle(), &event);
    }

    // Posts a key stroke to the window for the event pump to deliver.
    void postKeyStroke(Qt::Key key) {
        QWindow* handle = window()->windowHandle();
        QCoreApplication::postEvent(handle, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
        QCoreApplication::postEvent(handle, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
    }

    // Starts the program on a keying port of the test's own making.
    void startWithPort(std::function<std::unique_ptr<keyer::CommPort>()> makePort) {
        ASSERT_TRUE(startProgram(std::move(makePort)));
        activate();
    }

    // "VLPorts.txt" mapping ports 1 and 2 to these devices.
    void mapPorts(const std::string& one, const std::string& two) {
        writeFile("VLPorts.txt", "\"1\",\"" + one + "\"\r\n\"2\",\"" + two + "\"\r\n");
    }
};

// ---- Opening and releasing the port ------------------------------------------

struct FailedOpenCase {
    const char* command;
    const char* message;
    const char* device;
};

class RealPortFailureTest : public KeyerWindowTest,
                            public ::testing::WithParamInterface<FailedOpenCase> {};

TEST_P(RealPortFailureTest, MissingDeviceIsReportedAndChangesNothing) {
    mapPorts(path("nodev/ttyUSB9"), path("nodev/ttyUSB8"));
    start(false);
    trigger("mnuDigitalMode");
    const auto layout = commentRow();
    dialogs->clear();

    trigger(GetParam().command);

    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].kind, ScriptedDialogs::Shown::Kind::Message);
    EXPECT_EQ(dialogs->shown[0].text,
              QString::fromLatin1(GetParam().message) + QLatin1Char('\n') +
                  QString::fromStdString(path(GetParam().device)) +
                  QStringLiteral(": No such file or directory: plug in the serial adapter, or "
                                 "name its device in VLPorts.txt"));
    EXPECT_FALSE(window()->MSComm1().portOpen());
    EXPECT_EQ(text("cboMode"), QStringLiteral("DIG"));
    expectCwGroupVisible(false);
    EXPECT_EQ(commentRow(), layout);
    EXPECT_FALSE(host->ended());

    // Nothing is open to release.
    dialogs->clear();
    trigger("mnudisablePort");
    EXPECT_EQ(dialogs->texts(), std::vector<QString>{QStringLiteral("NO PORT OPEN")});
    EXPECT_EQ(text("cboMode"), QStringLiteral("DIG"));
}

INSTANTIATE_TEST_SUITE_P(
    Ports, RealPortFailureTest,
    ::testing::Values(
        FailedOpenCase{"cmmPort1", "No Serial Port found or this port bad", "nodev/ttyUSB9"},
        FailedOpenCase{"cmmPort2", "No Serial Port2 found or this port bad", "nodev/ttyUSB8"}),
    [](const auto& info) { return std::string(info.param.command); });

TEST_F(KeyerWindowTest, PseudoTerminalCannotKeyAndFailsToOpen) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string terminal = ptsname(master);
    mapPorts(terminal, path("nodev/ttyUSB8"));
    start(false);
    dialogs->clear();

    trigger("cmmPort1");

    ASSERT_EQ(dialogs->shown.size(), 1u);
    const QString shown = dialogs->lastText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("No Serial Port found or this port bad\n") +
                                 QString::fromStdString(terminal) + QStringLiteral(": ")))
        << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("VLPorts.txt"))) << shown.toStdString();
    EXPECT_FALSE(window()->MSComm1().portOpen());
    EXPECT_EQ(text("cboMode"), QStringLiteral("PHN"));
    expectCwGroupVisible(false);
    // Sending with no port open keys nothing and shows no box; the status
    // bar says why.
    fastSpeed();
    box("txtF1")->setText(QStringLiteral("E"));
    dialogs->clear();
    pressWindowKey(Qt::Key_F1);
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(window()->statusBar()->currentMessage(), QStringLiteral("No keying port is open"));
    ::close(master);
}

TEST_F(KeyerWindowTest, OpeningSwitchesToCwWorkingAndReleasingSwitchesBack) {
    start();
    const auto closed = commentRow();
    expectCwGroupVisible(false);

    trigger("cmmPort1");
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_TRUE(port->isOpen);
    EXPECT_EQ(port->port, 1);
    EXPECT_EQ(text("cboMode"), QStringLiteral("CW"));
    expectCwGroupVisible(true);
    EXPECT_EQ(find<QLabel>("lblF6")->text(), QStringLiteral(" F6"));
    EXPECT_EQ(find<QLabel>("lblF10")->text(), QStringLiteral("F10"));
    // The keyer's state names the keying thread's priority.
    EXPECT_EQ(find<QLabel>("lblKeyerPriority")->text().toStdString(),
              keyer::priorityText(window()->keying().priority().priority));

    // The comment row makes room: label and box move left, the box grows
    // wider and flatter, the INS hint moves down, the operator label moves left.
    const auto open = commentRow();
    EXPECT_LT(open.at("Label10").x(), closed.at("Label10").x());
    EXPECT_LT(open.at("txtComment").x(), closed.at("txtComment").x());
    EXPECT_GT(open.at("txtComment").width(), closed.at("txtComment").width());
    EXPECT_LT(open.at("txtComment").height(), closed.at("txtComment").height());
    EXPECT_GT(open.at("txtINS").y(), closed.at("txtINS").y());
    EXPECT_EQ(open.at("txtINS").x(), closed.at("txtINS").x());
    EXPECT_LT(open.at("Label12").x(), closed.at("Label12").x());
    EXPECT_GT(open.at("Label12").width(), closed.at("Label12").width());
    // In proportion to the window, as the design's twips place them.
    const double sx = window()->centralWidget()->width() / 1020.0;
    const double sy = window()->centralWidget()->height() / 570.0;
    auto near = [](int actual, double expected) { return std::abs(actual - expected) <= 1.5; };
    EXPECT_TRUE(near(open.at("Label10").x(), 360 / 15.0 * sx));
    EXPECT_TRUE(near(open.at("txtComment").x(), 3360 / 15.0 * sx));
    EXPECT_TRUE(near(open.at("txtComment").width(), 7695 / 15.0 * sx));
    EXPECT_TRUE(near(open.at("txtINS").y(), 8040 / 15.0 * sy));
    EXPECT_TRUE(near(closed.at("txtComment").x(), 5520 / 15.0 * sx));
    EXPECT_TRUE(near(closed.at("txtComment").width(), 6120 / 15.0 * sx));
    EXPECT_TRUE(near(closed.at("txtINS").y(), 7560 / 15.0 * sy));
    // The INS hint no longer shares the row with the comment label.
    EXPECT_FALSE(open.at("txtINS").intersects(open.at("Label10")));

    // After the digital mode was chosen, releasing still returns to phone.
    trigger("mnuDigitalMode");
    trigger("mnudisablePort");
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_FALSE(port->isOpen);
    EXPECT_EQ(port->closes, 1);
    EXPECT_EQ(text("cboMode"), QStringLiteral("PHN"));
    expectCwGroupVisible(false);
    EXPECT_EQ(commentRow(), closed);

    // A second release finds no port and changes nothing.
    trigger("mnuDigitalMode");
    trigger("mnudisablePort");
    EXPECT_EQ(dialogs->texts(), std::vector<QString>{QStringLiteral("NO PORT OPEN")});
    EXPECT_EQ(text("cboMode"), QStringLiteral("DIG"));
    expectCwGroupVisible(false);
    EXPECT_EQ(commentRow(), closed);
    EXPECT_EQ(port->closes, 1);
}

TEST_F(KeyerWindowTest, ChoosingAPortWhileOneIsOpenClosesItFirst) {
    start();
    trigger("cmmPort1");
    const auto open = commentRow();
    trigger("mnuPhoneMode");

    trigger("cmmPort2");
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(port->closes, 1);
    EXPECT_EQ(port->opens, 2);
    EXPECT_EQ(port->port, 2);
    EXPECT_TRUE(port->isOpen);
    EXPECT_EQ(text("cboMode"), QStringLiteral("CW"));
    expectCwGroupVisible(true);
    EXPECT_EQ(commentRow(), open);

    // The same port again is closed and reopened.
    trigger("cmmPort2");
    EXPECT_EQ(port->closes, 2);
    EXPECT_EQ(port->opens, 3);
    EXPECT_TRUE(port->isOpen);

    // A failed switch leaves the old port closed and the window as it was.
    port->failOpen = true;
    trigger("mnuDigitalMode");
    trigger("cmmPort1");
    EXPECT_EQ(dialogs->texts(), std::vector<QString>{QStringLiteral(
                                    "No Serial Port found or this port bad\nNo such device")});
    EXPECT_FALSE(port->isOpen);
    EXPECT_EQ(text("cboMode"), QStringLiteral("DIG"));
    expectCwGroupVisible(true);
}

TEST_F(KeyerWindowTest, ExitClosesTheOpenPort) {
    start();
    trigger("cmmPort1");
    trigger("mnuExit");  // answered No
    EXPECT_TRUE(port->isOpen);
    EXPECT_FALSE(host->ended());

    dialogs->answers = {true};
    trigger("mnuExit");
    EXPECT_TRUE(host->ended());
    EXPECT_EQ(host->exitStatus(), 0);
    EXPECT_FALSE(port->isOpen);
    EXPECT_EQ(port->closes, 1);
}

// ---- Function keys and send commands ---------------------------------------------

struct SendCase {
    Qt::Key key;
    const char* command;
    const char* box;  // the box whose text is sent
    // Held with the key: Shift, Ctrl and Alt change nothing where the
    // combination is no menu shortcut.
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

class SendTest : public KeyerWindowTest, public ::testing::WithParamInterface<SendCase> {};

TEST_P(SendTest, KeyReleaseAndMenuCommandSendTheirBoxOnly) {
    start();
    openFakePortFast();
    clearMessages();
    box(GetParam().box)->setText(QStringLiteral("T"));
    focusBox("txtName");

    QTest::keyPress(window()->windowHandle(), GetParam().key, GetParam().modifiers);
    settle();
    EXPECT_TRUE(port->dtr.empty()) << "sent on key down";
    QTest::keyRelease(window()->windowHandle(), GetParam().key, GetParam().modifiers);
    settle();
    EXPECT_EQ(port->dtr, edgesFor("T"));

    port->dtr.clear();
    trigger(GetParam().command);
    EXPECT_EQ(port->dtr, edgesFor("T"));
    // Sending leaves the box and the entry row as they were.
    EXPECT_EQ(text(GetParam().box), QStringLiteral("T"));
    EXPECT_EQ(text("txtName"), QString());
    EXPECT_TRUE(dialogs->shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SendTest,
    ::testing::Values(SendCase{Qt::Key_F1, "mnuSndF1", "txtF1"},
                      SendCase{Qt::Key_F2, "mnuSndF2", "txtF2"},
                      SendCase{Qt::Key_F3, "mnuSndF3", "txtF3"},
                      SendCase{Qt::Key_F4, "mnuSndF4", "txtF4"},
                      SendCase{Qt::Key_F5, "mnuSndF5", "txtF5"},
                      SendCase{Qt::Key_F6, "mnuSndF6", "txtF6"},
                      SendCase{Qt::Key_F7, "mnuSndF7", "txtF7"},
                      SendCase{Qt::Key_F8, "mnuSndF8", "txtF8"},
                      SendCase{Qt::Key_F9, "mnuSndF9", "txtCallsign"},
                      SendCase{Qt::Key_F10, "mnuSndF10", "txtF10"},
                      SendCase{Qt::Key_F3, "mnuSndF3", "txtF3", Qt::ControlModifier},
                      SendCase{Qt::Key_F7, "mnuSndF7", "txtF7", Qt::ControlModifier},
                      SendCase{Qt::Key_F9, "mnuSndF9", "txtCallsign", Qt::AltModifier},
                      SendCase{Qt::Key_F1, "mnuSndF1", "txtF1", Qt::ShiftModifier},
                      SendCase{Qt::Key_F10, "mnuSndF10", "txtF10",
                               Qt::ControlModifier | Qt::AltModifier}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.command}); });

TEST_F(KeyerWindowTest, F9SendsTheCallsignAsTypedWithItsSlashedZero) {
    start();
    openFakePortFast();
    typeInto("txtCallsign", QStringLiteral("t0"));
    ASSERT_EQ(text("txtCallsign"), QStringLiteral("T") + QChar(0x00D8));
    pressWindowKey(Qt::Key_F9);
    EXPECT_EQ(port->dtr, edgesFor("T" + kSlashedZero));

    // An empty callsign box keys nothing, by key or menu.
    box("txtCallsign")->clear();
    port->dtr.clear();
    pressWindowKey(Qt::Key_F9);
    trigger("mnuSndF9");
    EXPECT_TRUE(port->dtr.empty());
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(KeyerWindowTest, HeldFunctionKeySendsOnceWhenReleased) {
    start();
    openFakePortFast();
    box("txtF1")->setText(QStringLiteral("E"));
    focusBox("txtCallsign");

    sendToWindow(QEvent::KeyPress, Qt::Key_F1);
    for (int i = 0; i < 5; ++i) {
        sendToWindow(QEvent::KeyRelease, Qt::Key_F1, true);
        sendToWindow(QEvent::KeyPress, Qt::Key_F1, true);
    }
    settle();
    EXPECT_TRUE(port->dtr.empty());
    sendToWindow(QEvent::KeyRelease, Qt::Key_F1);
    settle();
    EXPECT_EQ(port->dtr, edgesFor("E"));
    EXPECT_EQ(text("txtCallsign"), QString());
}

TEST_F(KeyerWindowTest, CtrlF1ChoosesTheBandWithoutSending) {
    start();
    openFakePortFast();
    box("txtF1")->setText(QStringLiteral("E"));
    focusBox("txtF1");  // also from a message box
    pressWindowKey(Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(text("cboBand"), QStringLiteral("10"));
    EXPECT_TRUE(port->dtr.empty());
    EXPECT_EQ(text("txtF1"), QStringLiteral("E"));
}

TEST_F(KeyerWindowTest, EscapeStopsALongMessageAfterTheCurrentCharacter) {
    start();
    openFakePortFast();
    const std::string message = "EEEEEEEEEE";
    box("txtF1")->setText(QString::fromStdString(message));

    QTest::keyPress(window()->windowHandle(), Qt::Key_F1);
    // The ESC stroke waits in the queue until the sender lets events run.
    QTimer::singleShot(0, window(), [this] { postKeyStroke(Qt::Key_Escape); });
    QTest::keyRelease(window()->windowHandle(), Qt::Key_F1);
    settle();

    EXPECT_GE(port->dtr.size(), 2u);
    EXPECT_LT(port->dtr.size(), edgesFor(message).size());
    EXPECT_EQ(port->dtr.size() % 2, 0u) << "a character was cut short";
    EXPECT_FALSE(port->dtr.back()) << "the line was left keyed";
    EXPECT_EQ(window()->keyer().stopsend, 1);
    EXPECT_EQ(text("txtF1"), QString::fromStdString(message));

    // The next send starts afresh and keys its whole text.
    box("txtF2")->setText(QStringLiteral("EE"));
    port->dtr.clear();
    pressWindowKey(Qt::Key_F2);
    EXPECT_EQ(port->dtr, edgesFor("EE"));
    EXPECT_EQ(window()->keyer().stopsend, 0);
}

TEST_F(KeyerWindowTest, EscapeWhileIdleDoesNotStopTheNextSend) {
    start();
    openFakePortFast();
    box("txtF1")->setText(QStringLiteral("EE"));
    pressWindowKey(Qt::Key_Escape);
    EXPECT_EQ(window()->keyer().stopsend, 1);
    pressWindowKey(Qt::Key_F1);
    EXPECT_EQ(port->dtr, edgesFor("EE"));
}

TEST_F(KeyerWindowTest, FunctionKeyReleasedDuringSendingSendsInsideIt) {
    start();
    openFakePortFast();
    box("txtF1")->setText(QStringLiteral("EEEEE"));
    box("txtF2")->setText(QStringLiteral("T"));

    QTest::keyPress(window()->windowHandle(), Qt::Key_F1);
    QTimer::singleShot(0, window(), [this] { postKeyStroke(Qt::Key_F2); });
    QTest::keyRelease(window()->windowHandle(), Qt::Key_F1);
    settle();

    EXPECT_EQ(port->dtr.size(), edgesFor("EEEEE").size() + edgesFor("T").size());
    EXPECT_FALSE(port->dtr.back());
}

// A keying port whose line fails at its n-th raise, as an unplugged adapter would.
class FailingLinePort : public FakeCommPort {
public:
    FailingLinePort(std::shared_ptr<Shared> shared, int failAtRaise)
        : FakeCommPort(shared), shared_(std::move(shared)), failAt_(failAtRaise) {}
    std::optional<keyer::KeyError> setDTREnable(bool on) override {
        if (on && shared_->isOpen && ++raises_ == failAt_) return keyer::KeyError{5, "Input/output error"};
        return FakeCommPort::setDTREnable(on);
    }

private:
    std::shared_ptr<Shared> shared_;
    int failAt_;
    int raises_ = 0;
};

TEST_F(KeyerWindowTest, LineFailureStopsSendingWithOneMessage) {
    auto shared = port;
    startWithPort([shared]() -> std::unique_ptr<keyer::CommPort> {
        return std::make_unique<FailingLinePort>(shared, 3);
    });
    openFakePortFast();
    box("txtF1")->setText(QStringLiteral("EEEEEEEE"));
    box("txtF2")->setText(QStringLiteral("EE"));

    // The failure comes in the send started from inside F1's: both stop.
    QTest::keyPress(window()->windowHandle(), Qt::Key_F1);
    QTimer::singleShot(0, window(), [this] { postKeyStroke(Qt::Key_F2); });
    QTest::keyRelease(window()->windowHandle(), Qt::Key_F1);
    settle();

    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].text,
              QStringLiteral("Sending stopped: the keying line failed.\r\nInput/output error"));
    EXPECT_EQ(port->dtr, (std::vector<bool>{true, false, true, false, false}));
    EXPECT_FALSE(host->ended());

    // The program goes on: the next send keys its whole text.
    port->dtr.clear();
    dialogs->clear();
    pressWindowKey(Qt::Key_F2);
    EXPECT_EQ(port->dtr, edgesFor("EE"));
    EXPECT_TRUE(dialogs->shown.empty());
}

// A keying port that holds the keying thread at its first raise of DTR, with
// the line keyed, until the test lets it go (or ten seconds have passed). It
// counts the raises, also with the port closed, and can fail from one on.
class HoldingPort : public FakeCommPort {
public:
    struct Hold {
        std::atomic<bool> held{false};
        std::atomic<bool> released{false};
        std::atomic<int> raises{0};
        int failFromRaise = 0;  // 0: never
    };
    HoldingPort(std::shared_ptr<Shared> shared, std::shared_ptr<Hold> hold)
        : FakeCommPort(std::move(shared)), hold_(std::move(hold)) {}
    std::optional<keyer::KeyError> setDTREnable(bool on) override {
        const int raise = on ? ++hold_->raises : 0;
        if (hold_->failFromRaise > 0 && raise >= hold_->failFromRaise) {
            return keyer::KeyError{5, "Input/output error"};
        }
        auto result = FakeCommPort::setDTREnable(on);
        if (on && !hold_->held.exchange(true)) {
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!hold_->released && std::chrono::steady_clock::now() < giveUp) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            hold_->released = true;
        }
        return result;
    }

private:
    std::shared_ptr<Hold> hold_;
};

struct DuringSendCase {
    const char* name;
    const char* command;  // chosen while the first element sounds; none: a letter is typed
    int yes;              // questions the command asks, each answered Yes
    std::size_t boxes;    // boxes it shows, questions included
    bool keyedWhole;
    bool portOpenAfter;
    bool portOpenBefore = true;
};

class DuringSendTest : public KeyerWindowTest, public ::testing::WithParamInterface<DuringSendCase> {
protected:
    void startWithHoldingPort(const std::shared_ptr<HoldingPort::Hold>& hold) {
        auto shared = port;
        startWithPort([shared, hold]() -> std::unique_ptr<keyer::CommPort> {
            return std::make_unique<HoldingPort>(shared, hold);
        });
    }
};

TEST_P(DuringSendTest, WindowAnswersWhileAnElementSounds) {
    const DuringSendCase& c = GetParam();
    auto hold = std::make_shared<HoldingPort::Hold>();
    startWithHoldingPort(hold);
    if (c.portOpenBefore) openFakePortFast();
    trigger("mnu25wpm");  // about 1.3 s unless cut short
    const std::string message = "TTTT";
    box("txtF1")->setText(QString::fromStdString(message));
    focusBox("txtCallsign");
    dialogs->clear();
    dialogs->answers.assign(c.yes, true);

    // The window's own timer runs while the keying thread holds the line
    // keyed: the window is neither blocked nor waiting for the character.
    bool actedWhileHeld = false;
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, window(), [&] {
        if (!hold->held) return;
        watch.stop();
        actedWhileHeld = !hold->released;
        if (!c.command) {
            QTest::keyClicks(box("txtCallsign"), QStringLiteral("k"));
            hold->released = true;
            return;
        }
        hold->released = true;
        trigger(c.command);
    });
    watch.start();
    pressWindowKey(Qt::Key_F1);

    EXPECT_TRUE(actedWhileHeld);
    if (c.portOpenBefore) {
        ASSERT_FALSE(port->dtr.empty());
        EXPECT_FALSE(port->dtr.back()) << "the port closed with the line keyed";
    } else {
        EXPECT_TRUE(port->dtr.empty()) << "the send went on on the port just opened";
    }
    if (c.keyedWhole) {
        EXPECT_EQ(port->dtr, edgesFor(message));
    } else {
        EXPECT_LT(hold->raises, static_cast<int>(message.size())) << "the send was not ended";
    }
    EXPECT_EQ(port->isOpen, c.portOpenAfter);
    // Only the typed case changes the box.
    EXPECT_EQ(text("txtCallsign"), c.command ? QString() : QStringLiteral("K"));
    EXPECT_EQ(host->ended(), c.yes > 0);
    EXPECT_EQ(dialogs->shown.size(), c.boxes);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, DuringSendTest,
    ::testing::Values(DuringSendCase{"Typing", nullptr, 0, 0, true, true},
                      DuringSendCase{"Exit", "mnuExit", 1, 1, false, false},
                      DuringSendCase{"DisablePort", "mnudisablePort", 0, 0, false, false},
                      DuringSendCase{"OtherPort", "cmmPort2", 0, 0, false, true},
                      // With no port open the send is timed all the same.
                      DuringSendCase{"OpenPort", "cmmPort1", 0, 0, false, true, false},
                      DuringSendCase{"DeleteLogIn", "mnuDelLogIn", 2, 3, false, false, false}),
    [](const ::testing::TestParamInfo<DuringSendCase>& info) { return std::string(info.param.name); });

TEST_F(DuringSendTest, LineFailureWithASendWaitingShowsOneMessageAndKeysNothingMore) {
    auto hold = std::make_shared<HoldingPort::Hold>();
    hold->failFromRaise = 2;  // the adapter is pulled out during the first "I"
    startWithHoldingPort(hold);
    openFakePortFast();
    box("txtF1")->setText(QStringLiteral("II"));
    box("txtF2")->setText(QStringLiteral("EE"));

    // F2 is pressed while F1's first element sounds: it waits for the character.
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, window(), [&] {
        if (!hold->held) return;
        watch.stop();
        postKeyStroke(Qt::Key_F2);
        QMetaObject::invokeMethod(window(), [hold] { hold->released = true; }, Qt::QueuedConnection);
    });
    watch.start();
    pressWindowKey(Qt::Key_F1);

    EXPECT_EQ(dialogs->texts(), std::vector<QString>{QStringLiteral(
                                    "Sending stopped: the keying line failed.\r\nInput/output error")});
    EXPECT_EQ(hold->raises, 2);
    EXPECT_EQ(port->dtr, (std::vector<bool>{true, false, false}));
}

// The program in a child process (keyUntilEnded) ends while its first dah
// sounds: the line is lowered at once and nothing is keyed after. A
// termination signal ends it as Exit does, closing the port.
struct EndingCase {
    const char* name;
    int signal;  // 0: the program calls exit(), as the toolkit does when the display goes away
    bool endsAsExit;
};

class EndingTest : public KeyerWindowTest, public ::testing::WithParamInterface<EndingCase> {};

TEST_P(EndingTest, EveryEndingLowersTheKeyedLine) {
    const EndingCase& c = GetParam();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kKeyingChildVariable), dir.path());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), c.signal ? QStringList() : QStringList{"exit"});
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (readFile("keyed.txt").empty() && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (c.signal) {
        ASSERT_EQ(readFile("keyed.txt"), "1");
        ::kill(static_cast<pid_t>(child.processId()), c.signal);
    }
    ASSERT_TRUE(child.waitForFinished(30000));
    const std::string record = readFile("keyed.txt");
    EXPECT_EQ(record.substr(0, 2), "1r");
    EXPECT_EQ(record.find('1', 1), std::string::npos) << record;
    if (c.endsAsExit) {
        EXPECT_EQ(record, "1r0c");
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child.exitCode(), 0);
    } else {
        EXPECT_TRUE(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Endings, EndingTest,
    ::testing::Values(EndingCase{"Term", SIGTERM, true}, EndingCase{"Interrupt", SIGINT, true},
                      EndingCase{"Hangup", SIGHUP, true}, EndingCase{"Segv", SIGSEGV, false},
                      EndingCase{"Abort", SIGABRT, false}, EndingCase{"Exit", 0, false}),
    [](const ::testing::TestParamInfo<EndingCase>& info) { return std::string(info.param.name); });

TEST_F(KeyerWindowTest, F12ClaimsTheBonusFromAnyBox) {
    start();
    openFakePortFast();
    auto* comment = box("txtComment");
    for (const char* from : {"txtCallsign", "txtF1", "txtF10", "txtComment"}) {
        SCOPED_TRACE(from);
        for (const auto& [before, after] : {std::pair{"NVL", "BNVL"}, std::pair{"nvl", "nvl"},
                                            std::pair{"BNVL", "BNVL"}, std::pair{"", ""}}) {
            comment->setText(QString::fromLatin1(before));
            focusBox(from);
            pressWindowKey(Qt::Key_F12);
            EXPECT_EQ(comment->text(), QString::fromLatin1(after)) << before;
        }
    }
    EXPECT_TRUE(port->dtr.empty());
    EXPECT_TRUE(dialogs->shown.empty());
}

// ---- Speed ----------------------------------------------------------------------

struct SpeedCase {
    const char* command;
    int wpm;
    std::vector<Qt::Key> keys = {};  // pressed after the command
};

class SpeedCommandTest : public KeyerWindowTest, public ::testing::WithParamInterface<SpeedCase> {};

TEST_P(SpeedCommandTest, SetsTheSpeedAndTheUnitLength) {
    start();
    EXPECT_EQ(window()->keyer().swpm, 13);
    trigger(GetParam().command);
    for (Qt::Key key : GetParam().keys) pressWindowKey(key);
    const keyer::Keyer& k = window()->keyer();
    EXPECT_EQ(k.swpm, GetParam().wpm);
    EXPECT_EQ(k.TimeTick, static_cast<int16_t>(
                              keyer::roundHalfEven(double(k.Timing_Adjust) / GetParam().wpm)));
    EXPECT_EQ(find<QLabel>("lblKeyerSpeed")->text(), QStringLiteral("%1 wpm").arg(GetParam().wpm));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SpeedCommandTest,
    ::testing::Values(SpeedCase{"mnu10wpm", 10}, SpeedCase{"mnu13wpm", 13}, SpeedCase{"mnu15wpm", 15},
                      SpeedCase{"mnu18wpm", 18}, SpeedCase{"mnu20wpm", 20}, SpeedCase{"mnu22wpm", 22},
                      SpeedCase{"mnu25wpm", 25},
                      // Page Up and Page Down: 2 wpm a press, within 5 to 60.
                      SpeedCase{"mnu25wpm", 27, {Qt::Key_PageUp}},
                      SpeedCase{"mnu10wpm", 5, {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown}},
                      SpeedCase{"mnuCWincrease", 60, std::vector<Qt::Key>(23, Qt::Key_PageUp)}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.command}); });

TEST_F(KeyerWindowTest, QuarterStepsRoundHalvesToEven) {
    start();
    EXPECT_EQ(action("mnuCWincrease")->text(), QStringLiteral("+ 25%"));
    EXPECT_EQ(action("mnuCWdecrease")->text(), QStringLiteral("-  25%"));
    std::vector<int> up;
    for (int i = 0; i < 8; ++i) {
        trigger("mnuCWincrease");
        up.push_back(window()->keyer().swpm);
    }
    EXPECT_EQ(up, (std::vector<int>{16, 20, 25, 31, 39, 49, 61, 76}));
    trigger("mnu13wpm");
    std::vector<int> down;
    for (int i = 0; i < 7; ++i) {
        trigger("mnuCWdecrease");
        down.push_back(window()->keyer().swpm);
    }
    EXPECT_EQ(down, (std::vector<int>{10, 8, 6, 4, 3, 2, 2}));
    trigger("mnuCWincrease");
    EXPECT_EQ(window()->keyer().swpm, 2);
}

// The port of keyUntilEnded, writing to a file: '1' and '0' as DTR is set,
// 'r' when the line guard lowers the line, 'c' when the port closes.
class RecordingFilePort : public FakeCommPort {
public:
    explicit RecordingFilePort(int record) : FakeCommPort(std::make_shared<Shared>()), record_(record) {}
    std::optional<keyer::KeyError> setPortOpen(bool open) override {
        if (open) keyer::guardLine(record_, [](int fd) { [[maybe_unused]] auto n = ::write(fd, "r", 1); });
        if (!open) keyer::unguardLine(record_), put('c');
        return FakeCommPort::setPortOpen(open);
    }
    std::optional<keyer::KeyError> setDTREnable(bool on) override {
        if (portOpen()) put(on ? '1' : '0');
        return std::nullopt;
    }

private:
    void put(char c) { [[maybe_unused]] auto n = ::write(record_, &c, 1); }
    int record_;
};

}  // namespace

int keyUntilEnded(const QString& folder) {
    const int record = ::open(QFile::encodeName(folder + QStringLiteral("/keyed.txt")).constData(),
                              O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    ProgramEnvironment env;
    env.folder = folder.toStdString();
    env.makeDialogs = [](QWidget*) -> std::unique_ptr<Dialogs> { return std::make_unique<ScriptedDialogs>(); };
    env.makePort = [record]() -> std::unique_ptr<keyer::CommPort> {
        return std::make_unique<RecordingFilePort>(record);
    };
    // Started from a terminal: none of the signals is ignored.
    for (int number : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) ::signal(number, SIG_DFL);
    ProgramHost host(std::move(env));  // wired as the program's main() wires it
    host.endOnTerminationSignals();
    QObject::connect(&host, &ProgramHost::programEnded, qApp, [](int status) { QCoreApplication::exit(status); });
    if (!host.start()) return 2;
    frmVLWinLog* window = host.mainWindow();
    auto trigger = [window](const char* name) {
        window->findChild<QAction*>(QString::fromLatin1(name))->trigger();
    };
    trigger("cmmPort1");
    trigger("mnu10wpm");
    for (int i = 0; i < 3; ++i) trigger("mnuCWdecrease");  // 4 wpm: a dah lasts 0.9 s
    window->findChild<QLineEdit*>(QStringLiteral("txtF1"))->setText(QStringLiteral("TTTT"));
    QTimer::singleShot(0, window, [trigger] { trigger("mnuSndF1"); });
    auto* exitWhenKeyed = new QTimer(window);  // as the toolkit exits when the display goes away
    QObject::connect(exitWhenKeyed, &QTimer::timeout, [folder] {
        if (QFile(folder + QStringLiteral("/keyed.txt")).size() > 0) std::exit(3);
    });
    if (QCoreApplication::arguments().contains(QStringLiteral("exit"))) exitWhenKeyed->start(1);
    return QCoreApplication::exec();
}

}  // namespace vl::ui::test
