// The entry row as the operator meets it: the TAB order, what each box does
// with typed and pasted text, the self-contact test, the callsign shape check
// with the default reports, the numeric boxes, the chapter check and the
// availability of Clear.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "window_test_support.h"
#include "../case_name.h"

namespace vl::ui::test {
namespace {

const QString kSlashed = QString(QChar(0x00D8));

class EntryFlowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
    }
    void start() {
        ASSERT_TRUE(startProgram());
        activate();
    }
    // The boxes TAB visits from the focused one, `count` presses long.
    std::string tabRound(int count) {
        QStringList visited;
        for (int i = 0; i < count; ++i) {
            tab();
            visited << focused();
        }
        return visited.join(QLatin1Char(' ')).toStdString();
    }
    // Sends one key carrying a text the test keyboard cannot spell.
    void typeText(const char* box, const QString& text) {
        QWidget* w = find<QWidget>(box);
        if (!w->hasFocus()) focusBox(box);
        QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, text, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, text, Qt::NoModifier);
        settle();
    }
    void pasteInto(const char* box, const QString& text) {
        QApplication::clipboard()->setText(text);
        QWidget* w = find<QWidget>(box);
        if (!w->hasFocus()) focusBox(box);
        QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
        settle();
    }
    // Callsign typed and the cursor carried on to the chapter box.
    void toChapterBox(const QString& call) {
        typeInto("txtCallsign", call);
        tab();
        tab();
        tab();
        ASSERT_EQ(focused(), QStringLiteral("txtChapter"));
    }
    bool clearEnabled() const { return action("mnuClear")->isEnabled(); }
};

// Closes every real message box the program shows with its default button,
// noting its text, by polling for the modal box from a short timer.
class RealBoxCloser {
public:
    RealBoxCloser() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            texts.push_back(box->text());
            QAbstractButton* button = box->defaultButton();
            if (!button) button = box->buttons().value(0);
            button->click();
        });
        timer_.start();
    }
    std::vector<QString> texts;

private:
    QTimer timer_;
};

// ---- TAB order ---------------------------------------------------------------

TEST_F(EntryFlowTest, TabVisitsTheRowInOrderAndSkipsDateAndTimeWhenStamped) {
    start();
    ASSERT_EQ(focused(), QStringLiteral("txtCallsign"));
    typeInto("txtCallsign", QStringLiteral("k1abc"));
    EXPECT_EQ(tabRound(8), "txtYears txtRptRcv txtChapter txtName txtComment cboBand cboMode txtCallsign");
    // Still true once the operator has switched the clock off and on again.
    trigger("mnuOFF");
    trigger("mnuON");
    ASSERT_EQ(focused(), QStringLiteral("txtCallsign"));
    EXPECT_EQ(tabRound(8), "txtYears txtRptRcv txtChapter txtName txtComment cboBand cboMode txtCallsign");
}

TEST_F(EntryFlowTest, TabStartsAtTheDateBoxWhenDateAndTimeAreTyped) {
    start();
    trigger("mnuOFF");
    ASSERT_EQ(focused(), QStringLiteral("txtDate"));
    typeInto("txtDate", QStringLiteral("06/15/2026"));
    tab();
    EXPECT_EQ(focused(), QStringLiteral("txtTime"));
    typeInto("txtTime", QStringLiteral("14:30"));
    tab();
    EXPECT_EQ(focused(), QStringLiteral("txtCallsign"));
    typeInto("txtCallsign", QStringLiteral("k1abc"));
    EXPECT_EQ(tabRound(8), "txtYears txtRptRcv txtChapter txtName txtComment cboBand cboMode txtDate");
}

TEST_F(EntryFlowTest, EnteringDateSelectsAllAndEnteringTimeSelectsTheMinutes) {
    start();
    trigger("mnuOFF");
    typeInto("txtDate", QStringLiteral("06/15/2026"));
    tab();
    typeInto("txtTime", QStringLiteral("14:30"));
    focusBox("txtDate");
    EXPECT_EQ(find<QLineEdit>("txtDate")->selectedText(), QStringLiteral("06/15/2026"));
    focusBox("txtTime");
    EXPECT_EQ(find<QLineEdit>("txtTime")->selectedText(), QStringLiteral("30"));
}

// ---- What the boxes let through ---------------------------------------------

TEST_F(EntryFlowTest, CallsignBoxUpperCasesAndStoresZeroAsSlashedZero) {
    start();
    typeInto("txtCallsign", QStringLiteral("w0abc"));
    EXPECT_EQ(text("txtCallsign"), QStringLiteral("W") + kSlashed + QStringLiteral("ABC"));
}

