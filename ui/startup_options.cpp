#include "ui/startup_options.h"

#include <QCommandLineParser>
#include <algorithm>
#include <cstdio>
#include <string>

#include "exports/export_log.h"
#include "ui/statistics_charts.h"

namespace vl::ui {

namespace {

const QString kChooseFolder = QStringLiteral("choose-folder");
const QString kCabrilloOption = QStringLiteral("export-cabrillo");
const QString kAdifOption = QStringLiteral("export-adif");
const QString kDigitalModeOption = QStringLiteral("digital-mode");
const QString kStatsOption = QStringLiteral("stats");
const QString kChartOption = QStringLiteral("chart");
const QString kByOption = QStringLiteral("by");
const QString kSizeOption = QStringLiteral("size");
constexpr int kMinChartSide = 100, kMaxChartSide = 8000;

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("VLWinLog logs contacts in the Velmara QSO Party.\n"
                       "Its files are kept in the working folder: FOLDER if given,\n"
                       "otherwise the current folder. The exports, --stats and --chart\n"
                       "read the log there and answer without opening a window."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(
        kChooseFolder, QStringLiteral("Choose the working folder in a folder chooser, "
                                      "starting at the folder used last.")));
    parser.addOption({kCabrilloOption,
                      QStringLiteral("Write the log as a Cabrillo 3.0 file for the log checkers."),
                      QStringLiteral("FILE")});
    parser.addOption({kAdifOption, QStringLiteral("Write the log as an ADIF 3.1 file (.adi)."),
                      QStringLiteral("FILE")});
    parser.addOption({kDigitalModeOption,
                      QStringLiteral("The ADIF mode of the digital contacts, for example RTTY "
                                     "(the default), FT8 or PSK/PSK31."),
                      QStringLiteral("MODE[/SUBMODE]")});
    parser.addOption({kStatsOption,
                      QStringLiteral("Print the rate figures, the band and mode table and the "
                                     "contacts per UTC hour.")});
    parser.addOption({kChartOption,
                      QStringLiteral("Write the chart of contacts per UTC hour as PNG or SVG."),
                      QStringLiteral("FILE")});
    parser.addOption({kByOption, QStringLiteral("Stack the chart's bars by band (the default) or by mode."),
                      QStringLiteral("band|mode")});
    parser.addOption({kSizeOption, QStringLiteral("The chart's size in pixels (1200x600)."),
                      QStringLiteral("WIDTHxHEIGHT")});
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 QStringLiteral("The working folder with the data files."),
                                 QStringLiteral("[FOLDER]"));
}

// Why --stats, --chart and their options cannot be carried out as given;
// empty when they can.
QString statisticsProblem(const QCommandLineParser& parser, StartupOptions& options, bool exporting) {
    const bool stats = parser.isSet(kStatsOption);
    const bool chart = parser.isSet(kChartOption);
    if (stats && chart) return QStringLiteral("Give one of --stats or --chart FILE, not both.");
    if ((stats || chart) && exporting) {
        return QStringLiteral("Give an export or --%1, not both.").arg(stats ? kStatsOption : kChartOption);
    }
    if ((stats || chart) && options.chooseFolder) {
        return QStringLiteral("--%1 runs without a window: name its FOLDER instead of --choose-folder.")
            .arg(stats ? kStatsOption : kChartOption);
    }
    for (const QString& option : {kByOption, kSizeOption}) {
        if (parser.isSet(option) && !chart) return QStringLiteral("--%1 goes with --chart only.").arg(option);
    }
    if (!chart) return {};
    options.chartFile = parser.value(kChartOption);
    if (options.chartFile.isEmpty()) return QStringLiteral("Name the file to write the chart to.");
    if (!chartFileNameAccepted(options.chartFile)) {
        return QStringLiteral("The chart is written as PNG or SVG: end FILE in .png or .svg.");
    }
    const QString by = parser.value(kByOption);
    if (parser.isSet(kByOption) && by != QLatin1String("band") && by != QLatin1String("mode")) {
        return QStringLiteral("--by takes band or mode.");
    }
    options.chartByMode = by == QLatin1String("mode");
    if (parser.isSet(kSizeOption)) {
        const QStringList sides = parser.value(kSizeOption).split(QLatin1Char('x'));
        bool wide = false, high = false;
        const int width = sides.size() == 2 ? sides[0].toInt(&wide) : 0;
        const int height = sides.size() == 2 ? sides[1].toInt(&high) : 0;
        if (!wide || !high || std::min(width, height) < kMinChartSide ||
            std::max(width, height) > kMaxChartSide) {
            return QStringLiteral("--size takes WIDTHxHEIGHT in pixels, each from %1 to %2.")
                .arg(kMinChartSide)
                .arg(kMaxChartSide);
        }
        options.chartSize = QSize(width, height);
    }
    return {};
}

