#include "workspace/DirectoryListModel.h"

#include "common/UUtils.h"
#include "store/Records.h"
#include "store/TDDirectories.h"
#include "workspace/DirectoryStatus.h"

#include <numeric>

namespace {

// The directory field behind each text of a row.
constexpr TDirectoryField FieldOfText[TDirectoryRow::TextCount] = {
    TDirectoryField::Title, TDirectoryField::Category, TDirectoryField::Type,
    TDirectoryField::PageRank, TDirectoryField::AlexaRank, TDirectoryField::URL};

} // namespace

TDirectoryRow TDirectoryRow::FromDirectory(const TDDirectory& d)
{
    TDirectoryRow row;
    row.Texts = {d.Title, d.Category, d.Type, d.PageRank, d.AlexaRank, d.URL};
    return row;
}

TDirectoryListModel::TDirectoryListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int TDirectoryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(FRows.size());
}

int TDirectoryListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

std::string_view TDirectoryListModel::Text(int row, TDirectoryRow::Text text) const
{
    const TEntry entry = FRows[static_cast<size_t>(row)];
    if (entry < 0)
        return FOwnTexts[static_cast<size_t>(~entry)].Texts[static_cast<size_t>(text)];
    // Between a removal from the collection and the list hearing of it, a
    // row may point past the end: it shows nothing.
    if (!FDirectories || entry >= FDirectories->Count())
        return {};
    return FDirectories->FieldAt(entry, FieldOfText[text]);
}

std::string_view TDirectoryListModel::DirectoryColumnText(int collectionIndex, int column) const
{
    if (column == StatusColumn)
        return FStatus ? FStatus->Text(collectionIndex) : std::string_view();
    if (!FDirectories || collectionIndex < 0 || collectionIndex >= FDirectories->Count())
        return {};
    return FDirectories->FieldAt(collectionIndex, FieldOfText[TextOfColumn(column)]);
}

std::string_view TDirectoryListModel::ColumnText(int row, int column) const
{
    if (column != StatusColumn)
        return Text(row, TextOfColumn(column));
    const TEntry entry = FRows[static_cast<size_t>(row)];
    return entry >= 0 ? DirectoryColumnText(entry, column) : std::string_view();
}

void TDirectoryListModel::StatusChanged()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, StatusColumn), index(rowCount() - 1, StatusColumn));
}

void TDirectoryListModel::StatusChanged(int collectionIndex)
{
    for (size_t row = 0; row < FRows.size(); ++row)
        if (FRows[row] == collectionIndex)
            emit dataChanged(index(static_cast<int>(row), StatusColumn), index(static_cast<int>(row), StatusColumn));
}

int TDirectoryListModel::DirectoryIndexOf(int row) const
{
    const TEntry entry = FRows.at(static_cast<size_t>(row));
    return entry < 0 ? -1 : entry;
}

TDirectoryRow TDirectoryListModel::Row(int row) const
{
    if (row < 0 || row >= rowCount())
        throw std::out_of_range("Row " + std::to_string(row) + " of the directory list does not exist");
    TDirectoryRow texts;
    for (int t = 0; t < TDirectoryRow::TextCount; ++t)
        texts.Texts[static_cast<size_t>(t)] = std::string(Text(row, static_cast<TDirectoryRow::Text>(t)));
    return texts;
}

std::vector<TDirectoryRow> TDirectoryListModel::Rows() const
{
    std::vector<TDirectoryRow> rows;
    rows.reserve(FRows.size());
    for (int row = 0; row < rowCount(); ++row)
        rows.push_back(Row(row));
    return rows;
}

QVariant TDirectoryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return ToDisplay(ColumnText(index.row(), index.column()));
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
    static const char* const captions[ColumnCount] = {"Website Directory", "Category", "Type", "PR", "Alexa",
                                                      "Status"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(captions[section]) : QVariant();
}

Qt::ItemFlags TDirectoryListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

