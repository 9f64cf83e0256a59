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
#include <cstdlib>
#include <filesystem>

#include "bench_support.h"
#include "scoring/set_counters.h"
#include "scoring/statistics.h"
#include "ui/statistics_window.h"

using namespace vl;
using bench::measure;

int main(int argc, char* argv[]) {
    constexpr int kRuns = 7;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    char pattern[] = "/tmp/vl_bench_statistics_XXXXXX";
    const std::filesystem::path dir = ::mkdtemp(pattern);
    const logbook::DataFolder folder(dir);
    bench::writeFullLog(folder);

    scoring::Statistics statistics;
    std::printf("records %d\n", bench::kRecords);
    measure("stats", kRuns, [&] { statistics = scoring::readStatistics(folder); });
    std::printf("claimed_score %lld\n", static_cast<long long>(statistics.scores.totscore));

    bench::SilentDialogs dialogs;
    const scoring::Counters totals = statistics.totals;
    measure("window", kRuns, [&] {
        ui::StatisticsWindow window(folder, dialogs, nullptr);
        window.refresh(totals);
        window.show();
        QApplication::processEvents();
        for (QChartView* view : window.findChildren<QChartView*>()) view->grab();
    });

    const std::string command = std::string(VL_PROGRAM_PATH) + " --stats '" + dir.string() + "' >/dev/null";
    measure("stats_process", kRuns, [&] {
        if (std::system(command.c_str()) != 0) std::printf("--stats failed\n");
    });
    std::filesystem::remove_all(dir);
    return 0;
}
