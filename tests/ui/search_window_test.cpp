// The Search menu and View > Log: the callsign box as a pattern or prefix,
// the listing in its columns, and the two display boxes that share a place.
#include <QGroupBox>

#include "window_test_support.h"

namespace vl::ui::test {
namespace {

const std::string kHistory =
    "\"W1AAA\",\"001\",\"AL\"\r\n"
    "\"K1AB\",\"012\",\"CY\"\r\n"
    "\"W2BBB\",\"007\",\"BO\"\r\n"
    "\"K12CD\",\"123\",\"DI\"\r\n"
    "\"KA1XY\",\"599\",\"ED\"\r\n"
    "\"W\xD8ZZ\",\" \",\"FLO\"\r\n";

const std::string kLog =
    "\"W1XYZ   \",\"59  \",\"57  \",\"123\",\"JOE    \",\"20 \",\"PHN\",\"06/01/2026\",\"14:05 \",\"\"\r\n"
    "\"K1AB    \",\"599 \",\"599 \",\"012\",\"CY     \",\"160\",\"CW \",\"06/01/2026\",\"15:00 \",\"NVL\"\r\n"
    "\"W1XYZ   \",\"59  \",\"57  \",\"123\",\"JOE    \",\"20 \",\"PHN\",\"06/01/2026\",\"16:10 \",\"DUPE\"\r\n"
    "\"W2BBB   \",\"599 \",\"599 \",\"007\",\"BO     \",\"40 \",\"DIG\",\"06/02/2026\",\"09:00 \",\"\"\r\n";

// The listing lines of kLog, in the log search's columns.
const QString kLogW1First =
    QStringLiteral("  W1XYZ    59   57   123 JOE     20 PHN 06/01/2026 14:05  ");
const QString kLogK1ab =
    QStringLiteral("  K1AB     599  599  012 CY      160CW  06/01/2026 15:00  NVL");
const QString kLogW1Dupe =
    QStringLiteral("  W1XYZ    59   57   123 JOE     20 PHN 06/01/2026 16:10  DUPE");
const QString kLogW2 =
    QStringLiteral("  W2BBB    599  599  007 BO      40 DIG 06/02/2026 09:00  ");

class SearchWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
        writeFile("vlhistory.txt", kHistory);
        writeFile("vlqsolog.txt", kLog);
        ASSERT_TRUE(startProgram());
        activate();
    }
    // The operator types the pattern and picks the command from the menu.
    QString search(const char* command, const QString& typed) {
        auto* box = find<QLineEdit>("txtCallsign");
        box->clear();
        if (!typed.isEmpty()) typeInto("txtCallsign", typed);
        dialogs->clear();
        trigger(command);
        EXPECT_TRUE(dialogs->shown.empty());
        return text("txtPrevCon");
    }
    static QString lines(const QStringList& l) { return l.join(QLatin1Char('\n')); }
    // Both boxes are shown, and the result lies on top where they overlap.
    void expectResultOnTop() {
        auto* prevCon = find<QWidget>("txtPrevCon");
        auto* recent = find<QWidget>("txtRecentLog");
        EXPECT_TRUE(prevCon->isVisible());
        EXPECT_TRUE(recent->isVisible());
        QWidget* parent = prevCon->parentWidget();
        QWidget* atCentre = parent->childAt(prevCon->geometry().center());
        EXPECT_TRUE(atCentre == prevCon || prevCon->isAncestorOf(atCentre));
    }
};

TEST_F(SearchWindowTest, SearchHistoryByPatternPrefixAndEmptyBox) {
    EXPECT_EQ(search("mnuSearchHistory", QStringLiteral("w*")),
              lines({"W1AAA   001   AL", "W2BBB   007   BO", QStringLiteral("W") + QChar(0xD8) +
                                                               QStringLiteral("ZZ       FLO")}));
    expectResultOnTop();
    EXPECT_EQ(search("mnuSearchHistory", QStringLiteral("k#??")), lines({"K1AB   012   CY"}));
    EXPECT_EQ(search("mnuSearchHistory", QStringLiteral("k1")),
              lines({"K1AB   012   CY", "K12CD   123   DI"}));
    EXPECT_EQ(search("mnuSearchHistory", QStringLiteral("w[!1]*")),
              lines({"W2BBB   007   BO", QStringLiteral("W") + QChar(0xD8) +
                                             QStringLiteral("ZZ       FLO")}));
    // A typed zero is Ø, and finds the call that holds it.
    EXPECT_EQ(search("mnuSearchHistory", QStringLiteral("w0*")),
              QStringLiteral("W") + QChar(0xD8) + QStringLiteral("ZZ       FLO"));
    EXPECT_EQ(search("mnuSearchHistory", QString()).count(QLatin1Char('\n')), 5);
    EXPECT_EQ(search("mnuSearchHistory", QStringLiteral("zz")), QStringLiteral("No History found"));
    expectResultOnTop();
}

TEST_F(SearchWindowTest, SearchLogListsEveryMatchingContactInItsColumns) {
    EXPECT_EQ(search("mnuSearchLog", QStringLiteral("w1xyz")), lines({kLogW1First, kLogW1Dupe}));
    expectResultOnTop();
    EXPECT_EQ(search("mnuSearchLog", QStringLiteral("w*")),
              lines({kLogW1First, kLogW1Dupe, kLogW2}));
    EXPECT_EQ(search("mnuSearchLog", QStringLiteral("k#??")), lines({kLogK1ab}));
    EXPECT_EQ(search("mnuSearchLog", QStringLiteral("w1")), lines({kLogW1First, kLogW1Dupe}));
    EXPECT_EQ(search("mnuSearchLog", QString()),
              lines({kLogW1First, kLogK1ab, kLogW1Dupe, kLogW2}));
    EXPECT_EQ(search("mnuSearchLog", QStringLiteral("n1zz")),
              QStringLiteral("   No previous contact with this station"));
    expectResultOnTop();
}

TEST_F(SearchWindowTest, SearchAfterCountersAreShownIsStillReadable) {
    trigger("mnuCounters");
    search("mnuSearchLog", QStringLiteral("w1xyz"));
    expectResultOnTop();
}

TEST_F(SearchWindowTest, ViewLogBringsTheRecentLogBack) {
    search("mnuSearchLog", QStringLiteral("w1xyz"));
    trigger("mnuCounters");
    trigger("mnuLog");
    EXPECT_TRUE(find<QWidget>("txtRecentLog")->isVisible());
    EXPECT_FALSE(find<QWidget>("txtPrevCon")->isVisible());
    EXPECT_FALSE(find<QGroupBox>("frmCounters")->isVisible());
    // The recent log still shows the log as start-up filled it.
    EXPECT_EQ(text("txtRecentLog").count(QLatin1Char('\n')), 3);
}

}  // namespace
}  // namespace vl::ui::test
