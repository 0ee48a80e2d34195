#pragma once
// Rows of the directory list: each holds the six texts of one list item,
// the caption and five sub-items, of which the URL is carried but not shown.

#include <QAbstractTableModel>

#include <array>
#include <string>
#include <vector>

struct TDDirectory;

struct TDirectoryRow {
    enum Text { Caption = 0, Category, Type, PageRank, AlexaRank, URL, TextCount };
    std::array<std::string, TextCount> Texts;

    static TDirectoryRow FromDirectory(const TDDirectory& directory);
    bool operator==(const TDirectoryRow&) const = default;
};

class TDirectoryListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int ColumnCount = 5;

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void SetRows(std::vector<TDirectoryRow> rows);
    void AppendRow(TDirectoryRow row);
    void SetRow(int row, TDirectoryRow texts);
    void RemoveRowAt(int row);
    // Puts the rows in a new order: entry p of `order` is the current index of
    // the row that goes to position p. Selection and current row follow their rows.
    void ApplyOrder(const std::vector<int>& order);
    const TDirectoryRow& Row(int row) const { return FRows[static_cast<size_t>(row)]; }
    const std::vector<TDirectoryRow>& Rows() const { return FRows; }

    // The text a column shows: the caption for column 0, else the sub-item it shows.
    static TDirectoryRow::Text TextOfColumn(int column) { return static_cast<TDirectoryRow::Text>(column); }

private:
    std::vector<TDirectoryRow> FRows;
};
