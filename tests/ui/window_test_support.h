#pragma once
// Running the real program windows in a temporary working folder, with
// scripted message boxes and a recording keying port.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <functional>
#include <QWindow>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "keyer/comm_port.h"
#include "rig/scripted_rig_link.h"
#include "ui/dialogs.h"
#include "ui/frm_vllogin.h"
#include "ui/frm_vlwinlog.h"
#include "ui/program_host.h"

namespace vl::ui::test {

// Records every box the program shows and answers from a queue.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        enum class Kind { Message, Question, Input, Folder, SaveFile, Choice } kind;
        QString text;
        QString title;
        Icon icon;
        bool defaultYes;
    };
    void message(const QString& text, const QString& title, Icon icon) override {
        shown.push_back({Shown::Kind::Message, text, title, icon, true});
    }
    bool question(const QString& text, const QString& title, Icon icon, bool defaultYes) override {
        shown.push_back({Shown::Kind::Question, text, title, icon, defaultYes});
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString input(const QString& prompt, const QString& title) override {
        shown.push_back({Shown::Kind::Input, prompt, title, Icon::None, true});
        return takeFrom(inputs);
    }
    void beep() override { ++beeps; }
    // Records the folder the chooser was opened at as its text.
    QString chooseFolder(const QString& title, const QString& startFolder) override {
        shown.push_back({Shown::Kind::Folder, startFolder, title, Icon::None, true});
        return takeFrom(folders);
    }
    // The start path is recorded as the text, the caption as the title.
    QString saveFileName(const QString& caption, const QString& startPath,
                         const QString&) override {
        shown.push_back({Shown::Kind::SaveFile, startPath, caption, Icon::None, true});
        return takeFrom(inputs);
    }
    QString choose(const QString& prompt, const QString& title, const QStringList& items) override {
        shown.push_back({Shown::Kind::Choice, prompt, title, Icon::None, true});
        choiceItems = items;
        return takeFrom(inputs);
    }

    // The texts of everything shown, in order.
    std::vector<QString> texts() const {
        std::vector<QString> out;
        for (const auto& s : shown) out.push_back(s.text);
        return out;
    }
    QString lastText() const { return shown.empty() ? QString() : shown.back().text; }
    void clear() { shown.clear(); }

    std::vector<Shown> shown;
    std::deque<bool> answers;    // for questions; No when empty
    std::deque<QString> inputs;  // for text-input, save-file and choice boxes; Cancel when empty
    std::deque<QString> folders; // for folder choosers; Cancel when empty
    QStringList choiceItems;     // what the last choice offered
    int beeps = 0;

private:
    static QString takeFrom(std::deque<QString>& queue) {
        if (queue.empty()) return {};
        QString answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

// A keying port that opens when told to and records DTR.
class FakeCommPort : public keyer::CommPort {
public:
    struct Shared {
        bool failOpen = false;
        bool isOpen = false;
        int port = 0;
        std::vector<bool> dtr;
        int opens = 0;
        int closes = 0;
    };
    explicit FakeCommPort(std::shared_ptr<Shared> shared) : s_(std::move(shared)) {}
    std::optional<keyer::KeyError> setCommPort(std::int16_t port) override {
        s_->port = port;
        return std::nullopt;
    }
    std::int16_t commPort() const override { return static_cast<std::int16_t>(s_->port); }
    std::optional<keyer::KeyError> setSettings(std::string_view) override { return std::nullopt; }
    std::string settings() const override { return "9600,N,8,1"; }
    std::optional<keyer::KeyError> setPortOpen(bool open) override {
        if (open) {
            if (s_->failOpen) return keyer::KeyError{2, "No such device"};
            s_->isOpen = true;
            ++s_->opens;
            return std::nullopt;
        }
        if (!s_->isOpen) return keyer::KeyError{9, "No port open"};
        s_->isOpen = false;
        ++s_->closes;
        return std::nullopt;
    }
    bool portOpen() const override { return s_->isOpen; }
    std::optional<keyer::KeyError> setDTREnable(bool on) override {
        if (s_->isOpen) s_->dtr.push_back(on);
        return std::nullopt;
    }

private:
    std::shared_ptr<Shared> s_;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Files of the working folder, as bytes.
    std::string path(const std::string& name) const;
    void writeFile(const std::string& name, const std::string& bytes);
    std::string readFile(const std::string& name) const;
    bool fileExists(const std::string& name) const;

    // A small roster: 001, 007, 012, 123, 599 and the end mark.
    void writeRoster();
    // A registration for NØCALL (typed as N0CALL), chapter 012, offset -5.
    void writeRegistration(const std::string& call = "N0CALL", const std::string& chapter = "012",
                           int offset = -5);
    // The roster, a registration and a start switch set to "NO": a quiet start.
    void prepareRegisteredFolder();

    // Builds the program and runs its start-up; real serial port unless
    // useFakePort. With realMessageBoxes set the program shows its own
    // QMessageBox boxes and `dialogs` stays null. The radio is `radio` unless
    // hamlibRadio is set.
    bool startProgram(bool useFakePort = true);
    bool realMessageBoxes = false;
    // The same on a keying port of the test's own making (none: the real one).
    bool startProgram(std::function<std::unique_ptr<keyer::CommPort>()> makePort);
    frmVLWinLog* window() const { return host->mainWindow(); }
    // Shows the main window and makes it the active window.
    void activate();

    template <class T = QWidget>
    T* find(const char* name) const {
        T* found = window()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char* name) const;
    QAction* action(const char* name) const { return find<QAction>(name); }
    void trigger(const char* actionName);

    // Clicks into a box, as the operator would.
    void focusBox(const char* name);
    void typeInto(const char* name, const QString& text);
    void tab();
    void pressWindowKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void settle();
    // The object name of the focused widget.
    QString focused() const;
    QTimer* timer(const char* name) const;
    // One tick of a window timer, as if its interval had passed.
    void tick(const char* name);
    bool visible(const char* name) const { return find<QWidget>(name)->isVisible(); }
    // Types a whole contact: callsign, TAB, reports, chapter, name, comment.
    void typeContact(const QString& call, const QString& chapter, const QString& name);

    QTemporaryDir dir;
    ScriptedDialogs* dialogs = nullptr;
    std::shared_ptr<FakeCommPort::Shared> port = std::make_shared<FakeCommPort::Shared>();
    // The computer's clock offset east of UTC in seconds as start-up sees it;
    // unknown unless a test sets it, so no test depends on the machine's zone.
    std::optional<int> computerUtcOffset;
    std::shared_ptr<rig::ScriptedRadio> radio = std::make_shared<rig::ScriptedRadio>();
    bool hamlibRadio = false;
    std::unique_ptr<ProgramHost> host;
};

// With this variable naming a folder, the test program stands in for a running
// copy of VLWinLog: it opens that working folder, prints "held" and waits to
// be killed (see main.cpp).
inline constexpr char kHoldFolderVariable[] = "VL_TEST_HOLD_FOLDER";
int holdWorkingFolder(const QString& folder);

// With this variable naming a registered working folder, the test program
// runs the program in it on a keying port that writes each DTR setting to
// "keyed.txt" there and keys F1's text at once; with the argument "exit" it
// calls exit() once the line is keyed (see keyer_window_test.cpp).
inline constexpr char kKeyingChildVariable[] = "VL_TEST_KEYING_FOLDER";
int keyUntilEnded(const QString& folder);

// Windows-1252 Ø.
inline const std::string kSlashedZero = "\xD8";

}  // namespace vl::ui::test
