#include "toolkit/ListView.h"

#include "toolkit/LinkDelegate.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionHeader>

// ---- TListHeader ----

TListHeader::TListHeader(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setSectionsMovable(true);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setSortIndicatorShown(false);
    // Sections light up under the mouse.
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
}

QIcon TListHeader::SortTriangle(bool descending)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(96, 96, 96), 1));
    painter.setBrush(Qt::NoBrush);
    QPolygonF triangle;
    if (descending)
        triangle << QPointF(4.5, 5.5) << QPointF(11.5, 5.5) << QPointF(8, 10.5);
    else
        triangle << QPointF(4.5, 10.5) << QPointF(11.5, 10.5) << QPointF(8, 5.5);
    painter.drawPolygon(triangle);
    painter.end();
    return QIcon(pixmap);
}

void TListHeader::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    // The style's own indicator sits right of the caption; ours goes left.
    option->sortIndicator = QStyleOptionHeader::None;
    if (isSortIndicatorShown() && sortIndicatorSection() == logicalIndex) {
        static const QIcon up = SortTriangle(false);
        static const QIcon down = SortTriangle(true);
        option->icon = sortIndicatorOrder() == Qt::DescendingOrder ? down : up;
        option->iconAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// ---- TListView ----

TListView::TListView(QWidget* parent)
    : QTableView(parent)
{
    FHeader = new TListHeader(this);
    setHorizontalHeader(FHeader);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setSortingEnabled(false); // sorting is the owner's, on header clicks
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // the columns always fit
    setItemDelegate(new TLinkDelegate(this));
    viewport()->setMouseTracking(true);
    SetRowHeight(20);
}

void TListView::SetRowHeight(int pixels)
{
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(pixels);
}

void TListView::SetSelectionColours(const QColor& background, const QColor& text)
{
    QPalette p = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Highlight, background);
        p.setColor(group, QPalette::HighlightedText, text);
    }
    setPalette(p);
}

void TListView::ShowSortIndicator(int column, bool descending)
{
    FHeader->setSortIndicatorShown(column >= 0);
    FHeader->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    FHeader->viewport()->update();
}

void TListView::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    ShareColumnWidths();
}

void TListView::ShareColumnWidths()
{
    if (!model())
        return;
    const int columns = FHeader->count();
    if (columns == 0)
        return;
    const int width = viewport()->width();
    const int share = width / columns;
    for (int column = 0; column < columns; ++column)
        FHeader->resizeSection(column, column == 0 ? width - share * (columns - 1) : share);
}

void TListView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    ShareColumnWidths();
}

bool TListView::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
    case QEvent::WhatsThis:
        return true; // no hints
    case QEvent::Resize: {
        // The viewport narrows when the scroll bar appears.
        const bool handled = QTableView::viewportEvent(event);
        ShareColumnWidths();
        return handled;
    }
    case QEvent::Leave:
        viewport()->unsetCursor();
        break;
    default:
        break;
    }
    return QTableView::viewportEvent(event);
}

QString TListView::LinkAt(const QPoint& pos) const
{
    const QModelIndex index = indexAt(pos);
    if (!index.isValid())
        return {};
    const QString text = index.data(Qt::DisplayRole).toString();
    return IsLinkText(text) ? text : QString();
}

void TListView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    FPressedLink = event->button() == Qt::LeftButton && !LinkAt(pos).isNull() ? indexAt(pos)
                                                                              : QModelIndex();
    QTableView::mousePressEvent(event);
}

void TListView::mouseMoveEvent(QMouseEvent* event)
{
    if (LinkAt(event->position().toPoint()).isNull())
        viewport()->unsetCursor();
    else
        viewport()->setCursor(Qt::PointingHandCursor);
    QTableView::mouseMoveEvent(event);
}

void TListView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const QModelIndex pressed = FPressedLink;
    FPressedLink = QModelIndex();
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && pressed.isValid() && indexAt(pos) == pressed) {
        const QString link = LinkAt(pos);
        if (!link.isNull())
            emit LinkClicked(link);
    }
}

void TListView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        event->ignore(); // the list offers no clipboard copy
        return;
    }
    QTableView::keyPressEvent(event);
}
