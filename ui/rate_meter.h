#pragma once
// The rate meter in the main window's status bar: contacts in the last 60
// minutes, the rate of the last ten contacts, the best 60 minutes so far and
// the time since the last contact. It reads the log again when told the log
// changed and once a minute, for the time since the last contact.
#include <QLabel>
#include <functional>
#include <optional>

#include "logbook/data_folder.h"
#include "scoring/rate_figures.h"

class QTimer;

namespace vl::ui {

class RateMeter : public QLabel {
    Q_OBJECT
public:
    // `now` gives the current UTC minute as the log stamps it (the computer's
    // clock and the registration's offset).
    RateMeter(const logbook::DataFolder& folder, std::function<scoring::StampMinute()> now,
              QWidget* parent);

    // Reads the log and shows the figures.
    void refresh();

private:
    void showFigures();

    const logbook::DataFolder& folder_;
    std::function<scoring::StampMinute()> now_;
    scoring::RateFigures figures_;
    QTimer* tmrRateMeter = nullptr;
};

}  // namespace vl::ui
