// The registration dialog: typing into it, Submit Data, Show Login and
// Delete LogIn File.
#include "window_test_support.h"

#include <QLabel>
#include <QPushButton>

#include "logbook/registration.h"
#include "../case_name.h"

namespace vl::ui::test {
namespace {

// The boxes in TAB order, then the button.
const char* const kTabOrder[] = {"txtCallsignLogin", "txtChapNoLogin",  "txtNameLogin",
                                 "txtChapNamLogIn",  "txtAddrLogin",    "txtCityLogin",
                                 "txtStateLogin",    "txtZipLogin",     "txtEmail",
                                 "txtReportLogIn",   "txtConYrLogin",   "txtUTC",
                                 "cmdLoginData"};

const std::string kRegistered =
    "\"N0CALL\",\"012\",\"1 Main St\",\"VA\",\"59\",\"OPER\",\"Home Chapter\",\"Linden\","
    "\"10001\",\"2026\",-5,\"op@example.org\"\r\n";

class RegistrationTest : public WindowTest {
protected:
    // A first start: the roster only, so the dialog comes up.
    void firstStart() {
        writeRoster();
        ASSERT_TRUE(startProgram());
        ASSERT_TRUE(login()->isVisible());
        activateLogin();
    }
    void registeredStart() {
        prepareRegisteredFolder();
        ASSERT_TRUE(startProgram());
        activate();
    }
    frmVLLogIn* login() { return host->loginDialog(); }
    void activateLogin() {
        login()->show();
        login()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(login()));
        settle();
    }
    QLineEdit* box(const char* name) {
        auto* found = login()->findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void type(const char* name, const QString& typed) {
        QLineEdit* b = box(name);
        b->setFocus(Qt::MouseFocusReason);
        settle();
        QTest::keyClicks(b, typed);
        settle();
    }
    void submit() {
        auto* button = login()->findChild<QPushButton*>(QStringLiteral("cmdLoginData"));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
    }
};

TEST_F(RegistrationTest, DialogHoldsItsBoxesLabelsAndTabOrder) {
    firstStart();
    EXPECT_EQ(login()->windowTitle(), QStringLiteral("LogIn"));
    QStringList captions;
    for (QLabel* label : login()->findChildren<QLabel*>()) captions << label->text();
    for (const char* caption :
         {"COMPLETE THE FOLLOWING INFORMATION TO LOGIN TO VLWINLOG", "Enter your Callsign:",
          "Enter your Chapter No.:", "Enter your name:", "Enter your Chapter Name:",
          "Enter your  Address:", "Enter your City:", "Enter your State:", "Enter your ZipCode:",
          "Enter your email address", "Enter  Report you Send:", "Enter the Contest Year:",
          "Enter UTC "}) {
        EXPECT_TRUE(captions.contains(QString::fromLatin1(caption))) << caption;
    }
    auto* button = login()->findChild<QPushButton*>(QStringLiteral("cmdLoginData"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Submit Data"));
    // The button sits on the last row, right of the report, year and UTC
    // boxes, and below every other box.
    const QRect utc = box("txtUTC")->geometry();
    for (const char* name : {"txtReportLogIn", "txtConYrLogin", "txtUTC"}) {
        const QRect b = box(name)->geometry();
        EXPECT_TRUE(button->geometry().top() <= b.center().y() &&
                    b.center().y() <= button->geometry().bottom())
            << name;
        EXPECT_LT(b.right(), button->geometry().left()) << name;
    }
    EXPECT_GT(utc.top(), box("txtEmail")->geometry().bottom());

    for (const char* name : kTabOrder) {
        if (QString::fromLatin1(name) != QLatin1String("cmdLoginData")) {
            EXPECT_TRUE(box(name)->text().isEmpty()) << name;
        }
    }
    box(kTabOrder[0])->setFocus(Qt::MouseFocusReason);
    settle();
    for (size_t i = 1; i < std::size(kTabOrder); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        settle();
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(kTabOrder[i]));
    }
}

TEST_F(RegistrationTest, CallsignBoxUpperCasesAndChapterBoxIsFormattedOnLeaving) {
    firstStart();
    type("txtCallsignLogin", QStringLiteral("n0call"));
    EXPECT_EQ(box("txtCallsignLogin")->text(), QStringLiteral("N0CALL"));
    type("txtChapNoLogin", QStringLiteral("7"));
    QTest::keyClick(box("txtChapNoLogin"), Qt::Key_Tab);
    settle();
    EXPECT_EQ(box("txtChapNoLogin")->text(), QStringLiteral("007"));
    box("txtChapNoLogin")->clear();
    type("txtChapNoLogin", QStringLiteral("ab"));
    QTest::keyClick(box("txtChapNoLogin"), Qt::Key_Tab);
    settle();
    EXPECT_EQ(box("txtChapNoLogin")->text(), QStringLiteral("ab"));
}

TEST_F(RegistrationTest, SubmitWritesTheFileAndRebuildsTheMainWindow) {
    firstStart();
    frmVLWinLog* first = window();
    type("txtChapNoLogin", QStringLiteral("12"));
    type("txtConYrLogin", QStringLiteral("2016"));
    type("txtUTC", QStringLiteral("-5"));
    EXPECT_EQ(box("txtChapNoLogin")->text(), QStringLiteral("012"));
    dialogs->clear();
    submit();

    EXPECT_EQ(readFile("LogOnFile.txt"), "\"\",\"012\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"2016\",-5,\"\"\r\n");
    EXPECT_FALSE(host->ended());
    EXPECT_FALSE(login()->isVisible());
    ASSERT_NE(window(), nullptr);
    EXPECT_NE(window(), first);
    EXPECT_TRUE(window()->isVisible());
    // Start-up ran again, now registered: the new label and offset, and the
    // start question ("NoGreeting.txt" holds "YES" since the first start).
    EXPECT_EQ(find<QLabel>("Label12")->text(), QStringLiteral("  - - 2016"));
    EXPECT_EQ(text("txtTotOtrCts"), QStringLiteral("-5"));
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].kind, ScriptedDialogs::Shown::Kind::Question);
    EXPECT_EQ(dialogs->shown[0].title, QStringLiteral("IMPORTANT!!!  READ THIS CAREFULLY!!!  "));
    EXPECT_EQ(readFile("NoGreeting.txt"), "\"NO\"\r\n");
}

struct OffsetCase {
    const char* label;
    QString typed;
    const char* written;
};
void PrintTo(const OffsetCase& c, std::ostream* os) { *os << c.label; }

class UtcOffsetTest : public RegistrationTest, public ::testing::WithParamInterface<OffsetCase> {};

// Every text box empty: ten pairs of quotes, the offset, one more pair.
TEST_P(UtcOffsetTest, IsStoredAsTheWholeNumberAtOrBelow) {
    firstStart();
    type("txtUTC", GetParam().typed);
    submit();
    EXPECT_EQ(readFile("LogOnFile.txt"), std::string("\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",") +
                                             GetParam().written + ",\"\"\r\n");
    EXPECT_EQ(text("txtTotOtrCts"), QString::fromLatin1(GetParam().written));
}

INSTANTIATE_TEST_SUITE_P(Offsets, UtcOffsetTest,
                         ::testing::Values(OffsetCase{"MinusFive", "-5", "-5"},
                                           OffsetCase{"MinusFourAndAHalf", "-4.5", "-5"},
                                           OffsetCase{"FiveAndAHalf", "5.5", "5"},
                                           OffsetCase{"Zero", "0", "0"},
                                           OffsetCase{"Three", "3", "3"},
                                           OffsetCase{"KiribatiMinusFourteen", "-14", "-14"},
                                           OffsetCase{"BakerIslandTwelve", "12", "12"},
                                           OffsetCase{"TwelveAndAHalf", "12.5", "12"}),
                         [](const auto& info) { return std::string(info.param.label); });

class RefusedOffsetTest : public RegistrationTest,
                         public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedOffsetTest, IsRefusedWithAMessageAndNothingWritten) {
    firstStart();
    frmVLWinLog* first = window();
    type("txtCallsignLogin", QStringLiteral("K1ABC"));
    type("txtUTC", QString::fromLatin1(GetParam()));
    dialogs->clear();
    submit();
    EXPECT_FALSE(fileExists("LogOnFile.txt"));
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].kind, ScriptedDialogs::Shown::Kind::Message);
    EXPECT_EQ(dialogs->shown[0].text,
              QStringLiteral("Please enter your UTC offset as the number of hours you add to your "
                             "local time to get UTC, a whole number from -14 to 12: for example 5 "
                             "at UTC-5, or -1 at UTC+1.  Nothing was saved."));
    EXPECT_FALSE(host->ended());
    EXPECT_TRUE(login()->isVisible());
    EXPECT_EQ(window(), first);
    EXPECT_EQ(box("txtCallsignLogin")->text(), QStringLiteral("K1ABC"));

    // Corrected, it goes through.
    box("txtUTC")->clear();
    type("txtUTC", QStringLiteral("-4.5"));
    submit();
    EXPECT_EQ(readFile("LogOnFile.txt"),
              "\"K1ABC\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",-5,\"\"\r\n");
}

