#pragma once
// A report-style list: rows and columns with a header, one whole row selected
// at a time, no editing, no hints, no clipboard copy. Columns share the width
// equally (the first takes the remainder), headers can be dragged to reorder
// the columns and show a sort triangle left of the caption, and link cells
// (see LinkDelegate.h) show a hand cursor and report left clicks.

#include <QHeaderView>
#include <QTableView>

// Which column the rows are sorted by. A click on the sort column reverses
// the direction; a click on another column keeps it.
struct TColumnSortState {
    int Column = -1; // none yet
    bool Descending = false;

    void Click(int column)
    {
        if (column == Column)
            Descending = !Descending;
        Column = column;
    }
};

// Header that draws the sort indicator as an outlined triangle to the left of
// the caption: pointing up for ascending, down for descending.
class TListHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TListHeader(QWidget* parent = nullptr);

    // The 16 x 16 triangle shown for a direction.
    static QIcon SortTriangle(bool descending);

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;
};

class TListView : public QTableView {
    Q_OBJECT
public:
    explicit TListView(QWidget* parent = nullptr);

    TListHeader* Header() const { return FHeader; }

    void SetRowHeight(int pixels);
    void SetSelectionColours(const QColor& background, const QColor& text);
    // Shows the triangle on `column` for the direction; -1 shows none.
    void ShowSortIndicator(int column, bool descending);

    void setModel(QAbstractItemModel* model) override;

    // Shares the client width among the columns.
    void ShareColumnWidths();

signals:
    // A left click on a link cell, with the cell's full text.
    void LinkClicked(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // The full text of the link cell at `pos`, or a null text.
    QString LinkAt(const QPoint& pos) const;

    TListHeader* FHeader = nullptr;
    QPersistentModelIndex FPressedLink;
};
