// The log window: open, filter, edit and save, the dupe mark, delete, undo,
// a failed write, and a save refused because the line changed by hand.
#include <QLabel>
#include <QTableView>

#include "logbook/file_writes.h"
#include "ui/display_text.h"
#include "ui/log_window.h"
#include "window_test_support.h"

namespace vl::ui::test {
namespace {

const std::string kW1 =
    "\"W1XYZ   \",\"59  \",\"57  \",\"123\",\"JOE    \",\"20 \",\"PHN\",\"06/01/2026\",\"14:05 \",\"\"\r\n";
const std::string kK1 =
    "\"K1AB    \",\"599 \",\"599 \",\"012\",\"CY     \",\"160\",\"CW \",\"06/01/2026\",\"15:00 \",\"NVL\"\r\n";
const std::string kW1Dupe =
    "\"W1XYZ   \",\"59  \",\"57  \",\"123\",\"JOE    \",\"20 \",\"PHN\",\"06/01/2026\",\"16:10 \",\"DUPE\"\r\n";
// Nine fields: a line the window does not take as a contact (the recount
// still counts it).
const std::string kTorn =
    "\"W2BBB   \",\"599 \",\"599 \",\"007\",\"BO     \",\"40 \",\"DIG\",\"06/02/2026\",\"09:00 \"\r\n";
const std::string kLog = kW1 + kK1 + kTorn + kW1Dupe;

class LogWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
        writeFile("vlqsolog.txt", kLog);
        // The chapter files as the log implies them, so start-up asks nothing.
        writeFile("chapsworked.txt", "\"123\"\r\n");
        writeFile("CWchapsworked.txt", "\"012\"\r\n");
        writeFile("DIGchapswrk.txt", "\"007\"\r\n");
        ASSERT_TRUE(startProgram());
        activate();
        mainDialogs = dialogs;  // the log window gets boxes of its own
        trigger("mnuEditLog");
        log = window()->findChild<LogWindow*>();
        ASSERT_NE(log, nullptr);
        table = log->findChild<QTableView*>(QStringLiteral("tblLog"));
    }
    template <class T = QWidget>
    T* in(QObject* parent, const char* name) {
        T* found = parent->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void key(QWidget* target, int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(target, static_cast<Qt::Key>(k), mods);
        settle();
    }
    // Offscreen, a closed box leaves no window active.
    void focusTable() {
        log->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(log));
        table->setFocus();
    }
    // Selects the row of a log line and opens it in the form with F2.
    LogEditForm* edit(int line) {
        focusTable();
        for (int r = 0; r < table->model()->rowCount(); ++r) {
            const QModelIndex index = table->model()->index(r, kColLine);
            if (index.data().toInt() == line) table->setCurrentIndex(index);
        }
        key(table, Qt::Key_F2);
        if (log->form()) { EXPECT_TRUE(QTest::qWaitForWindowActive(log->form())); }
        return log->form();
    }
    void retype(LogEditForm* form, const char* box, const QString& typed) {
        auto* b = in<QLineEdit>(form, box);
        b->setFocus();
        b->selectAll();
        QTest::keyClicks(b, typed);
    }
    QString count() { return in<QLabel>(log, "lblLogCount")->text(); }

    ScriptedDialogs* mainDialogs = nullptr;
    LogWindow* log = nullptr;
    QTableView* table = nullptr;
};

