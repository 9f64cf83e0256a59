// Recount (Ctrl+R): the chapters-worked files, the bonus file, the lists and
// the grid rebuilt from the log; the invalid chapter; the empty log.
#include "window_test_support.h"

#include <QDir>
#include <QFile>
#include <QTimer>

namespace vl::ui::test {
namespace {

const QString kCompleted = QStringLiteral("RECOUNT has completed  Click OK to continue");
const QString kNothing = QStringLiteral("You have nothing to Re-Count");
const QString kResetCountersEnd =
    QStringLiteral("\r\nThis error occurred reading the Log to reset counters\r\n");

std::string record(const std::string& call, const std::string& chapter, const std::string& band,
                   const std::string& mode, const std::string& comment = "") {
    return "\"" + call + "\",\"59  \",\"59  \",\"" + chapter + "\",\"AL     \",\"" + band + "\",\"" +
           mode + "\",\"05/10/2026\",\"14:00 \",\"" + comment + "\"\r\n";
}

// Phone 012 twice and 123, CW 012 and 001, a digital 599 with a claimed
// bonus (callsign with blanks round it), a duplicate on a chapter worked
// nowhere else, and a contact on the band list's "2".
const std::string kLog = record("K1AAA   ", "012", "20 ", "PHN") +
                         record("K1AAB   ", "012", "40 ", "PHN") +
                         record("K1AAC   ", "012", "20 ", "CW ") +
                         record(" K3NVL  ", "599", "20 ", "DIG", "BNVL") +
                         record("K1AAD   ", "007", "15 ", "PHN", "DUPE") +
                         record("K1AAE   ", "123", "2  ", "PHN") +
                         record("K1AAF   ", "001", "160", "CW ") +
                         record("K1AAG   ", "012", "20 ", "PHN", "dupe");

class RecountTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
    }
    void start() {
        ASSERT_TRUE(startProgram());
        activate();
    }
    QStringList listItems(const char* name) const {
        QStringList items;
        auto* list = find<QListWidget>(name);
        for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
        return items;
    }
    void tickClock() {
        ASSERT_TRUE(QMetaObject::invokeMethod(find<QTimer>("Timer1"), "timeout"));
        settle();
    }
    void pressCtrlR() {
        dialogs->clear();
        pressWindowKey(Qt::Key_R, Qt::ControlModifier);
    }
};

TEST_F(RecountTest, CtrlRRebuildsFilesListsAndGridFromTheLog) {
    writeFile("vlqsolog.txt", kLog);
    // Derived files that no longer agree with the log.
    writeFile("chapsworked.txt", "\"088\"\r\n");
    writeFile("CWchapsworked.txt", "");
    writeFile("DIGchapswrk.txt", "\"300\"\r\n\"301\"\r\n");
    writeFile("BonusCall.txt", "\"OLD1\"\r\n\"OLD2\"\r\n");
    start();

    pressCtrlR();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].text, kCompleted);
    EXPECT_FALSE(host->ended());

    EXPECT_EQ(readFile("vlqsolog.txt"), kLog) << "the log is only read";
    EXPECT_EQ(readFile("chapsworked.txt"), "\"012\"\r\n\"123\"\r\n");
    EXPECT_EQ(readFile("CWchapsworked.txt"), "\"012\"\r\n\"001\"\r\n");
    EXPECT_EQ(readFile("DIGchapswrk.txt"), "\"599\"\r\n");
    EXPECT_EQ(readFile("BonusCall.txt"), "\"K3NVL\"\r\n");

    EXPECT_EQ(listItems("lstChptrswrked"), (QStringList{"012", "123"}));
    EXPECT_EQ(listItems("lstCWChapswrked"), (QStringList{"012", "001"}));
    EXPECT_EQ(listItems("lstDigChapsWrk"), (QStringList{"599"}));

    const std::pair<const char*, const char*> cells[] = {
        {"txt20PHN", " 2"},  {"txt20CW", " 1"},   {"txt20DIG", " 1"},  {"txt20TOT", " 4"},
        {"txt40PHN", " 1"},  {"txt40TOT", " 1"},  {"txt15PHN", " 0"},  {"txt160CW", " 1"},
        {"txt160TOT", " 1"}, {"txtUVPHN", " 0"},  {"txtUVTOT", " 0"},  {"txtTOTPHN", " 3"},
        {"txtTOTCW", " 2"},  {"txtTOTDIG", " 1"}, {"txtTOTTOT", " 6"}};
    for (const auto& [cell, shown] : cells) EXPECT_EQ(text(cell), QString::fromLatin1(shown)) << cell;

    // The score boxes follow at the next tick: 6 contacts x 5 chapters.
    tickClock();
    EXPECT_EQ(text("txtTotScore"), QStringLiteral("30"));
    EXPECT_EQ(text("txtTotChap"), QStringLiteral(" 2"));
}

TEST_F(RecountTest, MenuCommandDoesTheSame) {
    writeFile("vlqsolog.txt", kLog);
    start();
    dialogs->clear();
    trigger("mnuRecount");
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].text, kCompleted);
    EXPECT_EQ(readFile("BonusCall.txt"), "\"K3NVL\"\r\n");
}