TDirectoryListModel::TEntry TDirectoryListModel::KeepTexts(TDirectoryRow texts)
{
    if (!FFreeTexts.empty()) {
        const int32_t slot = FFreeTexts.back();
        FFreeTexts.pop_back();
        FOwnTexts[static_cast<size_t>(slot)] = std::move(texts);
        return ~slot;
    }
    FOwnTexts.push_back(std::move(texts));
    return ~static_cast<int32_t>(FOwnTexts.size() - 1);
}

void TDirectoryListModel::ReleaseTexts(TEntry entry)
{
    if (entry >= 0)
        return;
    FOwnTexts[static_cast<size_t>(~entry)] = {};
    FFreeTexts.push_back(~entry);
}

void TDirectoryListModel::ShowDirectories(TRowIndexes indexes)
{
    beginResetModel();
    FRows = std::move(indexes);
    FOwnTexts.clear();
    FFreeTexts.clear();
    endResetModel();
}

void TDirectoryListModel::ShowAllDirectories()
{
    TRowIndexes indexes(FDirectories ? static_cast<size_t>(FDirectories->Count()) : 0);
    std::iota(indexes.begin(), indexes.end(), 0);
    ShowDirectories(std::move(indexes));
}

void TDirectoryListModel::AppendDirectoryRow(int collectionIndex)
{
    const int at = rowCount();
    beginInsertRows({}, at, at);
    FRows.push_back(collectionIndex);
    endInsertRows();
}

void TDirectoryListModel::ShowDirectoryInRow(int row, int collectionIndex)
{
    TEntry& entry = FRows.at(static_cast<size_t>(row));
    ReleaseTexts(entry);
    entry = collectionIndex;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void TDirectoryListModel::KeepTextsOfRowsShowing(int collectionIndex, int exceptRow)
{
    for (size_t row = 0; row < FRows.size(); ++row)
        if (FRows[row] == collectionIndex && static_cast<int>(row) != exceptRow)
            FRows[row] = KeepTexts(Row(static_cast<int>(row)));
}

void TDirectoryListModel::DirectoryRemoved(int collectionIndex)
{
    for (TEntry& entry : FRows)
        if (entry > collectionIndex)
            --entry;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

void TDirectoryListModel::SetRows(std::vector<TDirectoryRow> rows)
{
    beginResetModel();
    FOwnTexts = std::move(rows);
    FFreeTexts.clear();
    FRows.assign(FOwnTexts.size(), 0);
    for (size_t i = 0; i < FRows.size(); ++i)
        FRows[i] = ~static_cast<int32_t>(i);
    endResetModel();
}

void TDirectoryListModel::AppendRow(TDirectoryRow row)
{
    const int at = rowCount();
    beginInsertRows({}, at, at);
    FRows.push_back(KeepTexts(std::move(row)));
    endInsertRows();
}

void TDirectoryListModel::SetRow(int row, TDirectoryRow texts)
{
    TEntry& entry = FRows.at(static_cast<size_t>(row));
    if (entry < 0)
        FOwnTexts[static_cast<size_t>(~entry)] = std::move(texts);
    else
        entry = KeepTexts(std::move(texts));
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void TDirectoryListModel::RemoveRowAt(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    ReleaseTexts(FRows[static_cast<size_t>(row)]);
    FRows.erase(FRows.begin() + row);
    endRemoveRows();
}

void TDirectoryListModel::ApplyOrder(std::span<const int> order)
{
    if (order.size() != FRows.size())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList from = persistentIndexList();
    TLargeVector<TEntry> sorted(FRows.size());
    for (size_t p = 0; p < order.size(); ++p)
        sorted[p] = FRows[static_cast<size_t>(order[p])];
    FRows = std::move(sorted);
    // Only the few persistent indexes (selection, current row) need their new place.
    QModelIndexList to;
    to.reserve(from.size());
    if (!from.isEmpty()) {
        TLargeVector<int> newPosition(order.size());
        for (size_t p = 0; p < order.size(); ++p)
            newPosition[static_cast<size_t>(order[p])] = static_cast<int>(p);
        for (const QModelIndex& index : from)
            to.append(index.isValid() ? this->index(newPosition[static_cast<size_t>(index.row())], index.column())
                                      : QModelIndex());
    }
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
