#include "workspace/DirectoryListModel.h"

#include "common/UUtils.h"
#include "store/Records.h"

TDirectoryRow TDirectoryRow::FromDirectory(const TDDirectory& d)
{
    TDirectoryRow row;
    row.Texts = {d.Title, d.Category, d.Type, d.PageRank, d.AlexaRank, d.URL};
    return row;
}

int TDirectoryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(FRows.size());
}

int TDirectoryListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TDirectoryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const std::string& text = FRows[static_cast<size_t>(index.row())].Texts[static_cast<size_t>(TextOfColumn(index.column()))];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return ToDisplay(text);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

QVariant TDirectoryListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const captions[ColumnCount] = {"Website Directory", "Category", "Type", "PR", "Alexa"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(captions[section]) : QVariant();
}

Qt::ItemFlags TDirectoryListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TDirectoryListModel::SetRows(std::vector<TDirectoryRow> rows)
{
    beginResetModel();
    FRows = std::move(rows);
    endResetModel();
}

void TDirectoryListModel::AppendRow(TDirectoryRow row)
{
    const int at = rowCount();
    beginInsertRows({}, at, at);
    FRows.push_back(std::move(row));
    endInsertRows();
}

void TDirectoryListModel::SetRow(int row, TDirectoryRow texts)
{
    FRows.at(static_cast<size_t>(row)) = std::move(texts);
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void TDirectoryListModel::RemoveRowAt(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    FRows.erase(FRows.begin() + row);
    endRemoveRows();
}

void TDirectoryListModel::ApplyOrder(const std::vector<int>& order)
{
    if (order.size() != FRows.size())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newPosition(order.size());
    std::vector<TDirectoryRow> sorted;
    sorted.reserve(FRows.size());
    for (size_t p = 0; p < order.size(); ++p) {
        sorted.push_back(std::move(FRows[static_cast<size_t>(order[p])]));
        newPosition[static_cast<size_t>(order[p])] = static_cast<int>(p);
    }
    FRows = std::move(sorted);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from)
        to.append(index.isValid() ? this->index(newPosition[static_cast<size_t>(index.row())], index.column())
                                  : QModelIndex());
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
