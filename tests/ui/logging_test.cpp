// Logging contacts with INSERT: the files written, the counters grid, the
// recent-log box, the refused INSERTs, and the score boxes.
#include "window_test_support.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QTimer>

namespace vl::ui::test {
namespace {

const QString kIncomplete = QStringLiteral("You Must complete all Input to Log a Contact");
const QString kChapterNotChecked =
    QStringLiteral("You must press Tab to check Chapter status before logging contact");
const QString kPressTab = QStringLiteral("You Must PRESS TAB before you PRESS INSERT");
const QString kWriteFailedEnd = QStringLiteral("\r\nThis error occurredd writing QSO to Log\r\n");

// A log line of ten earlier contacts K1AAA .. K1AAJ, 14:00 .. 14:09.
std::string earlierRecord(int n) {
    const std::string call = std::string("K1AA") + char('A' + n) + "   ";
    return "\"" + call + "\",\"59  \",\"57  \",\"007\",\"AL     \",\"20 \",\"PHN\",\"05/10/2026\",\"14:0" +
           std::to_string(n) + " \",\"\"\r\n";
}

class LoggingTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
    }
    void start() {
        ASSERT_TRUE(startProgram());
        activate();
    }
    // The date and time fields of a record logged now, as the log holds them.
    std::string stampFields() const {
        std::string time = text("txtTime").toStdString();
        time.resize(6, ' ');
        return "\"" + text("txtDate").toStdString() + "\",\"" + time + "\"";
    }
    // Types a whole contact and presses INSERT; returns what the date and
    // time fields of its record must be.
    std::string logContact(const QString& call, const QString& chapter, const QString& name,
                           bool claimBonus = false) {
        typeContact(call, chapter, name);
        if (claimBonus) pressWindowKey(Qt::Key_F12);
        const std::string stamp = stampFields();
        pressWindowKey(Qt::Key_Insert);
        return stamp;
    }
    QStringList listItems(const char* name) const {
        QStringList items;
        auto* list = find<QListWidget>(name);
        for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
        return items;
    }
    QStringList recentLines() const { return text("txtRecentLog").split(QLatin1Char('\n')); }
    // Runs a timer's tick as if its interval had passed.
    void tick(const char* timerName) {
        auto* timer = find<QTimer>(timerName);
        ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout"));
        settle();
    }
    void expectNoMessages() {
        for (const QString& t : dialogs->texts()) ADD_FAILURE() << "shown: " << t.toStdString();
        dialogs->clear();
    }
    // Every file the contact touches, to show that nothing changed.
    std::vector<std::string> derivedFiles() const {
        return {readFile("vlqsolog.txt"), readFile("chapsworked.txt"), readFile("CWchapsworked.txt"),
                readFile("DIGchapswrk.txt"), readFile("BonusCall.txt")};
    }
};

TEST_F(LoggingTest, SeveralContactsAreWrittenToEveryFileByteForByte) {
    start();
    const std::string s1 = logContact("k1abc", "7", "bob");
    EXPECT_EQ(text("txtCallsign"), QString()) << "the row is cleared";
    trigger("mnuCWMode");
    const std::string s2 = logContact("n0xyz", "123", "al");
    trigger("mnuPhoneMode");
    trigger("mnuBandMode40");
    const std::string s3 = logContact("k3nvl", "599", "ed", true);
    trigger("mnuBandMode20");
    const std::string s4 = logContact("w4dup", "7", "cy");  // 007 is no longer new on phone
    expectNoMessages();

    const std::string z = kSlashedZero;
    EXPECT_EQ(readFile("vlqsolog.txt"),
              "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"BOB    \",\"20 \",\"PHN\"," + s1 + ",\"\"\r\n"
              "\"N" + z + "XYZ   \",\"599 \",\"599 \",\"123\",\"AL     \",\"20 \",\"CW \"," + s2 + ",\"\"\r\n"
              "\"K3NVL   \",\"59  \",\"59  \",\"599\",\"ED     \",\"40 \",\"PHN\"," + s3 + ",\"BNVL\"\r\n"
              "\"W4DUP   \",\"59  \",\"59  \",\"007\",\"CY     \",\"20 \",\"PHN\"," + s4 + ",\"\"\r\n");
    EXPECT_EQ(readFile("chapsworked.txt"), "\"007\"\r\n\"599\"\r\n");
    EXPECT_EQ(readFile("CWchapsworked.txt"), "\"123\"\r\n");
    EXPECT_EQ(readFile("DIGchapswrk.txt"), "");
    EXPECT_EQ(readFile("BonusCall.txt"), "\"K3NVL\"\r\n");

    EXPECT_EQ(listItems("lstChptrswrked"), (QStringList{"007", "599"}));
    EXPECT_EQ(listItems("lstCWChapswrked"), (QStringList{"123"}));
    EXPECT_EQ(window()->counters().chptot, 2);
    EXPECT_EQ(window()->counters().ochptot, 1);

    // The grid: a blank, then the number.
    const std::pair<const char*, const char*> cells[] = {
        {"txt20PHN", " 2"}, {"txt20CW", " 1"},  {"txt20DIG", " 0"},  {"txt20TOT", " 3"},
        {"txt40PHN", " 1"}, {"txt40TOT", " 1"}, {"txt160CW", " 0"},  {"txtUVTOT", " 0"},
        {"txtTOTPHN", " 3"}, {"txtTOTCW", " 1"}, {"txtTOTDIG", " 0"}, {"txtTOTTOT", " 4"}};
    for (const auto& [cell, shown] : cells) EXPECT_EQ(text(cell), QString::fromLatin1(shown)) << cell;

    // The row is empty again, date and time kept, the cursor at the callsign.
    for (const char* box : {"txtCallsign", "txtYears", "txtRptRcv", "txtChapter", "txtName",
                            "txtComment"}) {
        EXPECT_TRUE(text(box).isEmpty()) << box;
    }
    EXPECT_FALSE(text("txtDate").isEmpty());
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("txtCallsign"));
    EXPECT_EQ(text("cboBand"), QStringLiteral("20"));
    EXPECT_EQ(window()->N(), 0);

    // The recent-log box in the refresh layout, newest last.
    const QStringList lines = recentLines();
    ASSERT_EQ(lines.size(), 4);
    const QString date = text("txtDate");
    EXPECT_TRUE(lines[2].startsWith(date)) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("K3NVL     59    59    599 ED      40  PHN BNVL")))
        << lines[2].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral("N\u00D8XYZ     599   599   123 AL      20  CW  ")));
}

