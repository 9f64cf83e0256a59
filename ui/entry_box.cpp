#include "ui/entry_box.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <algorithm>

#include "entry/callsign_text.h"
#include "ui/text_codec.h"

namespace vl::ui {

EntryBox::EntryBox(QWidget* parent, Filter filter) : QLineEdit(parent), filter_(filter) {
    connect(this, &QLineEdit::textEdited, this, [this] { applyFilter(); });
    showSelection(false);
}

void EntryBox::showSelection(bool shown) {
    const QPalette standard = QApplication::palette(this);
    QPalette colours = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Highlight,
                         standard.color(group, shown ? QPalette::Highlight : QPalette::Base));
        colours.setColor(group, QPalette::HighlightedText,
                         standard.color(group, shown ? QPalette::HighlightedText : QPalette::Text));
    }
    setPalette(colours);
}

void EntryBox::focusInEvent(QFocusEvent* event) {
    showSelection(true);
    QLineEdit::focusInEvent(event);
}

void EntryBox::focusOutEvent(QFocusEvent* event) {
    showSelection(false);
    QLineEdit::focusOutEvent(event);
}

QString EntryBox::filtered(const QString& text) const {
    // The box's rules are the program's own: see entry/callsign_text.h.
    const std::string bytes = toCp1252(text);
    switch (filter_) {
        case Filter::Callsign: return fromCp1252(entry::filterCallsignInput(bytes));
        case Filter::UpperCase: return fromCp1252(entry::upperForBox(bytes));
        case Filter::Plain: break;
    }
    return fromCp1252(entry::sanitizeForFile(bytes));
}

void EntryBox::applyFilter() {
    const QString current = text();
    const QString clean = filtered(current);
    if (clean == current) return;
    const int cursor = cursorPosition() - static_cast<int>(current.size() - clean.size());
    setText(clean);
    setCursorPosition(std::max(0, std::min(cursor, static_cast<int>(clean.size()))));
}

bool EntryBox::isWindowCommand(const QKeyEvent* event) const {
    const QKeySequence pressed(event->keyCombination());
    const QList<QAction*> actions = window()->findChildren<QAction*>();
    return std::any_of(actions.begin(), actions.end(), [&](const QAction* action) {
        return action->isEnabled() && action->shortcuts().contains(pressed);
    });
}

bool EntryBox::event(QEvent* event) {
    // Left unclaimed, the shortcut goes on to the menu command.
    if (event->type() == QEvent::ShortcutOverride &&
        isWindowCommand(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

void EntryBox::keyPressEvent(QKeyEvent* event) {
    if (filter_ == Filter::Callsign &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        emit enterPressed();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EntryBox::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat()) emit keyReleased();
}

}  // namespace vl::ui