// Why the options read cannot be carried out together; empty when they can.
QString problemWith(const QCommandLineParser& parser, StartupOptions& options) {
    const bool cabrillo = parser.isSet(kCabrilloOption);
    const bool adif = parser.isSet(kAdifOption);
    const QStringList folders = parser.positionalArguments();
    if (cabrillo && adif) {
        return QStringLiteral("Give one of --export-cabrillo FILE or --export-adif FILE, not both.");
    }
    if (parser.isSet(kDigitalModeOption)) {
        if (!adif) return QStringLiteral("--digital-mode goes with --export-adif only.");
        const std::string typed = parser.value(kDigitalModeOption).toStdString();
        const std::optional<exports::DigitalMode> mode = exports::parseDigitalMode(typed);
        if (!mode) return QString::fromStdString(exports::badDigitalModeMessage(typed));
        options.digitalMode = *mode;
    }
    if (QString why = statisticsProblem(parser, options, cabrillo || adif); !why.isEmpty()) {
        return why;
    }
    if (cabrillo || adif) {
        options.format = cabrillo ? exports::ExportFormat::kCabrillo : exports::ExportFormat::kAdif;
        options.exportFile = parser.value(cabrillo ? kCabrilloOption : kAdifOption);
        if (options.exportFile.isEmpty()) return QStringLiteral("Name the file to export to.");
        if (options.chooseFolder) {
            return QStringLiteral("An export runs without a window: name its FOLDER instead "
                                  "of --choose-folder.");
        }
    }
    if (folders.size() > 1) return QStringLiteral("Give one working folder only.");
    if (options.chooseFolder && !folders.isEmpty()) {
        return QStringLiteral("Give either a working folder or --choose-folder, not both.");
    }
    if (!folders.isEmpty() && folders.front().isEmpty()) {
        return QStringLiteral("The working folder named is empty.");
    }
    if (!folders.isEmpty()) options.folder = folders.front();
    return {};
}

}  // namespace

StartupOptions parseStartupOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    describe(parser);
    const bool read = parser.parse(arguments);
    StartupOptions options;
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        options.action = StartupOptions::Action::ShowHelp;
        options.withoutWindow = true;
        return options;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        options.action = StartupOptions::Action::ShowVersion;
        options.withoutWindow = true;
        return options;
    }
    options.withoutWindow = parser.isSet(kCabrilloOption) || parser.isSet(kAdifOption) ||
                            parser.isSet(kDigitalModeOption) || parser.isSet(kStatsOption) ||
                            parser.isSet(kChartOption) || parser.isSet(kByOption) ||
                            parser.isSet(kSizeOption);
    options.chooseFolder = parser.isSet(kChooseFolder);
    options.problem = read ? problemWith(parser, options) : parser.errorText();
    if (!options.problem.isEmpty()) {
        options.action = StartupOptions::Action::Refuse;
    } else if (parser.isSet(kCabrilloOption) || parser.isSet(kAdifOption)) {
        options.action = StartupOptions::Action::Export;
    } else if (parser.isSet(kStatsOption)) {
        options.action = StartupOptions::Action::Stats;
    } else if (parser.isSet(kChartOption)) {
        options.action = StartupOptions::Action::Chart;
    }
    return options;
}

QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

TerminalAnswer terminalAnswer(const StartupOptions& options) {
    switch (options.action) {
        case StartupOptions::Action::ShowHelp: {
            QCommandLineParser parser;
            describe(parser);
            return {parser.helpText(), false, kExitDone};
        }
        case StartupOptions::Action::ShowVersion: {
            const std::string_view version = exports::programVersion();
            return {QStringLiteral("VLWinLog %1\n")
                        .arg(QString::fromUtf8(version.data(), qsizetype(version.size()))),
                    false, kExitDone};
        }
        case StartupOptions::Action::Refuse:
            return {QStringLiteral("vlwinlog: %1\nvlwinlog --help lists the options.\n")
                        .arg(options.problem),
                    true, kExitUsage};
        case StartupOptions::Action::Run:
        case StartupOptions::Action::Export:
        case StartupOptions::Action::Stats:
        case StartupOptions::Action::Chart: break;
    }
    return {};
}

int answerOnTerminal(const StartupOptions& options) {
    const TerminalAnswer answer = terminalAnswer(options);
    std::FILE* out = answer.toStandardError ? stderr : stdout;
    std::fputs(answer.text.toLocal8Bit().constData(), out);
    std::fflush(out);
    return answer.exitStatus;
}

}  // namespace vl::ui