TEST_F(LoggingTest, RecentLogBoxTurnsFromStartUpLayoutToRefreshLayout) {
    std::string log;
    for (int n = 0; n < 10; ++n) log += earlierRecord(n);
    writeFile("vlqsolog.txt", log);
    writeFile("chapsworked.txt", "\"007\"\r\n");
    start();

    // At start: records 2 to 10 in the start-up layout.
    QStringList lines = recentLines();
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], QStringLiteral("  05/10/2026") + "  14:01 " + "K1AAB   " + "  59  " +
                            " 57  " + " 007" + " AL     " + "  20 " + " PHN" + " ");
    EXPECT_EQ(lines[8], QStringLiteral("  05/10/2026") + "  14:09 " + "K1AAJ   " + "  59  " +
                            " 57  " + " 007" + " AL     " + "  20 " + " PHN" + " ");

    // After the first INSERT: records 3 to 11, all in the refresh layout.
    const std::string stamp = logContact("w1new", "123", "di");
    expectNoMessages();
    lines = recentLines();
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], QStringLiteral("05/10/2026") + "  14:02 " + "K1AAC   " + "  59  " +
                            "  57  " + "  007" + " AL     " + " 20 " + " PHN" + " ");
    EXPECT_EQ(lines[7], QStringLiteral("05/10/2026") + "  14:09 " + "K1AAJ   " + "  59  " +
                            "  57  " + "  007" + " AL     " + " 20 " + " PHN" + " ");
    std::string time = text("txtTime").toStdString();
    time.resize(6, ' ');
    EXPECT_EQ(lines[8], text("txtDate") + "  " + QString::fromStdString(time) + "W1NEW   " +
                            "  59  " + "  59  " + "  123" + " DI     " + " 20 " + " PHN" + " ");
    EXPECT_EQ(readFile("vlqsolog.txt"), log + "\"W1NEW   \",\"59  \",\"59  \",\"123\",\"DI     \","
                                              "\"20 \",\"PHN\"," + stamp + ",\"\"\r\n");
}

TEST_F(LoggingTest, RecentLogBoxShowsWholeShortLogsAndStaysEmptyForAnEmptyOne) {
    start();
    EXPECT_EQ(text("txtRecentLog"), QString());
    host.reset();
    std::string log;
    for (int n = 0; n < 9; ++n) log += earlierRecord(n);
    writeFile("vlqsolog.txt", log);
    start();
    const QStringList lines = recentLines();
    ASSERT_EQ(lines.size(), 9);
    EXPECT_TRUE(lines[0].contains(QStringLiteral("K1AAA"))) << lines[0].toStdString();
}

// Each refused INSERT shows its message and changes nothing.
struct RefusedCase {
    const char* label;
    QString message;
    std::function<void(LoggingTest&)> prepare;
};
void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.label; }

