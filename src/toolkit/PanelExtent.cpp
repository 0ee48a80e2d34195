#include "toolkit/PanelExtent.h"

#include <QWidget>

QSize ChildrenExtent(const QWidget& panel)
{
    // childrenRect() leaves hidden children out.
    const QRect children = panel.childrenRect();
    if (children.isNull())
        return {0, 0};
    return {children.right() + 1 + children.left(), children.bottom() + 1 + children.top()};
}
