#pragma once
// The room a panel with hand-placed controls needs so that none is clipped.

#include <QSize>

class QWidget;

// The bounding box of `panel`'s shown children with the margin they keep at
// the left and top repeated at the right and bottom.
QSize ChildrenExtent(const QWidget& panel);
