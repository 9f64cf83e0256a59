// VLWinLog: runs in the working folder, which holds the data files: the folder
// named on the command line, one chosen at start (--choose-folder), or the
// current folder.
#include <QApplication>
#include <QDir>
#include <QSettings>

#include "ui/program_host.h"
#include "ui/startup_options.h"
#include "ui/working_folder.h"

int main(int argc, char* argv[]) {
    // --help and --version answer without a display.
    if (const auto early = vl::ui::parseStartupOptions(vl::ui::argumentsOf(argc, argv));
        early.action == vl::ui::StartupOptions::Action::ShowHelp ||
        early.action == vl::ui::StartupOptions::Action::ShowVersion) {
        QCoreApplication app(argc, argv);
        return vl::ui::answerOnTerminal(early);
    }
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    // Read again without the toolkit's own options (-style, -platform, ...).
    const auto options = vl::ui::parseStartupOptions(app.arguments());
    if (options.action != vl::ui::StartupOptions::Action::Run) {
        return vl::ui::answerOnTerminal(options);
    }

    vl::ui::QtDialogs dialogs(nullptr);
    QSettings settings(QStringLiteral("VLWinLog"), QStringLiteral("VLWinLog"));
    const vl::ui::WorkingFolder folder = vl::ui::openWorkingFolder(options, dialogs, settings);
    if (!folder.open()) return folder.exitStatus();
    QDir::setCurrent(folder.path);  // file choosers and bare file names start there too

    vl::ui::ProgramHost host({std::filesystem::path(folder.path.toStdString()), {}, {}});
    QObject::connect(&host, &vl::ui::ProgramHost::programEnded, &app,
                     [&app](int status) { app.exit(status); });
    if (!host.start()) return host.exitStatus();
    return app.exec();
}
