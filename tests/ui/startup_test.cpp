// Start-up in a fresh folder, a registered start, the start question and a
// missing roster.
#include "window_test_support.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>

#include "entry/utc_offset.h"

namespace vl::ui::test {
namespace {

const QString kRosterMissing = QStringLiteral(
    "The VLChapters File is not found.You must copy\r\n"
    "the VLChapters.txt file to  the same folder that has\r\n"
    "VLWinLog.");

const QString kStartQuestionTitle = QStringLiteral("IMPORTANT!!!  READ THIS CAREFULLY!!!  ");

const QString kStartQuestion = QStringLiteral(
    "VERY IMPORTANT!!! READ THIS INFORMATION!!! \r\n"
    "\r\n"
    "The Program starts in a default logging operation \r\n"
    "with the BAND on 20 Meters and the MODE on Phone\r\n"
    "You may change the Band or Mode at any time.  Contacts\r\n"
    "will be logged by pressing the INSERT key.\r\n"
    " \r\n"
    "To use VLWINLOG to send Morse Code, you must open the\r\n"
    "COM Port.  Click SetPort on the Menu and click on SetPort1\r\n"
    "You may also select Port 2 if your computer is so equipped.\r\n"
    " \r\n"
    "WARNING!!!  DO NOT CLICK ON SETPORT IF YOUR COMPUTER DOES NOT\r\n"
    "HAVE A 9 OR 25 PIN SERIAL PORT.  OR.. YOU HAVE A USB TO SERIAL ADAPTER\r\n"
    "UNEXPECTED RESULTS MAY OCCUR.\r\n"
    "\r\n"
    "\r\n"
    "ALWAYS SHOW THIS MESSAGE WHEN PROGRAM STARTS   ");

// The welcome text around the author credit and the contact address.
const QString kWelcomeOpening = QStringLiteral("Welcome to VLWinLog.  This program was created by ");
const QString kWelcomeBody = QStringLiteral(
    " for use by friends to log contacts "
    "in the annual Velmara QSO Party.  No warranty or "
    "other guarantee is offered.  Users should be aware that this "
    "program is used at their own risk.  It would be a mistake to "
    "use the program without reading the associated documentation. "
    "While every effort was made to make the program intuitive in "
    "operation, there are some functions that are not obvious. "
    "It would be wise to experiment with the program in a non-contest "
    "environment.  In addition to the VLWinLog program, the VLChapters "
    "file is required and a History file is optional.  You must load "
    "the additional files to the same folder where the program is "
    "loaded.  Questions and/or other feedback can be sent to: ");

class StartUpTest : public WindowTest {
protected:
    // The names in the folder, whatever their letter case.
    QStringList folderNames() const {
        QStringList names = QDir(dir.path()).entryList(QDir::Files);
        for (QString& n : names) n = n.toLower();
        names.sort();
        return names;
    }
    std::string cwBox(const char* name) const { return text(name).toStdString(); }
    // Starts a fresh program on the same folder, as the operator starting it again.
    bool restart() { return restartAnswering({}); }
    bool restartAnswering(std::deque<bool> answers) {
        host.reset();
        QCoreApplication::processEvents();
        return startAnswering(std::move(answers));
    }
    // Starts the program with the answers its questions will get.
    bool startAnswering(std::deque<bool> answers) {
        ProgramEnvironment env;
        env.folder = dir.path().toStdString();
        env.makeDialogs = [this, answers](QWidget*) -> std::unique_ptr<Dialogs> {
            auto scripted = std::make_unique<ScriptedDialogs>();
            scripted->answers = answers;
            dialogs = scripted.get();
            return scripted;
        };
        auto shared = port;
        env.makePort = [shared]() -> std::unique_ptr<keyer::CommPort> {
            return std::make_unique<FakeCommPort>(shared);
        };
        env.computerUtcOffset = [this] { return computerUtcOffset; };
        host = std::make_unique<ProgramHost>(env);
        return host->start();
    }
};

TEST_F(StartUpTest, FirstStartWithOnlyTheRosterCreatesFilesWelcomesAndAsksForRegistration) {
    writeRoster();
    ASSERT_TRUE(startProgram());
    settle();

    EXPECT_EQ(folderNames(), (QStringList{"bonuscall.txt", "chapsworked.txt", "cwchapsworked.txt",
                                          "digchapswrk.txt", "nogreeting.txt", "vlchapters.txt",
                                          "vlhistory.txt", "vlqsolog.txt"}));
    EXPECT_EQ(readFile("NoGreeting.txt"), "\"YES\"\r\n");
    for (const char* empty : {"vlqsolog.txt", "BonusCall.txt", "vlhistory.txt", "chapsworked.txt",
                              "CWchapsworked.txt", "DIGchapswrk.txt"}) {
        EXPECT_EQ(readFile(empty), "") << empty;
    }
    EXPECT_FALSE(fileExists("LogOnFile.txt"));

    // The welcome, then the second message, and no start question.
    ASSERT_EQ(dialogs->shown.size(), 2u);
    for (const auto& shown : dialogs->shown) {
        EXPECT_EQ(shown.kind, ScriptedDialogs::Shown::Kind::Message);
    }
    const QString welcome = dialogs->shown[0].text;
    EXPECT_TRUE(welcome.startsWith(kWelcomeOpening)) << welcome.toStdString();
    const qsizetype body = welcome.indexOf(kWelcomeBody);
    ASSERT_GT(body, kWelcomeOpening.size()) << "an author credit stands before the body";
    EXPECT_GT(welcome.size(), body + kWelcomeBody.size()) << "a contact address ends the text";
    EXPECT_FALSE(welcome.contains(QLatin1Char('\n')));
    EXPECT_EQ(dialogs->shown[1].text,
              QStringLiteral("You will now input information used by VLWinLog for logging "
                             "and printing reports"));

    // The registration dialog is up and the main window hidden.
    ASSERT_NE(host->loginDialog(), nullptr);
    EXPECT_TRUE(host->loginDialog()->isVisible());
    EXPECT_FALSE(window()->isVisible());
    EXPECT_FALSE(host->ended());

    // Nobody registered: empty parts everywhere.
    EXPECT_EQ(find<QLabel>("Label12")->text(), QStringLiteral("  - - "));
    EXPECT_EQ(text("txtTotOtrCts"), QStringLiteral("0"));
    EXPECT_EQ(cwBox("txtF1"), "DE  K");
    EXPECT_EQ(cwBox("txtF2"), "");
    EXPECT_EQ(cwBox("txtF3"), "NAME IS ");
    EXPECT_EQ(cwBox("txtF4"), "UR CALL?");
    EXPECT_EQ(cwBox("txtF5"), "UR NR?");
    EXPECT_EQ(cwBox("txtF6"), "UR NAME?");
    EXPECT_EQ(cwBox("txtF7"), "GL CUL 73 K");
    EXPECT_EQ(cwBox("txtF8"), "DE  K");
    EXPECT_EQ(cwBox("txtF10"), "");
}

// What start-up leaves whatever the folder held.
TEST_F(StartUpTest, RegisteredStartSetsTheStartingState) {
    writeRoster();
    writeRegistration("N" + kSlashedZero + "CALL", "012", -5);
    writeFile("NoGreeting.txt", "\"NO\"\r\n");
    writeFile("chapsworked.txt", "\"12 \"\r\n\"7\"\r\n\"123\"\r\n");
    writeFile("CWchapsworked.txt", "\"001\"\r\n");
    std::string log;
    for (const auto& [chapter, mode] : {std::pair{"12 ", "PHN"}, std::pair{"7  ", "PHN"},
                                        std::pair{"123", "PHN"}, std::pair{"001", "CW "}}) {
        log += std::string("\"W1AW    \",\"59  \",\"59  \",\"") + chapter +
               "\",\"AL     \",\"40 \",\"" + mode + "\",\"12/06/2026\",\"18:30 \",\"\"\r\n";
    }
    writeFile("vlqsolog.txt", log);
    ASSERT_TRUE(startProgram());
    settle();

    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_TRUE(window()->isVisible());
    EXPECT_FALSE(host->loginDialog()->isVisible());
    EXPECT_EQ(find<QLabel>("Label12")->text(), QStringLiteral(" N\u00D8CALL - - 2026"));
    EXPECT_EQ(text("txtTotOtrCts"), QStringLiteral("-5"));
    EXPECT_EQ(window()->uHr(), -5);
    EXPECT_EQ(window()->emailadr(), QStringLiteral("op@example.org"));
    EXPECT_EQ(text("cboBand"), QStringLiteral("20"));
    EXPECT_EQ(text("cboMode"), QStringLiteral("PHN"));

    // The switches.
    EXPECT_EQ(window()->HistoryFile(), QStringLiteral("On"));
    EXPECT_EQ(window()->CountFlag(), QStringLiteral("Yes"));
    EXPECT_EQ(window()->Prompt(), QStringLiteral("OFF"));
    EXPECT_EQ(window()->BonusTim(), QStringLiteral("ON"));
    EXPECT_EQ(window()->NewChapTim(), QStringLiteral("ON"));

    // The chapter lists in three-digit form, and their totals.
    auto* phone = find<QListWidget>("lstChptrswrked");
    ASSERT_EQ(phone->count(), 3);
    EXPECT_EQ(phone->item(0)->text(), QStringLiteral("012"));
    EXPECT_EQ(phone->item(1)->text(), QStringLiteral("007"));
    EXPECT_EQ(phone->item(2)->text(), QStringLiteral("123"));
    EXPECT_EQ(window()->counters().chptot, 3);
    EXPECT_EQ(window()->counters().ochptot, 1);
    EXPECT_EQ(text("txtTotChap"), QStringLiteral(" 3"));
    EXPECT_EQ(text("txtOChptot"), QStringLiteral(" 1"));

    // Hidden at start: the counters, the look-up box, the notices and the CW group.
    for (const char* hidden : {"frmCounters", "txtPrevCon", "txtNewChap", "txtbonusclaim", "txtF1F8",
                               "txtF9", "txtF1", "txtF8", "txtF10", "lblF1", "lblF8", "lblF10"}) {
        EXPECT_FALSE(find<QWidget>(hidden)->isVisible()) << hidden;
    }
    EXPECT_TRUE(find<QWidget>("txtRecentLog")->isVisible());

    // CW messages from the registration.
    EXPECT_EQ(text("txtF1"), QStringLiteral("DE N\u00D8CALL K"));
    EXPECT_EQ(text("txtF2"), QStringLiteral("59"));
    EXPECT_EQ(text("txtF3"), QStringLiteral("NAME IS OPER"));
    EXPECT_EQ(text("txtF8"), QStringLiteral("DE N\u00D8CALL K"));
    EXPECT_FALSE(port->isOpen);
}

TEST_F(StartUpTest, StartQuestionAnsweredNoIsNotAskedAgain) {
    writeRoster();
    writeRegistration();
    ASSERT_TRUE(startProgram());  // no start switch yet: it is created with "YES"
    ASSERT_EQ(dialogs->shown.size(), 1u);
    const auto& asked = dialogs->shown[0];
    EXPECT_EQ(asked.kind, ScriptedDialogs::Shown::Kind::Question);
    EXPECT_EQ(asked.text, kStartQuestion);
    EXPECT_EQ(asked.title, kStartQuestionTitle);
    EXPECT_EQ(asked.icon, Dialogs::Icon::Question);
    EXPECT_EQ(readFile("NoGreeting.txt"), "\"NO\"\r\n");

    ASSERT_TRUE(restart());
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(readFile("NoGreeting.txt"), "\"NO\"\r\n");
}

TEST_F(StartUpTest, StartQuestionAnsweredYesIsAskedAgain) {
    writeRoster();
    writeRegistration();
    writeFile("NoGreeting.txt", "\"YES\"\r\n");
    ASSERT_TRUE(startAnswering({true}));
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(readFile("NoGreeting.txt"), "\"YES\"\r\n");
    ASSERT_TRUE(restartAnswering({true}));
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].text, kStartQuestion);
    EXPECT_TRUE(dialogs->shown[0].defaultYes);
    EXPECT_TRUE(window()->isVisible());
}

