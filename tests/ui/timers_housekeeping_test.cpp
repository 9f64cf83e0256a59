// The flashing prompt, the two-second notices and their switches, and the
// housekeeping commands: DeleteLog, Clear, Exit, Reset Start Msg, Prompt.
#include <QDir>
#include <QListWidget>
#include <QTimer>

#include "window_test_support.h"

namespace vl::ui::test {
namespace {

const std::string kLog =
    "\"W1XYZ   \",\"59  \",\"57  \",\"123\",\"JOE    \",\"20 \",\"PHN\",\"06/01/2026\",\"14:05 \",\"\"\r\n"
    "\"K9ZZZ   \",\"599 \",\"599 \",\"599\",\"ED     \",\"40 \",\"CW \",\"06/01/2026\",\"15:00 \",\"BNVL\"\r\n";

const std::string kLogWithDigital =
    kLog + "\"N1DIG   \",\"599 \",\"599 \",\"007\",\"AL     \",\"40 \",\"DIG\",\"06/01/2026\",\"15:10 \",\"\"\r\n";

class TimersHousekeepingTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
    }
    void start() {
        ASSERT_TRUE(startProgram());
        activate();
    }
    // Text and background of a band or mode list, as "text/background".
    std::string colours(const char* list) const {
        const QPalette p = find<QWidget>(list)->palette();
        return p.color(QPalette::ButtonText).name().toStdString() + "/" +
               p.color(QPalette::Button).name().toStdString();
    }
    std::string windowTextOnLightYellow() const {
        return QApplication::palette().color(QPalette::WindowText).name().toStdString() +
               "/#ffff80";
    }
    void expectBothLists(const std::string& expected) {
        EXPECT_EQ(colours("cboBand"), expected);
        EXPECT_EQ(colours("cboMode"), expected);
    }
    // A new station typed up to the name box.
    void typeUpToName(const QString& call, const QString& chapter) {
        typeInto("txtCallsign", call);
        tab();
        tab();
        tab();
        typeInto("txtChapter", chapter);
        tab();
        ASSERT_EQ(focused(), QStringLiteral("txtName"));
    }
    void answer(std::initializer_list<bool> answers) { dialogs->answers = answers; }
    const std::string kDeleteQuestion1 =
        "Are you sure you want to Delete the QSOLOG  and associated files?";
    const std::string kDeleteQuestion2 =
        "Are you REALLY SURE you want to Delete the QSOLOG?  You will LOSE YOUR LOG!";
};

// ---- Prompt flashing ------------------------------------------------------------

TEST_F(TimersHousekeepingTest, PromptOnFlashesTheListsUntilTheContactIsLogged) {
    start();
    trigger("mnupromptON");
    EXPECT_EQ(window()->Prompt(), QStringLiteral("ON"));
    expectBothLists("#000000/#ffff00");
    typeUpToName(QStringLiteral("k1abc"), QStringLiteral("7"));
    ASSERT_TRUE(timer("Timer3")->isActive());
    EXPECT_EQ(timer("Timer3")->interval(), 500);
    tick("Timer3");
    expectBothLists(windowTextOnLightYellow());
    tick("Timer3");
    expectBothLists("#ff0000/#00ff00");
    tick("Timer3");
    expectBothLists(windowTextOnLightYellow());
    // Logged in the middle of a phase: back to rest at once.
    pressWindowKey(Qt::Key_Insert);
    ASSERT_EQ(text("txtCallsign"), QString());
    EXPECT_FALSE(timer("Timer3")->isActive());
    expectBothLists("#000000/#ffff00");
    // The next contact starts flashing from the resting colours again.
    typeUpToName(QStringLiteral("k2abc"), QStringLiteral("7"));
    tick("Timer3");
    expectBothLists(windowTextOnLightYellow());
}

TEST_F(TimersHousekeepingTest, ClearingTheRowStopsTheFlashing) {
    start();
    trigger("mnupromptON");
    typeUpToName(QStringLiteral("k1abc"), QStringLiteral("7"));
    tick("Timer3");
    tick("Timer3");
    trigger("mnuClear");
    EXPECT_FALSE(timer("Timer3")->isActive());
    expectBothLists("#000000/#ffff00");
    EXPECT_EQ(focused(), QStringLiteral("txtCallsign"));
}

