#pragma once
// Opening the working folder for a run: the folder named on the command line,
// the current folder, or one picked in a folder chooser. A folder that does
// not exist or cannot be written is refused, and so is a folder in which
// another copy of the program is running, since two copies would mix their
// logs and counts. Refusals are shown through Dialogs; nothing is written to a
// refused folder. A folder without the chapter roster is offered a copy of
// the roster supplied with the program before it is accepted.
#include <QLockFile>
#include <QString>
#include <memory>

#include "ui/dialogs.h"
#include "ui/startup_options.h"

class QSettings;

namespace vl::ui {

// Held in the working folder while the program runs there; a copy that
// crashed leaves it behind, and the next start takes it over.
inline const QString kFolderLockName = QStringLiteral("VLWinLog.lock");
// The QSettings key of the folder opened last through the chooser.
inline const QString kLastFolderKey = QStringLiteral("lastFolder");

struct WorkingFolder {
    enum class Outcome { Open, Cancelled, Refused };
    Outcome outcome = Outcome::Refused;
    QString path;                     // absolute, when open
    std::unique_ptr<QLockFile> lock;  // held for the run, when open

    bool open() const { return outcome == Outcome::Open; }
    // The program's exit status when the folder did not open.
    int exitStatus() const { return outcome == Outcome::Cancelled ? 0 : 1; }
};

// The roster supplied with the program: the package's data folder beside an
// installed program, else the source tree's data/ folder recorded when the
// program was built. Empty when neither holds one.
QString shippedRosterPath();

// Opens folder (relative to the current folder). When it has no roster and
// shippedRoster names one, the operator is asked whether to copy it in.
WorkingFolder openWorkingFolder(const QString& folder, Dialogs& dialogs,
                                const QString& shippedRoster = {});
// Opens the folder the command line asks for: named, the current one, or
// chosen in the chooser, which opens at the folder used last (or the home
// folder) and comes back after a refusal until a folder opens or it is
// cancelled. The folder opened is remembered as the one used last.
WorkingFolder openWorkingFolder(const StartupOptions& options, Dialogs& dialogs,
                                QSettings& settings, const QString& shippedRoster = {});

}  // namespace vl::ui
