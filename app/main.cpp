// VLWinLog: runs in the current folder, which holds the data files.
#include <QApplication>
#include <QDir>

#include "app/command_line.h"
#include "ui/program_host.h"

int main(int argc, char* argv[]) {
    const std::filesystem::path folder(QDir::currentPath().toStdString());
    if (vl::app::runsWithoutWindow(argc, argv)) {
        QCoreApplication app(argc, argv);
        return vl::app::runCommandLine(app.arguments(), folder);
    }
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    vl::ui::ProgramHost host({folder, {}, {}});
    QObject::connect(&host, &vl::ui::ProgramHost::programEnded, &app,
                     [&app](int status) { app.exit(status); });
    if (!host.start()) return host.exitStatus();
    return app.exec();
}
