// Leaving the callsign box: the dupe question, the earlier contacts from the
// log, the history file, the no-history notice, and the contact typed on to
// the end for each kind of station.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTimer>

#include "window_test_support.h"

namespace vl::ui::test {
namespace {

// A contact line of the log as the program writes it.
std::string logLine(const std::string& call, const std::string& sent, const std::string& rcvd,
                    const std::string& chapter, const std::string& name, const std::string& band,
                    const std::string& mode, const std::string& date, const std::string& time,
                    const std::string& comment) {
    auto pad = [](std::string s, size_t w) {
        s.resize(w, ' ');
        return s;
    };
    return "\"" + pad(call, 8) + "\",\"" + pad(sent, 4) + "\",\"" + pad(rcvd, 4) + "\",\"" +
           pad(chapter, 3) + "\",\"" + pad(name, 7) + "\",\"" + pad(band, 3) + "\",\"" +
           pad(mode, 3) + "\",\"" + pad(date, 10) + "\",\"" + pad(time, 6) + "\",\"" + comment +
           "\"\r\n";
}

const std::string kFirstW1xyz =
    logLine("W1XYZ", "59", "57", "123", "JOE", "40", "PHN", "06/01/2026", "14:05", "");
const std::string kLaterW1xyz =
    logLine("W1XYZ", "599", "579", "123", "JOSEPH", "15", "CW", "06/02/2026", "09:30", "QRP");
const std::string kOtherCall =
    logLine("K2OTH", "59", "59", "007", "AMY", "20", "PHN", "06/02/2026", "10:00", "");

// The previous-contact lines of the two W1XYZ contacts, in their columns.
const QString kFirstW1xyzLine =
    QStringLiteral("  06/01/2026  14:05   W1XYZ    59    57    123 JOE     40  PHN ");
const QString kLaterW1xyzLine =
    QStringLiteral("  06/02/2026  09:30   W1XYZ    599   579   123 JOSEPH  15  CW  QRP");

// Whether a box paints a selection: a pixel in a highlight colour.
bool paintsSelection(QWidget* box) {
    const QPalette standard = QApplication::palette(box);
    const QImage image = box->grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            for (auto group : {QPalette::Active, QPalette::Inactive}) {
                if (pixel == standard.color(group, QPalette::Highlight)) return true;
            }
        }
    }
    return false;
}

class LookupsWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
    }
    // The chapters-worked files of these folders are set apart from the log,
    // to show which the chapter check reads: start-up's offer of a recount
    // is declined.
    void start() {
        ASSERT_TRUE(startProgram());
        activate();
        dialogs->clear();
    }
    // Only the box with the cursor shows a selection.
    void expectOneSelectionShown(const char* focusedBox) {
        EXPECT_EQ(focused(), QString::fromLatin1(focusedBox));
        for (const char* box : {"txtCallsign", "txtYears", "txtRptRcv", "txtChapter", "txtName"}) {
            if (qstrcmp(box, focusedBox) == 0) continue;
            EXPECT_FALSE(paintsSelection(find<QWidget>(box))) << box;
        }
    }
    // One tick of a timer, as if its interval had run out.
    const QString kNoHistoryNotice = QStringLiteral(
        "     No previous contact or history for this station\n"
        "     Enter all information and Press F11\n"
        "     to add info to History file");
};

TEST_F(LookupsWindowTest, NewStationGetsTheNoticeAndIsLoggedAfterTheFullRow) {
    writeFile("vlqsolog.txt", kOtherCall);
    start();
    typeInto("txtCallsign", QStringLiteral("k1new"));
    tab();
    EXPECT_EQ(text("txtPrevCon"), kNoHistoryNotice);
    EXPECT_TRUE(visible("txtPrevCon"));
    EXPECT_FALSE(visible("txtRecentLog"));
    EXPECT_EQ(window()->WritHist(), 1);
    EXPECT_EQ(focused(), QStringLiteral("txtYears"));
    EXPECT_TRUE(paintsSelection(find<QWidget>("txtYears")));
    expectOneSelectionShown("txtYears");
    EXPECT_TRUE(dialogs->shown.empty());
    tab();
    EXPECT_TRUE(paintsSelection(find<QWidget>("txtRptRcv")));
    expectOneSelectionShown("txtRptRcv");
    tab();
    typeInto("txtChapter", QStringLiteral("123"));
    tab();
    EXPECT_EQ(text("txtNewChap"), QStringLiteral("Third Chapter,Chapter 123 is a NEW CHAPTER!"));
    typeInto("txtName", QStringLiteral("ann"));
    pressWindowKey(Qt::Key_Insert);
    EXPECT_TRUE(dialogs->shown.empty());
    const std::string date = text("txtDate").toStdString();
    const std::string time = text("txtTime").toStdString();
    EXPECT_EQ(readFile("vlqsolog.txt"),
              kOtherCall + logLine("K1NEW", "59", "59", "123", "ANN", "20", "PHN", date, time, ""));
    EXPECT_EQ(readFile("chapsworked.txt"), "\"123\"\r\n");
    EXPECT_TRUE(visible("txtRecentLog"));
    EXPECT_FALSE(visible("txtPrevCon"));
}

