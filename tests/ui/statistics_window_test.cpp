// The rate meter and View > Statistics… through the real window.
#include <QAbstractItemModel>
#include <QChartView>
#include <QLabel>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QSet>
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

// --stats and --chart without a display: Qt's X11 platform with no X server
// to reach would end a program that needed one.
TEST_F(StatisticsWindowTest, StatsAndChartAnswerWithoutADisplay) {
    writeFile("vlqsolog.txt",
              "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"ALAN   \",\"20 \",\"PHN\",\"12/31/2026\",\"23:50 \",\"\"\r\n"
              "\"W2XYZ   \",\"599 \",\"599 \",\"599\",\"BETTY  \",\"40 \",\"CW \",\"01/01/2027\",\"00:20 \",\"BNVL\"\r\n"
              "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"ALAN   \",\"20 \",\"PHN\",\"01/01/2027\",\"00:35 \",\"DUPE\"\r\n"
              "\"N\xD8XX    \",\"59  \",\"59  \",\"007\",\"ALAN   \",\"20 \",\"PHN\",\"1/1/2027\",\"00:40 \",\"\"\r\n");
    writeFile("chapsworked.txt", "\"007\"\r\n");
    writeFile("CWchapsworked.txt", "\"599\"\r\n");
    writeFile("BonusCall.txt", "\"W2XYZ\"\r\n");
    struct Run {
        int status;
        QByteArray out, err;
    };
    auto run = [](const QStringList& arguments) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(VL_PROGRAM_PATH), arguments);
        program.waitForFinished(30000);
        return Run{program.exitCode(), program.readAllStandardOutput(), program.readAllStandardError()};
    };
    const QString folder = dir.path();

    const Run stats = run({QStringLiteral("--stats"), folder});
    EXPECT_EQ(stats.status, 0) << stats.err.toStdString();
    EXPECT_EQ(stats.out.toStdString(),
              "contacts stamped: 3\n"
              "last 60 min: 3\n"
              "last 10 rate: 4 per hour\n"
              "best 60 min: 3 from 2026-12-31 23:50\n"
              "last contact: 2027-01-01 00:35\n"
              "\n"
              "               CW      PHN      DIG      TOT\n"
              "160             0        0        0        0\n"
              "80              0        0        0        0\n"
              "40              1        0        0        1\n"
              "20              0        2        0        2\n"
              "15              0        0        0        0\n"
              "10              0        0        0        0\n"
              "6               0        0        0        0\n"
              "UV              0        0        0        0\n"
              "TOT             1        2        0        3\n"
              "Chapters        1        1        0        2\n"
              "Points          1        2        0        6\n"
              "bonus points: 10\n"
              "claimed score: 16\n"
              "\n"
              "UTC hour       total    40    20\n"
              "2026-12-31 23      1     0     1\n"
              "2027-01-01 00      2     1     1\n"
              "\n"
              "unreadable records: 1\n"
              "contact 4 (N\xC3\x98XX): its date \"1/1/2027\" is not a date mm/dd/yyyy\n");

    const QString png = folder + QStringLiteral("/rate.png");
    const Run chart = run({QStringLiteral("--chart"), png, QStringLiteral("--by"), QStringLiteral("mode"),
                           QStringLiteral("--size"), QStringLiteral("640x360"), folder});
    EXPECT_EQ(chart.status, 0) << chart.err.toStdString();
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(640, 360));
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4) colours.insert(image.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 3);

    // Refusals: a picture format it does not write (usage), a folder without stamped contacts.
    EXPECT_EQ(run({QStringLiteral("--chart"), folder + QStringLiteral("/rate.jpg"), folder}).status, 2);
    writeFile("vlqsolog.txt", "");
    const Run empty = run({QStringLiteral("--chart"), folder + QStringLiteral("/empty.png"), folder});
    EXPECT_EQ(empty.status, 1);
    EXPECT_FALSE(fileExists("empty.png"));
    EXPECT_FALSE(fileExists("rate.jpg"));
}

}  // namespace
}  // namespace vl::ui::test