TEST_F(RecountTest, RecountRepeatedGivesTheSameFiles) {
    writeFile("vlqsolog.txt", kLog);
    start();
    pressCtrlR();
    const std::string phone = readFile("chapsworked.txt");
    const std::string bonus = readFile("BonusCall.txt");
    pressCtrlR();
    EXPECT_EQ(dialogs->texts(), std::vector<QString>{kCompleted});
    EXPECT_EQ(readFile("chapsworked.txt"), phone);
    EXPECT_EQ(readFile("BonusCall.txt"), bonus);
    EXPECT_EQ(text("txtTOTTOT"), QStringLiteral(" 6"));
}

// What the recount finds to do: a log emptied by hand still empties what was
// derived from it; a derived file deleted by hand is reported once (it cannot
// be deleted again) and created anew; the lists show each chapter as the log
// holds it, as the files do.
struct RecountCase {
    const char* label;
    std::string log;
    std::vector<std::pair<std::string, std::string>> before;  // derived files; "-" deletes
    int errorReports;
    QString message;
    std::vector<std::pair<std::string, std::string>> after;
    QStringList phoneList;
    QStringList cwList;
};
void PrintTo(const RecountCase& c, std::ostream* os) { *os << c.label; }

class RecountCaseTest : public RecountTest, public ::testing::WithParamInterface<RecountCase> {};

TEST_P(RecountCaseTest, RebuildsWhatTheLogHolds) {
    const RecountCase& c = GetParam();
    writeFile("vlqsolog.txt", c.log);
    for (const auto& [name, content] : c.before) {
        if (content != "-") writeFile(name, content);
    }
    start();
    for (const auto& [name, content] : c.before) {
        if (content == "-") {
            ASSERT_TRUE(QFile::remove(QString::fromStdString(path(name))));
        }
    }
    pressCtrlR();
    const std::vector<QString> shown = dialogs->texts();
    ASSERT_EQ(shown.size(), static_cast<size_t>(c.errorReports) + 1);
    for (int i = 0; i < c.errorReports; ++i) {
        EXPECT_TRUE(shown[i].startsWith(QStringLiteral("An unexpected error as occurred: ")));
        EXPECT_TRUE(shown[i].endsWith(kResetCountersEnd));
    }
    EXPECT_EQ(shown.back(), c.message);
    EXPECT_FALSE(host->ended());
    EXPECT_EQ(readFile("vlqsolog.txt"), c.log);
    for (const auto& [name, content] : c.after) EXPECT_EQ(readFile(name), content) << name;
    EXPECT_EQ(listItems("lstChptrswrked"), c.phoneList);
    EXPECT_EQ(listItems("lstCWChapswrked"), c.cwList);
}

INSTANTIATE_TEST_SUITE_P(
    Logs, RecountCaseTest,
    ::testing::Values(
        RecountCase{"EmptyLogAndEmptyFiles", "", {}, 0, kNothing,
                    {{"chapsworked.txt", ""}, {"BonusCall.txt", ""}}, {}, {}},
        RecountCase{"EmptyLogAndAFileDeletedByHand", "", {{"BonusCall.txt", "-"}}, 0, kNothing,
                    {{"chapsworked.txt", ""}}, {}, {}},
        RecountCase{"LogEmptiedByHand",
                    "",
                    {{"chapsworked.txt", "\"007\"\r\n"}, {"BonusCall.txt", "\"K3NVL\"\r\n"}},
                    0,
                    kCompleted,
                    {{"chapsworked.txt", ""}, {"BonusCall.txt", ""}, {"CWchapsworked.txt", ""}},
                    {},
                    {}},
        RecountCase{"ChaptersAsTheLogHoldsThem",
                    record("K1AAA   ", "7  ", "20 ", "PHN") + record("K1AAB   ", "007", "40 ", "PHN") +
                        record("K1AAC   ", "12 ", "20 ", "CW "),
                    {},
                    0,
                    kCompleted,
                    {{"chapsworked.txt", "\"7  \"\r\n"}, {"CWchapsworked.txt", "\"12 \"\r\n"}},
                    {QStringLiteral("7  ")},
                    {QStringLiteral("12 ")}},
        RecountCase{"DerivedFilesDeletedByHand",
                    record("K1AAA   ", "012", "20 ", "DIG") + record(" K3NVL  ", "599", "20 ", "CW ", "BNVL"),
                    {{"DIGchapswrk.txt", "-"}, {"BonusCall.txt", "-"}},
                    2,
                    kCompleted,
                    {{"DIGchapswrk.txt", "\"012\"\r\n"}, {"BonusCall.txt", "\"K3NVL\"\r\n"}},
                    {},
                    {QStringLiteral("599")}}),
    [](const auto& info) { return std::string(info.param.label); });

struct InvalidCase {
    const char* label;
    const char* chapter;
    QString shown;
};
void PrintTo(const InvalidCase& c, std::ostream* os) { *os << c.label; }

class InvalidChapterTest : public RecountTest, public ::testing::WithParamInterface<InvalidCase> {};

