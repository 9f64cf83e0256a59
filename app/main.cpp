// VLWinLog: runs in the working folder, which holds the data files: the folder
// named on the command line, one chosen at start (--choose-folder), or the
// current folder.
#include <QApplication>
#include <QDir>
#include <QSettings>

#include "app/command_line.h"
#include "ui/program_host.h"
#include "ui/startup_options.h"
#include "ui/working_folder.h"

int main(int argc, char* argv[]) {
    // --help, --version and the exports answer without a display.
    if (const auto early = vl::ui::parseStartupOptions(vl::ui::argumentsOf(argc, argv));
        early.withoutWindow) {
        QCoreApplication app(argc, argv);
        return vl::app::runCommandLine(early);
    }
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    vl::ui::applyProgramIdentity();  // the folder chooser's window too
    // Read again without the toolkit's own options (-style, -platform, ...).
    const auto options = vl::ui::parseStartupOptions(app.arguments());
    if (options.action != vl::ui::StartupOptions::Action::Run) {
        return vl::app::runCommandLine(options);
    }

    vl::ui::QtDialogs dialogs(nullptr);
    QSettings settings(QStringLiteral("VLWinLog"), QStringLiteral("VLWinLog"));
    const vl::ui::WorkingFolder folder =
        vl::ui::openWorkingFolder(options, dialogs, settings, vl::ui::shippedRosterPath());
    if (!folder.open()) return folder.exitStatus();
    QDir::setCurrent(folder.path);  // file choosers and bare file names start there too

    vl::ui::ProgramEnvironment environment;  // the real boxes, port and clock
    environment.folder = std::filesystem::path(folder.path.toStdString());
    vl::ui::ProgramHost host(std::move(environment));
    QObject::connect(&host, &vl::ui::ProgramHost::programEnded, &app,
                     [&app](int status) { app.exit(status); });
    if (!host.start()) return host.exitStatus();
    return app.exec();
}
