#include "ui/check_panels.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/display_text.h"
#include "ui/text_codec.h"

namespace vl::ui {

namespace {

const QColor kDupeColour(176, 0, 0);
const QColor kWorkedColour(0, 64, 160);
const QColor kMarkedBackground(255, 224, 96);

QListWidget* readOnlyList(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setFocusPolicy(Qt::NoFocus);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(fixed.pointSizeF() * 0.85);
    list->setFont(fixed);
    return list;
}

}  // namespace

CheckPanels::CheckPanels(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("checkPanels"));
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    partialTitle_ = new QLabel(QStringLiteral("Partial check"), this);
    partialTitle_->setObjectName(QStringLiteral("lblPartialCheck"));
    partial_ = readOnlyList(this, "lstPartialCheck");
    neededTitle_ = new QLabel(QStringLiteral("Needed chapters"), this);
    neededTitle_->setObjectName(QStringLiteral("lblNeededChapters"));
    needed_ = readOnlyList(this, "lstNeededChapters");
    layout->addWidget(partialTitle_);
    layout->addWidget(partial_, 3);
    layout->addWidget(neededTitle_);
    layout->addWidget(needed_, 2);
}

void CheckPanels::showPartial(const entry::PartialCheck& check) {
    partial_->clear();
    if (check.error) {
        partial_->addItem(q(check.unreadable) + QStringLiteral(" could not be read: ") +
                          QString::fromLocal8Bit(check.error->description.c_str()));
        return;
    }
    for (const entry::PartialLine& line : check.lines) {
        auto* item = new QListWidgetItem(q(entry::partialLineText(line)), partial_);
        if (line.mark == entry::PartialLine::Mark::Dupe) item->setForeground(kDupeColour);
        else if (line.mark == entry::PartialLine::Mark::Worked) item->setForeground(kWorkedColour);
        if (line.exact) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
        }
    }
}

void CheckPanels::showNeeded(const entry::NeededChapters& needed, const QString& mode) {
    shownNeeded_ = needed;
    markedRow_ = -1;
    needed_->clear();
    if (needed.error) {
        neededTitle_->setText(QStringLiteral("Needed chapters (%1)").arg(mode));
        needed_->addItem(q(needed.unreadable) + QStringLiteral(" could not be read: ") +
                         QString::fromLocal8Bit(needed.error->description.c_str()));
        return;
    }
    neededTitle_->setText(QStringLiteral("Needed chapters (%1): %2")
                              .arg(mode)
                              .arg(static_cast<int>(needed.chapters.size())));
    for (const logbook::RosterEntry& entry : needed.chapters) {
        needed_->addItem(q(entry.number) + QLatin1Char(' ') + q(entry.name));
    }
}

void CheckPanels::markChapter(const QString& typed) {
    if (markedRow_ >= 0 && markedRow_ < needed_->count()) {
        needed_->item(markedRow_)->setBackground(QBrush());
    }
    markedRow_ = -1;
    markedRow_ = entry::neededRow(shownNeeded_, toCp1252(typed));
    if (markedRow_ < 0 || markedRow_ >= needed_->count()) return;
    needed_->item(markedRow_)->setBackground(kMarkedBackground);
    needed_->scrollToItem(needed_->item(markedRow_));
}

}  // namespace vl::ui
