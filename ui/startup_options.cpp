#include "ui/startup_options.h"

#include <QCommandLineParser>
#include <cstdio>

#include "vl_version.h"

namespace vl::ui {

namespace {

const QString kChooseFolder = QStringLiteral("choose-folder");

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("VLWinLog logs contacts in the Velmara QSO Party.\n"
                       "Its files are kept in the working folder: FOLDER if given,\n"
                       "otherwise the current folder."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(
        kChooseFolder, QStringLiteral("Choose the working folder in a folder chooser, "
                                      "starting at the folder used last.")));
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 QStringLiteral("The working folder with the data files."),
                                 QStringLiteral("[FOLDER]"));
}

}  // namespace

StartupOptions parseStartupOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    describe(parser);
    const bool read = parser.parse(arguments);
    StartupOptions options;
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        options.action = StartupOptions::Action::ShowHelp;
        return options;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        options.action = StartupOptions::Action::ShowVersion;
        return options;
    }
    const QStringList folders = parser.positionalArguments();
    options.chooseFolder = parser.isSet(kChooseFolder);
    if (!read) {
        options.problem = parser.errorText();
    } else if (folders.size() > 1) {
        options.problem = QStringLiteral("Give one working folder only.");
    } else if (options.chooseFolder && !folders.isEmpty()) {
        options.problem =
            QStringLiteral("Give either a working folder or --choose-folder, not both.");
    } else if (!folders.isEmpty() && folders.front().isEmpty()) {
        options.problem = QStringLiteral("The working folder named is empty.");
    }
    if (!options.problem.isEmpty()) {
        options.action = StartupOptions::Action::Refuse;
        return options;
    }
    if (!folders.isEmpty()) options.folder = folders.front();
    return options;
}

QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

TerminalAnswer terminalAnswer(const StartupOptions& options) {
    QCommandLineParser parser;
    describe(parser);
    switch (options.action) {
        case StartupOptions::Action::ShowHelp: return {parser.helpText(), false, 0};
        case StartupOptions::Action::ShowVersion:
            return {QStringLiteral("VLWinLog %1\n").arg(QLatin1String(kVersion)), false, 0};
        case StartupOptions::Action::Refuse:
            return {options.problem + QLatin1Char('\n') + parser.helpText(), true, 1};
        case StartupOptions::Action::Run: break;
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
