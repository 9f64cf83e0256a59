#include "ui/startup_options.h"

#include <QCommandLineParser>
#include <QFile>
#include <algorithm>
#include <cstdio>

#include "exports/export_log.h"
#include "ui/statistics_charts.h"

namespace vl::ui {

namespace {

// The arguments are read as Latin-1, which maps every byte to one character
// and back: the option names are ASCII, and the values come back as the
// bytes given.
QString fromBytes(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
std::string toBytes(const QString& text) { return text.toLatin1().toStdString(); }

// The program's options, in the order --help lists them. An option given
// twice is refused: which of the two was meant cannot be told.
struct OptionSpec {
    const char* name;
    const char* valueName;  // null for a switch
    const char* description;
};

constexpr const char* kChooseFolder = "choose-folder";
constexpr const char* kCabrillo = "export-cabrillo";
constexpr const char* kAdif = "export-adif";
constexpr const char* kDigitalMode = "digital-mode";
constexpr const char* kPhoneMode = "phone-mode";
constexpr const char* kStats = "stats";
constexpr const char* kChart = "chart";
constexpr const char* kBy = "by";
constexpr const char* kSize = "size";
constexpr int kMinChartSide = 100, kMaxChartSide = 8000;

constexpr OptionSpec kOptions[] = {
    {kChooseFolder, nullptr,
     "Choose the working folder in a folder chooser, starting at the folder used last."},
    {kCabrillo, "FILE",
     "Write the log as a Cabrillo 3.0 file for the log checkers (FILE - for standard output)."},
    {kAdif, "FILE", "Write the log as an ADIF 3.1.4 file, .adi (FILE - for standard output)."},
    {kDigitalMode, "MODE[/SUBMODE]",
     "The ADIF mode of the digital contacts: RTTY (the default), a mode, a submode alone (FT4 "
     "is MFSK/FT4) or MODE/SUBMODE, as listed below."},
    {kPhoneMode, "MODE", "The ADIF mode of the phone contacts: SSB (the default), FM, AM or "
                         "DIGITALVOICE. Cabrillo names them PH whatever this says."},
    {kStats, nullptr, "Print the rate figures, the band and mode table and the contacts per UTC hour."},
    {kChart, "FILE", "Write the chart of contacts per UTC hour as PNG or SVG."},
    {kBy, "band|mode", "Stack the chart's bars by band (the default) or by mode."},
    {kSize, "WIDTHxHEIGHT", "The chart's size in pixels (1200x600)."},
};

// The toolkit's own options, read by the window's toolkit: those that take
// a value, and switches.
constexpr const char* kToolkitValueOptions[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger",
    "qwindowgeometry", "geometry", "qwindowicon", "icon", "qwindowtitle", "title",
    "style", "stylesheet", "session", "display", "name", "visual"};
constexpr const char* kToolkitSwitches[] = {"reverse", "nograb", "dograb", "sync", "widgetcount"};

// The name of a toolkit option in `argument` ("-platform" or "--platform"),
// or empty.
std::string toolkitOption(const std::string& argument, bool& takesValue) {
    if (argument.size() < 2 || argument[0] != '-') return {};
    std::string name = argument.substr(argument[1] == '-' ? 2 : 1);
    const bool joined = name.find('=') != std::string::npos;  // -style=fusion
    name = name.substr(0, name.find('='));
    auto is = [&name](const char* known) { return name == known; };
    if (std::any_of(std::begin(kToolkitValueOptions), std::end(kToolkitValueOptions), is)) {
        takesValue = !joined;
        return name;
    }
    if (std::any_of(std::begin(kToolkitSwitches), std::end(kToolkitSwitches), is)) {
        takesValue = false;
        return name;
    }
    return {};
}

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("VLWinLog logs contacts in the Velmara QSO Party.\n"
                       "Its files are kept in the working folder: FOLDER if given,\n"
                       "otherwise the current folder. The exports, --stats and --chart\n"
                       "read the log there and answer without opening a window."));
    parser.addHelpOption();
    parser.addVersionOption();
    for (const OptionSpec& option : kOptions) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(option.name),
                                            QString::fromLatin1(option.description),
                                            QString::fromLatin1(option.valueName ? option.valueName : "")));
    }
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 QStringLiteral("The working folder with the data files."),
                                 QStringLiteral("[FOLDER]"));
}

