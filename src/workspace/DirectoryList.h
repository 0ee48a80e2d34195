#pragma once
// The directory list's behaviour: filling it from the collection and the
// item operations the directory commands and navigation use.

#include "toolkit/ListView.h"
#include "workspace/DirectoryListModel.h"

#include <string>

class QTableView;
class TDDirectories;
class TDirectoryFilter;

class TDirectoryList {
public:
    TDirectoryList(QTableView& view, TDirectoryListModel& model, const TDDirectories& directories);

    // One row per directory in collection order; returns the number of rows.
    int FillDirectories();
    // One row per directory that passes `filter`, in the list's sort order
    // (collection order before any header click); the selected directory
    // stays selected when it is still shown. Returns the number of rows.
    int ShowFiltered(const TDirectoryFilter& filter);
    // Removes the rows showing the directory at `collectionIndex` (a filter
    // now hides it). When the selected row goes, Next Directory goes on from
    // its place until a row is selected. Returns the number of rows.
    int RemoveRowsOf(int collectionIndex);
    // The row Next Directory looks at first: the one after the selection,
    // else the place of a selected row that was removed, else the top.
    int NextRowFrom() const;

    // Adds a row at the end, selects it and scrolls it wholly into view: one
    // showing the directory at `collectionIndex`, or one holding `row`'s texts.
    void AppendItem(int collectionIndex);
    void AppendItem(TDirectoryRow row);
    // Rewrites the selected row in place and scrolls it into view: it shows
    // the directory at `collectionIndex` from now on, or holds `row`'s texts.
    void RewriteSelectedItem(int collectionIndex);
    void RewriteSelectedItem(TDirectoryRow row);
    // Before the directory at `collectionIndex` is rewritten or removed
    // through the selected row: any other row showing it keeps what it shows
    // now, as the list's rows are copies that only the rewritten row follows.
    void KeepOtherRowsOf(int collectionIndex);
    // After the collection removed the directory at `collectionIndex`: removes
    // the selected row, then selects the row at `collectionIndex`, else the
    // one before it, else none.
    void RemoveSelectedItem(int collectionIndex);

    // Selected row, or -1.
    int SelectedRow() const;
    void SelectRow(int row);
    // Collection index of the directory whose key matches the selected row's caption, or -1.
    int SelectedDirectoryIndex() const;
    // The URL text of the selected row; false when no row is selected.
    bool SelectedURL(std::string& url) const;

    // A click on a column header: sorts the rows by that column (reversing
    // the direction when it already was the sort column) and moves the
    // header's triangle. Only the rows move, never the collection; rows added
    // or rewritten later stay where they are until the next click.
    void ColumnClick(int column);
    int SortColumn() const { return FSort.Column; }
    bool SortDescending() const { return FSort.Descending; }

private:
    void ScrollToSelected();

    QTableView& FView;
    TDirectoryListModel& FModel;
    const TDDirectories& FDirectories;
    TColumnSortState FSort;
    int FResumeRow = -1;
};