TEST_F(LookupsWindowTest, KnownStationIsListedPrefilledAndItsChapterChecked) {
    // 123 was worked on CW already; on phone it is still new.
    writeFile("vlqsolog.txt", kFirstW1xyz + kOtherCall + kLaterW1xyz);
    writeFile("CWchapsworked.txt", "\"123\"\r\n");
    start();
    typeInto("txtCallsign", QStringLiteral("w1xyz"));
    tab();
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(text("txtPrevCon"), kFirstW1xyzLine + QLatin1Char('\n') + kLaterW1xyzLine);
    EXPECT_TRUE(visible("txtPrevCon"));
    EXPECT_FALSE(visible("txtRecentLog"));
    // The latest contact was on CW: the phone row takes phone reports.
    EXPECT_EQ(text("txtYears"), QStringLiteral("59"));
    EXPECT_EQ(text("txtRptRcv"), QStringLiteral("59"));
    EXPECT_EQ(text("txtChapter"), QStringLiteral("123"));
    EXPECT_EQ(text("txtName"), QStringLiteral("JOSEPH "));
    expectOneSelectionShown("txtName");
    EXPECT_EQ(window()->chpfocck(), QStringLiteral("no"));
    EXPECT_EQ(window()->N(), 1);
    EXPECT_EQ(text("txtNewChap"), QStringLiteral("Third Chapter,Chapter 123 is a NEW CHAPTER!"));
    EXPECT_TRUE(visible("txtNewChap"));
    EXPECT_EQ(window()->WritHist(), 0);

    pressWindowKey(Qt::Key_Insert);
    EXPECT_TRUE(dialogs->shown.empty());
    const std::string date = text("txtDate").toStdString();
    const std::string time = text("txtTime").toStdString();
    EXPECT_EQ(readFile("vlqsolog.txt"),
              kFirstW1xyz + kOtherCall + kLaterW1xyz +
                  logLine("W1XYZ", "59", "59", "123", "JOSEPH", "20", "PHN", date, time, ""));
    EXPECT_EQ(readFile("chapsworked.txt"), "\"123\"\r\n");
}

TEST_F(LookupsWindowTest, KnownStationWithAChapterAlreadyWorkedInThisModeShowsNoNotice) {
    writeFile("vlqsolog.txt", kFirstW1xyz);
    writeFile("chapsworked.txt", "\"123\"\r\n");
    start();
    typeInto("txtCallsign", QStringLiteral("w1xyz"));
    tab();
    EXPECT_EQ(focused(), QStringLiteral("txtName"));
    EXPECT_EQ(window()->N(), 0);
    EXPECT_FALSE(visible("txtNewChap"));
    EXPECT_EQ(text("txtNewChap"), QString());
}

TEST_F(LookupsWindowTest, DupeAnsweredNoClearsTheRow) {
    writeFile("vlqsolog.txt", logLine("W1XYZ", "59", "57", "123", "JOE", "20", "PHN", "06/01/2026",
                                      "14:05", ""));
    start();
    typeInto("txtCallsign", QStringLiteral("w1xyz"));
    tab();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    const auto& asked = dialogs->shown.front();
    EXPECT_EQ(asked.kind, ScriptedDialogs::Shown::Kind::Question);
    EXPECT_EQ(asked.text, QStringLiteral("W1XYZ  JOE       is a Dupe this Band & Mode worked "
                                         "06/01/2026 14:05   Do You wish to continue?"));
    EXPECT_EQ(asked.title, QString());
    EXPECT_EQ(asked.icon, Dialogs::Icon::Question);
    EXPECT_FALSE(asked.defaultYes);
    for (const char* box : {"txtCallsign", "txtYears", "txtRptRcv", "txtChapter", "txtName",
                            "txtComment"}) {
        EXPECT_EQ(text(box), QString()) << box;
    }
    EXPECT_EQ(focused(), QStringLiteral("txtCallsign"));
    EXPECT_FALSE(visible("txtPrevCon"));
    // The emptied row knows nothing of a station: the notice is written and
    // F11 may add one; it asks for the chapter first.
    EXPECT_EQ(text("txtPrevCon"), kNoHistoryNotice);
    EXPECT_EQ(window()->WritHist(), 1);
    dialogs->clear();
    pressWindowKey(Qt::Key_F11);
    EXPECT_EQ(dialogs->texts(), std::vector<QString>{"You must enter a Chapter Number"});
    EXPECT_EQ(focused(), QStringLiteral("txtChapter"));
}

