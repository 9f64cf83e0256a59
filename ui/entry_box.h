#pragma once
// A one-line entry box that keeps its text fit for the program's files: a
// double quote becomes an apostrophe and characters outside the code page are
// dropped, whether typed or pasted. Upper-casing boxes upper-case every
// character, and the callsign box also stores a typed or pasted zero as Ø.
// The window's menu shortcuts win over the box's own editing keys: Ctrl+X is
// the bonus claim, not Cut.
// Only the box with the cursor shows its selection: a box that is left, or
// given a selection while another holds the cursor, keeps the selection
// unseen until the cursor comes back.
#include <QLineEdit>

namespace vl::ui {

class EntryBox : public QLineEdit {
    Q_OBJECT
public:
    enum class Filter { Plain, UpperCase, Callsign };

    explicit EntryBox(QWidget* parent = nullptr, Filter filter = Filter::Plain);
    void setFilter(Filter filter) { filter_ = filter; }
    Filter filter() const { return filter_; }

    // The text a typed or pasted text becomes in this box.
    QString filtered(const QString& text) const;

signals:
    void enterPressed();  // only a Callsign box reports ENTER instead of taking it
    void keyReleased();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void applyFilter();
    void showSelection(bool shown);
    // True when the key is the shortcut of one of the window's menu commands.
    bool isWindowCommand(const QKeyEvent* event) const;
    Filter filter_;
};

}  // namespace vl::ui
