#include "app/statistics_command.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <optional>
#include <string>

#include "logbook/data_folder.h"
#include "reports/utf8_from_windows1252.h"
#include "scoring/statistics.h"
#include "ui/statistics_charts.h"

namespace vl::app {

namespace {

int failed(const std::string& why) {
    std::fprintf(stderr, "vlwinlog: %s\n", reports::utf8FromWindows1252(why).c_str());
    return ui::kExitFailed;
}

// The statistics of FOLDER (or the current folder), or why there are none.
std::optional<scoring::Statistics> statisticsOf(const ui::StartupOptions& options, std::string& problem) {
    const QFileInfo folder(options.folder.empty() ? QDir::currentPath() : options.folderName());
    const std::string name = "\"" + options.folder + "\"";
    if (!folder.exists()) {
        problem = "The working folder " + name + " does not exist.";
    } else if (!folder.isDir()) {
        problem = name + " is a file, not a folder.";
    } else {
        scoring::Statistics read = scoring::readStatistics(
            logbook::DataFolder(QFile::encodeName(folder.absoluteFilePath()).toStdString()));
        if (read.ok()) return read;
        problem = read.problem;
    }
    return std::nullopt;
}

}  // namespace

int printStatistics(const ui::StartupOptions& options) {
    std::string problem;
    const std::optional<scoring::Statistics> statistics = statisticsOf(options, problem);
    if (!statistics) return failed(problem);
    const std::string text = reports::utf8FromWindows1252(scoring::statisticsText(*statistics));
    std::fwrite(text.data(), 1, text.size(), stdout);
    return ui::kExitDone;
}

int writeChart(const ui::StartupOptions& options) {
    std::string problem;
    const std::optional<scoring::Statistics> statistics = statisticsOf(options, problem);
    if (!statistics) return failed("Nothing was written. " + problem);
    if (statistics->rates.contacts == 0) {
        return failed("Nothing was written: the contact log holds no contact with a readable stamp.");
    }
    const QString why = ui::writeContactsPerHourChart(
        statistics->rates, options.chartByMode ? ui::ChartSplit::kByMode : ui::ChartSplit::kByBand,
        options.chartSize, QFileInfo(QFile::decodeName(QByteArray::fromStdString(options.chartFile))).absoluteFilePath());
    const std::string& file = options.chartFile;
    if (!why.isEmpty()) {
        std::fprintf(stderr, "vlwinlog: Nothing was written to \"%s\": %s\n", file.c_str(),
                     why.toStdString().c_str());
        return ui::kExitFailed;
    }
    std::printf("The chart of %lld contacts was written to \"%s\".\n",
                static_cast<long long>(statistics->rates.contacts), file.c_str());
    return ui::kExitDone;
}

}  // namespace vl::app
