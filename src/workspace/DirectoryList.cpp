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
}

int TDirectoryList::FillDirectories()
{
    std::vector<TDirectoryRow> rows;
    rows.reserve(static_cast<size_t>(FDirectories.Count()));
    for (int i = 0; i < FDirectories.Count(); ++i)
        rows.push_back(TDirectoryRow::FromDirectory(FDirectories.RecordAt(i)));
    FModel.SetRows(std::move(rows));
    return FModel.rowCount();
}

void TDirectoryList::AppendItem(TDirectoryRow row)
{
    FModel.AppendRow(std::move(row));
    SelectRow(FModel.rowCount() - 1);
}

void TDirectoryList::RewriteSelectedItem(TDirectoryRow row)
{
    const int selected = SelectedRow();
    if (selected < 0)
        return;
    FModel.SetRow(selected, std::move(row));
    FView.scrollTo(FModel.index(selected, 0), QAbstractItemView::EnsureVisible);
}

void TDirectoryList::RemoveSelectedItem(int collectionIndex)
{
    const int selected = SelectedRow();
    if (selected >= 0)
        FModel.RemoveRowAt(selected);
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
    return FDirectories.FindKey(AsciiUpper(FModel.Row(selected).Texts[TDirectoryRow::Caption]));
}

bool TDirectoryList::SelectedURL(std::string& url) const
{
    const int selected = SelectedRow();
    if (selected < 0)
        return false;
    url = FModel.Row(selected).Texts[TDirectoryRow::URL];
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
    FModel.ApplyOrder(SortedRowOrder(FModel.Rows(), column, FSort.Descending));
    const int selected = SelectedRow();
    if (selected >= 0)
        FView.scrollTo(FModel.index(selected, 0), QAbstractItemView::EnsureVisible);
}
