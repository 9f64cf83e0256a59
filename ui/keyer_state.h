#pragma once
// The keyer's state beside the CW messages: the sending speed ("25 wpm"),
// which message is being keyed, and a text about the keying's priority the
// program may set.
#include <QString>
#include <QWidget>

class QLabel;

namespace vl::ui {

class KeyerState : public QWidget {
    Q_OBJECT
public:
    explicit KeyerState(QWidget* parent = nullptr);

    QString speedText() const;
    // The message being keyed, empty when none is.
    QString sending() const { return message_; }

public slots:
    void setSpeed(int wpm);
    // The message being keyed ("F3", "F9"), or empty when none is.
    void setSending(const QString& message);
    // Shown after the speed; empty hides it.
    void setPriorityText(const QString& text);

private:
    QLabel* speed_;
    QLabel* sending_;
    QLabel* priority_;
    QString message_;
};

}  // namespace vl::ui
