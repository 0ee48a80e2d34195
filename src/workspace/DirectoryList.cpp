#include "workspace/DirectoryList.h"

#include "store/RecordText.h"
#include "store/TDDirectories.h"
#include "workspace/DirectoryFilter.h"
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
    QObject::connect(FView.selectionModel(), &QItemSelectionModel::selectionChanged, &FView,
                     [this] { FResumeRow = -1; });
}

int TDirectoryList::FillDirectories()
{
    FResumeRow = -1;
    FModel.ShowAllDirectories();
    return FModel.rowCount();
}

int TDirectoryList::ShowFiltered(const TDirectoryFilter& filter)
{
    if (!filter.Active() && FSort.Column < 0)
        return FillDirectories();
    FResumeRow = -1;
    const int selected = SelectedRow();
    const int selectedIndex = selected >= 0 ? FModel.DirectoryIndexOf(selected) : -1;
    TDirectoryListModel::TRowIndexes indexes = filter.Matching();
    if (FSort.Column >= 0) {
        const int column = FSort.Column;
        const TLargeVector<int> order =
            SortedRowOrder(static_cast<int>(indexes.size()), column, FSort.Descending, [&](int row) {
                return FModel.DirectoryColumnText(indexes[static_cast<size_t>(row)], column);
            });
        TDirectoryListModel::TRowIndexes sorted(indexes.size());
        for (size_t p = 0; p < order.size(); ++p)
            sorted[p] = indexes[static_cast<size_t>(order[p])];
        indexes = std::move(sorted);
    }
    FModel.ShowDirectories(std::move(indexes));
    if (selectedIndex >= 0)
        for (int row = 0; row < FModel.rowCount(); ++row)
            if (FModel.DirectoryIndexOf(row) == selectedIndex) {
                SelectRow(row);
                break;
            }
    return FModel.rowCount();
}

int TDirectoryList::RemoveRowsOf(int collectionIndex)
{
    const int selected = SelectedRow();
    int place = -1;
    for (int row = FModel.rowCount() - 1; row >= 0; --row)
        if (FModel.DirectoryIndexOf(row) == collectionIndex) {
            FModel.RemoveRowAt(row);
            if (row == selected)
                place = row;
            else if (row < selected && place >= 0)
                --place;
        }
    if (place >= 0) {
        FView.clearSelection();
        FResumeRow = place;
    }
    return FModel.rowCount();
}

int TDirectoryList::NextRowFrom() const
{
    const int selected = SelectedRow();
    if (selected >= 0)
        return selected + 1;
    return FResumeRow >= 0 && FResumeRow < FModel.rowCount() ? FResumeRow : 0;
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
    FModel.ApplyOrder(SortedRowOrder(FModel.rowCount(), column, FSort.Descending,
                                     [&](int row) { return FModel.ColumnText(row, column); }));
    ScrollToSelected();
}
