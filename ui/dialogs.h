#pragma once
// Every message box, question and text-input box of the program goes through
// this seam, so the window can be driven by a script as well as by a person.
#include <QString>
#include <QStringList>

class QWidget;

namespace vl::ui {

class Dialogs {
public:
    enum class Icon { None, Information, Question, Exclamation, Critical };

    virtual ~Dialogs() = default;
    // A message with an OK button.
    virtual void message(const QString& text, const QString& title = {}, Icon icon = Icon::None) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(const QString& text, const QString& title = {},
                          Icon icon = Icon::None, bool defaultYes = true) = 0;
    // A text-input box; an empty text for Cancel.
    virtual QString input(const QString& prompt, const QString& title) = 0;
    virtual void beep() = 0;
    // A folder chooser opened at startFolder; an empty text for Cancel.
    virtual QString chooseFolder(const QString& title, const QString& startFolder) = 0;
    // A save-file box opened on `startPath` (a folder and a suggested name);
    // the chosen path, or an empty text for Cancel.
    virtual QString saveFileName(const QString& caption, const QString& startPath,
                                 const QString& filter) = 0;
    // A choice among `items`, which may also be typed; empty for Cancel.
    virtual QString choose(const QString& prompt, const QString& title,
                           const QStringList& items) = 0;
};

// The real boxes, parented to the main window.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void message(const QString& text, const QString& title, Icon icon) override;
    bool question(const QString& text, const QString& title, Icon icon, bool defaultYes) override;
    QString input(const QString& prompt, const QString& title) override;
    void beep() override;
    QString chooseFolder(const QString& title, const QString& startFolder) override;
    QString saveFileName(const QString& caption, const QString& startPath,
                         const QString& filter) override;
    QString choose(const QString& prompt, const QString& title, const QStringList& items) override;

private:
    QWidget* parent_;
};

}  // namespace vl::ui
