// The log window on a full log of 32,767 records: opening it up to the first
// painted table, one filter keystroke, and one save with the rebuild of
// everything derived from the log. Prints the median of several runs of each
// as open_ms, filter_ms and save_ms.
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "logbook/file_names.h"
#include "logbook/log_edit.h"
#include "scoring/recount.h"
#include "ui/dialogs.h"
#include "ui/log_window.h"

namespace {

namespace fs = std::filesystem;
using namespace vl;

// Every box answered at once: No, Cancel.
class SilentDialogs : public ui::Dialogs {
    void message(const QString&, const QString&, Icon) override {}
    bool question(const QString&, const QString&, Icon, bool) override { return false; }
    QString input(const QString&, const QString&) override { return {}; }
    void beep() override {}
    QString chooseFolder(const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString choose(const QString&, const QString&, const QStringList&) override { return {}; }
};

void writeFolder(const logbook::DataFolder& folder) {
    std::string roster;
    for (int c = 1; c <= 300; ++c) roster += "\"" + std::to_string(1000 + c).substr(1) + "\",\"C\"\r\n";
    roster += "\"999\",\"End\"\r\n";
    (void)folder.writeWhole(logbook::names::kRoster, roster);
    static const char* const bands[] = {"160", "80", "40", "20", "15", "10"};
    static const char* const modes[] = {"PHN", "CW", "DIG"};
    std::string log;
    for (int i = 0; i < 32767; ++i) {
        const std::string call = {'K', char('0' + i % 10), char('A' + i % 26),
                                  char('A' + i / 26 % 26), char('A' + i / 676 % 26)};
        log += logbook::formatContactLine({call, "59", "59", std::to_string(1 + i % 300), "OP",
                                           bands[i % 6], modes[i / 6 % 3], "06/01/2026", "14:05",
                                           i % 40 == 0 ? "DUPE" : ""});
    }
    (void)folder.writeWhole(logbook::names::kContactLog, log);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    char pattern[] = "/tmp/vl_bench_log_window_XXXXXX";
    const fs::path dir = ::mkdtemp(pattern);
    const logbook::DataFolder folder(dir);
    writeFolder(folder);
    const ui::LogWindow::MakeDialogs dialogs = [](QWidget*) -> std::unique_ptr<ui::Dialogs> {
        return std::make_unique<SilentDialogs>();
    };
    constexpr int kRuns = 7;
    QElapsedTimer clock;

    std::vector<double> open;
    for (int run = 0; run < kRuns; ++run) {
        clock.start();
        auto* window = new ui::LogWindow(folder, dialogs, nullptr);
        window->show();
        QCoreApplication::processEvents();
        window->findChild<QTableView*>()->viewport()->repaint();
        open.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
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
        for (const char* typed : {"K", "K1", "K1A", "K1AB", "K1A", "K1", "K", ""}) {
            clock.start();
            filter->setText(QString::fromLatin1(typed));
            table->viewport()->repaint();
            keystrokes.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
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
        clock.start();
        const auto outcome = logbook::applyLogChange(folder, replaceRecord(snapshot, line, record));
        const scoring::RecountResult rebuilt = scoring::recount(folder);
        window.reload();
        table->viewport()->repaint();
        saves.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        if (outcome.kind != logbook::LogChangeOutcome::Kind::kDone ||
            rebuilt.outcome != scoring::RecountResult::Outcome::kCompleted) {
            std::fprintf(stderr, "the save failed\n");
            return 1;
        }
    }
    std::printf("records %zu\nopen_ms %.1f\nfilter_ms %.1f\nsave_ms %.1f\n",
                logbook::readLogSnapshot(folder).lines.size(), median(open), median(keystrokes),
                median(saves));
    fs::remove_all(dir);
    return 0;
}
