#pragma once
// Lets a clickable picture be used from the keyboard: Tab reaches it, and
// Enter or Space activates it as a click would.

#include <QObject>

class QWidget;

class TKeyActivation : public QObject {
    Q_OBJECT
public:
    // Watches `target` and is owned by it.
    explicit TKeyActivation(QWidget& target);

signals:
    void Activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