// A start switch that cannot be read is treated as "YES"; one that is
// missing is created holding "YES".
TEST_F(StartUpTest, ForeignStartSwitchCountsAsYes) {
    writeRoster();
    writeRegistration();
    writeFile("NoGreeting.txt", "garbage without quotes");
    ASSERT_TRUE(startProgram());
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].title, kStartQuestionTitle);
}

// A log whose last line a stopped write cut short: the operator is asked,
// Yes moves the line aside, No keeps the log as it is.
TEST_F(StartUpTest, ALogLineCutShortIsSetAsideWhenTheOperatorAgrees) {
    const std::string whole =
        "\"K1ABC   \",\"59  \",\"59  \",\"012\",\"BOB    \",\"20 \",\"PHN\",\"20261208\",\"0312\",\"    \"";
    const std::string torn = "\"K1ABD   \",\"59  \",\"5";
    writeRoster();
    writeRegistration();
    writeFile("NoGreeting.txt", "\"NO\"\r\n");
    writeFile("chapsworked.txt", "\"012\"\r\n");
    writeFile("vlqsolog.txt", whole + "\r\n" + torn);
    ASSERT_TRUE(startAnswering({false}));
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].kind, ScriptedDialogs::Shown::Kind::Question);
    EXPECT_TRUE(dialogs->shown[0].text.contains(QString::fromLatin1(torn.c_str())));
    EXPECT_TRUE(dialogs->shown[0].defaultYes);
    EXPECT_EQ(readFile("vlqsolog.txt"), whole + "\r\n" + torn);
    EXPECT_TRUE(text("txtRecentLog").contains(QStringLiteral("K1ABD"))) << "the log as it is";

    ASSERT_TRUE(restartAnswering({true}));
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(readFile("vlqsolog.txt"), whole + "\r\n");
    EXPECT_EQ(readFile("VLTornLines.txt"), torn + "\r\n");
    EXPECT_FALSE(text("txtRecentLog").contains(QStringLiteral("K1ABD")));
    EXPECT_EQ(window()->counters().ptot, 1);

    writeFile("vlqsolog.txt", whole);  // a whole record without its line end is no fault
    ASSERT_TRUE(restart());
    EXPECT_TRUE(dialogs->shown.empty());
}