TEST_F(EntryFlowTest, EnterInTheCallsignBoxIsRefusedAndTheTextStays) {
    start();
    typeInto("txtCallsign", QStringLiteral("k1abc"));
    QTest::keyClick(find<QWidget>("txtCallsign"), Qt::Key_Return);
    QTest::keyClick(find<QWidget>("txtCallsign"), Qt::Key_Enter);
    settle();
    EXPECT_EQ(text("txtCallsign"), QStringLiteral("K1ABC"));
    EXPECT_EQ(focused(), QStringLiteral("txtCallsign"));
    EXPECT_EQ(dialogs->texts(), (std::vector<QString>{"You must press TAB to change Input Boxes",
                                                      "You must press TAB to change Input Boxes"}));
}

TEST_F(EntryFlowTest, PastedCallsignGoesThroughTheSameFilterAsTyping) {
    start();
    pasteInto("txtCallsign", QStringLiteral("w0ab"));
    EXPECT_EQ(text("txtCallsign"), QStringLiteral("W") + kSlashed + QStringLiteral("AB"));
    // Pasting in the middle keeps the cursor where the paste ended.
    auto* box = find<QLineEdit>("txtCallsign");
    box->setCursorPosition(1);
    QApplication::clipboard()->setText(QStringLiteral("x0"));
    box->paste();
    settle();
    EXPECT_EQ(text("txtCallsign"),
              QStringLiteral("WX") + kSlashed + kSlashed + QStringLiteral("AB"));
    EXPECT_EQ(box->cursorPosition(), 3);
}

TEST_F(EntryFlowTest, PastedZeroCannotSlipPastTheDupeCheck) {
    writeFile("vlqsolog.txt", "\"W\xD8" "ABC   \",\"59  \",\"59  \",\"007\",\"BOB    \",\"20 \",\"PHN\","
                              "\"06/01/2026\",\"14:05 \",\"\"\r\n");
    writeFile("chapsworked.txt", "\"007\"\r\n");
    start();
    pasteInto("txtCallsign", QStringLiteral("w0abc"));
    tab();
    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown.front().kind, ScriptedDialogs::Shown::Kind::Question);
    EXPECT_TRUE(dialogs->shown.front().text.contains(QStringLiteral("is a Dupe")));
}

TEST_F(EntryFlowTest, DoubleQuoteAndCharactersOutsideTheCodePageNeverReachTheLog) {
    start();
    typeInto("txtCallsign", QStringLiteral("k1abc"));
    tab();
    tab();
    tab();
    typeInto("txtChapter", QStringLiteral("7"));
    tab();
    typeText("txtName", QStringLiteral("\""));
    typeText("txtName", QStringLiteral("b"));
    typeText("txtName", QString(QChar(0x03A9)));  // Ω
    typeText("txtName", QStringLiteral("o"));
    typeText("txtName", QString::fromUtf8("\xF0\x9F\x98\x80"));  // an emoji
    EXPECT_EQ(text("txtName"), QStringLiteral("'BO"));
    focusBox("txtComment");
    pasteInto("txtComment", QString::fromUtf8("say \"hi\" \xE2\x82\xAC\xCE\xA9\xF0\x9F\x98\x80!"));
    EXPECT_EQ(text("txtComment"), QString::fromUtf8("say 'hi' \xE2\x82\xAC!"));
    pressWindowKey(Qt::Key_Insert);
    const std::string log = readFile("vlqsolog.txt");
    EXPECT_NE(log.find("\"'BO    \""), std::string::npos) << log;
    EXPECT_NE(log.find("\"say 'hi' \x80!\"\r\n"), std::string::npos) << log;
    // Ten fields, twenty quotes: no stray quote in the line.
    EXPECT_EQ(std::count(log.begin(), log.end(), '"'), 20);
}

// ---- Self-contact ------------------------------------------------------------

