#include "ui/statistics_window.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/dialogs.h"
#include "ui/display_text.h"
#include "ui/statistics_charts.h"

namespace vl::ui {

namespace {

QString number(std::int64_t value) { return QString::number(value); }

QString stamp(scoring::StampMinute minute) { return QString::fromStdString(scoring::stampText(minute)); }

QString hoursAndMinutes(std::int64_t minutes) {
    return QStringLiteral("%1 h %2 min").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

StatisticsWindow::StatisticsWindow(const logbook::DataFolder& folder, Dialogs& dialogs,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(folder), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmStatistics"));
    setWindowTitle(QStringLiteral("Statistics"));

    lblRates = new QLabel(this);
    lblRates->setObjectName(QStringLiteral("lblRates"));
    lblRates->setTextInteractionFlags(Qt::TextSelectableByMouse);

    table_ = new QStandardItemModel(this);
    tblStatistics = new QTableView(this);
    tblStatistics->setObjectName(QStringLiteral("tblStatistics"));
    tblStatistics->setModel(table_);
    tblStatistics->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblStatistics->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblStatistics->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tblStatistics->setMinimumWidth(300);
    lblScore = new QLabel(this);
    lblScore->setObjectName(QStringLiteral("lblScore"));
    lblUnreadable = new QLabel(this);
    lblUnreadable->setObjectName(QStringLiteral("lblUnreadable"));
    lblUnreadable->setWordWrap(true);

    chartHourly = new QChartView(this);
    chartHourly->setObjectName(QStringLiteral("chartHourly"));
    chartScore = new QChartView(this);
    chartScore->setObjectName(QStringLiteral("chartScore"));
    for (QChartView* view : {chartHourly, chartScore}) view->setRenderHint(QPainter::Antialiasing);
    tabCharts = new QTabWidget(this);
    tabCharts->setObjectName(QStringLiteral("tabCharts"));
    tabCharts->addTab(chartHourly, QStringLiteral("Contacts per hour"));
    tabCharts->addTab(chartScore, QStringLiteral("Score over time"));

    cboChartBy = new QComboBox(this);
    cboChartBy->setObjectName(QStringLiteral("cboChartBy"));
    cboChartBy->addItems({QStringLiteral("By band"), QStringLiteral("By mode")});
    connect(cboChartBy, &QComboBox::currentIndexChanged, this, [this] { drawCharts(); });
    // Only the contacts per hour are split by band or mode.
    connect(tabCharts, &QTabWidget::currentChanged, cboChartBy,
            [this](int tab) { cboChartBy->setEnabled(tab == 0); });
    auto* cmdSaveChart = new QPushButton(QStringLiteral("Save Chart\u2026"), this);
    cmdSaveChart->setObjectName(QStringLiteral("cmdSaveChart"));
    connect(cmdSaveChart, &QPushButton::clicked, this, [this] { cmdSaveChart_Click(); });

    txtEventEnd = new QLineEdit(this);
    txtEventEnd->setObjectName(QStringLiteral("txtEventEnd"));
    txtEventEnd->setPlaceholderText(QStringLiteral("YYYY-MM-DD HH:MM"));
    txtEventEnd->setMaxLength(16);
    connect(txtEventEnd, &QLineEdit::editingFinished, this, [this] { txtEventEnd_EditingFinished(); });
    lblProjection = new QLabel(this);
    lblProjection->setObjectName(QStringLiteral("lblProjection"));
    lblProjection->setWordWrap(true);

    auto* left = new QVBoxLayout;
    left->addWidget(lblRates);
    left->addWidget(tblStatistics, 1);
    left->addWidget(lblScore);
    left->addWidget(lblUnreadable);
    auto* chartButtons = new QHBoxLayout;
    chartButtons->addWidget(cboChartBy);
    chartButtons->addStretch(1);
    chartButtons->addWidget(cmdSaveChart);
    auto* right = new QVBoxLayout;
    right->addWidget(tabCharts, 1);
    right->addLayout(chartButtons);
    auto* projection = new QHBoxLayout;
    projection->addWidget(new QLabel(QStringLiteral("Event ends (UTC):"), this));
    projection->addWidget(txtEventEnd);
    projection->addWidget(lblProjection, 1);
    auto* grid = new QGridLayout(this);
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addLayout(projection, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    resize(1100, 600);

    eventEnd_ = scoring::readEventEnd(folder_);
    if (eventEnd_) txtEventEnd->setText(stamp(*eventEnd_));
}

void StatisticsWindow::refresh(const scoring::Counters& totals) {
    statistics_ = scoring::readStatistics(folder_, &totals);
    const scoring::RateFigures& r = statistics_.rates;
    if (!statistics_.ok()) {
        lblRates->setText(q(statistics_.problem));
    } else {
        lblRates->setText(
            QStringLiteral("Contacts in the last 60 minutes: %1\nRate of the last 10: %2\n"
                           "Best 60 minutes: %3\nLast contact: %4")
                .arg(r.last60)
                .arg(r.last10Rate ? number(*r.last10Rate) + QStringLiteral(" per hour") : QStringLiteral("-"))
                .arg(number(r.best60) +
                     (r.best60Start ? QStringLiteral(" from ") + stamp(*r.best60Start) + QStringLiteral(" UTC")
                                    : QString()))
                .arg(r.last ? stamp(*r.last) + QStringLiteral(" UTC") : QStringLiteral("none")));
    }
    showTable();
    drawCharts();
    showProjection();
}

void StatisticsWindow::showTable() {
    const std::vector<scoring::TableRow> rows = scoring::bandModeTable(statistics_);
    table_->clear();
    table_->setColumnCount(int(scoring::kTableColumns.size()));
    QStringList columns;
    for (std::string_view c : scoring::kTableColumns) columns << q(c);
    table_->setHorizontalHeaderLabels(columns);
    QStringList labels;
    for (const scoring::TableRow& row : rows) {
        QList<QStandardItem*> cells;
        for (std::int64_t value : row.cells) {
            auto* item = new QStandardItem(number(value));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cells << item;
        }
        table_->appendRow(cells);
        labels << q(row.label);
    }
    table_->setVerticalHeaderLabels(labels);
    lblScore->setText(QStringLiteral("Bonus points: %1    Claimed score: %2")
                          .arg(statistics_.scores.bonusPoints)
                          .arg(statistics_.scores.totscore));
    const auto& unreadable = statistics_.rates.unreadable;
    QString text;
    if (!unreadable.empty()) {
        text = QStringLiteral("%1 record(s) of the log have no readable stamp and are left out of "
                              "the rate and the charts:")
                   .arg(unreadable.size());
        const size_t shown = std::min<size_t>(unreadable.size(), 5);
        for (size_t i = 0; i < shown; ++i) {
            text += QStringLiteral("\ncontact %1 (%2): %3")
                        .arg(unreadable[i].number)
                        .arg(q(unreadable[i].call), q(unreadable[i].why));
        }
        if (shown < unreadable.size()) text += QStringLiteral("\n\u2026");
    }
    lblUnreadable->setText(text);
    lblUnreadable->setVisible(!text.isEmpty());
}

void StatisticsWindow::drawCharts() {
    const bool dark = darkPalette();
    const ChartSplit split = cboChartBy->currentIndex() == 1 ? ChartSplit::kByMode : ChartSplit::kByBand;
    // The views own their charts; setting a new one leaves the old to us.
    for (auto [view, chart] : {std::pair{chartHourly, contactsPerHourChart(statistics_.rates, split, dark)},
                               std::pair{chartScore, scoreOverTimeChart(statistics_.rates, dark)}}) {
        QChart* old = view->chart();
        view->setChart(chart);
        delete old;
    }
}

void StatisticsWindow::showProjection() {
    if (!eventEnd_) {
        lblProjection->setText(QStringLiteral("Type the event's end time to see the score expected at the end."));
        return;
    }
    const scoring::Counters& t = statistics_.totals;
    const std::int64_t chapters = std::int64_t(t.chptot) + t.ochptot + t.dchptot;
    const scoring::Projection p =
        scoring::projectToEnd(statistics_.rates, *eventEnd_, statistics_.scores.totscore, chapters);
    if (p.minutesLeft == 0) {
        lblProjection->setText(QStringLiteral("The event ends at %1 UTC, not after the last contact: "
                                              "claimed score %2.")
                                   .arg(stamp(*eventEnd_))
                                   .arg(statistics_.scores.totscore));
        return;
    }
    lblProjection->setText(
        QStringLiteral("At this rate (%1 counted contacts in the last 60 minutes), %2 left after the "
                       "last contact: about %3 more contacts, claimed score %4 at the end.")
            .arg(statistics_.rates.last60Scoring)
            .arg(hoursAndMinutes(p.minutesLeft))
            .arg(p.contactsExpected)
            .arg(p.score));
}

void StatisticsWindow::txtEventEnd_EditingFinished() {
    const QString typed = txtEventEnd->text().trimmed();
    const std::optional<scoring::StampMinute> end = scoring::parseStampText(typed.toStdString());
    if (!end) {
        lblProjection->setText(QStringLiteral("Type the end as YYYY-MM-DD HH:MM, in UTC "
                                              "(for example 2026-12-07 00:00)."));
        return;
    }
    if (end == eventEnd_) return;
    eventEnd_ = end;
    if (auto error = scoring::writeEventEnd(folder_, *end)) {
        dialogs_.message(QStringLiteral("The end time could not be kept in %1 (%2); it is used "
                                        "until the program ends.")
                             .arg(q(scoring::kEventEndFile), q(error->description)));
    }
    showProjection();
}

void StatisticsWindow::cmdSaveChart_Click() {
    const bool hourly = tabCharts->currentWidget() == chartHourly;
    const QString start = QDir(QString::fromStdString(folder_.dir().string()))
                              .filePath(hourly ? QStringLiteral("contacts-per-hour.png")
                                               : QStringLiteral("score-over-time.png"));
    const QString chosen = dialogs_.saveFileName(
        QStringLiteral("Save Chart"), start,
        QStringLiteral("PNG pictures (*.png);;SVG drawings (*.svg)"));
    if (chosen.isEmpty()) return;
    const QString shown = QDir::toNativeSeparators(chosen);
    const QString problem = saveChart(hourly ? *chartHourly : *chartScore, chosen);
    dialogs_.message(problem.isEmpty()
                         ? QStringLiteral("The chart was written to %1.").arg(shown)
                         : QStringLiteral("The chart was not written to %1: %2").arg(shown, problem));
}

}  // namespace vl::ui
