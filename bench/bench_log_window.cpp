// The log window on a full log of 32,767 records: opening it up to the first
// painted table, one filter keystroke, and one save with the rebuild of
// everything derived from the log. Prints the median of several runs of each
// as open_ms, filter_ms and save_ms.
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <filesystem>

#include "bench_support.h"
#include "logbook/log_edit.h"
#include "scoring/recount.h"
#include "ui/log_window.h"

using namespace vl;
using bench::elapsedMs;
using bench::median;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    char pattern[] = "/tmp/vl_bench_log_window_XXXXXX";
    const std::filesystem::path dir = ::mkdtemp(pattern);
    const logbook::DataFolder folder(dir);
    bench::writeFullLog(folder);
    const ui::LogWindow::MakeDialogs dialogs = [](QWidget*) -> std::unique_ptr<ui::Dialogs> {
        return std::make_unique<bench::SilentDialogs>();
    };
    constexpr int kRuns = 7;

    std::vector<double> open;
    for (int run = 0; run < kRuns; ++run) {
        ui::LogWindow* window = nullptr;
        open.push_back(elapsedMs([&] {
            window = new ui::LogWindow(folder, dialogs, nullptr);
            window->show();
            QCoreApplication::processEvents();
            window->findChild<QTableView*>()->viewport()->repaint();
        }));
        delete window;
        QCoreApplication::processEvents();
    }

    ui::LogWindow window(folder, dialogs, nullptr);
    window.show();
    QCoreApplication::processEvents();
    auto* filter = window.findChild<QLineEdit*>(QStringLiteral("txtLogFilter"));
    auto* table = window.findChild<QTableView*>();
    std::vector<double> keystrokes;
    for (int run = 0; run < kRuns; ++run) {
        for (const char* typed : {"W", "W1", "W1X", "W1X1", "W1X", "W1", "W", ""}) {
            keystrokes.push_back(elapsedMs([&] {
                filter->setText(QString::fromLatin1(typed));
                table->viewport()->repaint();
            }));
        }
    }

    // A save: the line checked and replaced, the log written through the
    // seam, everything derived rebuilt, the table read again.
    std::vector<double> saves;
    for (int run = 0; run < kRuns; ++run) {
        const logbook::LogSnapshot snapshot = logbook::readLogSnapshot(folder);
        const logbook::LogLine& line = snapshot.lines[snapshot.lines.size() / 2];
        logbook::ContactRecord record = line.record;
        record.name = run % 2 ? "OPA" : "OPB";
        logbook::LogChangeOutcome outcome;
        scoring::RecountResult rebuilt;
        saves.push_back(elapsedMs([&] {
            outcome = logbook::applyLogChange(folder, replaceRecord(snapshot, line, record));
            rebuilt = scoring::recount(folder);
            window.reload();
            table->viewport()->repaint();
        }));
        if (outcome.kind != logbook::LogChangeOutcome::Kind::kDone ||
            rebuilt.outcome != scoring::RecountResult::Outcome::kCompleted) {
            std::fprintf(stderr, "the save failed\n");
            return 1;
        }
    }
    std::printf("records %zu\nopen_ms %.1f\nfilter_ms %.1f\nsave_ms %.1f\n",
                logbook::readLogSnapshot(folder).lines.size(), median(open), median(keystrokes),
                median(saves));
    std::filesystem::remove_all(dir);
    return 0;
}