class RefusedInsertTest : public LoggingTest, public ::testing::WithParamInterface<RefusedCase> {
public:
    using WindowTest::tab;
    void setChapterText(const QString& chapter) {
        find<QLineEdit>("txtChapter")->setText(chapter);
    }
    void typeUpToChapter(const QString& chapter) {
        typeInto("txtCallsign", QStringLiteral("K1ABC"));
        tab();
        tab();
        tab();
        typeInto("txtChapter", chapter);
    }
    void clearBox(const char* name) {
        focusBox(name);
        find<QLineEdit>(name)->selectAll();
        QTest::keyClick(find<QWidget>(name), Qt::Key_Backspace);
        settle();
    }
};

TEST_P(RefusedInsertTest, ShowsItsMessageAndWritesNothing) {
    start();
    GetParam().prepare(*this);
    dialogs->clear();
    const std::vector<std::string> before = derivedFiles();
    QStringList row;
    for (const char* box : {"txtCallsign", "txtYears", "txtRptRcv", "txtChapter", "txtName"}) {
        row << text(box);
    }
    const QString recent = text("txtRecentLog");

    pressWindowKey(Qt::Key_Insert);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].text, GetParam().message);
    EXPECT_EQ(dialogs->shown[0].kind, ScriptedDialogs::Shown::Kind::Message);
    EXPECT_EQ(derivedFiles(), before);
    QStringList after;
    for (const char* box : {"txtCallsign", "txtYears", "txtRptRcv", "txtChapter", "txtName"}) {
        after << text(box);
    }
    EXPECT_EQ(after, row);
    EXPECT_EQ(text("txtRecentLog"), recent);
    EXPECT_EQ(text("txtTOTTOT"), QStringLiteral(" 0"));
}

INSTANTIATE_TEST_SUITE_P(
    Preconditions, RefusedInsertTest,
    ::testing::Values(
        RefusedCase{"EmptyRow", kIncomplete, [](LoggingTest&) {}},
        RefusedCase{"EmptyReportReceived", kIncomplete,
                    [](LoggingTest& t) {
                        auto& r = static_cast<RefusedInsertTest&>(t);
                        r.typeUpToChapter(QStringLiteral("7"));
                        r.tab();
                        r.clearBox("txtRptRcv");
                    }},
        RefusedCase{"ChapterTypedWithoutTab", kChapterNotChecked,
                    [](LoggingTest& t) {
                        static_cast<RefusedInsertTest&>(t).typeUpToChapter(QStringLiteral("7"));
                    }},
        RefusedCase{"ChapterFilledInWithoutItsCheck", kPressTab,
                    [](LoggingTest& t) {
                        auto& r = static_cast<RefusedInsertTest&>(t);
                        r.typeUpToChapter(QStringLiteral("7"));
                        r.tab();
                        // A short chapter that never went through the check.
                        r.setChapterText(QStringLiteral("7"));
                    }}),
    [](const auto& info) { return std::string(info.param.label); });

// TAB out of the chapter box and a command typed together (a fast typist, a
// keyboard macro): the command acts on the row as the chapter check left it.
TEST_F(LoggingTest, CommandRightAfterTabActsOnTheCheckedRow) {
    start();
    writeFile("vlhistory.txt", "");
    struct Case {
        const char* call;
        const char* chapter;
        Qt::Key key;
    };
    for (const Case& c : {Case{"k1abc", "7", Qt::Key_Insert}, Case{"k2nvl", "599", Qt::Key_F12},
                          Case{"k3new", "1", Qt::Key_F11}}) {
        SCOPED_TRACE(c.call);
        typeInto("txtCallsign", QString::fromLatin1(c.call));
        tab();
        tab();
        tab();
        typeInto("txtChapter", QString::fromLatin1(c.chapter));
        dialogs->clear();
        dialogs->answers = {true};  // F11: log the contact too
        const std::string log = readFile("vlqsolog.txt");
        const std::string stamp = stampFields();
        QWidget* chapterBox = QApplication::focusWidget();
        ASSERT_EQ(chapterBox, find<QWidget>("txtChapter"));
        // No events are processed between TAB and the command: INSERT and F11
        // act on their press, F12 on its release.
        QTest::keyClick(chapterBox, Qt::Key_Tab);
        if (c.key == Qt::Key_F12) {
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent event(type, c.key, Qt::NoModifier);
                QCoreApplication::sendEvent(window()->windowHandle(), &event);
            }
        } else {
            QTest::keyClick(window()->windowHandle(), c.key);
        }
        settle();
        if (c.key == Qt::Key_F12) {
            expectNoMessages();
            EXPECT_EQ(text("txtComment"), QStringLiteral("BNVL"));
            trigger("mnuClear");
            continue;
        }
        if (c.key == Qt::Key_F11) {
            EXPECT_EQ(dialogs->texts(), std::vector<QString>{"Do you wish to log this contact?"});
            dialogs->clear();
            EXPECT_EQ(readFile("vlhistory.txt"), "\"K3NEW\",\"001\",\"\"\r\n");
        }
        expectNoMessages();
        const std::string call = QString::fromLatin1(c.call).toUpper().toStdString();
        const std::string chapter = c.key == Qt::Key_F11 ? "001" : "007";
        EXPECT_EQ(readFile("vlqsolog.txt"), log + "\"" + call + "   \",\"59  \",\"59  \",\"" +
                                                chapter + "\",\"       \",\"20 \",\"PHN\"," + stamp +
                                                ",\"\"\r\n");
        EXPECT_EQ(text("txtCallsign"), QString());
    }
    EXPECT_EQ(readFile("chapsworked.txt"), "\"007\"\r\n\"001\"\r\n");
}

