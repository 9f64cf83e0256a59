// The history file from the window: F11 adding the station just typed and
// offering to log it, and switching the history look-up off and on.
#include "window_test_support.h"

namespace vl::ui::test {
namespace {

const std::string kKnownHistory = "\"K2HIS\",\"007\",\"ANN\"\r\n";

class HistoryWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
        writeFile("vlhistory.txt", kKnownHistory);
        ASSERT_TRUE(startProgram());
        activate();
    }
    // A station known nowhere, typed up to the name box.
    void typeNewStation(const QString& call, const QString& chapter, const QString& name) {
        typeInto("txtCallsign", call);
        tab();
        ASSERT_EQ(window()->WritHist(), 1);
        tab();
        tab();
        typeInto("txtChapter", chapter);
        tab();
        ASSERT_EQ(focused(), QStringLiteral("txtName"));
        typeInto("txtName", name);
    }
    void pressF11() { pressWindowKey(Qt::Key_F11); }
};

TEST_F(HistoryWindowTest, F11AddsTheStationAndYesLogsIt) {
    typeNewStation(QStringLiteral("w0new"), QStringLiteral("7"), QStringLiteral("sue  "));
    dialogs->answers = {true};
    pressF11();
    EXPECT_EQ(readFile("vlhistory.txt"), kKnownHistory + "\"W\xD8NEW\",\"007\",\"SUE\"\r\n");
    EXPECT_EQ(window()->WritHist(), 0);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].kind, ScriptedDialogs::Shown::Kind::Question);
    EXPECT_EQ(dialogs->shown[0].text, QStringLiteral("Do you wish to log this contact?"));
    const std::string date = text("txtDate").toStdString();
    const std::string time = text("txtTime").toStdString();
    EXPECT_EQ(readFile("vlqsolog.txt"), "\"W\xD8NEW   \",\"59  \",\"59  \",\"007\",\"SUE    \",\"20 \","
                                        "\"PHN\",\"" + date + "\",\"" + time + " \",\"\"\r\n");
    EXPECT_EQ(readFile("chapsworked.txt"), "\"007\"\r\n");
    EXPECT_EQ(text("txtCallsign"), QString());
    EXPECT_EQ(focused(), QStringLiteral("txtCallsign"));
}

TEST_F(HistoryWindowTest, F11AnsweredNoKeepsTheRecordAndClearsTheRow) {
    typeNewStation(QStringLiteral("k3new"), QStringLiteral("123"), QStringLiteral("tom"));
    pressF11();
    EXPECT_EQ(readFile("vlhistory.txt"), kKnownHistory + "\"K3NEW\",\"123\",\"TOM\"\r\n");
    EXPECT_EQ(readFile("vlqsolog.txt"), "");
    EXPECT_EQ(text("txtCallsign"), QString());
    EXPECT_EQ(text("txtName"), QString());
    EXPECT_EQ(focused(), QStringLiteral("txtCallsign"));

    // The station is known now: a second F11 is refused.
    dialogs->clear();
    pressF11();
    EXPECT_EQ(dialogs->texts(),
              std::vector<QString>{"Callsign is already in the Log or History File"});
    EXPECT_EQ(readFile("vlhistory.txt"), kKnownHistory + "\"K3NEW\",\"123\",\"TOM\"\r\n");

    // And the next look-up finds it.
    dialogs->clear();
    typeInto("txtCallsign", QStringLiteral("k3new"));
    tab();
    EXPECT_EQ(text("txtName"), QStringLiteral("TOM"));
    EXPECT_EQ(text("txtChapter"), QStringLiteral("123"));
}

