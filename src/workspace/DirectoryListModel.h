#pragma once
// Rows of the directory list. Each row shows one directory of the collection,
// read when the view asks for it, so a list of a million directories costs
// one number per row; the row order is the list's own (sorting moves only
// those numbers, never the collection). A row may instead hold its own six
// texts, as a copy that no longer follows the collection: the caption and
// five sub-items, of which the URL is carried but not shown. The last column,
// Status, shows the current project's step from a TDirectoryStatus, by the
// row's collection index (empty for a row holding its own texts).

#include "store/LargeBlocks.h"

#include <QAbstractTableModel>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TDDirectories;
struct TDDirectory;
class TDirectoryStatus;

struct TDirectoryRow {
    enum Text { Caption = 0, Category, Type, PageRank, AlexaRank, URL, TextCount };
    std::array<std::string, TextCount> Texts;

    static TDirectoryRow FromDirectory(const TDDirectory& directory);
    bool operator==(const TDirectoryRow&) const = default;
};

class TDirectoryListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int StatusColumn = 5;
    static constexpr int ColumnCount = 6;

    explicit TDirectoryListModel(QObject* parent = nullptr);

    // The collection the rows show; rows are numbers into it.
    void SetDirectories(const TDDirectories* directories) { FDirectories = directories; }
    // What the Status column shows.
    void SetStatus(const TDirectoryStatus* status) { FStatus = status; }
    // The status changed: of every row, or of the rows showing `collectionIndex`.
    void StatusChanged();
    void StatusChanged(int collectionIndex);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Collection indexes, one per row.
    using TRowIndexes = TLargeVector<int32_t>;

    // One row per collection index in `indexes`, in that order.
    void ShowDirectories(TRowIndexes indexes);
    // One row per directory, in collection order.
    void ShowAllDirectories();
    void AppendDirectoryRow(int collectionIndex);
    // Row `row` shows the directory at `collectionIndex` from now on.
    void ShowDirectoryInRow(int row, int collectionIndex);
    // Rows that show `collectionIndex`, but `exceptRow`, become copies of
    // what they show now, so a change to that directory does not reach them.
    void KeepTextsOfRowsShowing(int collectionIndex, int exceptRow);
    // The collection removed `collectionIndex`: the rows showing later
    // directories follow them down one place.
    void DirectoryRemoved(int collectionIndex);

    // Rows holding their own texts.
    void SetRows(std::vector<TDirectoryRow> rows);
    void AppendRow(TDirectoryRow row);
    void SetRow(int row, TDirectoryRow texts);

    void RemoveRowAt(int row);
    // Puts the rows in a new order: entry p of `order` is the current index of
    // the row that goes to position p. Selection and current row follow their rows.
    void ApplyOrder(std::span<const int> order);

    // One text of a row, valid until the collection or the rows next change.
    std::string_view Text(int row, TDirectoryRow::Text text) const;
    // The text a column shows in a row, and the one it would show for a directory.
    std::string_view ColumnText(int row, int column) const;
    std::string_view DirectoryColumnText(int collectionIndex, int column) const;
    // The collection index a row shows, or -1 for a row holding its own texts.
    int DirectoryIndexOf(int row) const;
    // Copies of the texts, for checks.
    TDirectoryRow Row(int row) const;
    std::vector<TDirectoryRow> Rows() const;

    // The text a column up to Alexa shows: the caption for column 0, else the sub-item it shows.
    static TDirectoryRow::Text TextOfColumn(int column) { return static_cast<TDirectoryRow::Text>(column); }

private:
    // A row's entry: a collection index (0 and up), or ~slot for the texts in FOwnTexts[slot].
    using TEntry = int32_t;
    TEntry KeepTexts(TDirectoryRow texts);
    void ReleaseTexts(TEntry entry);

    const TDDirectories* FDirectories = nullptr;
    const TDirectoryStatus* FStatus = nullptr;
    TLargeVector<TEntry> FRows;
    std::vector<TDirectoryRow> FOwnTexts;
    std::vector<int32_t> FFreeTexts;
};