TEST_F(TimersHousekeepingTest, PromptOffLeavesTheListsAlone) {
    start();
    trigger("mnupromptON");
    trigger("mnupromptOFF");
    EXPECT_EQ(window()->Prompt(), QStringLiteral("OFF"));
    typeUpToName(QStringLiteral("k1abc"), QStringLiteral("7"));
    EXPECT_FALSE(timer("Timer3")->isActive());
    EXPECT_TRUE(dialogs->shown.empty());
}

// ---- Two-second notices -----------------------------------------------------------

TEST_F(TimersHousekeepingTest, NewChapterNoticeDisappearsAfterItsTick) {
    start();
    typeUpToName(QStringLiteral("k1abc"), QStringLiteral("123"));
    EXPECT_TRUE(visible("txtNewChap"));
    ASSERT_TRUE(timer("tmrNewChap")->isActive());
    EXPECT_EQ(timer("tmrNewChap")->interval(), 2000);
    tick("tmrNewChap");
    EXPECT_FALSE(visible("txtNewChap"));
    EXPECT_FALSE(timer("tmrNewChap")->isActive());
    EXPECT_EQ(window()->N(), 1);
}

TEST_F(TimersHousekeepingTest, NewChapterTimerOffSuppressesTheNoticeButTheChapterCounts) {
    start();
    trigger("mnuNewChapTimeroff");
    EXPECT_EQ(window()->NewChapTim(), QStringLiteral("OFF"));
    typeUpToName(QStringLiteral("k1abc"), QStringLiteral("123"));
    EXPECT_EQ(window()->N(), 1);
    EXPECT_FALSE(visible("txtNewChap"));
    EXPECT_FALSE(timer("tmrNewChap")->isActive());
    pressWindowKey(Qt::Key_Insert);
    EXPECT_EQ(readFile("chapsworked.txt"), "\"123\"\r\n");
    trigger("mnuNewChapTimeron");
    EXPECT_EQ(window()->NewChapTim(), QStringLiteral("ON"));
    trigger("mnuCWMode");
    typeUpToName(QStringLiteral("k2abc"), QStringLiteral("123"));
    EXPECT_TRUE(visible("txtNewChap"));
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(TimersHousekeepingTest, BonusTimerOffSuppressesTheReminderUntilSwitchedOn) {
    start();
    trigger("mnuBonusTimeroff");
    EXPECT_EQ(window()->BonusTim(), QStringLiteral("OFF"));
    typeUpToName(QStringLiteral("k9zzz"), QStringLiteral("599"));
    EXPECT_EQ(text("txtComment"), QStringLiteral("NVL"));
    EXPECT_FALSE(visible("txtbonusclaim"));
    EXPECT_FALSE(timer("tmrbonus")->isActive());
    trigger("mnuBonusTimerOn");
    EXPECT_FALSE(visible("txtbonusclaim"));
    focusBox("txtComment");
    focusBox("txtName");  // a later entry into the name box
    EXPECT_TRUE(visible("txtbonusclaim"));
    EXPECT_TRUE(timer("tmrbonus")->isActive());
    EXPECT_TRUE(dialogs->shown.empty());
}

// ---- DeleteLog --------------------------------------------------------------------

class DeleteLogTest : public TimersHousekeepingTest {
protected:
    void SetUp() override {
        TimersHousekeepingTest::SetUp();
        writeFile("vlqsolog.txt", kLogWithDigital);
        writeFile("chapsworked.txt", "\"123\"\r\n");
        writeFile("CWchapsworked.txt", "\"599\"\r\n");
        writeFile("DIGchapswrk.txt", "\"007\"\r\n");
        writeFile("BonusCall.txt", "\"K9ZZZ\"\r\n");
        writeFile("vlhistory.txt", "\"K2HIS\",\"007\",\"ANN\"\r\n");
        start();
        // The clock's refresh would fill the chapter totals again meanwhile.
        timer("Timer1")->stop();
    }
    std::vector<std::string> derivedFiles() const {
        return {readFile("vlqsolog.txt"), readFile("chapsworked.txt"),
                readFile("CWchapsworked.txt"), readFile("DIGchapswrk.txt"),
                readFile("BonusCall.txt")};
    }
    std::vector<std::string> questionsAsked() const {
        std::vector<std::string> out;
        for (const auto& s : dialogs->shown) {
            EXPECT_EQ(s.kind, ScriptedDialogs::Shown::Kind::Question);
            EXPECT_FALSE(s.defaultYes) << "Enter alone must not delete the log";
            out.push_back(s.text.toStdString());
        }
        return out;
    }
    void expectEmptyAfterDeletion() {
        for (const char* name : {"vlqsolog.txt", "chapsworked.txt", "CWchapsworked.txt",
                                 "DIGchapswrk.txt"}) {
            EXPECT_TRUE(fileExists(name)) << name;
            EXPECT_EQ(readFile(name), "") << name;
        }
        EXPECT_FALSE(fileExists("BonusCall.txt"));
        for (const char* band : {"160", "80", "40", "20", "15", "10", "6", "UV", "TOT"}) {
            for (const char* mode : {"CW", "PHN", "DIG", "TOT"}) {
                const std::string cell = std::string("txt") + band + mode;
                EXPECT_EQ(text(cell.c_str()), QStringLiteral(" 0")) << cell;
            }
        }
        for (const char* list : {"lstChptrswrked", "lstCWChapswrked", "lstDigChapsWrk"}) {
            EXPECT_EQ(find<QListWidget>(list)->count(), 0) << list;
        }
        for (const char* box : {"txtTotChap", "txtOChptot", "txtDigChapTot", "txtRecentLog"}) {
            EXPECT_EQ(text(box), QString()) << box;
        }
        EXPECT_EQ(window()->counters().chptot, 0);
        EXPECT_EQ(window()->counters().ochptot, 0);
        EXPECT_EQ(window()->counters().dchptot, 0);
        EXPECT_EQ(window()->counters().ttot, 0);
        EXPECT_FALSE(host->ended());
    }
};

TEST_F(DeleteLogTest, AnsweringNoToEitherQuestionChangesNothing) {
    const auto before = derivedFiles();
    const QString cell = text("txt20PHN");
    ASSERT_EQ(cell, QStringLiteral(" 1"));
    trigger("mnuDeleteLog");
    EXPECT_EQ(questionsAsked(), std::vector<std::string>{kDeleteQuestion1});
    dialogs->clear();
    answer({true, false});
    trigger("mnuDeleteLog");
    EXPECT_EQ(questionsAsked(), (std::vector<std::string>{kDeleteQuestion1, kDeleteQuestion2}));
    EXPECT_EQ(derivedFiles(), before);
    EXPECT_EQ(text("txt20PHN"), cell);
    EXPECT_EQ(find<QListWidget>("lstChptrswrked")->count(), 1);
    EXPECT_NE(text("txtRecentLog"), QString());
}

TEST_F(DeleteLogTest, YesTwiceDeletesTheLogAndStartsAfresh) {
    answer({true, true});
    trigger("mnuDeleteLog");
    EXPECT_EQ(questionsAsked(), (std::vector<std::string>{kDeleteQuestion1, kDeleteQuestion2}));
    expectEmptyAfterDeletion();
    // The log is kept beside the new one under its UTC date and time.
    const QStringList backups =
        QDir(dir.path()).entryList({QStringLiteral("vlqsolog-[0-9]*-[0-9]*.txt")}, QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(readFile(backups.first().toStdString()), kLogWithDigital);
    // Registration and history are not touched.
    EXPECT_TRUE(fileExists("LogOnFile.txt"));
    EXPECT_EQ(readFile("vlhistory.txt"), "\"K2HIS\",\"007\",\"ANN\"\r\n");
    // The program goes on logging.
    typeInto("txtCallsign", QStringLiteral("k1abc"));
    tab();
    tab();
    tab();
    typeInto("txtChapter", QStringLiteral("123"));
    tab();
    EXPECT_EQ(window()->N(), 1);
    pressWindowKey(Qt::Key_Insert);
    EXPECT_EQ(readFile("chapsworked.txt"), "\"123\"\r\n");
    EXPECT_EQ(text("txt20PHN"), QStringLiteral(" 1"));
}

TEST_F(DeleteLogTest, DeletingTwiceInOneRunCompletesWithoutEndingTheProgram) {
    answer({true, true});
    trigger("mnuDeleteLog");
    dialogs->clear();
    writeFile("vlqsolog.txt", kLog);
    answer({true, true});
    trigger("mnuDeleteLog");
    EXPECT_EQ(questionsAsked(), (std::vector<std::string>{kDeleteQuestion1, kDeleteQuestion2}));
    expectEmptyAfterDeletion();
}

TEST_F(DeleteLogTest, AFileThatCannotBeDeletedIsReportedAndTheProgramGoesOn) {
    ASSERT_TRUE(QFile::remove(QString::fromStdString(path("CWchapsworked.txt"))));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("CWchapsworked.txt/keep")));
    answer({true, true});
    trigger("mnuDeleteLog");
    ASSERT_EQ(dialogs->shown.size(), 3u);
    const auto& report = dialogs->shown[2];
    EXPECT_TRUE(report.text.startsWith(QStringLiteral("CWchapsworked.txt could not be deleted: ")))
        << report.text.toStdString();
    EXPECT_EQ(report.icon, Dialogs::Icon::Critical);
    EXPECT_EQ(dialogs->beeps, 1);
    EXPECT_FALSE(host->ended());
    EXPECT_EQ(readFile("BonusCall.txt"), "\"K9ZZZ\"\r\n");
    // What was deleted is there again, empty, and the window shows it so.
    EXPECT_EQ(readFile("vlqsolog.txt"), "");
    EXPECT_EQ(text("txtRecentLog"), QString());
    EXPECT_EQ(text("txtTOTTOT"), QStringLiteral(" 0"));
}

