#include "window_test_support.h"

#include <QFile>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "keyer/linux_comm_port.h"
#include "ui/working_folder.h"

namespace vl::ui::test {

void WindowTest::SetUp() { ASSERT_TRUE(dir.isValid()); }

void WindowTest::TearDown() {
    host.reset();
    QCoreApplication::processEvents();
}

std::string WindowTest::path(const std::string& name) const {
    return dir.path().toStdString() + "/" + name;
}

void WindowTest::writeFile(const std::string& name, const std::string& bytes) {
    std::ofstream out(path(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string WindowTest::readFile(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool WindowTest::fileExists(const std::string& name) const { return QFile::exists(QString::fromStdString(path(name))); }

void WindowTest::writeRoster() {
    writeFile("VLChapters.txt",
              "\"001\",\"First Chapter\"\r\n"
              "\"007\",\"Seventh Chapter\"\r\n"
              "\"012\",\"Home Chapter\"\r\n"
              "\"123\",\"Third Chapter\"\r\n"
              "\"599\",\"Non-member stations\"\r\n"
              "\"999\",\"End\"\r\n");
}

void WindowTest::writeRegistration(const std::string& call, const std::string& chapter, int offset) {
    writeFile("LogOnFile.txt", "\"" + call + "\",\"" + chapter +
                                   "\",\"1 Main St\",\"VA\",\"59\",\"OPER\",\"Home Chapter\","
                                   "\"Linden\",\"10001\",\"2026\"," +
                                   std::to_string(offset) + ",\"op@example.org\"\r\n");
}

void WindowTest::prepareRegisteredFolder() {
    writeRoster();
    writeRegistration();
    writeFile("NoGreeting.txt", "\"NO\"\r\n");
}

bool WindowTest::startProgram(bool useFakePort) {
    if (!useFakePort) return startProgram(std::function<std::unique_ptr<keyer::CommPort>()>());
    auto shared = port;
    return startProgram([shared]() -> std::unique_ptr<keyer::CommPort> {
        return std::make_unique<FakeCommPort>(shared);
    });
}

bool WindowTest::startProgram(std::function<std::unique_ptr<keyer::CommPort>()> makePort) {
    ProgramEnvironment env;
    env.folder = dir.path().toStdString();
    if (!realMessageBoxes) {
        env.makeDialogs = [this](QWidget*) -> std::unique_ptr<Dialogs> {
            auto scripted = std::make_unique<ScriptedDialogs>();
            dialogs = scripted.get();
            return scripted;
        };
    }
    env.makePort = std::move(makePort);
    env.computerUtcOffset = [this] { return computerUtcOffset; };
    if (!hamlibRadio) {
        auto scripted = radio;
        env.makeRigLink = [scripted](const rig::RigSettings&) -> std::unique_ptr<rig::RigLink> {
            return std::make_unique<rig::ScriptedRigLink>(scripted);
        };
    }
    host = std::make_unique<ProgramHost>(env);
    return host->start();
}

void WindowTest::activate() {
    window()->show();
    window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
    settle();
}

QString WindowTest::text(const char* name) const {
    QObject* object = window()->findChild<QObject*>(QString::fromLatin1(name));
    if (auto* line = qobject_cast<QLineEdit*>(object)) return line->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(object)) return box->toPlainText();
    if (auto* combo = qobject_cast<QComboBox*>(object)) return combo->currentText();
    ADD_FAILURE() << "no text element " << name;
    return {};
}

void WindowTest::trigger(const char* actionName) {
    QAction* a = action(actionName);
    ASSERT_NE(a, nullptr);
    a->trigger();
    settle();
}

void WindowTest::focusBox(const char* name) {
    QWidget* box = find<QWidget>(name);
    box->setFocus(Qt::MouseFocusReason);
    settle();
}

void WindowTest::typeInto(const char* name, const QString& typed) {
    QWidget* box = find<QWidget>(name);
    if (!box->hasFocus()) focusBox(name);
    QTest::keyClicks(box, typed);
    settle();
}

void WindowTest::tab() {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, Qt::Key_Tab);
    settle();
}

void WindowTest::pressWindowKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(window()->windowHandle(), key, modifiers);
    settle();
}

void WindowTest::settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

QString WindowTest::focused() const {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

QTimer* WindowTest::timer(const char* name) const {
    return window()->findChild<QTimer*>(QString::fromLatin1(name));
}

void WindowTest::tick(const char* name) {
    ASSERT_TRUE(QMetaObject::invokeMethod(timer(name), "timeout"));
    settle();
}

void WindowTest::typeContact(const QString& call, const QString& chapter, const QString& name) {
    typeInto("txtCallsign", call);
    tab();  // the look-ups run; the report box gets its default
    if (QApplication::focusWidget() == find<QWidget>("txtYears")) {
        tab();  // report received
        tab();  // chapter
    }
    if (QApplication::focusWidget() == find<QWidget>("txtChapter")) {
        typeInto("txtChapter", chapter);
        tab();
    }
    if (QApplication::focusWidget() == find<QWidget>("txtName")) {
        auto* nameBox = find<QLineEdit>("txtName");
        nameBox->clear();
        typeInto("txtName", name);
    }
}

int holdWorkingFolder(const QString& folder) {
    ScriptedDialogs dialogs;
    const WorkingFolder held = openWorkingFolder(folder, dialogs);
    if (!held.open()) {
        std::fprintf(stderr, "%s\n", dialogs.lastText().toLocal8Bit().constData());
        return 2;
    }
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}

}  // namespace vl::ui::test
