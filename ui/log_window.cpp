#include "ui/log_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <span>

#include "logbook/file_names.h"
#include "logbook/quoted_line.h"
#include "logbook/registration.h"
#include "ui/dialogs.h"
#include "ui/display_text.h"
#include "ui/entry_box.h"
#include "ui/text_codec.h"

namespace vl::ui {

namespace {

using logbook::ContactRecord;
using logbook::LogLine;

QString shown(std::string_view field) { return fromCp1252(logbook::trimBlanks(field)); }

// The field a column shows; the line number and an unreadable line have none.
const std::string* fieldOf(const ContactRecord& r, int column) {
    switch (column) {
        case kColDate: return &r.date;
        case kColTime: return &r.time;
        case kColCall: return &r.call;
        case kColSent: return &r.sent;
        case kColRcvd: return &r.rcvd;
        case kColChapter: return &r.chapter;
        case kColName: return &r.name;
        case kColBand: return &r.band;
        case kColMode: return &r.mode;
        case kColComment: return &r.comment;
        default: return nullptr;
    }
}

// The record's fields in their order, as pointers into it.
std::array<std::string*, 10> fieldsOf(ContactRecord& r) {
    return {&r.call, &r.sent, &r.rcvd, &r.chapter, &r.name,
            &r.band, &r.mode, &r.date, &r.time,    &r.comment};
}

}  // namespace

QString invalidChapterAfterCorrection(std::string_view chapter) {
    return QStringLiteral("The Chapter  %1 in your log is invalid!  The chapter lists and "
                          "counters stay empty until it is corrected in the log window.")
        .arg(q(chapter));
}

// ---- the table ----

void LogTableModel::setSnapshot(logbook::LogSnapshot snapshot) {
    beginResetModel();
    snapshot_ = std::move(snapshot);
    readable_ = 0;
    for (const LogLine& line : snapshot_.lines) readable_ += line.readable ? 1 : 0;
    endResetModel();
}

int LogTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(snapshot_.lines.size());
}

int LogTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant LogTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const LogLine& l = line(index.row());
    const int column = index.column();
    if (role == Qt::BackgroundRole) return l.readable ? QVariant() : QVariant(QColor(255, 200, 200));
    // An unreadable line is shown as it stands, without its line end.
    const auto excerpt = [&] {
        std::string_view bytes = snapshot_.bytesOf(l);
        while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.remove_suffix(1);
        return q(logbook::lineExcerpt(bytes));
    };
    if (role == Qt::ToolTipRole && !l.readable) return excerpt();
    if (role != Qt::DisplayRole && role != kSortRole) return {};
    if (column == kColLine) return static_cast<qulonglong>(l.number);
    if (!l.readable) {
        if (column != kColComment) return {};
        return QStringLiteral("Unreadable line: ") + excerpt();
    }
    const ContactRecord& r = l.record;
    if (role == kSortRole && (column == kColDate || column == kColTime)) {
        // mm/dd/yyyy sorts by year, month, day, then time.
        const std::string& d = r.date;
        const QString day = d.size() >= 10 ? q(d.substr(6, 4) + d.substr(0, 2) + d.substr(3, 2))
                                           : shown(d);
        return column == kColDate ? day + shown(r.time) : shown(r.time) + day;
    }
    return shown(*fieldOf(r, column));
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return {};
    static const char* const titles[kColumnCount] = {"Line", "Date", "Time", "CallSign",
                                                     "Rpt Sent", "Rpt Rcv", "Chapter", "Name",
                                                     "Band", "Mode", "Comment"};
    return QString::fromLatin1(titles[section]);
}

void LogFilterModel::setTyped(std::string_view typed) {
    filter_ = entry::RecordFilter(typed);
    invalidateFilter();
}

bool LogFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const LogLine& line = static_cast<const LogTableModel*>(sourceModel())->line(sourceRow);
    // An unreadable line matches nothing but the empty filter.
    return filter_.empty() || (line.readable && filter_.accepts(line.record));
}

// ---- the edit form ----

