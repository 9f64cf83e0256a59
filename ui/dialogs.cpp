#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace vl::ui {

namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon) {
    switch (icon) {
        case Dialogs::Icon::Information: return QMessageBox::Information;
        case Dialogs::Icon::Question: return QMessageBox::Question;
        case Dialogs::Icon::Exclamation: return QMessageBox::Warning;
        case Dialogs::Icon::Critical: return QMessageBox::Critical;
        case Dialogs::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtDialogs::message(const QString& text, const QString& title, Icon icon) {
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok,
                    parent_);
    box.exec();
}

bool QtDialogs::question(const QString& text, const QString& title, Icon icon, bool defaultYes) {
    QMessageBox box(toQt(icon), title, text,
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogs::input(const QString& prompt, const QString& title) {
    bool ok = false;
    QString text = QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

void QtDialogs::beep() { QApplication::beep(); }

QString QtDialogs::chooseFolder(const QString& title, const QString& startFolder) {
    return QFileDialog::getExistingDirectory(parent_, title, startFolder);
}

QString QtDialogs::saveFileName(const QString& caption, const QString& startPath,
                                const QString& filter) {
    return QFileDialog::getSaveFileName(parent_, caption, startPath, filter);
}

QString QtDialogs::choose(const QString& prompt, const QString& title, const QStringList& items) {
    bool ok = false;
    QString text = QInputDialog::getItem(parent_, title, prompt, items, 0, true, &ok);
    return ok ? text : QString();
}

}  // namespace vl::ui