// Why --stats, --chart and their options cannot be carried out as given;
// empty when they can.
std::string statisticsProblem(const QCommandLineParser& parser, StartupOptions& options, bool exporting) {
    auto isSet = [&parser](const char* name) { return parser.isSet(QString::fromLatin1(name)); };
    auto value = [&parser](const char* name) { return toBytes(parser.value(QString::fromLatin1(name))); };
    const bool stats = isSet(kStats);
    const bool chart = isSet(kChart);
    const std::string which = stats ? kStats : kChart;
    if (stats && chart) return "Give one of --stats or --chart FILE, not both.";
    if ((stats || chart) && exporting) return "Give an export or --" + which + ", not both.";
    if ((stats || chart) && options.chooseFolder) {
        return "--" + which + " runs without a window: name its FOLDER instead of --choose-folder.";
    }
    for (const char* option : {kBy, kSize}) {
        if (isSet(option) && !chart) return "--" + std::string(option) + " goes with --chart only.";
    }
    if (!chart) return {};
    options.chartFile = value(kChart);
    if (options.chartFile.empty()) return "Name the file to write the chart to.";
    if (!chartFileNameAccepted(fromBytes(options.chartFile))) {
        return "The chart is written as PNG or SVG: end FILE in .png or .svg.";
    }
    const std::string by = value(kBy);
    if (isSet(kBy) && by != "band" && by != "mode") return "--by takes band or mode.";
    options.chartByMode = by == "mode";
    if (isSet(kSize)) {
        const QStringList sides = fromBytes(value(kSize)).split(QLatin1Char('x'));
        bool wide = false, high = false;
        const int width = sides.size() == 2 ? sides[0].toInt(&wide) : 0;
        const int height = sides.size() == 2 ? sides[1].toInt(&high) : 0;
        if (!wide || !high || std::min(width, height) < kMinChartSide ||
            std::max(width, height) > kMaxChartSide) {
            return "--size takes WIDTHxHEIGHT in pixels, each from " + std::to_string(kMinChartSide) +
                   " to " + std::to_string(kMaxChartSide) + ".";
        }
        options.chartSize = QSize(width, height);
    }
    return {};
}

// Why the options read cannot be carried out together; empty when they can.
std::string problemWith(const QCommandLineParser& parser, StartupOptions& options) {
    const QStringList given = parser.optionNames();
    for (const OptionSpec& option : kOptions) {
        if (given.count(QString::fromLatin1(option.name)) > 1) {
            return "Give --" + std::string(option.name) + " once only.";
        }
    }
    auto isSet = [&parser](const char* name) { return parser.isSet(QString::fromLatin1(name)); };
    auto value = [&parser](const char* name) { return toBytes(parser.value(QString::fromLatin1(name))); };
    const bool cabrillo = isSet(kCabrillo);
    const bool adif = isSet(kAdif);
    const QStringList folders = parser.positionalArguments();
    if (cabrillo && adif) return "Give one of --export-cabrillo FILE or --export-adif FILE, not both.";
    if (isSet(kDigitalMode)) {
        if (!adif) return "--digital-mode goes with --export-adif only.";
        const exports::DigitalModeRead mode = exports::parseDigitalMode(value(kDigitalMode));
        if (!mode.mode) return mode.problem;
        options.digitalMode = *mode.mode;
    }
    if (isSet(kPhoneMode)) {
        if (!adif) return "--phone-mode goes with --export-adif only.";
        const std::optional<std::string> mode = exports::parsePhoneMode(value(kPhoneMode));
        if (!mode) return exports::badPhoneModeMessage(value(kPhoneMode));
        options.phoneMode = *mode;
    }
    if (std::string why = statisticsProblem(parser, options, cabrillo || adif); !why.empty()) {
        return why;
    }
    if (cabrillo || adif) {
        options.format = cabrillo ? exports::ExportFormat::kCabrillo : exports::ExportFormat::kAdif;
        options.exportFile = value(cabrillo ? kCabrillo : kAdif);
        if (options.exportFile.empty()) return "Name the file to export to.";
        if (options.chooseFolder) {
            return "An export runs without a window: name its FOLDER instead of --choose-folder.";
        }
    }
    if (folders.size() > 1) return "Give one working folder only.";
    if (options.chooseFolder && !folders.isEmpty()) {
        return "Give either a working folder or --choose-folder, not both.";
    }
    if (!folders.isEmpty() && folders.front().isEmpty()) return "The working folder named is empty.";
    if (!folders.isEmpty()) options.folder = toBytes(folders.front());
    return {};
}

}  // namespace