INSTANTIATE_TEST_SUITE_P(Texts, RefusedOffsetTest,
                         ::testing::Values("", "east", "-", "5x", "1e9", "--5", "13", "14",
                                           "-14.5", "-15"),
    [](const auto& info) { return test_names::caseName(info.index, {info.param}); });

// A double quote would break the quoted fields of the file.
TEST_F(RegistrationTest, DoubleQuoteTypedInAnyBoxNeverReachesTheFile) {
    firstStart();
    for (const char* name : kTabOrder) {
        const QString n = QString::fromLatin1(name);
        if (n == QLatin1String("cmdLoginData") || n == QLatin1String("txtUTC")) continue;
        type(name, QStringLiteral("A\"B"));
        EXPECT_FALSE(box(name)->text().contains(QLatin1Char('"'))) << name;
    }
    type("txtUTC", QStringLiteral("-5"));
    submit();
    const std::string written = readFile("LogOnFile.txt");
    // Eleven quoted fields and one bare number: 22 quotes, no more.
    EXPECT_EQ(std::count(written.begin(), written.end(), '"'), 22) << written;
    const logbook::RegistrationRead read = logbook::parseRegistration(written);
    EXPECT_EQ(read.fieldsRead, 12);
    EXPECT_TRUE(read.offsetValid);
    EXPECT_EQ(read.registration.utcOffset, -5);
    EXPECT_EQ(read.registration.name.size(), 3u);
    EXPECT_EQ(read.registration.email.size(), 3u);
}

