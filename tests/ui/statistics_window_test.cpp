// The rate meter and View > Statistics… through the real window.
#include <QAbstractItemModel>
#include <QChartView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>

#include "window_test_support.h"

namespace vl::ui::test {
namespace {

class StatisticsWindowTest : public WindowTest {
protected:
    QString label(const char* name) const { return find<QLabel>(name)->text(); }
};

TEST_F(StatisticsWindowTest, MeterFollowsInsertAndTheWindowShowsTheSummarySheetsFigures) {
    prepareRegisteredFolder();
    writeFile("vlqsolog.txt",
              "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"ALAN   \",\"20 \",\"PHN\",\"12/06/2026\",\"23:50 \",\"\"\r\n"
              "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"ALAN   \",\"20 \",\"PHN\",\"12/07/2026\",\"00:20 \",\"DUPE\"\r\n"
              "\"W2XYZ   \",\"599 \",\"599 \",\"599\",\"BETTY  \",\"40 \",\"CW \",\"12/07/2026\",\"00:35 \",\"BNVL\"\r\n");
    writeFile("chapsworked.txt", "\"007\"\r\n");
    writeFile("CWchapsworked.txt", "\"599\"\r\n");
    writeFile("BonusCall.txt", "\"W2XYZ\"\r\n");
    ASSERT_TRUE(startProgram());
    EXPECT_TRUE(label("lblRateMeter").startsWith(QStringLiteral(
        "Last 60 min: 3   Last 10: 4/h   Best 60 min: 3 from 2026-12-06 23:50   Since last: ")))
        << label("lblRateMeter").toStdString();

    // A contact logged now starts a new hour of its own: the meter shows it at once.
    tick("Timer1");
    typeContact(QStringLiteral("K3DEF"), QStringLiteral("123"), QStringLiteral("DON"));
    pressWindowKey(Qt::Key_Insert);
    EXPECT_TRUE(label("lblRateMeter").startsWith(QStringLiteral("Last 60 min: 1   Last 10: ")))
        << label("lblRateMeter").toStdString();
    EXPECT_TRUE(label("lblRateMeter").contains(QRegularExpression(QStringLiteral("Since last: [01] min$"))));

    trigger("mnuStatistics");
    auto* statistics = find<QWidget>("frmStatistics");
    ASSERT_TRUE(statistics->isVisible());
    EXPECT_FALSE(statistics->isModal());
    // The table and the score are the summary sheet's: its totals row and its final score.
    const QAbstractItemModel* table = find<QTableView>("tblStatistics")->model();
    const scoring::Counters& c = window()->counters();
    auto cell = [table](int row, int column) { return table->index(row, column).data().toString(); };
    EXPECT_EQ(QStringList({cell(8, 0), cell(8, 1), cell(8, 2), cell(8, 3)}),
              QStringList({QString::number(c.ctot), QString::number(c.ptot), QString::number(c.dtot),
                           QString::number(c.ttot)}));
    EXPECT_EQ(cell(9, 3), QStringLiteral("3"));  // chapters 007 and 123 on phone, 599 on CW
    trigger("mnuToFile");
    const std::string sheet = readFile("N0CALL2026.txt");
    const std::string finalScore = "equals Final Score:  ";
    const size_t at = sheet.find(finalScore) + finalScore.size();
    EXPECT_EQ(label("lblScore"), QStringLiteral("Bonus points: 10    Claimed score: ") +
                                    QString::fromStdString(sheet.substr(at, sheet.find('\r', at) - at)));
    EXPECT_EQ(label("lblScore"), QStringLiteral("Bonus points: 10    Claimed score: 19"));

    // The end time: refused as typed wrong, kept in its file when right.
    typeInto("txtEventEnd", QStringLiteral("2099-13-01 00:00"));
    QTest::keyClick(find<QWidget>("txtEventEnd"), Qt::Key_Return);
    EXPECT_TRUE(label("lblProjection").startsWith(QStringLiteral("Type the end as YYYY-MM-DD HH:MM")));
    EXPECT_FALSE(fileExists("VLEventEnd.txt"));
    find<QLineEdit>("txtEventEnd")->clear();
    typeInto("txtEventEnd", QStringLiteral("2099-01-01 00:00"));
    QTest::keyClick(find<QWidget>("txtEventEnd"), Qt::Key_Return);
    EXPECT_EQ(readFile("VLEventEnd.txt"), "\"2099-01-01 00:00\"\r\n");
    EXPECT_TRUE(label("lblProjection").startsWith(QStringLiteral("At this rate (1 counted contacts")))
        << label("lblProjection").toStdString();

    // Save Chart… writes the shown chart as SVG.
    dialogs->clear();
    dialogs->inputs = {QString::fromStdString(path("rate.svg"))};
    find<QPushButton>("cmdSaveChart")->click();
    EXPECT_EQ(dialogs->shown.front().text, QString::fromStdString(path("contacts-per-hour.png")));
    EXPECT_EQ(dialogs->lastText(),
              QStringLiteral("The chart was written to ") + QString::fromStdString(path("rate.svg")) + ".");
    EXPECT_NE(readFile("rate.svg").find("<svg"), std::string::npos);
}

}  // namespace
}  // namespace vl::ui::test