// A member and a non-member worked before: the chapter check on the
// pre-filled 599 must not turn the confirmed dupe into a scoring contact, and
// F12 cannot claim a bonus for it.
TEST_F(LookupsWindowTest, DupeAnsweredYesIsMarkedListedAndLoggedWithoutCounting) {
    struct Case {
        const char* call;
        const char* chapter;
        const char* name;
        const char* comment;
        QString listed;
    };
    const Case cases[] = {
        {"W1XYZ", "123", "JOE", "",
         QStringLiteral("  06/01/2026  14:05   W1XYZ    59    57    123 JOE     20  PHN ")},
        {"K9ZZZ", "599", "ED", "BNVL",
         QStringLiteral("  06/01/2026  14:05   K9ZZZ    59    57    599 ED      20  PHN BNVL")},
    };
    std::string log;
    for (const Case& c : cases) {
        log += logLine(c.call, "59", "57", c.chapter, c.name, "20", "PHN", "06/01/2026", "14:05",
                       c.comment);
    }
    writeFile("vlqsolog.txt", log);
    writeFile("chapsworked.txt", "\"123\"\r\n");
    writeFile("BonusCall.txt", "\"K9ZZZ\"\r\n");
    start();
    const QString before = text("txt20PHN");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        const QString call = QString::fromLatin1(c.call);
        dialogs->clear();
        dialogs->answers = {true};
        typeInto("txtCallsign", call.toLower());
        tab();
        EXPECT_EQ(dialogs->shown.size(), 1u);
        EXPECT_EQ(text("txtComment"), QStringLiteral("DUPE"));
        EXPECT_EQ(text("txtPrevCon"), c.listed);
        EXPECT_EQ(text("txtChapter"), QString::fromLatin1(c.chapter));
        EXPECT_EQ(text("txtName"), QString::fromLatin1(c.name).leftJustified(7));
        EXPECT_EQ(focused(), QStringLiteral("txtName"));
        EXPECT_FALSE(visible("txtbonusclaim"));
        pressWindowKey(Qt::Key_F12);
        // Back through the chapter box: still a dupe.
        focusBox("txtChapter");
        tab();
        EXPECT_EQ(text("txtComment"), QStringLiteral("DUPE"));
        pressWindowKey(Qt::Key_Insert);
        EXPECT_EQ(dialogs->shown.size(), 1u);
        const std::string date = text("txtDate").toStdString();
        const std::string time = text("txtTime").toStdString();
        log += logLine(c.call, "59", "57", c.chapter, c.name, "20", "PHN", date, time, "DUPE");
        EXPECT_EQ(readFile("vlqsolog.txt"), log);
        EXPECT_EQ(text("txt20PHN"), before);
        EXPECT_EQ(text("txtComment"), QString());
    }
    EXPECT_EQ(readFile("BonusCall.txt"), "\"K9ZZZ\"\r\n");
}

