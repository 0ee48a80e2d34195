#pragma once
// The directory list's behaviour: filling it from the collection and the
// item operations the directory commands and navigation use.

#include "workspace/DirectoryListModel.h"

#include <string>

class QTableView;
class TDDirectories;

class TDirectoryList {
public:
    TDirectoryList(QTableView& view, TDirectoryListModel& model, const TDDirectories& directories);

    // One row per directory in collection order; returns the number of rows.
    int FillDirectories();

    // Adds a row at the end, selects it and scrolls it wholly into view.
    void AppendItem(TDirectoryRow row);
    // Rewrites the selected row in place and scrolls it into view.
    void RewriteSelectedItem(TDirectoryRow row);
    // Removes the selected row, then selects the row at `collectionIndex`,
    // else the one before it, else none.
    void RemoveSelectedItem(int collectionIndex);

    // Selected row, or -1.
    int SelectedRow() const;
    void SelectRow(int row);
    // Collection index of the directory whose key matches the selected row's caption, or -1.
    int SelectedDirectoryIndex() const;
    // The URL text of the selected row; false when no row is selected.
    bool SelectedURL(std::string& url) const;

private:
    QTableView& FView;
    TDirectoryListModel& FModel;
    const TDDirectories& FDirectories;
};