TEST_F(RegistrationTest, ClosingTheDialogAtAFirstStartEndsTheProgramCleanly) {
    firstStart();
    login()->close();
    settle();
    EXPECT_TRUE(host->ended());
    EXPECT_EQ(host->exitStatus(), 0);
    EXPECT_FALSE(fileExists("LogOnFile.txt"));
    EXPECT_FALSE(window()->isVisible());
    EXPECT_FALSE(login()->isVisible());
}

TEST_F(RegistrationTest, EscapeInTheDialogAtAFirstStartEndsTheProgramCleanly) {
    firstStart();
    QTest::keyClick(box("txtCallsignLogin"), Qt::Key_Escape);
    settle();
    EXPECT_TRUE(host->ended());
    EXPECT_EQ(host->exitStatus(), 0);
}

TEST_F(RegistrationTest, ClosingTheDialogOpenedByShowLoginKeepsTheProgram) {
    registeredStart();
    trigger("mnuShowLogin");
    login()->close();
    settle();
    EXPECT_FALSE(host->ended());
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(readFile("LogOnFile.txt"), kRegistered);
}

TEST_F(RegistrationTest, ShowLoginFillsTheBoxesFromTheFile) {
    registeredStart();
    trigger("mnuShowLogin");
    EXPECT_TRUE(login()->isVisible());
    EXPECT_TRUE(dialogs->shown.empty());
    const std::pair<const char*, QString> expected[] = {
        {"txtCallsignLogin", "N0CALL"}, {"txtChapNoLogin", "012"},  {"txtNameLogin", "OPER"},
        {"txtChapNamLogIn", "Home Chapter"}, {"txtAddrLogin", "1 Main St"},
        {"txtCityLogin", "Linden"},     {"txtStateLogin", "VA"},   {"txtZipLogin", "10001"},
        {"txtEmail", "op@example.org"}, {"txtReportLogIn", "59"},  {"txtConYrLogin", "2026"},
        {"txtUTC", "-5"}};
    for (const auto& [name, value] : expected) EXPECT_EQ(box(name)->text(), value) << name;
}