QString StartupOptions::folderName() const { return QFile::decodeName(QByteArray::fromStdString(folder)); }

StartupOptions parseStartupOptions(const std::vector<std::string>& arguments) {
    QStringList ours;
    for (size_t i = 0; i < arguments.size(); ++i) {
        bool takesValue = false;
        if (i > 0 && !toolkitOption(arguments[i], takesValue).empty()) {
            if (takesValue) ++i;
            continue;
        }
        ours << fromBytes(arguments[i]);
    }
    QCommandLineParser parser;
    describe(parser);
    const bool read = parser.parse(ours);
    StartupOptions options;
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        options.action = StartupOptions::Action::ShowHelp;
        return options;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        options.action = StartupOptions::Action::ShowVersion;
        return options;
    }
    options.chooseFolder = parser.isSet(QString::fromLatin1(kChooseFolder));
    options.problem = read ? problemWith(parser, options) : toBytes(parser.errorText());
    if (!options.problem.empty()) {
        options.action = StartupOptions::Action::Refuse;
    } else if (parser.isSet(QString::fromLatin1(kCabrillo)) || parser.isSet(QString::fromLatin1(kAdif))) {
        options.action = StartupOptions::Action::Export;
    } else if (parser.isSet(QString::fromLatin1(kStats))) {
        options.action = StartupOptions::Action::Stats;
    } else if (parser.isSet(QString::fromLatin1(kChart))) {
        options.action = StartupOptions::Action::Chart;
    }
    return options;
}

StartupOptions parseStartupOptions(const QStringList& arguments) {
    std::vector<std::string> bytes;
    for (const QString& argument : arguments) bytes.push_back(QFile::encodeName(argument).toStdString());
    return parseStartupOptions(bytes);
}

std::vector<std::string> argumentsOf(int argc, char* argv[]) {
    return std::vector<std::string>(argv, argv + argc);
}

TerminalAnswer terminalAnswer(const StartupOptions& options) {
    switch (options.action) {
        case StartupOptions::Action::ShowHelp: {
            QCommandLineParser parser;
            describe(parser);
            return {parser.helpText().toStdString() +
                        "\nDigital modes (ADIF 3.1.4) and their submodes, for --digital-mode:\n" +
                        exports::digitalModesListing(),
                    false, kExitDone};
        }
        case StartupOptions::Action::ShowVersion:
            return {"VLWinLog " + std::string(exports::programVersion()) + "\n", false, kExitDone};
        case StartupOptions::Action::Refuse:
            return {"vlwinlog: " + options.problem + "\nvlwinlog --help lists the options.\n", true,
                    kExitUsage};
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
    std::fwrite(answer.text.data(), 1, answer.text.size(), out);
    std::fflush(out);
    return answer.exitStatus;
}

}  // namespace vl::ui
