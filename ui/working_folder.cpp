#include "ui/working_folder.h"

#include <signal.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSysInfo>
#include <QUtf8StringView>
#include <algorithm>
#include <cerrno>

#include "logbook/data_folder.h"
#include "logbook/file_names.h"

namespace vl::ui {

namespace {

const QString kTitle = QStringLiteral("VLWinLog");

WorkingFolder refuse(Dialogs& dialogs, const QString& text) {
    dialogs.message(text, kTitle, Dialogs::Icon::Critical);
    return {};
}

QString quoted(const QString& path) {
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

// Who holds the lock, for the refusal: "process 1234 on station-pc".
QString holderOf(const QLockFile& lock) {
    qint64 pid = 0;
    QString host;
    QString program;
    if (!lock.getLockInfo(&pid, &host, &program)) return {};
    return QStringLiteral(" (process %1 on %2)").arg(pid).arg(host);
}

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Offers the shipped roster to a folder that has none. No, or a copy that
// fails (reported), leaves the folder as it was.
void offerShippedRoster(const QString& path, const QString& shippedRoster, Dialogs& dialogs) {
    if (shippedRoster.isEmpty()) return;
    const logbook::DataFolder folder(fsPath(path));
    if (folder.exists(logbook::names::kRoster)) return;
    const QString question =
        QStringLiteral("The folder %1 has no chapter roster (VLChapters.txt), and VLWinLog "
                       "cannot log without it.\nCopy the roster supplied with VLWinLog "
                       "(%2) into this folder?")
            .arg(quoted(path), quoted(shippedRoster));
    if (!dialogs.question(question, kTitle, Dialogs::Icon::Question, true)) return;
    const QFileInfo source(shippedRoster);
    const logbook::ReadResult roster = logbook::DataFolder(fsPath(source.absolutePath()))
                                           .read(QFile::encodeName(source.fileName()).toStdString());
    const logbook::FileResult failed =
        roster.ok() ? folder.writeWhole(logbook::names::kRoster, roster.content) : roster.error;
    if (failed) {
        dialogs.message(QStringLiteral("The roster could not be copied into %1: %2")
                            .arg(quoted(path), QString::fromLocal8Bit(failed->description.c_str())),
                        kTitle, Dialogs::Icon::Critical);
    }
}

// The name of the program a process runs; empty when it cannot be seen.
QString programOf(qint64 pid) {
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid))).fileName();
}

// Whether a copy of this program running on this computer holds the lock: the
// lock names this computer and a process that is alive and runs this
// program (or one whose program cannot be seen, which is not taken from it).
bool heldHere(const QLockFile& lock) {
    qint64 pid = 0;
    QString host;
    QString program;
    if (!lock.getLockInfo(&pid, &host, &program)) return false;
    if (host != QSysInfo::machineHostName() || pid <= 0) return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) return false;
    const QString running = programOf(pid);
    return running.isEmpty() || running == programOf(QCoreApplication::applicationPid());
}

// "2 hours", "40 seconds"...
QString ageText(qint64 seconds) {
    struct Unit {
        qint64 length;
        const char* one;
        const char* many;
    };
    static const Unit kUnits[] = {{86400, "day", "days"}, {3600, "hour", "hours"},
                                  {60, "minute", "minutes"}, {1, "second", "seconds"}};
    seconds = std::max<qint64>(seconds, 0);
    for (const Unit& unit : kUnits) {
        if (seconds >= unit.length || unit.length == 1) {
            const qint64 n = seconds / unit.length;
            return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? unit.one : unit.many));
        }
    }
    return {};
}

// What the lock says, for the question about taking it over.
QString lockDescription(const QLockFile& lock, const QString& lockPath) {
    qint64 pid = 0;
    QString host;
    QString program;
    const QFileInfo file(lockPath);
    const QString age =
        ageText(file.lastModified().secsTo(QDateTime::currentDateTime()));
    if (!lock.getLockInfo(&pid, &host, &program)) {
        return QStringLiteral("It cannot be read (it is empty or damaged) and was written %1 ago.")
            .arg(age);
    }
    return QStringLiteral("It names process %1 on the computer \"%2\" and was written %3 ago.")
        .arg(pid)
        .arg(host.isEmpty() ? QStringLiteral("(unnamed)") : host, age);
}

}  // namespace

QString shippedRosterPath() {
    const QString roster = QString::fromUtf8(logbook::names::kRoster);
    const QStringList folders = {
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/vlwinlog"),
        QStringLiteral(VL_SOURCE_DATA_DIR)};
    for (const QString& folder : folders) {
        const QString candidate = QDir::cleanPath(folder + QLatin1Char('/') + roster);
        if (QFileInfo(candidate).isFile()) return candidate;
    }
    return {};
}