TEST_F(RegistrationTest, AnOffsetStoredFromMinusFourAndAHalfIsShownAsMinusFive) {
    firstStart();
    type("txtCallsignLogin", QStringLiteral("K1ABC"));
    type("txtUTC", QStringLiteral("-4.5"));
    submit();
    activate();
    trigger("mnuShowLogin");
    EXPECT_EQ(box("txtUTC")->text(), QStringLiteral("-5"));
    EXPECT_EQ(box("txtCallsignLogin")->text(), QStringLiteral("K1ABC"));
}

TEST_F(RegistrationTest, ShowLoginReadsAShortFileAsFarAsItGoes) {
    registeredStart();
    writeFile("LogOnFile.txt", "\"K1ABC\",\"012\",\"1 Main St\"\r\n");
    trigger("mnuShowLogin");
    EXPECT_FALSE(host->ended());
    EXPECT_TRUE(login()->isVisible());
    EXPECT_EQ(box("txtCallsignLogin")->text(), QStringLiteral("K1ABC"));
    EXPECT_EQ(box("txtChapNoLogin")->text(), QStringLiteral("012"));
    EXPECT_EQ(box("txtAddrLogin")->text(), QStringLiteral("1 Main St"));
    EXPECT_EQ(box("txtNameLogin")->text(), QString());
    EXPECT_EQ(box("txtEmail")->text(), QString());
    EXPECT_EQ(window()->HomeChap(), QStringLiteral("012"));
}

class ShowLoginWithoutFileTest : public RegistrationTest,
                                 public ::testing::WithParamInterface<bool> {};