LogEditForm::LogEditForm(const ContactRecord& record, std::size_t lineNumber, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmEditContact"));
    setWindowTitle(QStringLiteral("Contact on line %1").arg(lineNumber));
    setMinimumWidth(380);
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    layout->addLayout(fields);
    struct Box {
        const char* name;
        const char* label;
        EntryBox::Filter filter;
    };
    static const Box kBoxes[10] = {
        {"txtEditCallsign", "CallSign", EntryBox::Filter::Callsign},
        {"txtEditYears", "Rpt Sent", EntryBox::Filter::UpperCase},
        {"txtEditRptRcv", "Rpt Rcv", EntryBox::Filter::Plain},
        {"txtEditChapter", "Chapter", EntryBox::Filter::Plain},
        {"txtEditName", "Name", EntryBox::Filter::UpperCase},
        {"cboEditBand", "Band", EntryBox::Filter::Plain},
        {"cboEditMode", "Mode", EntryBox::Filter::Plain},
        {"txtEditDate", "Date", EntryBox::Filter::Plain},
        {"txtEditTime", "Time", EntryBox::Filter::Plain},
        {"txtEditComment", "Comment", EntryBox::Filter::Plain},
    };
    for (int i = 0; i < 10; ++i) {
        QWidget* box = nullptr;
        if (i == 5 || i == 6) {
            auto* list = new QComboBox(this);
            for (std::string_view item : i == 5 ? std::span<const std::string_view>(entry::kBandItems)
                                                : std::span<const std::string_view>(entry::kModeItems)) {
                list->addItem(q(item));
            }
            (i == 5 ? cboBand : cboMode) = list;
            box = list;
        } else {
            box = new EntryBox(this, kBoxes[i].filter);
        }
        box->setObjectName(QString::fromLatin1(kBoxes[i].name));
        fields->addRow(QString::fromLatin1(kBoxes[i].label), box);
        boxes_[i] = box;
    }
    lblProblem = new QLabel(this);
    lblProblem->setObjectName(QStringLiteral("lblEditProblem"));
    lblProblem->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    lblProblem->setWordWrap(true);
    layout->addWidget(lblProblem);
    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("&Save"), this);
    save->setObjectName(QStringLiteral("cmdEditSave"));
    save->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdEditCancel"));
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &LogEditForm::saveRequested);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // The callsign box reports Enter instead of passing it to the default button.
    connect(static_cast<EntryBox*>(boxes_[0]), &EntryBox::enterPressed, this,
            &LogEditForm::saveRequested);
    setRecord(record);
    boxes_[0]->setFocus();
    static_cast<QLineEdit*>(boxes_[0])->selectAll();
}

void LogEditForm::setRecord(const ContactRecord& record) {
    ContactRecord r = record;
    const auto fields = fieldsOf(r);
    for (int i = 0; i < 10; ++i) {
        const QString text = shown(*fields[i]);
        if (auto* list = qobject_cast<QComboBox*>(boxes_[i])) {
            // A band or mode the lists do not hold is shown, to be changed.
            if (list->findText(text) < 0) list->addItem(text);
            list->setCurrentIndex(list->findText(text));
        } else {
            static_cast<QLineEdit*>(boxes_[i])->setText(text);
        }
    }
}

ContactRecord LogEditForm::typed() const {
    ContactRecord r;
    const auto fields = fieldsOf(r);
    for (int i = 0; i < 10; ++i) {
        const auto* list = qobject_cast<const QComboBox*>(boxes_[i]);
        *fields[i] = toCp1252(list ? list->currentText()
                                   : static_cast<const QLineEdit*>(boxes_[i])->text());
    }
    return r;
}

void LogEditForm::showRefusal(const QString& text, int field) {
    lblProblem->setText(text);
    if (field < 0 || field >= 10) return;
    boxes_[field]->setFocus();
    if (auto* box = qobject_cast<QLineEdit*>(boxes_[field])) box->selectAll();
}

// ---- the window ----

LogWindow::LogWindow(const logbook::DataFolder& folder, const MakeDialogs& makeDialogs,
                     QWidget* parent)
    : QWidget(parent, Qt::Window),
      folder_(folder),
      dialogsOwned_(makeDialogs(this)),
      dialogs_(*dialogsOwned_) {
    setObjectName(QStringLiteral("frmLogWindow"));
    setWindowTitle(QStringLiteral("VLWinLog \u2013 Log"));
    buildWidgets();
    loadPlace();
    reload();
    if (model_.rowCount() > 0) selectLine(model_.line(model_.rowCount() - 1).number);
    // Ready for Enter, F2 or Delete on the newest contact.
    tblLog->setFocus();
    tmrLogWatch->start();
}

