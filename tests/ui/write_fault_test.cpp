// Every writer of the program with each of its file steps failing in turn, as
// a full disk (also one that fills in the middle of a line), a failing drive
// or a refused permission would make it fail: one message, every file either
// as it was or as the writer leaves it when all goes well, no temporary file,
// and the same command works once the fault is gone. A contact whose line
// could not be written stays in the row.
#include <QLineEdit>
#include <QPushButton>
#include <QDir>
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>

#include "logbook/file_writes.h"
#include "window_test_support.h"

namespace vl::ui::test {
namespace {

using logbook::WriteFault;
using logbook::WriteFaultScope;

class WriteFaultTest : public WindowTest {
public:
    using WindowTest::dialogs;
    using WindowTest::dir;
    using WindowTest::find;
    using WindowTest::host;
    using WindowTest::pressWindowKey;
    using WindowTest::trigger;
    using WindowTest::typeContact;
    using WindowTest::window;
    using WindowTest::writeFile;

    struct Writer {
        const char* what;
        std::vector<std::string> files;     // the files the command writes
        std::vector<std::string> leftovers; // files a failure may leave, and says so
        QString failure;                    // how its failure report begins
        std::function<void(WriteFaultTest&)> prepare;
        std::function<void(WriteFaultTest&)> command;
    };
    struct State {
        std::map<std::string, std::optional<std::string>> files;
        std::set<std::string> names;
    };

    // A registered folder and a started window with a clock that stands still.
    void freshStart(const Writer& w) {
        host.reset();
        QCoreApplication::processEvents();
        QDir folder(dir.path());
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) folder.remove(name);
        prepareRegisteredFolder();
        writeFile("chapsworked.txt", "\"123\"\r\n");
        if (w.prepare) w.prepare(*this);
        ASSERT_TRUE(startProgram());
        activate();
        timer("Timer1")->stop();
        find<QLineEdit>("txtDate")->setText(QStringLiteral("12/07/2026"));
        find<QLineEdit>("txtTime")->setText(QStringLiteral("23:30"));
        dialogs->clear();
    }
    State state(const Writer& w) const {
        State s;
        for (const std::string& name : w.files) {
            s.files[name] = fileExists(name) ? std::optional(readFile(name)) : std::nullopt;
        }
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden)) {
            s.names.insert(name.toStdString());
        }
        return s;
    }
    std::vector<QString> messages() const {
        std::vector<QString> out;
        for (const auto& s : dialogs->shown) {
            if (s.kind == ScriptedDialogs::Shown::Kind::Message) out.push_back(s.text);
        }
        return out;
    }
    int failures(const Writer& w) const {
        int n = 0;
        for (const QString& text : messages()) n += text.startsWith(w.failure);
        return n;
    }
    void clickLoginSave() {
        auto* button = host->loginDialog()->findChild<QPushButton*>(QStringLiteral("cmdLoginData"));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
    }
};

const QString kCommonError = QStringLiteral("An unexpected error as occurred: \r\n");
const char* const kLoggedContact =
    "\"K1ABC   \",\"59  \",\"59  \",\"123\",\"BOB    \",\"20 \",\"PHN\",\"12/07/2026\",\"23:30 \",\"\"\r\n";

// A contact of chapter 123 (worked already) or 007 (new), typed and logged;
// a row still there from a failed INSERT is logged as it stands.
void typeAndInsert(WriteFaultTest& t, const QString& chapter, bool claimBonus) {
    t.dialogs->answers.clear();
    if (t.window()->findChild<QLineEdit*>(QStringLiteral("txtCallsign"))->text().isEmpty()) {
        t.typeContact(QStringLiteral("k1abc"), chapter, QStringLiteral("bob"));
        if (claimBonus) t.pressWindowKey(Qt::Key_F12);
    }
    t.pressWindowKey(Qt::Key_Insert);
}