TEST_P(InvalidChapterTest, EndsTheProgramWithTheMessageAndEmptiedFiles) {
    const std::string log = record("K1AAA   ", "012", "20 ", "PHN") +
                            record("K1AAB   ", GetParam().chapter, "20 ", "PHN") +
                            record("K1AAC   ", "123", "20 ", "PHN", "BNVL");
    writeFile("vlqsolog.txt", log);
    writeFile("chapsworked.txt", "\"012\"\r\n");
    writeFile("BonusCall.txt", "\"K1AAC\"\r\n");
    start();
    pressCtrlR();

    ASSERT_EQ(dialogs->shown.size(), 1u) << "one report, however the chapter is written";
    EXPECT_EQ(dialogs->shown[0].text, QStringLiteral("The Chapter  ") + GetParam().shown +
                                          QStringLiteral(" in your log is invalid! The program "
                                                         "will close.  Correct your log and try again."));
    EXPECT_TRUE(host->ended());
    EXPECT_NE(host->exitStatus(), 0);
    EXPECT_FALSE(window()->isVisible());
    EXPECT_EQ(readFile("vlqsolog.txt"), log);
    EXPECT_EQ(readFile("chapsworked.txt"), "");
    EXPECT_EQ(readFile("CWchapsworked.txt"), "");
    EXPECT_EQ(readFile("DIGchapswrk.txt"), "");
    EXPECT_EQ(readFile("BonusCall.txt"), "");
}

INSTANTIATE_TEST_SUITE_P(Chapters, InvalidChapterTest,
                         ::testing::Values(InvalidCase{"NotOnTheRoster", "5  ", "005"},
                                           InvalidCase{"EndMark", "999", "999"},
                                           InvalidCase{"NotANumber", "ABC", "ABC"}),
                         [](const auto& info) { return std::string(info.param.label); });

// After the invalid chapter the lists are empty, so the score box shows 0;
// the log has contacts, so the recount that rebuilds everything must run.
TEST_F(RecountTest, RecountRunsAfterTheInvalidChapterWasCorrected) {
    const std::string good = record("K1AAA   ", "012", "20 ", "PHN");
    writeFile("vlqsolog.txt", good + record("K1AAB   ", "005", "20 ", "CW "));
    start();
    pressCtrlR();
    ASSERT_TRUE(host->ended());

    // The operator corrects the log and starts again.
    writeFile("vlqsolog.txt", good + record("K1AAB   ", "007", "20 ", "CW "));
    host.reset();
    QCoreApplication::processEvents();
    start();
    EXPECT_EQ(text("txtTotScore"), QStringLiteral("0"));
    EXPECT_EQ(text("txtTOTTOT"), QStringLiteral(" 2"));
    pressCtrlR();
    EXPECT_EQ(dialogs->texts(), std::vector<QString>{kCompleted});
    EXPECT_EQ(readFile("chapsworked.txt"), "\"012\"\r\n");
    EXPECT_EQ(readFile("CWchapsworked.txt"), "\"007\"\r\n");
    EXPECT_EQ(listItems("lstCWChapswrked"), (QStringList{"007"}));
    tickClock();
    EXPECT_EQ(text("txtTotScore"), QStringLiteral("4"));
}

// A roster that cannot be read is reported once and the recount ends
// without touching anything.
TEST_F(RecountTest, UnreadableRosterIsReportedOnce) {
    writeFile("vlqsolog.txt", kLog);
    writeFile("chapsworked.txt", "\"088\"\r\n");
    start();
    const QString roster = QString::fromStdString(path("VLChapters.txt"));
    ASSERT_TRUE(QFile::remove(roster));
    ASSERT_TRUE(QDir().mkdir(roster));
    pressCtrlR();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_TRUE(dialogs->shown[0].text.startsWith(QStringLiteral("An unexpected error as occurred: ")));
    EXPECT_TRUE(dialogs->shown[0].text.endsWith(kResetCountersEnd)) << dialogs->shown[0].text.toStdString();
    EXPECT_FALSE(host->ended());
    EXPECT_EQ(readFile("chapsworked.txt"), "\"088\"\r\n");
    EXPECT_EQ(listItems("lstChptrswrked"), (QStringList{"088"}));
}

TEST_F(RecountTest, ContactsLoggedWithCountOffAreCountedByTheRecount) {
    start();
    trigger("mnuCountOff");
    typeContact(QStringLiteral("k1abc"), QStringLiteral("7"), QStringLiteral("bob"));
    pressWindowKey(Qt::Key_Insert);
    EXPECT_EQ(text("txtTOTTOT"), QStringLiteral(" 0"));
    pressCtrlR();
    EXPECT_EQ(dialogs->texts(), std::vector<QString>{kCompleted});
    EXPECT_EQ(text("txt20PHN"), QStringLiteral(" 1"));
    EXPECT_EQ(text("txtTOTTOT"), QStringLiteral(" 1"));
    EXPECT_EQ(readFile("chapsworked.txt"), "\"007\"\r\n");
}

}  // namespace
}  // namespace vl::ui::test