// Missing (false) or empty (true): empty boxes, and the program goes on.
TEST_P(ShowLoginWithoutFileTest, ShowsEmptyBoxes) {
    registeredStart();
    trigger("mnuShowLogin");  // fills the boxes once
    login()->hide();
    if (GetParam()) {
        writeFile("LogOnFile.txt", "");
    } else {
        ASSERT_TRUE(QFile::remove(QString::fromStdString(path("LogOnFile.txt"))));
    }
    dialogs->clear();
    trigger("mnuShowLogin");
    EXPECT_FALSE(host->ended());
    EXPECT_TRUE(login()->isVisible());
    EXPECT_TRUE(window()->isVisible());
    for (const char* name : kTabOrder) {
        if (QString::fromLatin1(name) == QLatin1String("cmdLoginData")) continue;
        EXPECT_TRUE(box(name)->text().isEmpty()) << name;
    }
    EXPECT_EQ(fileExists("LogOnFile.txt"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Files, ShowLoginWithoutFileTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Empty" : "Missing"; });

const QString kDeleteFirst = QStringLiteral("Are you sure you want to delete the Log In File?");
const QString kDeleteSecond = QStringLiteral(
    "Are you REALLY SURE you want to Delete the Log In File?  You will need to re-register!");

struct DeclineCase {
    const char* label;
    std::deque<bool> answers;
    size_t questions;
    bool fileThere;
};
void PrintTo(const DeclineCase& c, std::ostream* os) { *os << c.label; }

class DeleteLoginDeclinedTest : public RegistrationTest,
                                public ::testing::WithParamInterface<DeclineCase> {};

TEST_P(DeleteLoginDeclinedTest, LeavesTheFileAndShowsTheDialog) {
    registeredStart();
    if (!GetParam().fileThere) {
        ASSERT_TRUE(QFile::remove(QString::fromStdString(path("LogOnFile.txt"))));
    }
    dialogs->answers = GetParam().answers;
    trigger("mnuDelLogIn");
    ASSERT_EQ(dialogs->shown.size(), GetParam().questions);
    EXPECT_EQ(dialogs->shown[0].text, kDeleteFirst);
    if (GetParam().questions > 1) {
        EXPECT_EQ(dialogs->shown[1].text, kDeleteSecond);
    }
    for (const auto& shown : dialogs->shown) {
        EXPECT_EQ(shown.kind, ScriptedDialogs::Shown::Kind::Question);
    }
    // An existing file is untouched; a missing one is created empty.
    EXPECT_EQ(readFile("LogOnFile.txt"), GetParam().fileThere ? kRegistered : "");
    EXPECT_TRUE(fileExists("LogOnFile.txt"));
    EXPECT_TRUE(login()->isVisible());
    EXPECT_FALSE(host->ended());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DeleteLoginDeclinedTest,
    ::testing::Values(DeclineCase{"NoAtFirst", {false}, 1, true},
                      DeclineCase{"NoAtSecond", {true, false}, 2, true},
                      DeclineCase{"NoAtFirstWithoutFile", {false}, 1, false},
                      DeclineCase{"NoAtSecondWithoutFile", {true, false}, 2, false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(RegistrationTest, DeclinedDeletionShowsTheDialogAsItWasLastFilled) {
    registeredStart();
    trigger("mnuShowLogin");
    box("txtNameLogin")->setText(QStringLiteral("CHANGED"));
    login()->close();
    settle();
    dialogs->answers = {false};
    trigger("mnuDelLogIn");
    EXPECT_TRUE(login()->isVisible());
    EXPECT_EQ(box("txtCallsignLogin")->text(), QStringLiteral("N0CALL"));
    EXPECT_EQ(box("txtNameLogin")->text(), QStringLiteral("CHANGED"));
    EXPECT_EQ(readFile("LogOnFile.txt"), kRegistered);
}

TEST_F(RegistrationTest, DeleteLoginAnsweredYesTwiceDeletesTheFileAndEndsTheProgram) {
    registeredStart();
    dialogs->answers = {true, true};
    trigger("mnuDelLogIn");
    ASSERT_EQ(dialogs->shown.size(), 3u);
    EXPECT_EQ(dialogs->shown[0].text, kDeleteFirst);
    EXPECT_EQ(dialogs->shown[1].text, kDeleteSecond);
    EXPECT_EQ(dialogs->shown[2].kind, ScriptedDialogs::Shown::Kind::Message);
    EXPECT_EQ(dialogs->shown[2].text,
              QStringLiteral("Click OK. You will then have to re-start the program"));
    EXPECT_FALSE(fileExists("LogOnFile.txt"));
    EXPECT_TRUE(host->ended());
    EXPECT_EQ(host->exitStatus(), 0);
    EXPECT_FALSE(window()->isVisible());

    // The next start asks for registration again.
    host.reset();
    QCoreApplication::processEvents();
    ASSERT_TRUE(startProgram());
    ASSERT_EQ(dialogs->shown.size(), 2u);
    EXPECT_TRUE(host->loginDialog()->isVisible());
}

TEST_F(RegistrationTest, DeleteLoginAnsweredYesTwiceWithoutAFileReportsItAndShowsTheDialog) {
    registeredStart();
    ASSERT_TRUE(QFile::remove(QString::fromStdString(path("LogOnFile.txt"))));
    dialogs->answers = {true, true};
    trigger("mnuDelLogIn");
    ASSERT_EQ(dialogs->shown.size(), 3u);
    EXPECT_EQ(dialogs->shown[2].text, QStringLiteral("The File is not found."));
    EXPECT_EQ(readFile("LogOnFile.txt"), "");
    EXPECT_TRUE(fileExists("LogOnFile.txt"));
    EXPECT_TRUE(login()->isVisible());
    EXPECT_FALSE(host->ended());
}

}  // namespace
}  // namespace vl::ui::test
