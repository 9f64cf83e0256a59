#include "ui/entry_box.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <algorithm>

#include "ui/text_codec.h"

namespace vl::ui {

EntryBox::EntryBox(QWidget* parent, Filter filter) : QLineEdit(parent), filter_(filter) {
    connect(this, &QLineEdit::textEdited, this, [this] { applyFilter(); });
}

QString EntryBox::filtered(const QString& text) const {
    QString out = cleanForFiles(text);
    if (filter_ == Filter::Plain) return out;
    for (QChar& c : out) {
        if (filter_ == Filter::Callsign && c == QLatin1Char('0')) c = QChar(0x00D8);
        const QChar upper = c.toUpper();
        if (fitsCp1252(upper)) c = upper;
    }
    return out;
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
