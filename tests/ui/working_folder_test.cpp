// The command line, and opening the working folder: named, chosen in the
// chooser, refused, or held by another running copy of the program.
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    std::string folder;
    std::string exportFile = {};
};

TEST(StartupOptionsTest, ReadsEachCommandLine) {
    const OptionsCase cases[] = {
        {"Nothing", {}, Action::Run, false, {}},
        {"Folder", {"/srv/event"}, Action::Run, false, "/srv/event"},
        {"FolderWithSpaces", {"my log"}, Action::Run, false, "my log"},
        {"Chooser", {"--choose-folder"}, Action::Run, true, {}},
        {"Help", {"--help"}, Action::ShowHelp, false, {}},
        {"ShortHelp", {"-h"}, Action::ShowHelp, false, {}},
        {"HelpWinsOverAFolder", {"/srv/event", "--help"}, Action::ShowHelp, false, {}},
        {"HelpWinsOverAnExport", {"--export-adif", "x.adi", "--help"}, Action::ShowHelp, false, {}},
        {"Version", {"--version"}, Action::ShowVersion, false, {}},
        {"ShortVersion", {"-v"}, Action::ShowVersion, false, {}},
        {"ToolkitOptionsPassedOver", {"-platform", "offscreen", "-reverse", "--style=fusion", "/srv"},
         Action::Run, false, "/srv"},
        {"UnknownOption", {"--export"}, Action::Refuse, false, {}},
        {"TwoFolders", {"a", "b"}, Action::Refuse, false, {}},
        {"FolderAndChooser", {"--choose-folder", "a"}, Action::Refuse, true, {}},
        {"EmptyFolder", {""}, Action::Refuse, false, {}},
        {"Export", {"--export-cabrillo", "K1VL2026.log"}, Action::Export, false, {},
         "K1VL2026.log"},
        {"ExportFromAFolder", {"--export-adif", "out.adi", "--digital-mode", "PSK/PSK31", "~/vlqso"},
         Action::Export, false, "~/vlqso", "out.adi"},
        {"ExportToStandardOutput", {"--export-adif", "-", "--phone-mode", "fm"}, Action::Export,
         false, {}, "-"},
        {"ExportWithTheChooser", {"--export-adif", "out.adi", "--choose-folder"}, Action::Refuse,
         true, {}},
        {"ExportToTwoFolders", {"--export-adif", "out.adi", "a", "b"}, Action::Refuse, false, {}},
        {"DigitalModeAlone", {"--digital-mode", "FT8"}, Action::Refuse, false, {}},
        {"PhoneModeAlone", {"--phone-mode", "FM"}, Action::Refuse, false, {}},
        {"ExportWithoutAFile", {"a", "--export-cabrillo"}, Action::Refuse, false, {}},
        {"RepeatedFolderChooser", {"--choose-folder", "--choose-folder"}, Action::Refuse, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const StartupOptions options =
            parseStartupOptions(QStringList{QStringLiteral("vlwinlog")} + c.arguments);
        EXPECT_EQ(options.action, c.action);
        EXPECT_EQ(options.folder, c.folder);
        EXPECT_EQ(options.chooseFolder, c.chooseFolder);
        EXPECT_EQ(options.withoutWindow(), c.action != Action::Run);
        EXPECT_EQ(options.problem.empty(), c.action != Action::Refuse);
        if (c.action == Action::Export) {
            EXPECT_EQ(options.exportFile, c.exportFile);
        }

        const TerminalAnswer answer = terminalAnswer(options);
        EXPECT_EQ(answer.exitStatus, c.action == Action::Refuse ? kExitUsage : kExitDone);
        EXPECT_EQ(answer.toStandardError, c.action == Action::Refuse);
        if (c.action == Action::ShowVersion) {
            const QRegularExpression version(QStringLiteral("^VLWinLog \\d+\\.\\d+\n$"));
            EXPECT_TRUE(QString::fromStdString(answer.text).contains(version)) << answer.text;
        }
        if (c.action == Action::ShowHelp) {
            for (const char* part : {"[FOLDER]", "--choose-folder", "--export-cabrillo <FILE>",
                                     "--export-adif <FILE>", "--digital-mode <MODE[/SUBMODE]>",
                                     "--phone-mode <MODE>", "\n  MFSK: FSQCALL, FST4,",
                                     "\n  OLIVIA: OLIVIA 4/125,", "\n  CONTESTI\n"}) {
                EXPECT_NE(answer.text.find(part), std::string::npos) << part;
            }
            EXPECT_EQ(answer.text.find("\n  SSB"), std::string::npos);
        }
        if (c.action == Action::Refuse) {
            EXPECT_EQ(answer.text, "vlwinlog: " + options.problem + "\nvlwinlog --help lists the options.\n");
        }
    }
    // The digital mode chosen reaches the export.
    const StartupOptions psk = parseStartupOptions(std::vector<std::string>{
        "vlwinlog", "--export-adif", "out.adi", "--digital-mode", "psk/psk31"});
    EXPECT_EQ(psk.format, exports::ExportFormat::kAdif);
    EXPECT_EQ(psk.digitalMode, (exports::DigitalMode{"PSK", "PSK31"}));
    EXPECT_EQ(psk.phoneMode, "SSB");
    // A folder's name is kept as the bytes given.
    const StartupOptions latin1 = parseStartupOptions(std::vector<std::string>{"vlwinlog", "caf\xE9"});
    EXPECT_EQ(latin1.folder, "caf\xE9");
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

// A folder without a roster is offered the one supplied with the program,
// named on the command line and in the chooser alike; the copy is exact.
TEST_F(WorkingFolderTest, FolderWithoutARosterIsOfferedTheShippedOne) {
    EXPECT_TRUE(QFileInfo(shippedRosterPath()).isFile()) << shippedRosterPath().toStdString();
    QTemporaryDir shippedDir;
    const QString shipped = shippedDir.filePath(QStringLiteral("VLChapters.txt"));
    const std::string roster = "\"001\",\"First\"\r\n\"999\",\"\xD8nd\"\r\n";
    {
        QFile file(shipped);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(roster.c_str(), qint64(roster.size())) > 0);
    }

    WorkingFolder opened = openWorkingFolder(dir.path(), startDialogs, shipped);  // No
    ASSERT_TRUE(opened.open());
    ASSERT_EQ(startDialogs.shown.size(), 1u);
    EXPECT_EQ(startDialogs.shown[0].kind, ScriptedDialogs::Shown::Kind::Question);
    EXPECT_TRUE(startDialogs.shown[0].defaultYes);
    EXPECT_EQ(startDialogs.shown[0].text,
              QStringLiteral("The folder \"%1\" has no chapter roster (VLChapters.txt), and "
                             "VLWinLog cannot log without it.\nCopy the roster supplied with "
                             "VLWinLog (\"%2\") into this folder?")
                  .arg(dir.path(), shipped));
    EXPECT_FALSE(fileExists("VLChapters.txt"));
    opened = {};

    startDialogs.shown.clear();
    startDialogs.answers = {true};
    startDialogs.folders = {dir.path()};
    const auto choose =
        parseStartupOptions({QStringLiteral("vlwinlog"), QStringLiteral("--choose-folder")});
    opened = openWorkingFolder(choose, startDialogs, settings, shipped);
    ASSERT_TRUE(opened.open());
    EXPECT_EQ(startDialogs.shown.size(), 2u);  // the chooser, then the offer
    EXPECT_EQ(readFile("VLChapters.txt"), roster);
    opened = {};

    startDialogs.shown.clear();  // a folder with a roster is not asked again
    EXPECT_TRUE(openWorkingFolder(dir.path(), startDialogs, shipped).open());
    EXPECT_TRUE(startDialogs.shown.empty());
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

// The window holds folder names as text: one that is not UTF-8 is refused
// with a message rather than opened under a changed name.
TEST_F(WorkingFolderTest, WindowRefusesAFolderNameThatIsNotUtf8) {
    const WorkingFolder refused = openWorkingFolder(
        parseStartupOptions(std::vector<std::string>{"vlwinlog", "caf\xE9"}), startDialogs, settings);
    EXPECT_EQ(refused.outcome, WorkingFolder::Outcome::Refused);
    EXPECT_TRUE(startDialogs.lastText().contains(QStringLiteral("not UTF-8"))) << startDialogs.lastText().toStdString();
}

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
        writeFile("VLWinLog.lock", lock.toStdString());
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
        QString host, program;
        ASSERT_TRUE(taken.lock->getLockInfo(&pid, &host, &program));
        EXPECT_EQ(pid, QCoreApplication::applicationPid());
    }
}

}  // namespace
}  // namespace vl::ui::test
