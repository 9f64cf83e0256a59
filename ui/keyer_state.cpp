#include "ui/keyer_state.h"

#include <QHBoxLayout>
#include <QLabel>

namespace vl::ui {

KeyerState::KeyerState(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("keyerState"));
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    speed_ = new QLabel(this);
    speed_->setObjectName(QStringLiteral("lblKeyerSpeed"));
    QFont bold = speed_->font();
    bold.setBold(true);
    speed_->setFont(bold);
    sending_ = new QLabel(this);
    sending_->setObjectName(QStringLiteral("lblKeyerSending"));
    sending_->setStyleSheet(QStringLiteral("QLabel { background: #c00000; color: white; padding: 0 6px; }"));
    sending_->hide();
    priority_ = new QLabel(this);
    priority_->setObjectName(QStringLiteral("lblKeyerPriority"));
    priority_->hide();
    layout->addWidget(speed_);
    layout->addWidget(sending_);
    layout->addWidget(priority_);
    layout->addStretch(1);
}

QString KeyerState::speedText() const { return speed_->text(); }

void KeyerState::setSpeed(int wpm) { speed_->setText(QStringLiteral("%1 wpm").arg(wpm)); }

void KeyerState::setSending(const QString& message) {
    message_ = message;
    sending_->setText(QStringLiteral("sending ") + message);
    sending_->setVisible(!message.isEmpty());
}

void KeyerState::setPriorityText(const QString& text) {
    priority_->setText(text);
    priority_->setVisible(!text.isEmpty());
}

}  // namespace vl::ui
