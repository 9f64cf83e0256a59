// VLWinLog: runs in the current folder, which holds the data files.
#include <QApplication>
#include <QDir>

#include "ui/program_host.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    vl::ui::ProgramHost host({std::filesystem::path(QDir::currentPath().toStdString()), {}, {}, {}});
    QObject::connect(&host, &vl::ui::ProgramHost::programEnded, &app,
                     [&app](int status) { app.exit(status); });
    if (!host.start()) return host.exitStatus();
    return app.exec();
}