TEST_F(EntryFlowTest, OwnCallIsRefusedWithZeroAndSlashedZeroTheSame) {
    start();
    typeInto("txtCallsign", QStringLiteral("n0call"));
    tab();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    const auto& shown = dialogs->shown.front();
    EXPECT_EQ(shown.text,
              QStringLiteral("W A K E   U P!  Y O U  C A N 'T  W O R K  Y O U R S E L F!"));
    EXPECT_EQ(shown.title, QStringLiteral("Invalid"));
    EXPECT_EQ(shown.icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(text("txtCallsign"), QString());
    EXPECT_EQ(text("txtYears"), QString());
    EXPECT_EQ(text("txtRptRcv"), QString());
    EXPECT_EQ(focused(), QStringLiteral("txtCallsign"));
    // The test runs every time the box is left.
    typeInto("txtCallsign", QStringLiteral("n0call"));
    tab();
    EXPECT_EQ(dialogs->shown.size(), 2u);
}

// Leaving the callsign box reads the registration again, the offset with
// the same range as Submit Data and start-up: -14 to 12.
TEST_F(EntryFlowTest, LeavingTheCallsignBoxTakesEveryOffsetInRangeAndNoOther) {
    start();
    ASSERT_EQ(window()->uHr(), -5);
    const std::pair<int, int> offsets[] = {{-14, -14}, {12, 12}, {13, 12}, {14, 12}, {-15, 12}, {-13, -13}};
    for (const auto& [stored, used] : offsets) {
        writeRegistration("N0CALL", "012", stored);
        focusBox("txtCallsign");
        typeInto("txtCallsign", QStringLiteral("k1abc"));
        tab();
        EXPECT_EQ(window()->uHr(), used) << stored;
        find<QLineEdit>("txtCallsign")->clear();
    }
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(EntryFlowTest, AnotherCallThatMerelyBeginsLikeTheOwnIsAccepted) {
    start();
    typeInto("txtCallsign", QStringLiteral("n0calx"));
    tab();
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(focused(), QStringLiteral("txtYears"));
}

TEST_F(EntryFlowTest, OwnCallLongerThanEightCharactersIsStillRefused) {
    writeRegistration("W1ABCDEFGH");
    start();
    typeInto("txtCallsign", QStringLiteral("w1abcdef"));  // the first eight only
    tab();
    EXPECT_TRUE(dialogs->shown.empty());
    focusBox("txtCallsign");
    find<QLineEdit>("txtCallsign")->clear();
    typeInto("txtCallsign", QStringLiteral("w1abcdefgh"));
    tab();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown.front().title, QStringLiteral("Invalid"));
    EXPECT_EQ(text("txtCallsign"), QString());
}

// ---- Shape check and default reports ----------------------------------------

TEST_F(EntryFlowTest, BadCallsignShapeOnEnteringTheReportBoxClearsTheRow) {
    start();
    for (const QString& call : {QStringLiteral("kk"), QStringLiteral("kkkk"), QStringLiteral("k12a"),
                                QString()}) {
        SCOPED_TRACE(call.toStdString());
        dialogs->clear();
        focusBox("txtCallsign");
        if (!call.isEmpty()) typeInto("txtCallsign", call);
        find<QLineEdit>("txtComment")->setText(QStringLiteral("X"));
        tab();
        EXPECT_EQ(dialogs->texts(), std::vector<QString>{"Invalid Callsign"});
        EXPECT_EQ(text("txtCallsign"), QString());
        EXPECT_EQ(text("txtComment"), QString());
        EXPECT_EQ(text("txtYears"), QString());
        EXPECT_EQ(focused(), QStringLiteral("txtCallsign"));
        EXPECT_FALSE(find<QWidget>("txtPrevCon")->isVisible());
    }
}

struct DefaultReportCase {
    const char* modeCommand;
    const char* report;
};

class DefaultReportTest : public EntryFlowTest,
                          public ::testing::WithParamInterface<DefaultReportCase> {};

TEST_P(DefaultReportTest, ReportsFollowTheModeAndAreSelected) {
    start();
    trigger(GetParam().modeCommand);
    focusBox("txtCallsign");
    typeInto("txtCallsign", QStringLiteral("k1abc"));
    tab();
    const QString report = QString::fromLatin1(GetParam().report);
    auto* years = find<QLineEdit>("txtYears");
    auto* rcvd = find<QLineEdit>("txtRptRcv");
    EXPECT_EQ(years->text(), report);
    EXPECT_EQ(rcvd->text(), report);
    EXPECT_EQ(years->selectedText(), report);
    EXPECT_EQ(rcvd->selectedText(), report);
    // Typing replaces the selected default.
    QTest::keyClicks(years, QStringLiteral("4"));
    settle();
    EXPECT_EQ(years->text(), QStringLiteral("4"));
}

INSTANTIATE_TEST_SUITE_P(Modes, DefaultReportTest,
                         ::testing::Values(DefaultReportCase{"mnuPhoneMode", "59"},
                                           DefaultReportCase{"mnuCWMode", "599"},
                                           DefaultReportCase{"mnuDigitalMode", "599"}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.modeCommand}); });

