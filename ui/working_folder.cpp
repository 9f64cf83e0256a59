#include "ui/working_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

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

}  // namespace

WorkingFolder openWorkingFolder(const QString& folder, Dialogs& dialogs) {
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
    if (!lock->tryLock(0)) {
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
    WorkingFolder opened;
    opened.outcome = WorkingFolder::Outcome::Open;
    opened.path = path;
    opened.lock = std::move(lock);
    return opened;
}

namespace {

WorkingFolder chooseWorkingFolder(Dialogs& dialogs, const QSettings& settings) {
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
        WorkingFolder opened = openWorkingFolder(chosen, dialogs);
        if (opened.open()) return opened;
        offered = chosen;  // refused: offer the chooser again where the operator was
    }
}

}  // namespace

WorkingFolder openWorkingFolder(const StartupOptions& options, Dialogs& dialogs,
                                QSettings& settings) {
    WorkingFolder folder =
        options.chooseFolder
            ? chooseWorkingFolder(dialogs, settings)
            : openWorkingFolder(options.folder.empty() ? QDir::currentPath() : options.folderName(),
                                dialogs);
    if (folder.open()) {
        settings.setValue(kLastFolderKey, folder.path);
        settings.sync();
    }
    return folder;
}

}  // namespace vl::ui
