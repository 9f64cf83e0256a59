#pragma once
// The statistics window (View > Statistics…), beside the main window and not
// modal: the rate figures; the table of contacts, chapters and points per
// band and mode with the bonus and the claimed score, as the summary sheet
// counts them; the charts of contacts per hour and of the score over time;
// the score expected at the event's end at the rate of the last 60 minutes;
// and "Save Chart…".
#include <QWidget>

#include "logbook/data_folder.h"
#include "scoring/statistics.h"

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QStandardItemModel;
class QTabWidget;
class QTableView;

namespace vl::ui {

class Dialogs;

class StatisticsWindow : public QWidget {
    Q_OBJECT
public:
    StatisticsWindow(const logbook::DataFolder& folder, Dialogs& dialogs, QWidget* parent);

    // Reads the log again and redraws everything; `totals` are the main
    // window's running totals, which the summary sheet prints.
    void refresh(const scoring::Counters& totals);
    const scoring::Statistics& statistics() const { return statistics_; }

private:
    void showTable();
    void drawCharts();
    void showProjection();
    void txtEventEnd_EditingFinished();
    void cmdSaveChart_Click();

    const logbook::DataFolder& folder_;
    Dialogs& dialogs_;
    scoring::Statistics statistics_;
    std::optional<scoring::StampMinute> eventEnd_;

    QLabel* lblRates = nullptr;
    QTableView* tblStatistics = nullptr;
    QStandardItemModel* table_ = nullptr;
    QLabel* lblScore = nullptr;
    QLabel* lblUnreadable = nullptr;
    QComboBox* cboChartBy = nullptr;
    QTabWidget* tabCharts = nullptr;
    QChartView* chartHourly = nullptr;
    QChartView* chartScore = nullptr;
    QLineEdit* txtEventEnd = nullptr;
    QLabel* lblProjection = nullptr;
};

}  // namespace vl::ui