// A look-up that reports a failure in a real message box leaves the window
// inactive for a moment after the box closes; the cursor is still in the
// report box and its entry steps run: shape check and default reports.
TEST_F(EntryFlowTest, ReportBoxGetsItsDefaultsAfterARealMessageBox) {
    struct Case {
        const char* unreadable;     // made a folder, so that reading it fails
        std::vector<QString> ends;  // the last line of each report, in order
    };
    const Case cases[] = {
        {"vlqsolog.txt",
         {QStringLiteral("This error occurred checking Log for Dupes\r\n"),
          QStringLiteral("This error occurred checking Log for Previous Contacts\r\n")}},
        {"vlhistory.txt", {QStringLiteral("This error occurred checking History File\r\n")}},
    };
    realMessageBoxes = true;
    RealBoxCloser boxes;
    ASSERT_TRUE(startProgram());
    activate();
    ASSERT_EQ(dialogs, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unreadable);
        const QString file = QString::fromStdString(path(c.unreadable));
        ASSERT_TRUE(QFile::remove(file));
        ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromLatin1(c.unreadable)));
        boxes.texts.clear();
        focusBox("txtCallsign");
        typeInto("txtCallsign", QStringLiteral("k1abc"));
        tab();
        ASSERT_EQ(boxes.texts.size(), c.ends.size());
        for (size_t i = 0; i < c.ends.size(); ++i) EXPECT_TRUE(boxes.texts[i].endsWith(c.ends[i]));
        EXPECT_EQ(window()->focusWidget(), find<QWidget>("txtYears"));
        EXPECT_EQ(text("txtYears"), QStringLiteral("59"));
        EXPECT_EQ(text("txtRptRcv"), QStringLiteral("59"));
        EXPECT_EQ(find<QLineEdit>("txtYears")->selectedText(), QStringLiteral("59"));
        EXPECT_TRUE(action("mnuClear")->isEnabled());
        // The same file readable again, the next station goes as usual.
        ASSERT_TRUE(QDir(dir.path()).rmdir(QString::fromLatin1(c.unreadable)));
        writeFile(c.unreadable, "");
        window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
        trigger("mnuClear");
    }
}

// ---- Numeric boxes -------------------------------------------------------------

TEST_F(EntryFlowTest, NonNumericKeyInReportOrChapterBoxIsRefused) {
    start();
    typeInto("txtCallsign", QStringLiteral("k1abc"));
    tab();
    QTest::keyClicks(find<QWidget>("txtYears"), QStringLiteral("5a"));
    settle();
    EXPECT_EQ(dialogs->texts(), std::vector<QString>{"Invalid Entry"});
    EXPECT_EQ(text("txtYears"), QString());
    EXPECT_EQ(focused(), QStringLiteral("txtYears"));

    tab();
    tab();
    ASSERT_EQ(focused(), QStringLiteral("txtChapter"));
    dialogs->clear();
    QTest::keyClicks(find<QWidget>("txtChapter"), QStringLiteral("1x"));
    settle();
    EXPECT_EQ(dialogs->texts(), std::vector<QString>{"Invalid Entry"});
    EXPECT_EQ(text("txtChapter"), QString());
    EXPECT_EQ(focused(), QStringLiteral("txtChapter"));
}

