#include "ui/rate_meter.h"

#include <QTimer>

#include "logbook/contact_record.h"
#include "logbook/file_names.h"
#include "scoring/statistics.h"

namespace vl::ui {

RateMeter::RateMeter(const logbook::DataFolder& folder, std::function<scoring::StampMinute()> now,
                     QWidget* parent)
    : QLabel(parent), folder_(folder), now_(std::move(now)) {
    setObjectName(QStringLiteral("lblRateMeter"));
    tmrRateMeter = new QTimer(this);
    tmrRateMeter->setObjectName(QStringLiteral("tmrRateMeter"));
    tmrRateMeter->setInterval(60 * 1000);
    connect(tmrRateMeter, &QTimer::timeout, this, &RateMeter::showFigures);
    tmrRateMeter->start();
}

void RateMeter::refresh() {
    // A log that cannot be read shows as empty here; the window's own
    // procedures report the failure.
    figures_ = scoring::computeRateFigures(
        logbook::readContacts(folder_.read(logbook::names::kContactLog).content));
    showFigures();
}

void RateMeter::showFigures() {
    setText(QString::fromStdString(scoring::rateMeterText(figures_, now_())));
}

}  // namespace vl::ui