// ---- Clear, Exit, start message -------------------------------------------------------

TEST_F(TimersHousekeepingTest, ClearEmptiesTheRowAndKeepsBandModeDateAndTime) {
    start();
    trigger("mnuCWMode");
    typeInto("txtCallsign", QStringLiteral("k1abc"));
    tab();
    ASSERT_TRUE(visible("txtPrevCon"));
    tab();
    tab();
    typeInto("txtChapter", QStringLiteral("123"));
    tab();
    typeInto("txtName", QStringLiteral("al"));
    const QString date = text("txtDate");
    trigger("mnuClear");
    for (const char* box : {"txtCallsign", "txtYears", "txtRptRcv", "txtChapter", "txtName",
                            "txtComment", "txtNewChap", "txtPrevCon"}) {
        EXPECT_EQ(text(box), QString()) << box;
    }
    EXPECT_EQ(window()->N(), 0);
    EXPECT_FALSE(visible("txtPrevCon"));
    EXPECT_TRUE(visible("txtRecentLog"));
    EXPECT_EQ(text("cboMode"), QStringLiteral("CW"));
    EXPECT_EQ(text("txtDate"), date);
    EXPECT_EQ(focused(), QStringLiteral("txtCallsign"));
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(TimersHousekeepingTest, ExitAsksUnderTheProgramTitleAndNoKeepsRunning) {
    start();
    trigger("mnuExit");
    ASSERT_EQ(dialogs->shown.size(), 1u);
    const auto& asked = dialogs->shown.front();
    EXPECT_EQ(asked.kind, ScriptedDialogs::Shown::Kind::Question);
    EXPECT_EQ(asked.text, QStringLiteral("Are you sure you want to Exit VLWinLog?"));
    EXPECT_EQ(asked.title, QStringLiteral("VLWinLog"));
    EXPECT_EQ(asked.icon, Dialogs::Icon::Question);
    EXPECT_FALSE(host->ended());
    EXPECT_TRUE(window()->isVisible());
}

TEST_F(TimersHousekeepingTest, ExitAnsweredYesClosesTheKeyingPortAndEnds) {
    start();
    trigger("cmmPort1");
    ASSERT_TRUE(port->isOpen);
    answer({true});
    trigger("mnuExit");
    EXPECT_TRUE(host->ended());
    EXPECT_EQ(host->exitStatus(), 0);
    EXPECT_FALSE(port->isOpen);
    EXPECT_EQ(port->closes, 1);
    EXPECT_FALSE(window()->isVisible());
}

TEST_F(TimersHousekeepingTest, ResetStartMessageWritesYes) {
    start();
    ASSERT_EQ(readFile("NoGreeting.txt"), "\"NO\"\r\n");
    trigger("mnuResetMsg");
    EXPECT_EQ(readFile("NoGreeting.txt"), "\"YES\"\r\n");
    EXPECT_EQ(dialogs->texts(),
              std::vector<QString>{
                  "The START MESSAGE will be shown the next time you start VLWINLOG"});
}

}  // namespace
}  // namespace vl::ui::test