LogWindow::~LogWindow() {
    if (isVisible()) savePlace();
}

void LogWindow::buildWidgets() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* filterLabel = new QLabel(QStringLiteral("&Filter:"), this);
    txtFilter = new QLineEdit(this);
    txtFilter->setObjectName(QStringLiteral("txtLogFilter"));
    txtFilter->setPlaceholderText(
        QStringLiteral("callsign pattern (* ? # [..]), chapter, band or mode"));
    txtFilter->installEventFilter(this);
    filterLabel->setBuddy(txtFilter);
    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblLogCount"));
    top->addWidget(filterLabel);
    top->addWidget(txtFilter, 1);
    top->addWidget(lblCount);
    layout->addLayout(top);

    filter_.setSourceModel(&model_);
    filter_.setSortRole(LogTableModel::kSortRole);
    tblLog = new QTableView(this);
    tblLog->setObjectName(QStringLiteral("tblLog"));
    tblLog->setModel(&filter_);
    tblLog->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblLog->setSelectionMode(QAbstractItemView::SingleSelection);
    tblLog->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblLog->setTabKeyNavigation(false);
    tblLog->setAlternatingRowColors(true);
    tblLog->verticalHeader()->hide();
    // Fixed row heights and column widths: a 32,767-line log opens at once.
    tblLog->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblLog->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tblLog->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    tblLog->horizontalHeader()->setStretchLastSection(true);
    const int widths[kColumnCount] = {6, 11, 6, 10, 6, 6, 6, 9, 5, 5, 10};
    const int unit = fontMetrics().horizontalAdvance(QLatin1Char('0')) + 1;
    for (int c = 0; c < kColumnCount; ++c) tblLog->setColumnWidth(c, widths[c] * unit + 12);
    // Unsorted is file order, which costs nothing to show.
    tblLog->horizontalHeader()->setSortIndicatorClearable(true);
    tblLog->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    tblLog->setSortingEnabled(true);
    layout->addWidget(tblLog, 1);
    connect(tblLog, &QTableView::activated, this, [this] { editSelected(); });

    auto* buttons = new QHBoxLayout;
    auto button = [&](QPushButton*& b, const char* name, const QString& text, auto slot) {
        b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    button(cmdEdit, "cmdLogEdit", QStringLiteral("&Edit (F2)"), &LogWindow::editSelected);
    button(cmdDelete, "cmdLogDelete", QStringLiteral("&Delete (Del)"), &LogWindow::deleteSelected);
    button(cmdUndo, "cmdLogUndo", QStringLiteral("&Undo (Ctrl+Z)"), &LogWindow::undoLast);
    buttons->addStretch();
    button(cmdClose, "cmdLogClose", QStringLiteral("&Close"), &QWidget::close);
    layout->addLayout(buttons);
    setTabOrder(txtFilter, tblLog);
    setTabOrder(tblLog, cmdEdit);
    setTabOrder(cmdEdit, cmdDelete);
    setTabOrder(cmdDelete, cmdUndo);
    setTabOrder(cmdUndo, cmdClose);

    auto shortcut = [&](const QKeySequence& keys, QWidget* on, Qt::ShortcutContext context,
                        auto slot) {
        auto* action = new QAction(on);
        action->setShortcut(keys);
        action->setShortcutContext(context);
        connect(action, &QAction::triggered, this, slot);
        on->addAction(action);
    };
    shortcut(QKeySequence(Qt::Key_F2), this, Qt::WindowShortcut, &LogWindow::editSelected);
    shortcut(QKeySequence(Qt::Key_Delete), tblLog, Qt::WidgetShortcut, &LogWindow::deleteSelected);
    shortcut(QKeySequence(Qt::Key_Escape), tblLog, Qt::WidgetShortcut, &QWidget::close);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this, Qt::WindowShortcut, &LogWindow::undoLast);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this, Qt::WindowShortcut, [this] {
        txtFilter->setFocus();
        txtFilter->selectAll();
    });
    for (int n = 0; n <= 9; ++n) {
        shortcut(QKeySequence(Qt::CTRL | (Qt::Key_0 + n)), this, Qt::WindowShortcut,
                 [this, n] { sortByColumn(n); });
    }
    connect(txtFilter, &QLineEdit::textChanged, this, [this] { applyFilter(); });

    tmrLogWatch = new QTimer(this);
    tmrLogWatch->setObjectName(QStringLiteral("tmrLogWatch"));
    tmrLogWatch->setInterval(1000);
    connect(tmrLogWatch, &QTimer::timeout, this, &LogWindow::refreshIfChanged);
}