TEST_F(LookupsWindowTest, SameStationOnAnotherBandIsNoDupeButIsListed) {
    writeFile("vlqsolog.txt", kFirstW1xyz);  // 40 m phone
    start();
    typeInto("txtCallsign", QStringLiteral("w1xyz"));
    tab();
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(text("txtPrevCon"), kFirstW1xyzLine);
    // Same mode: the reports are carried over as they were.
    EXPECT_EQ(text("txtYears"), QStringLiteral("59  "));
    EXPECT_EQ(text("txtRptRcv"), QStringLiteral("57  "));

    // The same station on CW after a phone contact is logged with CW reports.
    trigger("mnuClear");
    pressWindowKey(Qt::Key_W, Qt::ControlModifier);
    typeInto("txtCallsign", QStringLiteral("w1xyz"));
    tab();
    EXPECT_EQ(text("txtYears"), QStringLiteral("599"));
    EXPECT_EQ(text("txtRptRcv"), QStringLiteral("599"));
    pressWindowKey(Qt::Key_Insert);
    const std::string date = text("txtDate").toStdString();
    const std::string time = text("txtTime").toStdString();
    EXPECT_EQ(readFile("vlqsolog.txt"),
              kFirstW1xyz +
                  logLine("W1XYZ", "599", "599", "123", "JOE", "20", "CW", date, time, ""));
}

TEST_F(LookupsWindowTest, NonMemberGetsNvlAndABonusReminderForTwoSeconds) {
    start();
    typeInto("txtCallsign", QStringLiteral("k9zzz"));
    tab();
    tab();
    tab();
    typeInto("txtChapter", QStringLiteral("599"));
    tab();
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(text("txtComment"), QStringLiteral("NVL"));
    EXPECT_EQ(focused(), QStringLiteral("txtName"));
    EXPECT_TRUE(visible("txtbonusclaim"));
    EXPECT_EQ(text("txtbonusclaim"), QStringLiteral("          Press F-12 to claim NVL Bonus"));
    ASSERT_TRUE(timer("tmrbonus")->isActive());
    EXPECT_EQ(timer("tmrbonus")->interval(), 2000);
    tick("tmrbonus");
    EXPECT_FALSE(visible("txtbonusclaim"));
    EXPECT_FALSE(timer("tmrbonus")->isActive());

    typeInto("txtName", QStringLiteral("ed"));
    pressWindowKey(Qt::Key_F12);
    EXPECT_EQ(text("txtComment"), QStringLiteral("BNVL"));
    pressWindowKey(Qt::Key_Insert);
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(readFile("BonusCall.txt"), "\"K9ZZZ\"\r\n");
}

TEST_F(LookupsWindowTest, HistoryMatchPrefillsChapterAndName) {
    writeFile("vlhistory.txt", "\"K2HIS\",\"007\",\"ANN\"\r\n\"K2HIS\",\"123\",\"BOB\"\r\n");
    start();
    typeInto("txtCallsign", QStringLiteral("k2his"));
    tab();
    EXPECT_EQ(text("txtPrevCon"),
              QStringLiteral("     The input data below is from the History File"));
    EXPECT_EQ(text("txtChapter"), QStringLiteral("007"));
    EXPECT_EQ(text("txtName"), QStringLiteral("ANN"));
    EXPECT_EQ(focused(), QStringLiteral("txtName"));
    // The reports the cursor passed by hold their defaults, so INSERT logs it.
    EXPECT_EQ(text("txtYears"), QStringLiteral("59"));
    EXPECT_EQ(text("txtRptRcv"), QStringLiteral("59"));
    EXPECT_EQ(window()->N(), 1);
    EXPECT_EQ(text("txtNewChap"), QStringLiteral("Seventh Chapter,Chapter 007 is a NEW CHAPTER!"));
    EXPECT_EQ(window()->WritHist(), 0);
}

TEST_F(LookupsWindowTest, HistoryMatchOfAMalformedCallIsRefusedLikeATypedOne) {
    writeFile("vlhistory.txt", "\"KK\",\"007\",\"ANN\"\r\n");
    start();
    typeInto("txtCallsign", QStringLiteral("kk"));
    tab();
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("Invalid Callsign"));
    EXPECT_EQ(text("txtCallsign"), QString());
    EXPECT_EQ(text("txtChapter"), QString());
    EXPECT_EQ(focused(), QStringLiteral("txtCallsign"));
}

TEST_F(LookupsWindowTest, HistoryRecordWithABlankChapterGetsTheOwnChapter) {
    writeFile("vlhistory.txt", "\"K2HIS\",\" \",\"ANN\"\r\n");
    start();
    typeInto("txtCallsign", QStringLiteral("k2his"));
    tab();
    EXPECT_EQ(text("txtChapter"), QStringLiteral("012"));
    EXPECT_EQ(text("txtName"), QStringLiteral("ANN"));
    EXPECT_EQ(focused(), QStringLiteral("txtName"));
}