// Files a power cut left behind the log (or beside a log that is gone): one
// question naming what is missing and what is extra, Yes by default, and Yes
// rebuilds them as Recount does. Lines holding NUL bytes are asked about
// first, in one question, and a NUL-holed line of a derived file is extra.
TEST_F(StartUpTest, DerivedFilesThatDisagreeWithTheLogAreRecountedWhenTheOperatorAgrees) {
    auto contact = [](const char* call, const char* chapter, const char* mode, const char* comment) {
        return "\"" + std::string(call) + "\",\"59  \",\"59  \",\"" + chapter +
               "\",\"BOB    \",\"20 \",\"" + mode + "\",\"12/07/2026\",\"23:30 \",\"" + comment + "\"\r\n";
    };
    const std::string log = contact("K1ABC   ", "012", "PHN", "") +
                            contact("W9XYZ   ", "007", "CW ", "BNVL");
    const std::string holed = "\"K1AB" + std::string(20, '\0') + "\"\r\n";
    writeRoster();
    writeRegistration();
    writeFile("NoGreeting.txt", "\"NO\"\r\n");
    writeFile("vlqsolog.txt", log + holed);
    writeFile("chapsworked.txt", "\"012\"\r\n\"123\"\r\n");  // 123: from a log that is gone
    writeFile("BonusCall.txt", "\"W9X" + std::string(5, '\0') + "\r\n");

    // Broken lines kept in the log: no recount is offered, as it would refuse them.
    ASSERT_TRUE(startAnswering({false}));
    ASSERT_EQ(dialogs->shown.size(), 1u);
    ASSERT_TRUE(restartAnswering({true, false}));
    ASSERT_EQ(dialogs->shown.size(), 2u);
    EXPECT_TRUE(dialogs->shown[0].text.startsWith(QStringLiteral("One line of the contact log")))
        << dialogs->shown[0].text.toStdString();
    const ScriptedDialogs::Shown asked = dialogs->shown[1];
    EXPECT_EQ(asked.kind, ScriptedDialogs::Shown::Kind::Question);
    EXPECT_TRUE(asked.defaultYes);
    for (const char* named : {"Missing from them: chapter 007 (CW), bonus call W9XYZ.",
                              "In them but not in the log: chapter 123 (phone), a damaged line in "
                              "BonusCall.txt."}) {
        EXPECT_TRUE(asked.text.contains(QLatin1String(named))) << asked.text.toStdString();
    }
    EXPECT_EQ(readFile("chapsworked.txt"), "\"012\"\r\n\"123\"\r\n") << "No changes nothing";

    ASSERT_TRUE(restartAnswering({true}));
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("RECOUNT has completed  Click OK to continue"));
    EXPECT_EQ(readFile("vlqsolog.txt"), log);
    EXPECT_EQ(readFile("VLTornLines.txt"), holed);
    EXPECT_EQ(readFile("chapsworked.txt"), "\"012\"\r\n");
    EXPECT_EQ(readFile("CWchapsworked.txt"), "\"007\"\r\n");
    EXPECT_EQ(readFile("BonusCall.txt"), "\"W9XYZ\"\r\n");
    EXPECT_EQ(find<QListWidget>("lstCWChapswrked")->count(), 1);
    EXPECT_EQ(window()->counters().ochptot, 1);

    // Files that agree with the log: nothing is asked.
    ASSERT_TRUE(restart());
    EXPECT_TRUE(dialogs->shown.empty());
}

