// The stored CW messages: the defaults of a first start, the edit commands
// with their questions, and the message file "CWBuffRecord.txt" they write.
#include "window_test_support.h"

#include <QDir>
#include <array>
#include "../case_name.h"

namespace vl::ui::test {
namespace {

// The messages start-up gives a registered NØCALL (typed N0CALL) when no
// message file exists: F1 .. F8, F10.
const std::array<std::string, 9> kDefaults = {
    "DE N0CALL K", "59", "NAME IS OPER", "UR CALL?", "UR NR?", "UR NAME?", "GL CUL 73 K",
    "DE N0CALL K", ""};

std::string messageLine(const std::array<std::string, 9>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) line += (i ? ",\"" : "\"") + fields[i] + "\"";
    return line + "\r\n";
}

const char* const kMessageBoxes[] = {"txtF1", "txtF2", "txtF3", "txtF4", "txtF5",
                                     "txtF6", "txtF7", "txtF8", "txtF10"};

class CwMessagesWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
    }

    void start() {
        ASSERT_TRUE(startProgram());
        activate();
    }

    QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }
};

TEST_F(CwMessagesWindowTest, StartUpWithoutMessageFileGivesTheDefaults) {
    start();
    for (size_t i = 0; i < kDefaults.size(); ++i) {
        EXPECT_EQ(text(kMessageBoxes[i]), QString::fromStdString(kDefaults[i])) << kMessageBoxes[i];
    }
    EXPECT_FALSE(fileExists("CWBuffRecord.txt"));
}

TEST_F(CwMessagesWindowTest, AnUnreadableMessageFileIsReportedBeforeTheDefaultsAreUsed) {
    writeFile("CWBuffRecord.txt", "\"CQ TEST\",\"599\"\r\n");  // cut short: two of nine
    start();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_TRUE(dialogs->lastText().contains(QStringLiteral("CWBuffRecord.txt")));
    EXPECT_EQ(text("txtF1"), QString::fromStdString(kDefaults[0]));
    EXPECT_EQ(readFile("CWBuffRecord.txt"), "\"CQ TEST\",\"599\"\r\n");
}

struct EditCase {
    const char* command;
    const char* key;  // as the prompt and title name it
    int index;        // field of the message file
};

class EditMessageTest : public CwMessagesWindowTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(EditMessageTest, AnswerGoesToItsBoxAndYesSavesAllNine) {
    start();
    const EditCase& c = GetParam();
    const QString key = QString::fromLatin1(c.key);
    dialogs->inputs = {QStringLiteral("cq vl Test")};
    dialogs->answers = {true};
    trigger(c.command);

    ASSERT_EQ(dialogs->shown.size(), 2u);
    EXPECT_EQ(dialogs->shown[0].kind, ScriptedDialogs::Shown::Kind::Input);
    EXPECT_EQ(dialogs->shown[0].text, QStringLiteral("Type info for ") + key + QStringLiteral(" Buffer:"));
    EXPECT_EQ(dialogs->shown[0].title, key + QStringLiteral(" CW Buffer"));
    EXPECT_EQ(dialogs->shown[1].kind, ScriptedDialogs::Shown::Kind::Question);
    EXPECT_EQ(dialogs->shown[1].text, QStringLiteral("Do you wish to save this message?"));
    EXPECT_EQ(dialogs->shown[1].title, QStringLiteral("Save CW Message"));
    EXPECT_EQ(dialogs->shown[1].icon, Dialogs::Icon::Question);
    EXPECT_TRUE(dialogs->shown[1].defaultYes);

    auto expected = kDefaults;
    expected[c.index] = "cq vl Test";  // as typed: no upper-casing, no trimming
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(text(kMessageBoxes[i]), QString::fromStdString(expected[i])) << kMessageBoxes[i];
    }
    EXPECT_EQ(readFile("CWBuffRecord.txt"), messageLine(expected));

    // An empty answer or Cancel changes nothing.
    dialogs->clear();
    dialogs->inputs = {QString()};
    trigger(c.command);
    ASSERT_EQ(dialogs->shown.size(), 2u);
    EXPECT_EQ(dialogs->shown[1].kind, ScriptedDialogs::Shown::Kind::Message);
    EXPECT_EQ(dialogs->shown[1].text, QStringLiteral("You did not type anything or pressed cancel."));
    EXPECT_EQ(text(kMessageBoxes[c.index]), QStringLiteral("cq vl Test"));
    EXPECT_EQ(readFile("CWBuffRecord.txt"), messageLine(expected));
}

INSTANTIATE_TEST_SUITE_P(Commands, EditMessageTest,
                         ::testing::Values(EditCase{"mnuF1", "F1", 0}, EditCase{"mnuF2", "F2", 1},
                                           EditCase{"mnuF3", "F3", 2}, EditCase{"mnuF4", "F4", 3},
                                           EditCase{"mnuF5", "F5", 4}, EditCase{"mnuF6", "F6", 5},
                                           EditCase{"mnuF7", "F7", 6}, EditCase{"mnuF8", "F8", 7},
                                           EditCase{"mnuF10input", "F10", 8}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.command}); });