TEST_F(LookupsWindowTest, UnreadableLogIsReportedOncePerLookUp) {
    start();
    ASSERT_TRUE(QFile::remove(QString::fromStdString(path("vlqsolog.txt"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("vlqsolog.txt")));
    typeInto("txtCallsign", QStringLiteral("k1abc"));
    tab();
    const std::vector<QString> shown = dialogs->texts();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("An unexpected error as occurred: \r\nError number: ")));
    EXPECT_TRUE(shown[0].endsWith(QStringLiteral("\r\nThis error occurred checking Log for Dupes\r\n")));
    EXPECT_TRUE(shown[1].endsWith(
        QStringLiteral("\r\nThis error occurred checking Log for Previous Contacts\r\n")));
    // The row stays usable.
    EXPECT_EQ(text("txtCallsign"), QStringLiteral("K1ABC"));
}

// Typed letter by letter, the call is checked as it grows: the partial check
// lists the log's and the history's calls, the box turns to the warning
// colour on an exact dupe, nothing takes the focus; the needed chapters
// mark a typed chapter and lose it once the contact is logged.
TEST_F(LookupsWindowTest, CheckPanelsFollowTheCallAsItIsTyped) {
    writeFile("vlqsolog.txt", kFirstW1xyz + kLaterW1xyz + kOtherCall);
    writeFile("vlhistory.txt", "\"W1XYA\",\"5\",\"ANN\"\r\n");
    start();
    find<QComboBox>("cboBand")->setCurrentIndex(2);  // 40 m, phone: W1XYZ is a dupe
    auto* box = find<QLineEdit>("txtCallsign");
    auto* panel = find<QListWidget>("lstPartialCheck");
    const QColor normal = box->palette().color(QPalette::Base);
    struct Step {
        QString typed;
        QStringList lines;
        bool dupe;
    };
    const QString w1xyz = QStringLiteral("W1XYZ      123  JOSEPH   ");
    const QString w1xya = QStringLiteral("W1XYA      5    ANN      history");
    const Step steps[] = {
        {"w", {}, false},
        {"1", {w1xyz + "dupe", w1xya}, false},
        {"x", {w1xyz + "dupe", w1xya}, false},
        {"y", {w1xyz + "dupe", w1xya}, false},
        {"z", {w1xyz + "dupe"}, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.typed.toStdString());
        typeInto("txtCallsign", step.typed);
        QStringList lines;
        for (int i = 0; i < panel->count(); ++i) lines << panel->item(i)->text();
        EXPECT_EQ(lines, step.lines);
        EXPECT_EQ(box->palette().color(QPalette::Base) != normal, step.dupe);
        EXPECT_EQ(box->accessibleDescription(), step.dupe ? "dupe" : "");
        EXPECT_EQ(focused(), QStringLiteral("txtCallsign"));
    }
    find<QComboBox>("cboBand")->setCurrentIndex(4);  // 15 m: worked there on CW only
    EXPECT_EQ(panel->item(0)->text(), w1xyz + "worked 40 PHN, 15 CW");
    EXPECT_EQ(box->accessibleDescription(), "");
    box->clear();
    EXPECT_EQ(panel->count(), 0);

    // Chapters 001, 007, 012 and 123 are on the roster; none worked on phone.
    auto* needed = find<QListWidget>("lstNeededChapters");
    auto* title = find<QLabel>("lblNeededChapters");
    EXPECT_EQ(title->text(), "Needed chapters (PHN): 4");
    typeContact(QStringLiteral("k1new"), QStringLiteral("7"), QStringLiteral("ann"));
    EXPECT_EQ(needed->item(1)->text(), "007 Seventh Chapter");
    EXPECT_NE(needed->item(1)->background(), QBrush());
    pressWindowKey(Qt::Key_Insert);
    settle();
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_EQ(title->text(), "Needed chapters (PHN): 3");
    EXPECT_EQ(needed->findItems("007", Qt::MatchStartsWith).size(), 0);
    // The new contact is in the index at once.
    typeInto("txtCallsign", QStringLiteral("k1new"));
    EXPECT_EQ(box->accessibleDescription(), "dupe");

    // View > Check Panels hides them and keeps the choice for the next run.
    pressWindowKey(Qt::Key_K, Qt::ControlModifier);
    EXPECT_FALSE(find<QWidget>("dockCheckPanels")->isVisible());
    EXPECT_EQ(readFile("VLCheckPanels.txt"), "\"Off\"\r\n");
}

}  // namespace
}  // namespace vl::ui::test
