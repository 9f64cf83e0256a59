// The statistics on a full log of 32,767 contacts over a contest weekend:
//   stats_ms          reading the folder and computing every figure (readStatistics)
//   window_ms         the statistics window opened, both charts drawn
//   stats_process_ms  `vlwinlog --stats FOLDER` as a whole process, output discarded
// Each is the median of several runs, in milliseconds of the wall clock; the
// *_cpu_ms figures beside them are the processor time the same runs took,
// which a machine busy with other work does not inflate. Runs offscreen
// unless QT_QPA_PLATFORM names another platform.
#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <sys/resource.h>
#include <ctime>
#include <string>
#include <vector>

#include "logbook/contact_record.h"
#include "logbook/data_folder.h"
#include "logbook/file_names.h"
#include "logbook/small_files.h"
#include "scoring/set_counters.h"
#include "scoring/statistics.h"
#include "ui/dialogs.h"
#include "ui/statistics_window.h"

namespace {

namespace fs = std::filesystem;
using namespace vl;

constexpr int kRecords = 32767;
constexpr int kRuns = 7;

// Two days of contacts from 12/05/2026 18:00, a few a minute, on six bands
// and three modes, with dupes and bonus claims among them.
void writeLog(const logbook::DataFolder& folder) {
    std::mt19937 random(20261205);
    const char* bands[] = {"20", "40", "80", "15", "10", "160"};
    const char* modes[] = {"PHN", "CW", "DIG"};
    std::string log;
    std::vector<std::string> chapters[3];
    std::string bonus;
    for (int i = 0; i < kRecords; ++i) {
        const int minute = i * 48 * 60 / kRecords;
        const int day = 5 + (18 * 60 + minute) / (24 * 60);
        const int inDay = (18 * 60 + minute) % (24 * 60);
        char date[16], time[8], call[16], chapter[8];
        std::snprintf(date, sizeof date, "12/%02d/2026", day);
        std::snprintf(time, sizeof time, "%02d:%02d", inDay / 60, inDay % 60);
        std::snprintf(call, sizeof call, "W%dX%d", i % 10, i);
        std::snprintf(chapter, sizeof chapter, "%03d", int(random() % 300 + 1));
        const int mode = int(random() % 3);
        const char* comment = random() % 20 == 0 ? "DUPE" : random() % 50 == 0 ? "BNVL" : "";
        log += logbook::formatContactLine(
            {call, "59", "59", chapter, "BOB", bands[random() % 6], modes[mode], date, time, comment});
        if (std::string(comment) != "DUPE" &&
            std::find(chapters[mode].begin(), chapters[mode].end(), chapter) == chapters[mode].end()) {
            chapters[mode].push_back(chapter);
        }
        if (std::string(comment) == "BNVL") bonus += logbook::formatBonusLine(call);
    }
    folder.writeWhole(logbook::names::kContactLog, log);
    const std::string_view files[] = {logbook::names::kPhoneChapters, logbook::names::kCwChapters,
                                      logbook::names::kDigitalChapters};
    for (int m = 0; m < 3; ++m) {
        std::string lines;
        for (const std::string& c : chapters[m]) lines += logbook::formatSingleFieldLine(c);
        folder.writeWhole(files[m], lines);
    }
    folder.writeWhole(logbook::names::kBonusCalls, bonus);
}

// Processor time of this process and of the children it waited for.
double cpuMs() {
    timespec own{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &own);
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return double(own.tv_sec) * 1e3 + double(own.tv_nsec) / 1e6 + ms(children.ru_utime) +
           ms(children.ru_stime);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Prints "<name>_ms" and "<name>_cpu_ms".
void measure(const char* name, const std::function<void()>& run) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer clock;
        clock.start();
        const double cpuBefore = cpuMs();
        run();
        cpu.push_back(cpuMs() - cpuBefore);
        wall.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::printf("%s_ms %.1f\n%s_cpu_ms %.1f\n", name, median(wall), name, median(cpu));
    std::fflush(stdout);
}

class SilentDialogs : public ui::Dialogs {
public:
    void message(const QString&, const QString&, Icon) override {}
    bool question(const QString&, const QString&, Icon, bool) override { return false; }
    QString input(const QString&, const QString&) override { return {}; }
    void beep() override {}
    QString chooseFolder(const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString choose(const QString&, const QString&, const QStringList&) override { return {}; }
};

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    char pattern[] = "/tmp/vl_bench_statistics_XXXXXX";
    const fs::path dir = ::mkdtemp(pattern);
    const logbook::DataFolder folder(dir);
    writeLog(folder);

    scoring::Statistics statistics;
    std::printf("records %d\n", kRecords);
    measure("stats", [&] { statistics = scoring::readStatistics(folder); });
    std::printf("claimed_score %lld\n", static_cast<long long>(statistics.scores.totscore));

    SilentDialogs dialogs;
    const scoring::Counters totals = statistics.totals;
    measure("window", [&] {
        ui::StatisticsWindow window(folder, dialogs, nullptr);
        window.refresh(totals);
        window.show();
        QApplication::processEvents();
        for (QChartView* view : window.findChildren<QChartView*>()) view->grab();
    });

    const std::string command =
        std::string(VL_PROGRAM_PATH) + " --stats '" + dir.string() + "' >/dev/null";
    measure("stats_process", [&] {
        if (std::system(command.c_str()) != 0) std::printf("--stats failed\n");
    });
    fs::remove_all(dir);
    return 0;
}
