#include "workspace/DirectoryList.h"

#include "store/RecordText.h"
#include "store/TDDirectories.h"
#include "workspace/DirectorySort.h"

#include <QItemSelectionModel>
#include <QHeaderView>
#include <QTableView>

TDirectoryList::TDirectoryList(QTableView& view, TDirectoryListModel& model, const TDDirectories& directories)
    : FView(view)
    , FModel(model)
    , FDirectories(directories)
{
    FModel.SetDirectories(&directories);
}

int TDirectoryList::FillDirectories()
{
    FModel.ShowAllDirectories();
    return FModel.rowCount();
}

void TDirectoryList::AppendItem(int collectionIndex)
{
    FModel.AppendDirectoryRow(collectionIndex);
    SelectRow(FModel.rowCount() - 1);
}

void TDirectoryList::AppendItem(TDirectoryRow row)
{
    FModel.AppendRow(std::move(row));
    SelectRow(FModel.rowCount() - 1);
}

void TDirectoryList::RewriteSelectedItem(int collectionIndex)
{
    const int selected = SelectedRow();
    if (selected < 0)
        return;
    FModel.ShowDirectoryInRow(selected, collectionIndex);
    ScrollToSelected();
}

void TDirectoryList::RewriteSelectedItem(TDirectoryRow row)
{
    const int selected = SelectedRow();
    if (selected < 0)
        return;
    FModel.SetRow(selected, std::move(row));
    ScrollToSelected();
}

void TDirectoryList::KeepOtherRowsOf(int collectionIndex)
{
    FModel.KeepTextsOfRowsShowing(collectionIndex, SelectedRow());
}

void TDirectoryList::ScrollToSelected()
{
    const int selected = SelectedRow();
    if (selected >= 0)
        FView.scrollTo(FModel.index(selected, 0), QAbstractItemView::EnsureVisible);
}

void TDirectoryList::RemoveSelectedItem(int collectionIndex)
{
    const int selected = SelectedRow();
    if (selected >= 0)
        FModel.RemoveRowAt(selected);
    if (collectionIndex >= 0)
        FModel.DirectoryRemoved(collectionIndex);
    FView.clearSelection();
    FView.selectionModel()->clearCurrentIndex();
    if (collectionIndex >= 0 && collectionIndex < FModel.rowCount())
        SelectRow(collectionIndex);
    else if (collectionIndex - 1 >= 0 && collectionIndex - 1 < FModel.rowCount())
        SelectRow(collectionIndex - 1);
    FView.viewport()->repaint();
}

int TDirectoryList::SelectedRow() const
{
    const QModelIndexList rows = FView.selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TDirectoryList::SelectRow(int row)
{
    if (row < 0 || row >= FModel.rowCount()) {
        FView.clearSelection();
        return;
    }
    const QModelIndex index = FModel.index(row, 0);
    FView.selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    FView.scrollTo(index, QAbstractItemView::EnsureVisible);
}

int TDirectoryList::SelectedDirectoryIndex() const
{
    const int selected = SelectedRow();
    if (selected < 0)
        return -1;
    return FDirectories.FindKey(AsciiUpper(FModel.Text(selected, TDirectoryRow::Caption)));
}

bool TDirectoryList::SelectedURL(std::string& url) const
{
    const int selected = SelectedRow();
    if (selected < 0)
        return false;
    url = FModel.Text(selected, TDirectoryRow::URL);
    return true;
}

void TDirectoryList::ColumnClick(int column)
{
    if (column < 0 || column >= TDirectoryListModel::ColumnCount)
        return;
    FSort.Click(column);
    QHeaderView* header = FView.horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, FSort.Descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    const TDirectoryRow::Text text = TDirectoryListModel::TextOfColumn(column);
    FModel.ApplyOrder(SortedRowOrder(FModel.rowCount(), column, FSort.Descending,
                                     [&](int row) { return FModel.Text(row, text); }));
    ScrollToSelected();
}