TEST_F(LoggingTest, SecondInsertRightAfterALoggedContactIsRefused) {
    start();
    logContact("k1abc", "7", "bob");
    expectNoMessages();
    pressWindowKey(Qt::Key_Insert);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].text, kIncomplete);
}

TEST_F(LoggingTest, DuplicateIsLoggedButCountsForNothing) {
    start();
    logContact("k1abc", "7", "bob");
    expectNoMessages();
    const std::vector<std::string> before = derivedFiles();

    dialogs->answers = {true};  // log the duplicate anyway
    typeContact("k1abc", "7", "bob");
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].kind, ScriptedDialogs::Shown::Kind::Question);
    dialogs->clear();
    EXPECT_EQ(text("txtComment"), QStringLiteral("DUPE"));
    const std::string s2 = stampFields();
    pressWindowKey(Qt::Key_Insert);
    expectNoMessages();

    EXPECT_EQ(readFile("vlqsolog.txt"),
              before[0] + "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"BOB    \",\"20 \",\"PHN\"," + s2 +
                  ",\"DUPE\"\r\n");
    EXPECT_EQ(readFile("chapsworked.txt"), before[1]);
    EXPECT_EQ(readFile("BonusCall.txt"), "");
    EXPECT_EQ(text("txt20PHN"), QStringLiteral(" 1"));
    EXPECT_EQ(text("txtTOTTOT"), QStringLiteral(" 1"));
    EXPECT_EQ(listItems("lstChptrswrked"), (QStringList{"007"}));
    EXPECT_EQ(text("txtComment"), QString());
    EXPECT_EQ(text("txtCallsign"), QString());
    EXPECT_FALSE(find<QWidget>("txtPrevCon")->isVisible());
    EXPECT_TRUE(find<QWidget>("txtRecentLog")->isVisible());
    EXPECT_EQ(recentLines().size(), 2);
    EXPECT_TRUE(recentLines()[1].endsWith(QStringLiteral("PHN DUPE")));
}

TEST_F(LoggingTest, ClaimedBonusIsWrittenToTheBonusFileAndCounted) {
    start();
    typeContact("n0bon", "599", "jo");
    EXPECT_EQ(text("txtComment"), QStringLiteral("NVL"));
    pressWindowKey(Qt::Key_F12);
    EXPECT_EQ(text("txtComment"), QStringLiteral("BNVL"));
    pressWindowKey(Qt::Key_Insert);
    expectNoMessages();
    EXPECT_EQ(readFile("BonusCall.txt"), "\"N" + kSlashedZero + "BON\"\r\n");
    EXPECT_EQ(text("txtTOTPHN"), QStringLiteral(" 1"));
}

TEST_F(LoggingTest, CountOffLeavesTheCountersWhileTheFilesGrow) {
    start();
    logContact("k1abc", "7", "bob");
    trigger("mnuCountOff");
    EXPECT_EQ(window()->CountFlag(), QStringLiteral("No"));
    logContact("w2abc", "123", "al");
    logContact("w3abc", "1", "cy");
    expectNoMessages();
    EXPECT_EQ(text("txt20PHN"), QStringLiteral(" 1"));
    EXPECT_EQ(text("txtTOTTOT"), QStringLiteral(" 1"));
    EXPECT_EQ(readFile("chapsworked.txt"), "\"007\"\r\n\"123\"\r\n\"001\"\r\n");
    EXPECT_EQ(recentLines().size(), 3);

    trigger("mnuCountOn");
    logContact("w4abc", "7", "di");
    expectNoMessages();
    EXPECT_EQ(text("txt20PHN"), QStringLiteral(" 2"));
}