TEST_F(HistoryWindowTest, F11WithoutAChapterAsksForOne) {
    typeInto("txtCallsign", QStringLiteral("k3new"));
    tab();
    ASSERT_EQ(window()->WritHist(), 1);
    pressF11();
    EXPECT_EQ(dialogs->texts(), std::vector<QString>{"You must enter a Chapter Number"});
    EXPECT_EQ(focused(), QStringLiteral("txtChapter"));
    EXPECT_EQ(readFile("vlhistory.txt"), kKnownHistory);
    EXPECT_EQ(window()->WritHist(), 1);

    // The chapter is asked for before the callsign; a row with a chapter and
    // no callsign is then refused.
    struct Row {
        const char* call;
        const char* chapter;
        const char* message;
        const char* cursor;  // where the cursor ends; empty: where it was
    };
    for (const Row& r : {Row{"", "", "You must enter a Chapter Number", "txtChapter"},
                         Row{"", "007", "You must enter a Callsign", ""},
                         Row{"  ", "007", "You must enter a Callsign", ""}}) {
        SCOPED_TRACE(std::string("\"") + r.call + "\" \"" + r.chapter + "\"");
        focusBox("txtComment");
        find<QLineEdit>("txtCallsign")->setText(QString::fromLatin1(r.call));
        find<QLineEdit>("txtChapter")->setText(QString::fromLatin1(r.chapter));
        dialogs->clear();
        pressF11();
        EXPECT_EQ(dialogs->texts(), std::vector<QString>{QString::fromLatin1(r.message)});
        EXPECT_EQ(focused(), QString::fromLatin1(*r.cursor ? r.cursor : "txtComment"));
    }
    EXPECT_EQ(readFile("vlhistory.txt"), kKnownHistory);
    EXPECT_EQ(window()->WritHist(), 1);
}

TEST_F(HistoryWindowTest, YesWhileTheChapterBoxHoldsTheCursorStillGoesThroughInsertChecks) {
    typeInto("txtCallsign", QStringLiteral("k3new"));
    tab();
    tab();
    tab();
    typeInto("txtChapter", QStringLiteral("7"));
    dialogs->answers = {true};
    pressF11();
    EXPECT_EQ(readFile("vlhistory.txt"), kKnownHistory + "\"K3NEW\",\"7\",\"\"\r\n");
    EXPECT_EQ(dialogs->lastText(),
              QStringLiteral("You must press Tab to check Chapter status before logging contact"));
    EXPECT_EQ(readFile("vlqsolog.txt"), "");
    EXPECT_EQ(text("txtCallsign"), QStringLiteral("K3NEW"));
}

TEST_F(HistoryWindowTest, WritHistStaysRaisedUntilARecordIsAdded) {
    writeFile("vlqsolog.txt", "\"W1XYZ   \",\"59  \",\"57  \",\"123\",\"JOE    \",\"40 \",\"PHN\","
                              "\"06/01/2026\",\"14:05 \",\"\"\r\n");
    typeInto("txtCallsign", QStringLiteral("k3new"));
    tab();
    trigger("mnuClear");
    EXPECT_EQ(window()->WritHist(), 1);
    typeInto("txtCallsign", QStringLiteral("w1xyz"));
    tab();
    ASSERT_EQ(text("txtChapter"), QStringLiteral("123"));
    pressF11();
    EXPECT_EQ(readFile("vlhistory.txt"), kKnownHistory + "\"W1XYZ\",\"123\",\"JOE\"\r\n");
}

TEST_F(HistoryWindowTest, HistoryFileOffStopsTheLookUpAndOnBringsItBack) {
    trigger("mnuHistoryFileOff");
    EXPECT_EQ(dialogs->texts(), std::vector<QString>{"Search of the History File is turned OFF"});
    EXPECT_EQ(window()->HistoryFile(), QStringLiteral("Off"));
    typeInto("txtCallsign", QStringLiteral("k2his"));
    tab();
    EXPECT_EQ(text("txtChapter"), QString());
    EXPECT_TRUE(text("txtPrevCon").startsWith(
        QStringLiteral("     No previous contact or history for this station")));
    EXPECT_EQ(window()->WritHist(), 1);
    // F11 still works with the look-up off.
    tab();
    tab();
    typeInto("txtChapter", QStringLiteral("1"));
    tab();
    typeInto("txtName", QStringLiteral("al"));
    pressF11();
    EXPECT_EQ(readFile("vlhistory.txt"), kKnownHistory + "\"K2HIS\",\"001\",\"AL\"\r\n");

    dialogs->clear();
    trigger("mnuHistoryFileOn");
    EXPECT_EQ(dialogs->texts(), std::vector<QString>{"Search of the History File is turned ON"});
    EXPECT_EQ(window()->HistoryFile(), QStringLiteral("On"));
    typeInto("txtCallsign", QStringLiteral("k2his"));
    tab();
    EXPECT_EQ(text("txtPrevCon"),
              QStringLiteral("     The input data below is from the History File"));
    EXPECT_EQ(text("txtName"), QStringLiteral("ANN"));
}

}  // namespace
}  // namespace vl::ui::test
