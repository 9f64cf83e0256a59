#include "ui/program_host.h"

#include <unistd.h>

#include <QIcon>

#include <QApplication>
#include <QSocketNotifier>

#include "keyer/line_guard.h"
#include "keyer/linux_comm_port.h"
#include "rig/hamlib_rig_link.h"
#include "ui/frm_vllogin.h"
#include "ui/frm_vlwinlog.h"

namespace vl::ui {

void applyProgramIdentity() {
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/vlwinlog.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.vlwinlog"));
}

ProgramHost::ProgramHost(ProgramEnvironment environment) : environment_(std::move(environment)) {
    applyProgramIdentity();
    if (!environment_.makeDialogs) {
        environment_.makeDialogs = [](QWidget* parent) -> std::unique_ptr<Dialogs> {
            return std::make_unique<QtDialogs>(parent);
        };
    }
    if (!environment_.makePort) {
        const std::filesystem::path folder = environment_.folder;
        environment_.makePort = [folder]() -> std::unique_ptr<keyer::CommPort> {
            return std::make_unique<keyer::LinuxCommPort>(logbook::DataFolder(folder));
        };
    }
    if (!environment_.makeRigLink) {
        environment_.makeRigLink = [](const rig::RigSettings& settings) -> std::unique_ptr<rig::RigLink> {
            return std::make_unique<rig::HamlibRigLink>(settings.model, settings.port);
        };
    }
    dialogs_ = environment_.makeDialogs(nullptr);
}

ProgramHost::~ProgramHost() {
    delete main_.data();
    delete login_.data();
}

frmVLWinLog* ProgramHost::mainWindow() const { return main_.data(); }

frmVLLogIn* ProgramHost::loginDialog() {
    if (!login_) login_ = new frmVLLogIn(*this);
    return login_;
}

bool ProgramHost::start() {
    main_ = new frmVLWinLog(*this, environment_.makePort());
    if (auto* qt = dynamic_cast<QtDialogs*>(dialogs_.get())) qt->setParent(main_);
    if (!main_->Form_Load() || ended_) return false;
    return true;
}

void ProgramHost::reloadMainWindow() {
    if (main_) {
        frmVLWinLog* old = main_;
        main_ = nullptr;
        old->retire();  // closes its port with it
    }
    start();
}

void ProgramHost::endProgram(int status) {
    if (ended_) return;
    ended_ = true;
    exitStatus_ = status;
    if (login_) login_->hide();
    if (main_) {
        main_->hide();
        // A send in progress ends first, also with no port open: its event
        // loop would not wait once the program's loop is told to exit.
        main_->closePort();
    }
    emit programEnded(status);
}

void ProgramHost::endOnTerminationSignals() {
    const int descriptor = keyer::installLineGuard();
    if (descriptor < 0 || terminationWatch_) return;
    terminationWatch_ = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(terminationWatch_, &QSocketNotifier::activated, this, [this, descriptor] {
        unsigned char signalNumber = 0;
        while (::read(descriptor, &signalNumber, 1) == 1) {
        }
        endProgram(0);
    });
}

}  // namespace vl::ui