TEST_F(LoggingTest, ContactStaysInTheRowWhenTheLogCannotBeWritten) {
    start();
    logContact("w2abc", "123", "al");
    typeContact("k1abc", "7", "bob");
    expectNoMessages();
    ASSERT_EQ(window()->N(), 1);
    const std::vector<std::string> before = derivedFiles();
    const QString recent = text("txtRecentLog");

    // A folder in the log's place: no program can append to it.
    const QString logPath = QString::fromStdString(path("vlqsolog.txt"));
    ASSERT_TRUE(QFile::rename(logPath, logPath + ".kept"));
    ASSERT_TRUE(QDir().mkdir(logPath));
    pressWindowKey(Qt::Key_Insert);

    ASSERT_EQ(dialogs->shown.size(), 1u);
    const QString report = dialogs->shown[0].text;
    EXPECT_TRUE(report.startsWith(QStringLiteral("An unexpected error as occurred: \r\nError number: ")))
        << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("\r\nDescription: "))) << report.toStdString();
    EXPECT_TRUE(report.endsWith(kWriteFailedEnd)) << report.toStdString();
    dialogs->clear();

    // The contact is still in the row, and nothing else changed.
    EXPECT_EQ(text("txtCallsign"), QStringLiteral("K1ABC"));
    EXPECT_EQ(text("txtYears"), QStringLiteral("59"));
    EXPECT_EQ(text("txtRptRcv"), QStringLiteral("59"));
    EXPECT_EQ(text("txtChapter"), QStringLiteral("007"));
    EXPECT_EQ(text("txtName"), QStringLiteral("BOB"));
    EXPECT_EQ(window()->N(), 1);
    EXPECT_EQ(listItems("lstChptrswrked"), (QStringList{"123"}));
    EXPECT_EQ(text("txtTOTTOT"), QStringLiteral(" 1"));
    EXPECT_EQ(text("txtRecentLog"), recent);
    EXPECT_EQ(readFile("chapsworked.txt"), before[1]);
    EXPECT_EQ(readFile("BonusCall.txt"), before[4]);

    // Once the cause is gone the same row is logged in full.
    ASSERT_TRUE(QDir().rmdir(logPath));
    ASSERT_TRUE(QFile::rename(logPath + ".kept", logPath));
    const std::string stamp = stampFields();
    pressWindowKey(Qt::Key_Insert);
    expectNoMessages();
    EXPECT_EQ(readFile("vlqsolog.txt"),
              before[0] + "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"BOB    \",\"20 \",\"PHN\"," +
                  stamp + ",\"\"\r\n");
    EXPECT_EQ(readFile("chapsworked.txt"), "\"123\"\r\n\"007\"\r\n");
    EXPECT_EQ(text("txtTOTTOT"), QStringLiteral(" 2"));
}

TEST_F(LoggingTest, FailureAfterTheLogIsReportedAndLoggingGoesOn) {
    start();
    typeContact("k1abc", "7", "bob");
    const QString chapters = QString::fromStdString(path("chapsworked.txt"));
    ASSERT_TRUE(QFile::remove(chapters));
    ASSERT_TRUE(QDir().mkdir(chapters));
    const std::string stamp = stampFields();
    pressWindowKey(Qt::Key_Insert);

    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_TRUE(dialogs->shown[0].text.endsWith(kWriteFailedEnd));
    EXPECT_EQ(readFile("vlqsolog.txt"), "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"BOB    \",\"20 \","
                                        "\"PHN\"," + stamp + ",\"\"\r\n");
    EXPECT_EQ(text("txtCallsign"), QString());
    // The chapter the file did not take is neither listed nor counted; the
    // contact itself is counted.
    EXPECT_EQ(listItems("lstChptrswrked"), QStringList());
    EXPECT_EQ(window()->counters().chptot, 0);
    EXPECT_EQ(text("txt20PHN"), QStringLiteral(" 1"));
    EXPECT_EQ(recentLines().size(), 1);
}

// A hand-edited log: a line that is not a record, an unterminated quote, and
// a last line without its line end. Start-up reads what it can; the next
// contact goes on a line of its own instead of being glued to the last one.
TEST_F(LoggingTest, ContactAfterAHandEditedLogStartsOnItsOwnLine) {
    const std::string edited =
        "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"AL     \",\"20 \",\"PHN\",\"05/10/2026\",\"14:00 \",\"\"\r\n"
        "garbage line\n"
        "\n"
        "\"W2X\",\"59\n"
        "\"K1ABD\",\"59\",\"59\",\"7\",\"BO\",\"40\",\"CW\",\"05/10/2026\",\"14:01\",\"x\"";
    writeFile("vlqsolog.txt", edited);
    writeFile("chapsworked.txt", "\"123\"");
    start();
    // The chapters-worked files do not hold the log's chapters: a recount is
    // offered, and declined.
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_TRUE(dialogs->lastText().contains(QStringLiteral("chapter 007 (phone), chapter 7 (CW)")));
    dialogs->clear();
    EXPECT_EQ(text("txt20PHN"), QStringLiteral(" 1"));
    EXPECT_EQ(text("txt40CW"), QStringLiteral(" 1"));
    ASSERT_FALSE(recentLines().isEmpty());
    EXPECT_TRUE(recentLines().last().endsWith(QStringLiteral("40  CW  x")));

    const std::string stamp = logContact("w9new", "12", "zz");
    expectNoMessages();
    EXPECT_EQ(readFile("vlqsolog.txt"),
              edited + "\r\n\"W9NEW   \",\"59  \",\"59  \",\"012\",\"ZZ     \",\"20 \",\"PHN\"," + stamp +
                  ",\"\"\r\n");
    EXPECT_EQ(readFile("chapsworked.txt"), "\"123\"\r\n\"012\"\r\n");
    EXPECT_TRUE(recentLines().last().endsWith(QStringLiteral("W9NEW     59    59    012 ZZ      20  PHN ")))
        << recentLines().last().toStdString();
    EXPECT_EQ(text("txt20PHN"), QStringLiteral(" 2"));
}