TEST_F(CwMessagesWindowTest, AnsweringNoKeepsTheMessageForThisRunOnly) {
    start();
    dialogs->inputs = {QStringLiteral("QRL?")};
    trigger("mnuF4");
    EXPECT_EQ(text("txtF4"), QStringLiteral("QRL?"));
    EXPECT_FALSE(fileExists("CWBuffRecord.txt"));

    // Saved once, then changed without saving: the next start shows the saved text.
    dialogs->inputs = {QStringLiteral("TU")};
    dialogs->answers = {true};
    trigger("mnuF7");
    dialogs->inputs = {QStringLiteral("73")};
    trigger("mnuF7");
    EXPECT_EQ(text("txtF7"), QStringLiteral("73"));
    host.reset();
    start();
    EXPECT_EQ(text("txtF7"), QStringLiteral("TU"));
    EXPECT_EQ(text("txtF4"), QStringLiteral("QRL?"));  // saved along with F7
}

TEST_F(CwMessagesWindowTest, MessagesWithCommasAndSlashedZeroSurviveARestart) {
    start();
    const QString call = QStringLiteral("N") + QChar(0x00D8) + QStringLiteral("CALL");
    dialogs->inputs = {QStringLiteral("CQ VL, CQ VL DE ") + call, QStringLiteral("5NN, 012,")};
    dialogs->answers = {true, true};
    trigger("mnuF1");
    trigger("mnuF10input");
    auto expected = kDefaults;
    expected[0] = "CQ VL, CQ VL DE N" + kSlashedZero + "CALL";
    expected[8] = "5NN, 012,";
    EXPECT_EQ(readFile("CWBuffRecord.txt"), messageLine(expected));

    host.reset();
    start();
    EXPECT_EQ(text("txtF1"), QStringLiteral("CQ VL, CQ VL DE ") + call);
    EXPECT_EQ(text("txtF10"), QStringLiteral("5NN, 012,"));
    EXPECT_EQ(text("txtF2"), QStringLiteral("59"));
}

TEST_F(CwMessagesWindowTest, DoubleQuoteBecomesAnApostropheInBoxAndFile) {
    start();
    dialogs->inputs = {QStringLiteral("SAY \"HI\"")};
    dialogs->answers = {true};
    trigger("mnuF2");
    EXPECT_EQ(text("txtF2"), QStringLiteral("SAY 'HI'"));
    auto expected = kDefaults;
    expected[1] = "SAY 'HI'";
    EXPECT_EQ(readFile("CWBuffRecord.txt"), messageLine(expected));

    // Typed straight into a box, and saved by the next edit answered Yes.
    trigger("cmmPort1");
    box("txtF3")->clear();
    typeInto("txtF3", QStringLiteral("OP \"JO\""));
    EXPECT_EQ(text("txtF3"), QStringLiteral("OP 'JO'"));
    dialogs->inputs = {QStringLiteral("K")};
    dialogs->answers = {true};
    trigger("mnuF8");
    expected[2] = "OP 'JO'";
    expected[7] = "K";
    EXPECT_EQ(readFile("CWBuffRecord.txt"), messageLine(expected));
}

TEST_F(CwMessagesWindowTest, SavedFileIsReplacedUnderTheNameItHas) {
    auto saved = kDefaults;
    saved[0] = "OLD";
    writeFile("CWbuffRecord.txt", messageLine(saved));
    start();
    EXPECT_EQ(text("txtF1"), QStringLiteral("OLD"));
    dialogs->inputs = {QStringLiteral("NEW")};
    dialogs->answers = {true};
    trigger("mnuF1");
    QStringList names = QDir(dir.path()).entryList({QStringLiteral("*.txt*")}, QDir::Files);
    names = names.filter(QStringLiteral("cwbuffrecord"), Qt::CaseInsensitive);
    ASSERT_EQ(names.size(), 1) << names.join(QLatin1Char(' ')).toStdString();
    saved[0] = "NEW";
    EXPECT_EQ(readFile(names[0].toStdString()), messageLine(saved));
}

TEST_F(CwMessagesWindowTest, FailedSaveIsReportedAndTheBoxesKeepTheirTexts) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("CWBuffRecord.txt")));
    start();
    EXPECT_EQ(text("txtF1"), QStringLiteral("DE N0CALL K"));
    dialogs->clear();  // start-up said the messages could not be read
    dialogs->inputs = {QStringLiteral("CQ")};
    dialogs->answers = {true};
    trigger("mnuF1");

    ASSERT_EQ(dialogs->shown.size(), 3u);
    const ScriptedDialogs::Shown& report = dialogs->shown[2];
    EXPECT_EQ(report.kind, ScriptedDialogs::Shown::Kind::Message);
    EXPECT_TRUE(report.text.startsWith(QStringLiteral("An unexpected error as occurred: \r\nError number: ")))
        << report.text.toStdString();
    EXPECT_TRUE(report.text.endsWith(QStringLiteral("\r\nThis error occurred writing CWBuffRecord.txt\r\n")))
        << report.text.toStdString();
    EXPECT_FALSE(host->ended());
    EXPECT_EQ(text("txtF1"), QStringLiteral("CQ"));
    EXPECT_EQ(text("txtF2"), QStringLiteral("59"));
    EXPECT_FALSE(fileExists("CWBuffRecord.txt.tmp"));
}

}  // namespace
}  // namespace vl::ui::test
