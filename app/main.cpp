// VLWinLog: runs in the working folder, which holds the data files: the folder
// named on the command line, one chosen at start (--choose-folder), or the
// current folder.
#include <QApplication>
#include <QDir>
#include <QSettings>

#include "app/command_line.h"
#include "keyer/real_time.h"
#include "ui/program_host.h"
#include "ui/realtime_kit.h"
#include "ui/startup_options.h"
#include "ui/working_folder.h"

int main(int argc, char* argv[]) {
    // The command line is read before any window system is asked for: the
    // exports, the statistics, --help, --version and every refusal answer on the terminal
    // without a display.
    const auto options = vl::ui::parseStartupOptions(vl::ui::argumentsOf(argc, argv));
    if (options.withoutWindow()) {
        if (options.action == vl::ui::StartupOptions::Action::Chart) {
            // The chart is drawn offscreen: no display is needed.
            qputenv("QT_QPA_PLATFORM", "offscreen");
            QApplication app(argc, argv);
            return vl::app::runCommandLine(options);
        }
        QCoreApplication app(argc, argv);
        return vl::app::runCommandLine(options);
    }
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    vl::ui::applyProgramIdentity();  // the folder chooser's window too

    vl::ui::QtDialogs dialogs(nullptr);
    QSettings settings(QStringLiteral("VLWinLog"), QStringLiteral("VLWinLog"));
    const vl::ui::WorkingFolder folder =
        vl::ui::openWorkingFolder(options, dialogs, settings, vl::ui::shippedRosterPath());
    if (!folder.open()) return folder.exitStatus();
    QDir::setCurrent(folder.path);  // file choosers and bare file names start there too

    // The keying thread asks RealtimeKit when the system refuses it real time.
    vl::keyer::setRealTimeBroker(&vl::ui::realtimeKit());
    vl::ui::ProgramEnvironment environment;  // the real boxes, port and clock
    environment.folder = std::filesystem::path(folder.path.toStdString());
    vl::ui::ProgramHost host(std::move(environment));
    host.endOnTerminationSignals();
    QObject::connect(&host, &vl::ui::ProgramHost::programEnded, &app,
                     [&app](int status) { app.exit(status); });
    if (!host.start()) return host.exitStatus();
    return app.exec();
}
