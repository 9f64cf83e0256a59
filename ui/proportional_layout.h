#pragma once
// Keeps the window's layout proportional to its size: every registered child
// has a rectangle and a font size in the window's design size, and a resize
// scales all of them alike.
#include <QHash>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace vl::ui {

class ProportionalLayout {
public:
    explicit ProportionalLayout(QSize designSize) : design_(designSize) {}

    // Places the widget at its design rectangle (scaled to the current size).
    void place(QWidget* widget, const QRect& designRect, qreal designPointSize = 0);
    QRect designRect(QWidget* widget) const;
    // Rescales every registered widget for a container of this size.
    void apply(QSize actual);
    QSize designSize() const { return design_; }

private:
    struct Entry {
        QPointer<QWidget> widget;
        QRect rect;
        qreal pointSize = 0;
    };
    void applyOne(const Entry& entry) const;

    QSize design_;
    QSize actual_;
    QHash<QWidget*, Entry> entries_;
};

}  // namespace vl::ui
