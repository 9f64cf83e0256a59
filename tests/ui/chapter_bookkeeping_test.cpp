// The new-chapter flag follows the latest check and the mode the contact is
// logged in; commands that take the cursor out of the chapter box still check
// it; a window replaced while it sends CW survives until the send is over.
#include <QPointer>
#include <QTimer>

#include "window_test_support.h"

namespace vl::ui::test {
namespace {

class ChapterBookkeepingTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
        writeFile("vlqsolog.txt",
                  "\"W0AAA   \",\"59  \",\"59  \",\"123\",\"AL     \",\"20 \",\"PHN\",\"12/06/2026\",\"18:30 \",\"\"\r\n"
                  "\"W0BBB   \",\"599 \",\"599 \",\"007\",\"BO     \",\"20 \",\"CW \",\"12/06/2026\",\"18:31 \",\"\"\r\n");
        writeFile("chapsworked.txt", "\"123\"\r\n");
        writeFile("CWchapsworked.txt", "\"007\"\r\n");
        ASSERT_TRUE(startProgram());
        activate();
    }
    // Call and reports typed, the cursor left in the chapter box.
    void upToChapter(const QString& call) {
        typeInto("txtCallsign", call);
        tab();
        tab();
        tab();
        ASSERT_EQ(focused(), QStringLiteral("txtChapter"));
    }
};

TEST_F(ChapterBookkeepingTest, AChapterCorrectedToOneAlreadyWorkedIsNotAddedAgain) {
    upToChapter(QStringLiteral("k1abc"));
    typeInto("txtChapter", QStringLiteral("7"));
    tab();
    EXPECT_EQ(window()->N(), 1);
    focusBox("txtChapter");
    find<QLineEdit>("txtChapter")->clear();
    typeInto("txtChapter", QStringLiteral("123"));
    tab();
    EXPECT_EQ(window()->N(), 0);
    pressWindowKey(Qt::Key_Insert);
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(readFile("chapsworked.txt"), "\"123\"\r\n");
    EXPECT_EQ(find<QListWidget>("lstChptrswrked")->count(), 1);
}

TEST_F(ChapterBookkeepingTest, AModeChangedAfterTheCheckCannotListAWorkedChapterTwice) {
    upToChapter(QStringLiteral("k1abc"));
    typeInto("txtChapter", QStringLiteral("7"));
    tab();
    EXPECT_EQ(window()->N(), 1);  // new on phone
    pressWindowKey(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(text("cboMode"), QStringLiteral("CW"));
    pressWindowKey(Qt::Key_Insert);
    EXPECT_EQ(readFile("CWchapsworked.txt"), "\"007\"\r\n");
    EXPECT_EQ(find<QListWidget>("lstCWChapswrked")->count(), 1);
    EXPECT_EQ(readFile("chapsworked.txt"), "\"123\"\r\n");
}

TEST_F(ChapterBookkeepingTest, LeavingTheChapterBoxByACommandStillChecksTheChapter) {
    upToChapter(QStringLiteral("k1abc"));
    typeInto("txtChapter", QStringLiteral("999"));
    trigger("mnuOFF");
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("999 is an invalid Chapter Number"));
    EXPECT_EQ(text("txtChapter"), QString());
}

TEST_F(ChapterBookkeepingTest, InsertWithCtrlHeldStillLogs) {
    upToChapter(QStringLiteral("k1abc"));
    typeInto("txtChapter", QStringLiteral("123"));
    tab();
    pressWindowKey(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_NE(readFile("vlqsolog.txt").find("K1ABC"), std::string::npos);
}

TEST_F(ChapterBookkeepingTest, SubmittingTheRegistrationWhileSendingReplacesTheWindowSafely) {
    trigger("cmmPort1");
    trigger("mnu25wpm");
    find<QLineEdit>("txtF1")->setText(QStringLiteral("EEEEEE"));
    QPointer<frmVLWinLog> old = window();
    frmVLLogIn* login = host->loginDialog();
    login->findChild<QLineEdit*>(QStringLiteral("txtUTC"))->setText(QStringLiteral("-5"));
    bool submitted = false;
    // Submitted from the events the sender processes between characters (the
    // first character alone takes 240 ms at 25 wpm).
    QTimer::singleShot(30, login, [&] {
        login->cmdLoginData_Click();
        submitted = true;
    });
    pressWindowKey(Qt::Key_F1);
    EXPECT_TRUE(submitted);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull()) << "the replaced window is deleted once its send is over";
    ASSERT_NE(host->mainWindow(), nullptr);
    EXPECT_FALSE(host->ended());
    EXPECT_LT(port->dtr.size(), 12u) << "sending stopped when the window was replaced";
}

}  // namespace
}  // namespace vl::ui::test
