#pragma once
// Owns the program's windows for one run: the main window, which is rebuilt
// (and runs its start-up again) when the registration is submitted, and the
// registration dialog, which lives as long as the program. Ending the program
// goes through here so that the port and the windows are closed first.
#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "keyer/comm_port.h"
#include "rig/rig_link.h"
#include "rig/rig_settings.h"
#include "ui/dialogs.h"

class QSocketNotifier;
class QWidget;

namespace vl::ui {

class frmVLWinLog;
class frmVLLogIn;

struct ProgramEnvironment {
    std::filesystem::path folder;  // the working folder with the data files
    // Message boxes for a window; the real boxes unless a test scripts them.
    std::function<std::unique_ptr<Dialogs>(QWidget* parent)> makeDialogs;
    // The keying port; the real serial port unless a test supplies another.
    std::function<std::unique_ptr<keyer::CommPort>()> makePort;
    // The computer's clock offset east of UTC in seconds, daylight saving
    // included; the system's own clock unless a test fixes it. Empty when it
    // cannot be told, and start-up then compares nothing.
    std::function<std::optional<int>()> computerUtcOffset;
    // The link to the radio; Hamlib unless a test supplies another.
    std::function<std::unique_ptr<rig::RigLink>(const rig::RigSettings&)> makeRigLink;
};

// Gives every window of the program its own icon (from the program's
// resources, so it shows from a build folder too) and names the desktop entry
// that launches it, so that docks and task switchers match the two.
void applyProgramIdentity();

class ProgramHost : public QObject {
    Q_OBJECT
public:
    explicit ProgramHost(ProgramEnvironment environment);
    ~ProgramHost() override;

    // Builds the main window and runs its start-up. False when start-up ended
    // the program (a missing roster, a first start closed without registering).
    bool start();

    frmVLWinLog* mainWindow() const;
    frmVLLogIn* loginDialog();
    Dialogs& dialogs() { return *dialogs_; }
    const ProgramEnvironment& environment() const { return environment_; }

    // Closes the main window and loads it again, so start-up runs once more.
    void reloadMainWindow();
    // Closes the port and every window and ends the run with this status.
    void endProgram(int status);
    // From now on the keying line is lowered however the program ends, and
    // SIGTERM, SIGINT, SIGHUP and SIGQUIT end the run as Exit does.
    void endOnTerminationSignals();
    bool ended() const { return ended_; }
    int exitStatus() const { return exitStatus_; }

signals:
    void programEnded(int status);

private:
    ProgramEnvironment environment_;
    std::unique_ptr<Dialogs> dialogs_;
    QPointer<frmVLWinLog> main_;
    QPointer<frmVLLogIn> login_;
    QSocketNotifier* terminationWatch_ = nullptr;
    bool ended_ = false;
    int exitStatus_ = 0;
};

}  // namespace vl::ui
