#include "ui/statistics_charts.h"

#include <QApplication>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QPalette>
#include <QSaveFile>
#include <QStackedBarSeries>
#include <QSvgGenerator>
#include <QValueAxis>
#include <algorithm>

namespace vl::ui {

namespace {

QString fromAscii(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QChart* newChart(const QString& title, bool dark) {
    auto* chart = new QChart;
    chart->setTheme(dark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    return chart;
}

QValueAxis* countAxis(QChart* chart, qreal top, const QString& title) {
    auto* axis = new QValueAxis;
    axis->setRange(0, std::max<qreal>(top, 1));
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->applyNiceNumbers();
    axis->setTitleText(title);
    chart->addAxis(axis, Qt::AlignLeft);
    return axis;
}

// A value axis labelled at chosen places, read in UTC.
QCategoryAxis* utcAxis(const QString& title, qreal from, qreal to) {
    auto* axis = new QCategoryAxis;
    axis->setRange(from, to);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setTitleText(title);
    axis->setLabelsAngle(-45);
    axis->setTruncateLabels(false);
    return axis;
}

// Minutes between two labels: 1, 2, 3, 6, 12 or 24 hours, or whole days
// beyond, so that a span has a dozen labels at most.
std::int64_t labelStep(std::int64_t spanMinutes) {
    std::int64_t step = 60;
    for (std::int64_t hours : {1, 2, 3, 6, 12, 24}) {
        step = hours * 60;
        if (spanMinutes / step <= 12) return step;
    }
    while (spanMinutes / step > 12) step += 24 * 60;
    return step;
}

// "12-06 18:00", with the year when the figures span more than one.
QString utcLabel(scoring::StampMinute minute, scoring::StampMinute first, scoring::StampMinute last) {
    const QString text = QString::fromStdString(scoring::stampText(minute));
    const bool oneYear = scoring::stampText(first).substr(0, 4) == scoring::stampText(last).substr(0, 4);
    return oneYear ? text.mid(5) : text;
}

}  // namespace

bool darkPalette() {
    const QPalette palette = QApplication::palette();
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

QChart* contactsPerHourChart(const scoring::RateFigures& figures, ChartSplit split, bool dark) {
    const bool byBand = split == ChartSplit::kByBand;
    QChart* chart = newChart(byBand ? QStringLiteral("Contacts per UTC hour by band")
                                    : QStringLiteral("Contacts per UTC hour by mode"),
                             dark);
    const auto& hours = figures.hours;
    auto* bars = new QStackedBarSeries;
    const size_t slotCount = byBand ? scoring::kRateBandNames.size() : scoring::kRateModeNames.size();
    for (size_t slot = 0; slot < slotCount; ++slot) {
        QList<qreal> values;
        bool any = false;
        for (const scoring::HourCount& h : hours) {
            const int n = byBand ? h.byBand[slot] : h.byMode[slot];
            values << n;
            any = any || n > 0;
        }
        if (!any) continue;  // a band or mode without contacts gets no legend entry
        auto* set = new QBarSet(fromAscii(byBand ? scoring::kRateBandNames[slot]
                                                 : scoring::kRateModeNames[slot]));
        set->append(values);
        bars->append(set);
    }
    bars->setBarWidth(0.9);
    chart->addSeries(bars);

    // Bar i stands at i, its hour from i - 0.5 to i + 0.5; a label names the
    // start of every few hours.
    QCategoryAxis* hourAxis = utcAxis(QStringLiteral("UTC hour"), -0.5, qreal(hours.size()) - 0.5);
    const std::int64_t step = labelStep(std::int64_t(hours.size()) * 60) / 60;
    for (size_t i = 0; i < hours.size(); i += size_t(step)) {
        hourAxis->append(utcLabel(hours[i].hour, hours.front().hour, hours.back().hour), qreal(i) - 0.5);
    }
    chart->addAxis(hourAxis, Qt::AlignBottom);
    bars->attachAxis(hourAxis);
    std::int32_t top = figures.best60;
    for (const scoring::HourCount& h : hours) top = std::max(top, h.total);
    QValueAxis* counts = countAxis(chart, top * 1.1, QStringLiteral("Contacts"));
    bars->attachAxis(counts);

    // The best 60 minutes: a line at their height over the minutes they span.
    if (figures.best60Start && !hours.empty()) {
        const scoring::StampMinute start = *figures.best60Start;
        const auto inHour = std::upper_bound(hours.begin(), hours.end(), start,
                                             [](scoring::StampMinute m, const scoring::HourCount& h) {
                                                 return m < h.hour;
                                             }) - 1;
        const qreal x0 = qreal(inHour - hours.begin()) - 0.5 + qreal(start - inHour->hour) / 60.0;
        auto* best = new QLineSeries;
        best->setName(QStringLiteral("Best 60 min: %1 from %2 UTC")
                          .arg(figures.best60)
                          .arg(QString::fromStdString(scoring::stampText(start))));
        best->append(x0, figures.best60);
        best->append(x0 + 1.0, figures.best60);
        QPen pen(dark ? QColor(255, 120, 120) : QColor(200, 0, 0));
        pen.setWidth(5);
        best->setPen(pen);
        chart->addSeries(best);
        best->attachAxis(hourAxis);
        best->attachAxis(counts);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QChart* scoreOverTimeChart(const scoring::RateFigures& figures, bool dark) {
    QChart* chart = newChart(QStringLiteral("Claimed score over time"), dark);
    chart->legend()->hide();
    auto* line = new QLineSeries;
    const auto& points = figures.scoreOverTime;
    // Minutes from the first contact's clock hour, labelled in UTC.
    const scoring::StampMinute first = points.empty() ? 0 : points.front().minute;
    const scoring::StampMinute origin = first - ((first % 60) + 60) % 60;
    QList<QPointF> xy;
    xy.reserve(qsizetype(points.size()) + 1);
    std::int64_t top = 0;
    for (const scoring::ScorePoint& p : points) {
        if (!xy.isEmpty()) xy << QPointF(qreal(p.minute - origin), xy.back().y());  // a step
        xy << QPointF(qreal(p.minute - origin), qreal(p.score));
        top = std::max(top, p.score);
    }
    line->replace(xy);
    chart->addSeries(line);

    const std::int64_t span = points.empty() ? 60 : points.back().minute - origin + 60;
    QCategoryAxis* time = utcAxis(QStringLiteral("UTC"), 0, qreal(span));
    const scoring::StampMinute last = points.empty() ? origin : points.back().minute;
    for (std::int64_t at = 0, step = labelStep(span); at <= span; at += step) {
        time->append(utcLabel(origin + at, origin, last), qreal(at));
    }
    chart->addAxis(time, Qt::AlignBottom);
    line->attachAxis(time);
    line->attachAxis(countAxis(chart, qreal(top) * 1.05, QStringLiteral("Score")));
    return chart;
}

bool chartFileNameAccepted(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("svg");
}

QString saveChart(QChartView& view, const QString& path) {
    if (!chartFileNameAccepted(path)) {
        return QStringLiteral("The chart is written as PNG or SVG: end the file name in .png or .svg.");
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (QFileInfo(path).suffix().toLower() == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(view.size());
        svg.setViewBox(view.rect());
        svg.setTitle(view.chart()->title());
        QPainter painter(&svg);
        view.render(&painter);
    } else {
        const QImage image = view.grab().toImage();
        if (!image.save(&file, "PNG")) return QStringLiteral("The picture could not be made.");
    }
    if (!file.commit()) return file.errorString();
    return {};
}

QString writeContactsPerHourChart(const scoring::RateFigures& figures, ChartSplit split,
                                  QSize size, const QString& path) {
    QChartView view(contactsPerHourChart(figures, split, false));
    view.setRenderHint(QPainter::Antialiasing);
    view.resize(size);
    // Grabbing lays the hidden view out at its size first.
    view.grab();
    return saveChart(view, path);
}

}  // namespace vl::ui
