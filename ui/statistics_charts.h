#pragma once
// The two charts of the statistics window, also drawn without a display for
// `vlwinlog --chart`: contacts per UTC clock hour stacked by band or by mode,
// with the best 60 minutes marked, and the claimed score over time. Axis
// labels are UTC, read from the log's stamps.
#include <QSize>
#include <QString>

#include "scoring/rate_figures.h"

class QChart;
class QChartView;

namespace vl::ui {

enum class ChartSplit { kByBand, kByMode };

// New charts, owned by the caller (a QChartView takes them over). `dark`
// picks the dark theme.
QChart* contactsPerHourChart(const scoring::RateFigures& figures, ChartSplit split, bool dark);
QChart* scoreOverTimeChart(const scoring::RateFigures& figures, bool dark);

// True when the palette of the application is a dark one.
bool darkPalette();

// Writes what the view shows to `path` as PNG or SVG, chosen by the name's
// ending (.png, .svg, any case), whole or not at all. Empty on success, else
// why nothing was written.
QString saveChart(QChartView& view, const QString& path);
// The ending is one saveChart writes.
bool chartFileNameAccepted(const QString& path);

// The chart of contacts per hour drawn at `size` without showing a window,
// then saved as saveChart does.
QString writeContactsPerHourChart(const scoring::RateFigures& figures, ChartSplit split,
                                  QSize size, const QString& path);

}  // namespace vl::ui