bool LogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtFilter && (event->type() == QEvent::ShortcutOverride ||
                                 event->type() == QEvent::KeyPress)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Ctrl+Z is the window's undo, not the box's.
        if (key->matches(QKeySequence::Undo)) {
            if (event->type() == QEvent::KeyPress) undoLast();
            event->accept();
            return true;
        }
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            if (event->type() == QEvent::KeyPress) txtFilter->clear();
            event->accept();
            return true;
        }
        // Enter takes the narrowed table.
        if (event->type() == QEvent::KeyPress &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            tblLog->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LogWindow::applyFilter() {
    filter_.setTyped(toCp1252(txtFilter->text()));
    showCounts();
    if (tblLog->currentIndex().isValid()) tblLog->scrollTo(tblLog->currentIndex());
}

void LogWindow::showCounts() {
    const int rows = model_.rowCount();
    const int shownRows = filter_.rowCount();
    QString text = QStringLiteral("%1 contacts").arg(model_.readableCount());
    if (rows != model_.readableCount()) {
        text += QStringLiteral(", %1 unreadable").arg(rows - model_.readableCount());
    }
    if (shownRows != rows) text += QStringLiteral(" \u2013 %1 shown").arg(shownRows);
    lblCount->setText(text);
}

void LogWindow::refreshIfChanged() {
    if (logbook::stampOf(folder_, logbook::names::kContactLog) != model_.snapshot().stamp) {
        reload();
    }
}

void LogWindow::reload() {
    const LogLine* current = selectedLine();
    const std::size_t keep = current ? current->number : 0;
    logbook::LogSnapshot snapshot = logbook::readLogSnapshot(folder_);
    if (snapshot.error) {
        // Shown once: the stamp is kept, so the watch does not report it again.
        reportFailure(*snapshot.error);
    }
    model_.setSnapshot(std::move(snapshot));
    showCounts();
    if (keep != 0) selectLine(keep);
}

void LogWindow::selectLine(std::size_t number) {
    const auto& lines = model_.snapshot().lines;
    auto it = std::lower_bound(lines.begin(), lines.end(), number,
                               [](const LogLine& l, std::size_t n) { return l.number < n; });
    if (it == lines.end()) {
        if (lines.empty()) return;
        it = std::prev(lines.end());
    }
    const QModelIndex index =
        filter_.mapFromSource(model_.index(static_cast<int>(it - lines.begin()), kColCall));
    if (!index.isValid()) return;
    tblLog->setCurrentIndex(index);
    tblLog->scrollTo(index);
}

const LogLine* LogWindow::selectedLine() const {
    const QModelIndex index = filter_.mapToSource(tblLog->currentIndex());
    if (!index.isValid() || index.row() >= model_.rowCount()) return nullptr;
    return &model_.line(index.row());
}

const LogLine* LogWindow::readableSelection() {
    const LogLine* line = selectedLine();
    if (line && !line->readable) {
        dialogs_.message(q(kUnreadableLineMessage));
        return nullptr;
    }
    return line;
}

void LogWindow::sortByColumn(int column) {
    // Ctrl+0: file order; Ctrl+1 … Ctrl+9: date … mode; again: the other way.
    if (column == kColLine) {
        tblLog->sortByColumn(-1, Qt::AscendingOrder);
        return;
    }
    const Qt::SortOrder order = filter_.sortColumn() == column &&
                                        filter_.sortOrder() == Qt::AscendingOrder
                                    ? Qt::DescendingOrder
                                    : Qt::AscendingOrder;
    tblLog->sortByColumn(column, order);
}

void LogWindow::editSelected() {
    const LogLine* line = readableSelection();
    if (!line) return;
    if (form_) form_->close();
    formLine_ = line->number;
    formBytes_ = std::string(model_.snapshot().bytesOf(*line));
    form_ = new LogEditForm(line->record, line->number, this);
    form_->setAttribute(Qt::WA_DeleteOnClose);
    connect(form_, &LogEditForm::saveRequested, this, &LogWindow::saveForm);
    form_->open();
}

void LogWindow::saveForm() {
    const logbook::ReadResult registration = folder_.read(logbook::names::kRegistration);
    const std::string ownCall = logbook::parseRegistration(registration.content).registration.call;
    entry::EditCheck check = entry::checkEditedRecord(form_->typed(), ownCall, folder_);
    if (!check.refusal.empty()) {
        form_->showRefusal(q(check.refusal), check.field);
        return;
    }
    // Whether the edit makes the contact a dupe, or stops it being one, is
    // judged against the log as the table holds it.
    const auto& lines = model_.snapshot().lines;
    std::vector<const ContactRecord*> records;
    std::size_t editedIndex = lines.size();
    for (const LogLine& l : lines) {
        if (!l.readable) continue;
        if (l.number == formLine_) editedIndex = records.size();
        records.push_back(&l.record);
    }
    const entry::DupeChange change = entry::dupeChangeAfterEdit(check.record, editedIndex, records);
    if (change != entry::DupeChange::kNone &&
        dialogs_.question(q(entry::dupeChangeQuestion(change, check.record)))) {
        check.record.comment = change == entry::DupeChange::kBecomesDupe ? logbook::kDupe : "";
    }
    const logbook::LogChange edit{formLine_, formBytes_, logbook::formatContactLine(check.record)};
    form_->close();
    if (edit.replacement != edit.expected) apply(edit);
}

void LogWindow::deleteSelected() {
    const LogLine* line = readableSelection();
    if (!line) return;
    if (!dialogs_.question(q(entry::deleteQuestion(line->record)), {}, Dialogs::Icon::Question,
                           false)) {
        return;
    }
    apply(logbook::removeRecord(model_.snapshot(), *line));
}

void LogWindow::undoLast() {
    if (undo_.empty()) {
        dialogs_.beep();
        return;
    }
    apply(undo_.back(), true);
}

bool LogWindow::apply(const logbook::LogChange& change, bool undoing) {
    using Kind = logbook::LogChangeOutcome::Kind;
    const logbook::LogChangeOutcome outcome = logbook::applyLogChange(folder_, change);
    if (outcome.kind == Kind::kFailed) {
        reportFailure(*outcome.error);
        return false;
    }
    if (outcome.kind == Kind::kStale) {
        if (undoing) undo_.pop_back();
        dialogs_.message(q(undoing ? kUndoStaleMessage : kStaleLineMessage));
        reload();
        return false;
    }
    if (undoing) {
        undo_.pop_back();
    } else {
        undo_.push_back(outcome.undo);
    }
    reload();
    selectLine(change.number);
    emit logChanged();
    return true;
}

void LogWindow::reportFailure(const logbook::FileError& error) {
    dialogs_.message(QStringLiteral("An unexpected error as occurred: \r\nError number: %1\r\n"
                                    "Description: %2\r\n%3\r\n")
                         .arg(error.number)
                         .arg(QString::fromStdString(error.description), q(kCorrectLogErrorLine)));
}

void LogWindow::closeEvent(QCloseEvent* event) {
    if (form_) form_->close();
    QWidget::closeEvent(event);
}

void LogWindow::hideEvent(QHideEvent* event) {
    savePlace();
    QWidget::hideEvent(event);
}

void LogWindow::loadPlace() {
    resize(900, 480);
    const logbook::ReadResult file = folder_.read(kLogWindowPlaceFile);
    const auto lines = logbook::readQuotedLines(file.content);
    if (lines.empty() || lines.front().size() != 4) return;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = QString::fromStdString(lines.front()[i]).toInt(&ok);
        if (!ok) return;  // a broken file means the defaults
    }
    const QRect place(v[0], v[1], v[2], v[3]);
    if (place.width() < 200 || place.height() < 120) return;
    // A place on a screen that is no longer there is not used.
    if (QScreen* screen = QGuiApplication::screenAt(place.center()); !screen) {
        resize(place.size());
        return;
    }
    setGeometry(place);
}

void LogWindow::savePlace() {
    const QRect place = geometry();
    std::vector<logbook::OutField> fields;
    for (int value : {place.x(), place.y(), place.width(), place.height()}) {
        fields.push_back({std::to_string(value), false});
    }
    const std::string line = logbook::formatQuotedLine(fields);
    // The window's place is a comfort: a file that cannot be written is
    // passed over, and the next run opens the window at its default place.
    if (folder_.read(kLogWindowPlaceFile).content != line) {
        (void)folder_.writeWhole(kLogWindowPlaceFile, line);
    }
}

}  // namespace vl::ui