struct RosterMissingCase {
    const char* label;
    bool otherFilesPresent;
};
void PrintTo(const RosterMissingCase& c, std::ostream* os) { *os << c.label; }

class RosterMissingTest : public StartUpTest,
                          public ::testing::WithParamInterface<RosterMissingCase> {};

TEST_P(RosterMissingTest, MessageThenTheProgramEndsWithAFailureStatus) {
    if (GetParam().otherFilesPresent) {
        writeRegistration();
        writeFile("NoGreeting.txt", "\"YES\"\r\n");
        for (const char* name : {"vlqsolog.txt", "BonusCall.txt", "vlhistory.txt",
                                 "chapsworked.txt", "CWchapsworked.txt", "DIGchapswrk.txt"}) {
            writeFile(name, "");
        }
    }
    EXPECT_FALSE(startProgram());
    EXPECT_TRUE(host->ended());
    EXPECT_NE(host->exitStatus(), 0);
    ASSERT_FALSE(dialogs->shown.empty());
    EXPECT_EQ(dialogs->shown.back().text, kRosterMissing);
    EXPECT_EQ(dialogs->shown.back().kind, ScriptedDialogs::Shown::Kind::Message);
    // Registered: nothing but the message. Not registered: the welcome and
    // the second message came first.
    EXPECT_EQ(dialogs->shown.size(), GetParam().otherFilesPresent ? 1u : 3u);
    EXPECT_FALSE(window()->isVisible());
    EXPECT_FALSE(host->loginDialog()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Folders, RosterMissingTest,
                         ::testing::Values(RosterMissingCase{"EmptyFolder", false},
                                           RosterMissingCase{"EveryOtherFilePresent", true}),
                         [](const auto& info) { return std::string(info.param.label); });

// Registration files that were cut short or edited by hand are read as far as
// they go.
// A registration line with every field but the offset.
std::string registeredWithOffset(const std::string& offset) {
    return "\"K1ABC\",\"012\",\"\",\"\",\"59\",\"AL\",\"\",\"\",\"\",\"2026\"," + offset +
           ",\"a@b\"\r\n";
}

struct OddRegistration {
    const char* label;
    std::string content;
    QString label12;
    QString offset;
    // What start-up says about the offset (nothing when empty), and the
    // computer's clock offset east of UTC in seconds, when known.
    std::string message = {};
    std::optional<int> computerEast = std::nullopt;
};
void PrintTo(const OddRegistration& c, std::ostream* os) { *os << c.label; }

class OddRegistrationTest : public StartUpTest,
                            public ::testing::WithParamInterface<OddRegistration> {};

TEST_P(OddRegistrationTest, IsReadAsFarAsItGoes) {
    writeRoster();
    writeFile("NoGreeting.txt", "\"NO\"\r\n");
    writeFile("LogOnFile.txt", GetParam().content);
    computerUtcOffset = GetParam().computerEast;
    ASSERT_TRUE(startProgram());
    EXPECT_FALSE(host->ended());
    EXPECT_EQ(find<QLabel>("Label12")->text(), GetParam().label12);
    EXPECT_EQ(text("txtTotOtrCts"), GetParam().offset);
    std::vector<QString> expected;
    if (!GetParam().message.empty()) expected.push_back(QString::fromStdString(GetParam().message));
    EXPECT_EQ(dialogs->texts(), expected);
    EXPECT_TRUE(window()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Files, OddRegistrationTest,
    ::testing::Values(
        OddRegistration{"TwoFields", "\"K1ABC\",\"012\"\r\n", " K1ABC - - ", "0"},
        OddRegistration{"TextOffset", registeredWithOffset("\"east\""), " K1ABC - - 2026", "0",
                        std::string(entry::kStoredOffsetRefused)},
        // Offsets run from -14 (UTC+14) to 12 (UTC-12).
        OddRegistration{"FourteenIsOutOfRange", registeredWithOffset("14"), " K1ABC - - 2026",
                        "0", std::string(entry::kStoredOffsetRefused), 14 * 3600},
        OddRegistration{"MinusFifteenIsOutOfRange", registeredWithOffset("-15"),
                        " K1ABC - - 2026", "0", std::string(entry::kStoredOffsetRefused)},
        OddRegistration{"MinusFourteenAgreesWithTheClock", registeredWithOffset("-14"),
                        " K1ABC - - 2026", "-14", "", 14 * 3600},
        OddRegistration{"TwelveAgreesWithTheClock", registeredWithOffset("12"),
                        " K1ABC - - 2026", "12", "", -12 * 3600},
        // Registered in winter at UTC-5, started in summer time: told once,
        // and the registered offset is still the one used.
        OddRegistration{"ClockOnSummerTime", registeredWithOffset("5"), " K1ABC - - 2026", "5",
                        entry::offsetMismatchNotice(5, -4 * 3600), -4 * 3600},
        OddRegistration{"ClockOnUtc", registeredWithOffset("-1"), " K1ABC - - 2026", "-1",
                        entry::offsetMismatchNotice(-1, 0), 0},
        OddRegistration{"OffsetOnlyAndNoLineEnd",
                        "\"K1ABC\",\"012\",\"\",\"\",\"59\",\"AL\",\"\",\"\",\"\",\"2026\",3",
                        " K1ABC - - 2026", "3"},
        OddRegistration{"Empty", "", "  - - ", "0"},
        OddRegistration{"UnterminatedQuote", "\"K1ABC", " K1ABC - - ", "0"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace vl::ui::test