WorkingFolder openWorkingFolder(const QString& folder, Dialogs& dialogs,
                                const QString& shippedRoster) {
    const QFileInfo info(folder);
    const QString path = QDir::cleanPath(info.absoluteFilePath());
    if (!info.exists()) {
        return refuse(dialogs, QStringLiteral("The folder %1 does not exist, so VLWinLog "
                                              "cannot work in it.").arg(quoted(path)));
    }
    if (!info.isDir()) {
        return refuse(dialogs, QStringLiteral("%1 is a file, not a folder, so VLWinLog "
                                              "cannot work in it.").arg(quoted(path)));
    }
    auto lock = std::make_unique<QLockFile>(QDir(path).filePath(kFolderLockName));
    // Only a lock whose process has gone is stale, however long the run.
    lock->setStaleLockTime(0);
    bool locked = lock->tryLock(0);
    if (!locked && lock->error() == QLockFile::LockFailedError && !heldHere(*lock)) {
        // Left by a copy that crashed in a way the lock cannot show (on
        // another computer, before the computer's identity changed, or cut
        // short by a power cut): the operator decides.
        const QString lockPath = QDir(path).filePath(kFolderLockName);
        if (!dialogs.question(
                QStringLiteral("The folder %1 holds the lock %2 of a copy of VLWinLog that is "
                               "not running on this computer.\n%3\n\nTake the lock over and "
                               "work in this folder?  Answer Yes only when no other copy of "
                               "VLWinLog works in it, here or on another computer.")
                    .arg(quoted(path), kFolderLockName, lockDescription(*lock, lockPath)),
                kTitle, Dialogs::Icon::Question, false)) {
            return {};
        }
        locked = lock->removeStaleLockFile() && lock->tryLock(0);
    }
    if (!locked) {
        if (lock->error() == QLockFile::LockFailedError) {
            return refuse(dialogs,
                          QStringLiteral("VLWinLog is already running in the folder %1%2.\n"
                                         "A second copy would mix its contacts and counts "
                                         "with those of the first: use the copy that is "
                                         "running, or choose another folder.")
                              .arg(quoted(path), holderOf(*lock)));
        }
        return refuse(dialogs, QStringLiteral("VLWinLog cannot write in the folder %1, so it "
                                              "cannot keep its log there.").arg(quoted(path)));
    }
    offerShippedRoster(path, shippedRoster, dialogs);
    WorkingFolder opened;
    opened.outcome = WorkingFolder::Outcome::Open;
    opened.path = path;
    opened.lock = std::move(lock);
    return opened;
}

namespace {

WorkingFolder chooseWorkingFolder(Dialogs& dialogs, const QSettings& settings,
                                  const QString& shippedRoster) {
    QString offered = settings.value(kLastFolderKey).toString();
    if (offered.isEmpty()) offered = QDir::homePath();
    for (;;) {
        const QString chosen =
            dialogs.chooseFolder(QStringLiteral("Choose the working folder for VLWinLog"), offered);
        if (chosen.isEmpty()) {
            WorkingFolder cancelled;
            cancelled.outcome = WorkingFolder::Outcome::Cancelled;
            return cancelled;
        }
        WorkingFolder opened = openWorkingFolder(chosen, dialogs, shippedRoster);
        if (opened.open()) return opened;
        offered = chosen;  // refused: offer the chooser again where the operator was
    }
}

}  // namespace

WorkingFolder openWorkingFolder(const StartupOptions& options, Dialogs& dialogs,
                                QSettings& settings, const QString& shippedRoster) {
    // The window reaches its files through the toolkit, which holds names as
    // text: a name that is not UTF-8 would lead it to another folder, or to
    // none. The command line's exports and statistics take such names.
    if (!options.folder.empty() && !QUtf8StringView(options.folder).isValidUtf8()) {
        return refuse(dialogs, QStringLiteral("The window cannot work in the folder %1: its name is "
                                              "not UTF-8 text. Rename it, or use the command line's "
                                              "exports and statistics there.")
                                   .arg(quoted(options.folderName())));
    }
    WorkingFolder folder =
        options.chooseFolder
            ? chooseWorkingFolder(dialogs, settings, shippedRoster)
            : openWorkingFolder(options.folder.empty() ? QDir::currentPath() : options.folderName(),
                                dialogs, shippedRoster);
    if (folder.open()) {
        settings.setValue(kLastFolderKey, folder.path);
        settings.sync();
    }
    return folder;
}

}  // namespace vl::ui
