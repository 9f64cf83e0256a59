#include "ui/proportional_layout.h"

#include <cmath>

namespace vl::ui {

void ProportionalLayout::place(QWidget* widget, const QRect& designRect, qreal designPointSize) {
    Entry& entry = entries_[widget];
    entry.widget = widget;
    entry.rect = designRect;
    if (designPointSize > 0) entry.pointSize = designPointSize;
    if (entry.pointSize <= 0) entry.pointSize = widget->font().pointSizeF();
    applyOne(entry);
}

QRect ProportionalLayout::designRect(QWidget* widget) const {
    auto it = entries_.constFind(widget);
    return it == entries_.cend() ? QRect() : it->rect;
}

void ProportionalLayout::apply(QSize actual) {
    actual_ = actual;
    for (const Entry& entry : std::as_const(entries_)) applyOne(entry);
}

void ProportionalLayout::applyOne(const Entry& entry) const {
    if (!entry.widget) return;
    const QSize actual = actual_.isValid() ? actual_ : design_;
    const qreal sx = qreal(actual.width()) / design_.width();
    const qreal sy = qreal(actual.height()) / design_.height();
    const QRect& r = entry.rect;
    entry.widget->setGeometry(std::lround(r.x() * sx), std::lround(r.y() * sy),
                              std::lround(r.width() * sx), std::lround(r.height() * sy));
    if (entry.pointSize > 0) {
        QFont font = entry.widget->font();
        font.setPointSizeF(std::max<qreal>(4.0, entry.pointSize * std::min(sx, sy)));
        entry.widget->setFont(font);
    }
}

}  // namespace vl::ui
