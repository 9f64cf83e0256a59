#pragma once
// The log window (View > Edit Log…): every record of the contact log in a
// table, a filter, and the commands that correct the log in place: edit a
// contact in a form with the entry row's checks, delete it, undo the last
// change. Each change goes through logbook/log_edit.h (the line checked
// against the bytes the table read, the log written whole) and is announced
// by logChanged(), which the main window answers by rebuilding what it
// derives from the log, as its recount does.
#include <QAbstractTableModel>
#include <QDialog>
#include <QPointer>
#include <QSortFilterProxyModel>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "entry/record_edit.h"
#include "logbook/data_folder.h"
#include "logbook/log_edit.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace vl::ui {

class Dialogs;
class EntryBox;

// Where the window's place and size are kept: "x","y","w","h" as bare numbers.
inline constexpr std::string_view kLogWindowPlaceFile = "VLLogWindow.txt";
// The last line of the error report when a correction cannot be written.
inline constexpr std::string_view kCorrectLogErrorLine = "This error occurred correcting the Log";
inline constexpr std::string_view kStaleLineMessage =
    "The log was changed outside this window since the contact was read.  Nothing was written; "
    "the table now shows the log as it is.";
inline constexpr std::string_view kUndoStaleMessage =
    "The log was changed since the last correction, which can no longer be undone.  Nothing "
    "was written.";
inline constexpr std::string_view kUnreadableLineMessage =
    "This line cannot be read as a contact.  Correct it in vlqsolog.txt by hand; every change "
    "made here keeps it as it is.";

// The message shown when the log, rebuilt after a correction, still holds a
// chapter that is not on the roster: the program goes on, with the chapter
// lists and counters empty until that chapter is corrected too.
QString invalidChapterAfterCorrection(std::string_view chapter);

// The table's columns, in order.
enum LogColumn { kColLine, kColDate, kColTime, kColCall, kColSent, kColRcvd, kColChapter,
                 kColName, kColBand, kColMode, kColComment, kColumnCount };

class LogTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    static constexpr int kSortRole = Qt::UserRole;

    void setSnapshot(logbook::LogSnapshot snapshot);
    const logbook::LogSnapshot& snapshot() const { return snapshot_; }
    const logbook::LogLine& line(int row) const { return snapshot_.lines[row]; }
    int readableCount() const { return readable_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    logbook::LogSnapshot snapshot_;
    int readable_ = 0;
};

class LogFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setTyped(std::string_view typed);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    entry::RecordFilter filter_{""};
};

// The edit form: the entry row's boxes for one record, Save (the default
// button) and Cancel.
class LogEditForm : public QDialog {
    Q_OBJECT
public:
    LogEditForm(const logbook::ContactRecord& record, std::size_t lineNumber, QWidget* parent);
    logbook::ContactRecord typed() const;  // the box texts, band and mode as listed
    void showRefusal(const QString& text, int field);

signals:
    void saveRequested();

private:
    void setRecord(const logbook::ContactRecord& record);
    std::array<QWidget*, 10> boxes_{};  // in the record's field order
    QComboBox* cboBand = nullptr;
    QComboBox* cboMode = nullptr;
    QLabel* lblProblem = nullptr;
};

class LogWindow : public QWidget {
    Q_OBJECT
public:
    // The window's message boxes come from makeDialogs, parented to it.
    using MakeDialogs = std::function<std::unique_ptr<Dialogs>(QWidget* parent)>;
    LogWindow(const logbook::DataFolder& folder, const MakeDialogs& makeDialogs, QWidget* parent);
    ~LogWindow() override;

    // Reads the log again when it changed on the disk (size, modification
    // time or inode), keeping the selected line when it is still there.
    void refreshIfChanged();
    void reload();

    // Commands, also reached by their keys.
    void editSelected();    // Enter, F2, double click
    void deleteSelected();  // Delete
    void undoLast();        // Ctrl+Z
    void sortByColumn(int column);  // Ctrl+0 … Ctrl+9 (0: file order)

    LogEditForm* form() const { return form_; }

signals:
    // The log was written: the derived files, counters and lists are stale.
    void logChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildWidgets();
    void applyFilter();
    void showCounts();
    void selectLine(std::size_t number);
    const logbook::LogLine* selectedLine() const;
    // The selected line, or nothing; a line that cannot be read is named as such and not given.
    const logbook::LogLine* readableSelection();
    void saveForm();
    // Writes the change and reports its outcome; true when it was written.
    bool apply(const logbook::LogChange& change, bool undoing = false);
    void reportFailure(const logbook::FileError& error);
    void loadPlace();
    void savePlace();

    logbook::DataFolder folder_;
    std::unique_ptr<Dialogs> dialogsOwned_;
    Dialogs& dialogs_;
    LogTableModel model_;
    LogFilterModel filter_;
    QLineEdit* txtFilter = nullptr;
    QTableView* tblLog = nullptr;
    QLabel* lblCount = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdUndo = nullptr;
    QPushButton* cmdClose = nullptr;
    QTimer* tmrLogWatch = nullptr;
    QPointer<LogEditForm> form_;
    std::size_t formLine_ = 0;          // the line the form holds
    std::string formBytes_;             // its bytes when the form opened
    std::vector<logbook::LogChange> undo_;  // the changes that take this run's back, last on top
};

}  // namespace vl::ui
