// The command line, and opening the working folder: named, chosen in the
// chooser, refused, or held by another running copy of the program.
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>

#include "ui/startup_options.h"
#include "ui/working_folder.h"
#include "window_test_support.h"

namespace vl::ui::test {
namespace {

using Action = StartupOptions::Action;

struct OptionsCase {
    const char* label;
    QStringList arguments;  // after the program's name
    Action action;
    bool chooseFolder;
    QString folder;
    bool withoutWindow = false;  // answered on the terminal
    QString exportFile = {};
};

TEST(StartupOptionsTest, ReadsEachCommandLine) {
    const OptionsCase cases[] = {
        {"Nothing", {}, Action::Run, false, {}},
        {"Folder", {"/srv/event"}, Action::Run, false, "/srv/event"},
        {"FolderWithSpaces", {"my log"}, Action::Run, false, "my log"},
        {"Chooser", {"--choose-folder"}, Action::Run, true, {}},
        {"Help", {"--help"}, Action::ShowHelp, false, {}, true},
        {"ShortHelp", {"-h"}, Action::ShowHelp, false, {}, true},
        {"HelpWinsOverAFolder", {"/srv/event", "--help"}, Action::ShowHelp, false, {}, true},
        {"HelpWinsOverAnExport", {"--export-adif", "x.adi", "--help"}, Action::ShowHelp, false, {}, true},
        {"Version", {"--version"}, Action::ShowVersion, false, {}, true},
        {"ShortVersion", {"-v"}, Action::ShowVersion, false, {}, true},
        {"UnknownOption", {"--export"}, Action::Refuse, false, {}},
        {"TwoFolders", {"a", "b"}, Action::Refuse, false, {}},
        {"FolderAndChooser", {"--choose-folder", "a"}, Action::Refuse, true, {}},
        {"EmptyFolder", {""}, Action::Refuse, false, {}},
        {"Export", {"--export-cabrillo", "K1VL2026.log"}, Action::Export, false, {}, true,
         "K1VL2026.log"},
        {"ExportFromAFolder", {"--export-adif", "out.adi", "--digital-mode", "PSK/PSK31", "~/vlqso"},
         Action::Export, false, "~/vlqso", true, "out.adi"},
        {"ExportWithTheChooser", {"--export-adif", "out.adi", "--choose-folder"}, Action::Refuse,
         true, {}, true},
        {"ExportToTwoFolders", {"--export-adif", "out.adi", "a", "b"}, Action::Refuse, false, {},
         true},
        {"DigitalModeAlone", {"--digital-mode", "FT8"}, Action::Refuse, false, {}, true},
        {"ExportWithoutAFile", {"a", "--export-cabrillo"}, Action::Refuse, false, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const StartupOptions options =
            parseStartupOptions(QStringList{QStringLiteral("vlwinlog")} + c.arguments);
        EXPECT_EQ(options.action, c.action);
        EXPECT_EQ(options.folder, c.folder);
        EXPECT_EQ(options.chooseFolder, c.chooseFolder);
        EXPECT_EQ(options.withoutWindow, c.withoutWindow);
        EXPECT_EQ(options.problem.isEmpty(), c.action != Action::Refuse);
        if (c.action == Action::Export) {
            EXPECT_EQ(options.exportFile, c.exportFile);
        }

        const TerminalAnswer answer = terminalAnswer(options);
        EXPECT_EQ(answer.exitStatus, c.action == Action::Refuse ? kExitUsage : kExitDone);
        EXPECT_EQ(answer.toStandardError, c.action == Action::Refuse);
        if (c.action == Action::ShowVersion) {
            const QRegularExpression version(QStringLiteral("^VLWinLog \\d+\\.\\d+\n$"));
            EXPECT_TRUE(answer.text.contains(version)) << answer.text.toStdString();
        }
        if (c.action == Action::ShowHelp) {
            for (const char* part : {"[FOLDER]", "--choose-folder", "--export-cabrillo <FILE>",
                                     "--export-adif <FILE>", "--digital-mode <MODE[/SUBMODE]>"}) {
                EXPECT_TRUE(answer.text.contains(QLatin1String(part))) << part;
            }
        }
        if (c.action == Action::Refuse) {
            EXPECT_EQ(answer.text, QStringLiteral("vlwinlog: %1\nvlwinlog --help lists the options.\n")
                                       .arg(options.problem));
        }
    }
    // The digital mode chosen reaches the export.
    const StartupOptions psk = parseStartupOptions(
        {"vlwinlog", "--export-adif", "out.adi", "--digital-mode", "psk/psk31"});
    EXPECT_EQ(psk.format, exports::ExportFormat::kAdif);
    EXPECT_EQ(psk.digitalMode, (exports::DigitalMode{"PSK", "PSK31"}));
}

class WorkingFolderTest : public WindowTest {
protected:
    QStringList folderNames() const { return QDir(dir.path()).entryList(QDir::Files); }
    QTemporaryDir settingsDir;
    QSettings settings{settingsDir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    ScriptedDialogs startDialogs;
};

TEST_F(WorkingFolderTest, FolderUsedLastIsOfferedByTheChooser) {
    prepareRegisteredFolder();
    const auto options =
        parseStartupOptions({QStringLiteral("vlwinlog"), QStringLiteral("--choose-folder")});
    startDialogs.folders = {dir.path()};

    WorkingFolder opened = openWorkingFolder(options, startDialogs, settings);
    ASSERT_TRUE(opened.open());
    EXPECT_EQ(opened.path, dir.path());
    ASSERT_EQ(startDialogs.shown.size(), 1u);
    EXPECT_EQ(startDialogs.shown[0].kind, ScriptedDialogs::Shown::Kind::Folder);
    EXPECT_EQ(startDialogs.shown[0].text, QDir::homePath());
    EXPECT_TRUE(fileExists("VLWinLog.lock"));

    ASSERT_TRUE(startProgram());  // in dir, the folder opened
    EXPECT_TRUE(window()->isVisible());
    EXPECT_TRUE(dialogs->shown.empty());

    // The operator closes the program; next time the chooser opens at the
    // same folder, and Cancel ends quietly leaving the folder as it was.
    host.reset();
    opened = {};
    const QStringList afterRun = folderNames();
    EXPECT_FALSE(afterRun.contains(QStringLiteral("VLWinLog.lock")));
    startDialogs.shown.clear();
    const WorkingFolder cancelled = openWorkingFolder(options, startDialogs, settings);
    EXPECT_EQ(cancelled.outcome, WorkingFolder::Outcome::Cancelled);
    EXPECT_EQ(cancelled.exitStatus(), 0);
    ASSERT_EQ(startDialogs.shown.size(), 1u);
    EXPECT_EQ(startDialogs.shown[0].text, dir.path());
    EXPECT_EQ(folderNames(), afterRun);

    // A folder named on the command line is the one offered after it.
    QTemporaryDir named;
    EXPECT_TRUE(
        openWorkingFolder(parseStartupOptions({QStringLiteral("vlwinlog"), named.path()}),
                          startDialogs, settings)
            .open());
    startDialogs.shown.clear();
    openWorkingFolder(options, startDialogs, settings);
    ASSERT_EQ(startDialogs.shown.size(), 1u);
    EXPECT_EQ(startDialogs.shown[0].text, named.path());
}

struct RefusedCase {
    const char* label;
    const char* folder;  // within the test folder, or absolute
    const char* says;
    bool heldByAnotherCopy = false;
};
void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.label; }

class RefusedFolderTest : public WorkingFolderTest,
                          public ::testing::WithParamInterface<RefusedCase> {
protected:
    QString folder() const {
        const QString named = QString::fromLatin1(GetParam().folder);
        return QDir::cleanPath(QDir::isAbsolutePath(named) ? named : dir.filePath(named));
    }
};

// Named on the command line: refused with a message naming the folder and
// nothing written. Picked in the chooser: the same message, then the chooser
// again at that folder.
TEST_P(RefusedFolderTest, IsRefusedWithAMessageBeforeAnyFileIsWritten) {
    writeRoster();
    QLockFile otherCopy(dir.filePath(QStringLiteral("VLWinLog.lock")));
    if (GetParam().heldByAnotherCopy) {
        ASSERT_TRUE(otherCopy.tryLock(0));
    }
    const QStringList before = folderNames();
    const QString says = QString::fromLatin1(GetParam().says);
    const QString named = QLatin1Char('"') + folder() + QLatin1Char('"');

    const WorkingFolder refused = openWorkingFolder(
        parseStartupOptions({QStringLiteral("vlwinlog"), folder()}), startDialogs, settings);
    EXPECT_EQ(refused.outcome, WorkingFolder::Outcome::Refused);
    EXPECT_EQ(refused.exitStatus(), 1);
    EXPECT_FALSE(refused.lock);
    ASSERT_EQ(startDialogs.shown.size(), 1u);
    EXPECT_EQ(startDialogs.shown[0].kind, ScriptedDialogs::Shown::Kind::Message);
    EXPECT_EQ(startDialogs.shown[0].icon, Dialogs::Icon::Critical);
    EXPECT_TRUE(startDialogs.lastText().contains(named)) << startDialogs.lastText().toStdString();
    EXPECT_TRUE(startDialogs.lastText().contains(says)) << startDialogs.lastText().toStdString();
    EXPECT_EQ(folderNames(), before);

    startDialogs.shown.clear();
    startDialogs.folders = {folder()};
    const WorkingFolder cancelled = openWorkingFolder(
        parseStartupOptions({QStringLiteral("vlwinlog"), QStringLiteral("--choose-folder")}),
        startDialogs, settings);
    EXPECT_EQ(cancelled.outcome, WorkingFolder::Outcome::Cancelled);
    ASSERT_EQ(startDialogs.shown.size(), 3u);
    EXPECT_TRUE(startDialogs.shown[1].text.contains(says));
    EXPECT_EQ(startDialogs.shown[2].kind, ScriptedDialogs::Shown::Kind::Folder);
    EXPECT_EQ(startDialogs.shown[2].text, folder());
    EXPECT_FALSE(settings.contains(kLastFolderKey));
    EXPECT_EQ(folderNames(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, RefusedFolderTest,
    ::testing::Values(RefusedCase{"Missing", "absent", "does not exist"},
                      RefusedCase{"AFile", "VLChapters.txt", "is a file, not a folder"},
                      // Nobody, not even root, creates files in /sys.
                      RefusedCase{"NotWritable", "/sys", "cannot write in the folder"},
                      RefusedCase{"HeldByAnotherCopy", ".", "is already running in the folder",
                                  true}),
    [](const auto& info) { return std::string(info.param.label); });

// A real second process holds the folder: this one is refused, naming the
// folder and the process, while another folder opens. When the holder
// crashes its lock file stays behind, and the folder opens again.
TEST_F(WorkingFolderTest, SecondCopyIsRefusedUntilTheFirstHasGone) {
    QProcess first;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kHoldFolderVariable), dir.path());
    first.setProcessEnvironment(env);
    first.start(QCoreApplication::applicationFilePath(), {});
    ASSERT_TRUE(first.waitForReadyRead(30000)) << first.readAllStandardError().toStdString();
    ASSERT_EQ(first.readAllStandardOutput().trimmed(), QByteArray("held"));

    const WorkingFolder second = openWorkingFolder(dir.path(), startDialogs);
    EXPECT_EQ(second.outcome, WorkingFolder::Outcome::Refused);
    EXPECT_TRUE(startDialogs.lastText().startsWith(
        QStringLiteral("VLWinLog is already running in the folder \"%1\" (process %2 on ")
            .arg(dir.path())
            .arg(first.processId())))
        << startDialogs.lastText().toStdString();

    QTemporaryDir otherFolder;
    EXPECT_TRUE(openWorkingFolder(otherFolder.path(), startDialogs).open());

    first.kill();
    ASSERT_TRUE(first.waitForFinished(30000));
    EXPECT_EQ(first.exitStatus(), QProcess::CrashExit);
    EXPECT_TRUE(fileExists("VLWinLog.lock"));
    startDialogs.shown.clear();
    const WorkingFolder again = openWorkingFolder(dir.path(), startDialogs);
    EXPECT_TRUE(again.open());
    EXPECT_TRUE(startDialogs.shown.empty());
}

// A lock no copy running here holds (written on another computer, or left
// empty by a power cut) is not taken from the operator for good: asked, No
// by default, naming what the lock says; Yes takes it over.
TEST_F(WorkingFolderTest, LockNotHeldHereIsTakenOverOnlyWhenTheOperatorSaysSo) {
    using Kind = ScriptedDialogs::Shown::Kind;
    for (const auto& [lock, says] :
         {std::pair{QByteArray("4242\nvlwinlog\nshack-laptop\n0123456789abcdef\n"),
                    QStringLiteral("process 4242 on the computer \"shack-laptop\"")},
          std::pair{QByteArray(), QStringLiteral("cannot be read")}}) {
        QFile file(dir.filePath(QStringLiteral("VLWinLog.lock")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(lock);
        file.close();
        startDialogs.shown.clear();
        startDialogs.answers.clear();
        const WorkingFolder declined = openWorkingFolder(dir.path(), startDialogs);
        EXPECT_EQ(declined.outcome, WorkingFolder::Outcome::Refused);
        ASSERT_EQ(startDialogs.shown.size(), 1u);
        EXPECT_EQ(startDialogs.shown[0].kind, Kind::Question);
        EXPECT_FALSE(startDialogs.shown[0].defaultYes);
        EXPECT_TRUE(startDialogs.lastText().contains(says)) << startDialogs.lastText().toStdString();
        EXPECT_TRUE(startDialogs.lastText().contains(QStringLiteral(" ago."))) << startDialogs.lastText().toStdString();
        EXPECT_EQ(readFile("VLWinLog.lock"), lock.toStdString());

        startDialogs.answers = {true};
        WorkingFolder taken = openWorkingFolder(dir.path(), startDialogs);
        EXPECT_TRUE(taken.open());
        ASSERT_TRUE(taken.lock);
        qint64 pid = 0;
        QString host;
        QString program;
        ASSERT_TRUE(taken.lock->getLockInfo(&pid, &host, &program));
        EXPECT_EQ(pid, QCoreApplication::applicationPid());
    }
}

}  // namespace
}  // namespace vl::ui::test