TEST_F(LogWindowTest, CorrectsDeletesUndoesAndRefusesAStaleSave) {
    EXPECT_EQ(log->windowTitle(), QStringLiteral("VLWinLog \u2013 Log"));
    EXPECT_EQ(table->model()->rowCount(), 4);
    EXPECT_EQ(table->currentIndex().row(), 3) << "the newest row is selected";
    EXPECT_EQ(count(), QStringLiteral("3 contacts, 1 unreadable"));
    EXPECT_TRUE(table->model()->index(2, kColComment).data().toString().startsWith(
        QStringLiteral("Unreadable line: \"W2BBB   \",\"599 \",")));

    // Filter: Ctrl+F, a pattern, a band, Esc clears.
    key(table, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(focused(), QStringLiteral("txtLogFilter"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("w1*"));
    EXPECT_EQ(table->model()->rowCount(), 2);
    EXPECT_EQ(count(), QStringLiteral("3 contacts, 1 unreadable \u2013 2 shown"));
    key(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("160"));
    EXPECT_EQ(table->model()->rowCount(), 1);
    key(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(table->model()->rowCount(), 4);
    key(table, Qt::Key_3, Qt::ControlModifier);  // by callsign
    EXPECT_EQ(table->model()->index(0, kColCall).data().toString(), QStringLiteral("K1AB"));
    key(table, Qt::Key_0, Qt::ControlModifier);  // file order

    // An unreadable line is not a contact to edit; an invalid value is named
    // and nothing is written.
    EXPECT_EQ(edit(3), nullptr);
    EXPECT_EQ(dialogs->lastText(), q(kUnreadableLineMessage));
    LogEditForm* form = edit(2);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(focused(), QStringLiteral("txtEditCallsign"));
    EXPECT_EQ(in<QLineEdit>(form, "txtEditCallsign")->selectedText(), QStringLiteral("K1AB"));
    retype(form, "txtEditChapter", QStringLiteral("88"));
    key(in<QWidget>(form, "txtEditChapter"), Qt::Key_Return);
    EXPECT_EQ(in<QLabel>(form, "lblEditProblem")->text(), QStringLiteral("88 is an invalid Chapter Number"));
    EXPECT_EQ(readFile("vlqsolog.txt"), kLog);

    // Saved: the one line byte-exact, the derived files and counters rebuilt.
    retype(form, "txtEditChapter", QStringLiteral("7"));
    retype(form, "txtEditCallsign", QStringLiteral("k10ab"));
    in<QComboBox>(form, "cboEditBand")->setCurrentText(QStringLiteral("40"));
    key(in<QWidget>(form, "txtEditCallsign"), Qt::Key_Return);
    const std::string kK1Fixed =
        "\"K1\xD8" "AB   \",\"599 \",\"599 \",\"007\",\"CY     \",\"40 \",\"CW \",\"06/01/2026\",\"15:00 \",\"NVL\"\r\n";
    EXPECT_EQ(readFile("vlqsolog.txt"), kW1 + kK1Fixed + kTorn + kW1Dupe);
    EXPECT_EQ(log->form(), nullptr);
    EXPECT_EQ(readFile("CWchapsworked.txt"), "\"007\"\r\n");
    EXPECT_EQ(text("txt40CW"), QStringLiteral(" 1"));
    EXPECT_EQ(text("txt160CW"), QStringLiteral(" 0"));

    // The dupe moved to 40 m stops being one: the mark goes on Yes.
    form = edit(4);
    in<QComboBox>(form, "cboEditBand")->setCurrentText(QStringLiteral("40"));
    dialogs->answers = {true};
    key(in<QWidget>(form, "txtEditDate"), Qt::Key_Return);
    EXPECT_EQ(dialogs->lastText(),
              QStringLiteral("W1XYZ on 40 PHN no longer duplicates another contact.  Remove "
                             "\"DUPE\" from its comment, so that it counts?"));
    const std::string kW1Moved =
        "\"W1XYZ   \",\"59  \",\"57  \",\"123\",\"JOE    \",\"40 \",\"PHN\",\"06/01/2026\",\"16:10 \",\"\"\r\n";
    EXPECT_EQ(readFile("vlqsolog.txt"), kW1 + kK1Fixed + kTorn + kW1Moved);
    EXPECT_EQ(text("txtTotPhnCts"), QStringLiteral(" 2"));

    // Delete asks, No by default; Yes removes the line. Ctrl+Z puts it back.
    edit(1);
    key(QApplication::focusWidget(), Qt::Key_Escape);  // the form closes unsaved
    ASSERT_EQ(log->form(), nullptr);
    dialogs->answers = {true};
    focusTable();
    key(table, Qt::Key_Delete);
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("Delete the contact with W1XYZ on 20 PHN at 06/01/2026 14:05?"));
    EXPECT_FALSE(dialogs->shown.back().defaultYes);
    EXPECT_EQ(readFile("vlqsolog.txt"), kK1Fixed + kTorn + kW1Moved);
    focusTable();
    key(table, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(readFile("vlqsolog.txt"), kW1 + kK1Fixed + kTorn + kW1Moved);
    key(table, Qt::Key_Z, Qt::ControlModifier);
    key(table, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(readFile("vlqsolog.txt"), kLog) << "every change of this run undone";

    // A write that fails: one message, the log as it was.
    form = edit(1);
    retype(form, "txtEditName", QStringLiteral("JOSEPH"));
    dialogs->clear();
    {
        logbook::WriteFaultScope full({2, ENOSPC, true});
        key(in<QWidget>(form, "txtEditName"), Qt::Key_Return);
    }
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_TRUE(dialogs->lastText().endsWith(q(kCorrectLogErrorLine) + QStringLiteral("\r\n")));
    EXPECT_EQ(readFile("vlqsolog.txt"), kLog);

    // The file changed by hand while the form was open: refused, reloaded.
    form = edit(2);
    const std::string handEdited = kW1 + kW1Dupe + kK1;
    writeFile("vlqsolog.txt", handEdited);
    retype(form, "txtEditName", QStringLiteral("CYRIL"));
    key(in<QWidget>(form, "txtEditName"), Qt::Key_Return);
    EXPECT_EQ(dialogs->lastText(), q(kStaleLineMessage));
    EXPECT_EQ(readFile("vlqsolog.txt"), handEdited);
    EXPECT_EQ(table->model()->rowCount(), 3);

    // A contact logged in the main window shows at once; a hand edit at the
    // next watch.
    activate();
    typeContact(QStringLiteral("w2bbb"), QStringLiteral("7"), QStringLiteral("bo"));
    pressWindowKey(Qt::Key_Insert);
    EXPECT_EQ(table->model()->rowCount(), 4);
    writeFile("vlqsolog.txt", kW1);
    ASSERT_TRUE(QMetaObject::invokeMethod(log->findChild<QTimer*>("tmrLogWatch"), "timeout"));
    EXPECT_EQ(table->model()->rowCount(), 1);

    // The window's place is kept for the next run.
    log->setGeometry(40, 50, 700, 400);
    log->close();
    EXPECT_EQ(readFile("VLLogWindow.txt").substr(0, 5), "40,50");
    EXPECT_TRUE(mainDialogs->shown.empty()) << mainDialogs->lastText().toStdString();
}

}  // namespace
}  // namespace vl::ui::test
