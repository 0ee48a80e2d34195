#include "toolkit/KeyActivation.h"

#include <QKeyEvent>
#include <QWidget>

TKeyActivation::TKeyActivation(QWidget& target)
    : QObject(&target)
{
    target.setFocusPolicy(Qt::TabFocus);
    target.installEventFilter(this);
}

bool TKeyActivation::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            emit Activated();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