// Which cells one contact moves: the band-and-mode cell, the band total, the
// mode total and the grand total; a band no row counts moves only the files.
struct CountedCase {
    const char* label;
    int band;          // position in the band list
    const char* mode;  // the menu command that selects the mode
    std::vector<const char*> raised;
    const char* chaptersFile;
};
void PrintTo(const CountedCase& c, std::ostream* os) { *os << c.label; }

class CountedContactTest : public LoggingTest, public ::testing::WithParamInterface<CountedCase> {};

TEST_P(CountedContactTest, RaisesExactlyItsCells) {
    start();
    find<QComboBox>("cboBand")->setCurrentIndex(GetParam().band);
    trigger(GetParam().mode);
    logContact("k1abc", "7", "bob");
    expectNoMessages();
    for (const char* band : {"160", "80", "40", "20", "15", "10", "6", "UV", "TOT"}) {
        for (const char* column : {"CW", "PHN", "DIG", "TOT"}) {
            const std::string cell = std::string("txt") + band + column;
            bool raised = false;
            for (const char* r : GetParam().raised) raised = raised || cell == r;
            EXPECT_EQ(text(cell.c_str()), raised ? QStringLiteral(" 1") : QStringLiteral(" 0")) << cell;
        }
    }
    EXPECT_EQ(readFile(GetParam().chaptersFile), "\"007\"\r\n");
    EXPECT_EQ(recentLines().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    BandsAndModes, CountedContactTest,
    ::testing::Values(
        CountedCase{"CW160", 0, "mnuCWMode", {"txt160CW", "txt160TOT", "txtTOTCW", "txtTOTTOT"},
                    "CWchapsworked.txt"},
        CountedCase{"Digital160", 0, "mnuDigitalMode",
                    {"txt160DIG", "txt160TOT", "txtTOTDIG", "txtTOTTOT"}, "DIGchapswrk.txt"},
        CountedCase{"Phone6", 6, "mnuPhoneMode", {"txt6PHN", "txt6TOT", "txtTOTPHN", "txtTOTTOT"},
                    "chapsworked.txt"},
        CountedCase{"Phone10", 5, "mnuPhoneMode",
                    {"txt10PHN", "txt10TOT", "txtTOTPHN", "txtTOTTOT"}, "chapsworked.txt"},
        CountedCase{"Digital80", 1, "mnuDigitalMode",
                    {"txt80DIG", "txt80TOT", "txtTOTDIG", "txtTOTTOT"}, "DIGchapswrk.txt"},
        CountedCase{"TwoMetres", 7, "mnuPhoneMode", {}, "chapsworked.txt"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(LoggingTest, LoggingStopsTheFlashingSelectors) {
    start();
    trigger("mnupromptON");
    typeContact("k1abc", "7", "bob");
    auto* flash = find<QTimer>("Timer3");
    ASSERT_TRUE(flash->isActive());
    tick("Timer3");
    pressWindowKey(Qt::Key_Insert);
    expectNoMessages();
    EXPECT_FALSE(flash->isActive());
    for (const char* name : {"cboBand", "cboMode"}) {
        const QPalette palette = find<QComboBox>(name)->palette();
        EXPECT_EQ(palette.color(QPalette::ButtonText), QColor(Qt::black)) << name;
        EXPECT_EQ(palette.color(QPalette::Button), QColor(255, 255, 0)) << name;
    }
}

// Ten phone contacts on four phone chapters and five CW contacts on three CW
// chapters: 15 x 7 while the clock runs, 40 + 15 + 0 while it is stopped.
TEST_F(LoggingTest, ScoreBoxFollowsTheClock) {
    std::string log;
    for (int n = 0; n < 15; ++n) {
        log += std::string("\"K1AB") + char('A' + n) + "   \",\"59  \",\"59  \",\"007\",\"AL     \",\"20 \",\"" +
               (n < 10 ? "PHN" : "CW ") + "\",\"05/10/2026\",\"14:00 \",\"\"\r\n";
    }
    writeFile("vlqsolog.txt", log);
    writeFile("chapsworked.txt", "\"001\"\r\n\"007\"\r\n\"012\"\r\n\"123\"\r\n");
    writeFile("CWchapsworked.txt", "\"001\"\r\n\"007\"\r\n\"012\"\r\n");
    start();

    EXPECT_EQ(text("txtTotScore"), QStringLiteral("105"));
    EXPECT_EQ(text("txtTotPhnCts"), QStringLiteral(" 10"));
    EXPECT_EQ(text("txtTotCWcts"), QStringLiteral(" 5"));
    EXPECT_EQ(text("TxtTotDigCont"), QStringLiteral(" 0"));
    EXPECT_EQ(text("txtTotChap"), QStringLiteral(" 4"));
    EXPECT_EQ(text("txtOChptot"), QStringLiteral(" 3"));
    EXPECT_EQ(text("txtDigChapTot"), QStringLiteral(" 0"));

    trigger("mnuOFF");
    auto* timer2 = find<QTimer>("Timer2");
    EXPECT_TRUE(timer2->isActive());
    EXPECT_EQ(timer2->interval(), 1000);
    EXPECT_FALSE(find<QTimer>("Timer1")->isActive());
    EXPECT_EQ(text("txtTotScore"), QStringLiteral("105")) << "nothing changes before the tick";
    // Waits for the real tick.
    for (int i = 0; i < 40 && text("txtTotScore") != QLatin1String("55"); ++i) QTest::qWait(50);
    EXPECT_EQ(text("txtTotScore"), QStringLiteral("55"));

    trigger("mnuON");
    tick("Timer1");
    EXPECT_EQ(text("txtTotScore"), QStringLiteral("105"));
}

TEST_F(LoggingTest, ScorePastTheSixteenBitLimitIsShownWhole) {
    std::string log;
    std::string chapters;
    for (int n = 0; n < 200; ++n) {
        log += "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"AL     \",\"20 \",\"PHN\",\"05/10/2026\","
               "\"14:00 \",\"\"\r\n";
        chapters += "\"" + std::to_string(100 + n) + "\"\r\n";
    }
    writeFile("vlqsolog.txt", log);
    writeFile("chapsworked.txt", chapters);
    start();
    EXPECT_EQ(text("txtTotScore"), QStringLiteral("40000"));
    trigger("mnuOFF");
    tick("Timer2");
    EXPECT_EQ(text("txtTotScore"), QStringLiteral("40000"));
    EXPECT_FALSE(host->ended());
}

TEST_F(LoggingTest, ViewCountersShowsTheGridInsteadOfTheLogBoxes) {
    start();
    logContact("k1abc", "7", "bob");
    trigger("mnuCounters");
    auto* frame = find<QGroupBox>("frmCounters");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->title(), QStringLiteral("Contacts"));
    EXPECT_FALSE(find<QWidget>("txtRecentLog")->isVisible());
    EXPECT_FALSE(find<QWidget>("txtPrevCon")->isVisible());
    EXPECT_EQ(text("txt20PHN"), QStringLiteral(" 1"));
    trigger("mnuLog");
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(find<QWidget>("txtRecentLog")->isVisible());
    // Clear and a logged contact bring the recent log back in place of the
    // grid: never both at once.
    auto onlyTheRecentLog = [&] {
        EXPECT_FALSE(frame->isVisible());
        EXPECT_TRUE(find<QWidget>("txtRecentLog")->isVisible());
    };
    trigger("mnuCounters");
    trigger("mnuClear");
    onlyTheRecentLog();
    trigger("mnuCounters");
    logContact("k2abc", "7", "amy");
    onlyTheRecentLog();
}

// ---- Hostile logs and folders -------------------------------------------------

// Logs the program may meet at start-up: whatever they hold, the program
// starts, reports what it cannot count, and the next contact is appended on a
// line of its own with every earlier byte left as it was.
struct HostileLog {
    const char* label;
    std::string content;
    size_t reportsAtStart;   // common error reports shown by the start-up
    size_t reportsAtInsert;  // and by logging one more 20 m phone contact
};
void PrintTo(const HostileLog& c, std::ostream* os) { *os << c.label; }

std::string binaryGarbage() {
    std::string bytes;
    for (int round = 0; round < 40; ++round) {
        for (int b = 0; b < 256; ++b) bytes += static_cast<char>((b * 37 + round) & 0xFF);
    }
    return bytes + std::string("\0\0\"", 3);
}

std::string recordsOf20mPhone(int count) {
    const std::string line =
        "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"AL     \",\"20 \",\"PHN\",\"05/10/2026\",\"14:00 \",\"\"\r\n";
    std::string log;
    log.reserve(line.size() * static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) log += line;
    return log;
}

class HostileLogTest : public LoggingTest, public ::testing::WithParamInterface<HostileLog> {};

TEST_P(HostileLogTest, StartsAndTheNextContactKeepsEveryEarlierByte) {
    const std::string& before = GetParam().content;
    writeFile("vlqsolog.txt", before);
    start();
    EXPECT_EQ(dialogs->shown.size(), GetParam().reportsAtStart) << dialogs->lastText().toStdString();
    dialogs->clear();
    ASSERT_TRUE(window()->isVisible());

    const std::string stamp = logContact("w9new", "12", "zz");
    EXPECT_EQ(dialogs->shown.size(), GetParam().reportsAtInsert) << dialogs->lastText().toStdString();
    const std::string lineEnd = before.empty() || before.back() == '\n' ? ""
                                : before.back() == '\r'                 ? "\n"
                                                                        : "\r\n";
    EXPECT_EQ(readFile("vlqsolog.txt"),
              before + lineEnd + "\"W9NEW   \",\"59  \",\"59  \",\"012\",\"ZZ     \",\"20 \",\"PHN\"," +
                  stamp + ",\"\"\r\n");
    EXPECT_EQ(text("txtCallsign"), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Logs, HostileLogTest,
    ::testing::Values(
        // A last line that is not a whole record and has no line end is
        // offered to be set aside; answered No, the log stays as it is. A
        // whole log whose chapters the chapters-worked files lack is offered
        // a recount, declined here.
        HostileLog{"BinaryGarbage", binaryGarbage(), 1, 0},
        HostileLog{"LfOnlyAndCutShortInAQuote",
                   "\"K1ABC\",\"59\",\"59\",\"7\",\"AL\",\"20\",\"PHN\"\n\"W2XYZ\",\"5", 1, 0},
        HostileLog{"TenKilobyteLine", "\"K1ABC\",\"" + std::string(10240, 'X') + "\"\r", 1, 0},
        HostileLog{"MissingAndExtraFields",
                   "\"K1ABC\"\r\n\"W2XYZ\",\"59\",\"59\",\"7\",\"AL\",\"20\",\"PHN\",\"d\",\"t\",\"c\","
                   "\"extra\",\"more\"\r\n",
                   1, 0},
        // 32,767 is the most a counter holds: the start-up says so once,
        // and the contact that does not fit is still logged.
        HostileLog{"PastTheSixteenBitCount", recordsOf20mPhone(32768), 2, 1}),
    [](const auto& info) { return info.param.label; });

TEST_F(LoggingTest, TenKilobytePasteIsLoggedWhole) {
    start();
    typeContact("k1abc", "7", "bob");
    const QString paste = QString(10240, QLatin1Char('a')) + QStringLiteral("\t\"end\"\r\n");
    QApplication::clipboard()->setText(paste);
    focusBox("txtComment");
    QTest::keyClick(find<QWidget>("txtComment"), Qt::Key_V, Qt::ControlModifier);
    settle();
    const std::string stamp = stampFields();
    pressWindowKey(Qt::Key_Insert);
    expectNoMessages();
    // Control characters go, the quote becomes an apostrophe, nothing is cut.
    EXPECT_EQ(readFile("vlqsolog.txt"),
              "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"BOB    \",\"20 \",\"PHN\"," + stamp + ",\"" +
                  std::string(10240, 'a') + "'end'\"\r\n");
}

TEST_F(LoggingTest, VanishedWorkingFolderIsReportedAndTheRowWaits) {
    start();
    typeContact("k1abc", "7", "bob");
    ASSERT_TRUE(QDir(dir.path()).removeRecursively());
    pressWindowKey(Qt::Key_Insert);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_TRUE(dialogs->shown[0].text.endsWith(kWriteFailedEnd)) << dialogs->lastText().toStdString();
    dialogs->clear();
    EXPECT_EQ(text("txtCallsign"), QStringLiteral("K1ABC"));
    EXPECT_EQ(text("txtName"), QStringLiteral("BOB"));

    // With the folder back, the same row is logged.
    ASSERT_TRUE(QDir().mkpath(dir.path()));
    const std::string stamp = stampFields();
    pressWindowKey(Qt::Key_Insert);
    EXPECT_EQ(readFile("vlqsolog.txt"), "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"BOB    \",\"20 \","
                                        "\"PHN\"," + stamp + ",\"\"\r\n");
    EXPECT_EQ(text("txtCallsign"), QString());
}

}  // namespace
}  // namespace vl::ui::test