const std::vector<WriteFaultTest::Writer>& writers() {
    using W = WriteFaultTest;
    static const std::vector<W::Writer> list = {
        {"the log", {"vlqsolog.txt"}, {}, kCommonError, nullptr,
         [](W& t) { typeAndInsert(t, QStringLiteral("123"), false); },},
        {"the bonus calls", {"vlqsolog.txt", "BonusCall.txt"}, {}, kCommonError, nullptr,
         [](W& t) { typeAndInsert(t, QStringLiteral("123"), true); },},
        {"the chapters worked", {"vlqsolog.txt", "chapsworked.txt"}, {}, kCommonError, nullptr,
         [](W& t) { typeAndInsert(t, QStringLiteral("7"), false); },},
        {"the history file", {"vlhistory.txt"}, {}, kCommonError, nullptr,
         [](W& t) {
             if (t.window()->WritHist() != 1) t.typeContact(QStringLiteral("w0new"), QStringLiteral("7"), QStringLiteral("sue"));
             t.pressWindowKey(Qt::Key_F11);
         },
        },
        {"the registration", {"LogOnFile.txt"}, {}, QStringLiteral("The registration could not be saved: "),
         nullptr,
         [](W& t) {
             t.trigger("mnuShowLogin");
             t.host->loginDialog()->findChild<QLineEdit*>(QStringLiteral("txtEmail"))
                 ->setText(QStringLiteral("new@example.org"));
             t.clickLoginSave();
         },
        },
        {"the CW messages", {"CWBuffRecord.txt"}, {}, kCommonError, nullptr,
         [](W& t) {
             t.dialogs->inputs = {QStringLiteral("cq vl test")};
             t.dialogs->answers = {true};
             t.trigger("mnuF1");
         },
        },
        {"the start-message switch", {"NoGreeting.txt"}, {}, kCommonError, nullptr,
         [](W& t) { t.trigger("mnuResetMsg"); },},
        {"the summary sheet", {"N0CALL2026.txt", "BonusCall.txt"}, {"VLLogOut.txt"},
         QStringLiteral("The summary sheet"),
         [](W& t) { t.writeFile("N0CALL2026.txt", "an older sheet\r\n"); },
         [](W& t) { t.trigger("mnuToFile"); },},
        // Both exports write through the same step; the ADIF header carries
        // the time of writing, so the Cabrillo export stands for them.
        {"the Cabrillo export", {"mine.log"}, {}, QStringLiteral("Nothing was exported: the file "),
         [](W& t) { t.writeFile("vlqsolog.txt", kLoggedContact); },
         [](W& t) {
             t.dialogs->inputs = {t.dir.path() + QStringLiteral("/mine.log")};
             t.trigger("mnuExportCabrillo");
         },
        },
    };
    return list;
}

TEST_F(WriteFaultTest, EveryWriterSurvivesAFailureAtEachOfItsStepsAndWorksAgainAfter) {
    int struck = 0;
    for (const Writer& w : writers()) {
        SCOPED_TRACE(w.what);
        // The command with nothing failing: what it writes, in how many steps.
        freshStart(w);
        const State before = state(w);
        int steps = 0;
        {
            WriteFaultScope count;
            w.command(*this);
            steps = count.steps();
        }
        const State after = state(w);
        ASSERT_EQ(failures(w), 0) << messages().front().toStdString();
        ASSERT_GT(steps, 0);
        bool changed = false;
        for (const auto& [name, content] : after.files) changed |= content != before.files.at(name);
        ASSERT_TRUE(changed) << "the command writes nothing";

        for (int n = 1; n <= steps; ++n) {
            const int errors[] = {ENOSPC, EIO, EACCES};
            for (const WriteFault fault : {WriteFault{n, errors[n % 3], false},
                                           WriteFault{n, ENOSPC, true}}) {
                SCOPED_TRACE("step " + std::to_string(n) + ", error " + std::to_string(fault.error) +
                             (fault.partial ? ", part of a write first" : ""));
                freshStart(w);
                ASSERT_EQ(state(w).files, before.files);
                bool folderSync = false;
                {
                    WriteFaultScope scope(fault);
                    w.command(*this);
                    if (!scope.struck()) continue;
                    folderSync = scope.struckStep() == logbook::WriteStep::kSyncFolder;
                }
                ++struck;
                const State now = state(w);
                bool kept = false;
                for (const auto& [name, content] : now.files) {
                    EXPECT_TRUE(content == before.files.at(name) || content == after.files.at(name))
                        << name << " holds " << content.value_or("nothing");
                    kept |= content != after.files.at(name);
                }
                for (const std::string& name : now.names) {
                    const bool known = before.names.contains(name) || after.names.contains(name) ||
                                       std::find(w.leftovers.begin(), w.leftovers.end(), name) !=
                                           w.leftovers.end();
                    EXPECT_TRUE(known) << "left behind: " << name;
                }
                const int failed = failures(w);
                if (!kept) {
                    // A step whose failure costs nothing: as if all went well;
                    // but a folder whose new entries may not survive a power
                    // cut is reported, and the command is not told as done.
                    EXPECT_EQ(failed, folderSync ? 1 : 0);
                    if (folderSync) {
                        EXPECT_EQ(messages().size(), 1u);
                    }
                    continue;
                }
                ASSERT_EQ(failed, 1);
                EXPECT_EQ(messages().size(), 1u);
                const std::string& first = w.files.front();
                if (now.files.at(first) != before.files.at(first)) continue;
                if (w.files.front() == "vlqsolog.txt") {
                    EXPECT_EQ(text("txtCallsign"), QStringLiteral("K1ABC")) << "the row stays";
                }
                // The fault is gone: the same command goes through, once.
                dialogs->clear();
                w.command(*this);
                EXPECT_EQ(failures(w), 0);
                EXPECT_EQ(state(w).files, after.files);
            }
        }
    }
    EXPECT_GT(struck, 100);
}

}  // namespace
}  // namespace vl::ui::test