TEST_F(EntryFlowTest, SingleDigitReportGetsTwoDigitsOnLeaving) {
    start();
    typeInto("txtCallsign", QStringLiteral("k1abc"));
    tab();
    QTest::keyClicks(find<QWidget>("txtYears"), QStringLiteral("5"));
    tab();
    EXPECT_EQ(text("txtYears"), QStringLiteral("05"));
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(EntryFlowTest, ChapterBoxRefusesAFourthCharacter) {
    start();
    toChapterBox(QStringLiteral("k1abc"));
    QTest::keyClicks(find<QWidget>("txtChapter"), QStringLiteral("1234"));
    settle();
    EXPECT_EQ(text("txtChapter"), QStringLiteral("123"));
}

// ---- Chapter check through the window -------------------------------------

TEST_F(EntryFlowTest, EmptyChapterTabbedThroughBecomesTheOwnChapter) {
    start();
    toChapterBox(QStringLiteral("k1abc"));
    EXPECT_EQ(window()->chpfocck(), QStringLiteral("yes"));
    tab();
    EXPECT_EQ(window()->chpfocck(), QStringLiteral("no"));
    EXPECT_EQ(text("txtChapter"), QStringLiteral("012"));
    EXPECT_EQ(focused(), QStringLiteral("txtName"));
    EXPECT_EQ(window()->N(), 1);
    EXPECT_EQ(text("txtNewChap"), QStringLiteral("Home Chapter,Chapter 012 is a NEW CHAPTER!"));
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(EntryFlowTest, ChapterEightyEightAbandonsTheContactSilently) {
    start();
    toChapterBox(QStringLiteral("k1abc"));
    typeInto("txtChapter", QStringLiteral("88"));
    tab();
    EXPECT_TRUE(dialogs->shown.empty());
    for (const char* box : {"txtCallsign", "txtYears", "txtRptRcv", "txtChapter", "txtName"}) {
        EXPECT_EQ(text(box), QString()) << box;
    }
    EXPECT_EQ(focused(), QStringLiteral("txtCallsign"));
    EXPECT_TRUE(clearEnabled());
}

TEST_F(EntryFlowTest, UnknownChapterAndTheEndMarkAreRefusedAndTheCursorStays) {
    start();
    for (const auto& [typed, shownNumber] :
         {std::pair{"999", "999"}, std::pair{"45", "045"}, std::pair{"124", "124"}}) {
        SCOPED_TRACE(typed);
        dialogs->clear();
        trigger("mnuClear");
        toChapterBox(QStringLiteral("k1abc"));
        typeInto("txtChapter", QString::fromLatin1(typed));
        tab();
        EXPECT_EQ(dialogs->texts(),
                  std::vector<QString>{QString::fromLatin1(shownNumber) +
                                       QStringLiteral(" is an invalid Chapter Number")});
        EXPECT_EQ(text("txtChapter"), QString());
        EXPECT_EQ(focused(), QStringLiteral("txtChapter"));
        EXPECT_EQ(window()->chpfocck(), QStringLiteral("yes"));
        EXPECT_FALSE(clearEnabled());
        EXPECT_EQ(window()->N(), 0);
        // Nothing can be logged with the box empty.
        pressWindowKey(Qt::Key_Insert);
        EXPECT_EQ(dialogs->lastText(), QStringLiteral("You Must complete all Input to Log a Contact"));
        EXPECT_EQ(readFile("vlqsolog.txt"), "");
        // A valid chapter afterwards is accepted and re-enables Clear.
        typeInto("txtChapter", QStringLiteral("7"));
        tab();
        EXPECT_EQ(text("txtChapter"), QStringLiteral("007"));
        EXPECT_EQ(focused(), QStringLiteral("txtName"));
        EXPECT_TRUE(clearEnabled());
    }
}

TEST_F(EntryFlowTest, NonMemberChapterSetsTheCommentEvenWhenTheRosterLacksIt) {
    writeFile("VLChapters.txt", "\"001\",\"First Chapter\"\r\n\"999\",\"End\"\r\n");
    start();
    toChapterBox(QStringLiteral("k1abc"));
    find<QLineEdit>("txtComment")->setText(QStringLiteral("QRP"));
    typeInto("txtChapter", QStringLiteral("599"));
    tab();
    EXPECT_EQ(dialogs->texts(), std::vector<QString>{"599 is an invalid Chapter Number"});
    EXPECT_EQ(text("txtComment"), QStringLiteral("NVL"));
    EXPECT_EQ(focused(), QStringLiteral("txtChapter"));
}

TEST_F(EntryFlowTest, ClearIsAvailableOnlyWhereTheRowAllowsIt) {
    start();
    EXPECT_TRUE(clearEnabled());
    typeInto("txtCallsign", QStringLiteral("k1abc"));
    tab();  // report box entered
    EXPECT_TRUE(clearEnabled());
    tab();
    tab();  // chapter box entered
    EXPECT_FALSE(clearEnabled());
    typeInto("txtChapter", QStringLiteral("999"));
    tab();  // invalid
    EXPECT_FALSE(clearEnabled());
    typeInto("txtChapter", QStringLiteral("599"));
    tab();  // non-member, in the roster
    EXPECT_TRUE(clearEnabled());
    EXPECT_EQ(text("txtComment"), QStringLiteral("NVL"));
    trigger("mnuOFF");
    EXPECT_FALSE(clearEnabled());
    trigger("mnuON");
    EXPECT_TRUE(clearEnabled());
}

}  // namespace
}  // namespace vl::ui::test
