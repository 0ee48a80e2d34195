#pragma once
// Which directories the list shows: those whose title, URL or category holds
// the typed text without regard to letter case, less, on request, those
// Submitted or Listed for the current project. Works on collection indexes,
// so the list shows its rows without a proxy model between.

#include "workspace/DirectoryListModel.h"

#include <QString>

#include <string>

class TDDirectories;
class TDirectoryStatus;

class TDirectoryFilter {
public:
    TDirectoryFilter(const TDDirectories& directories, const TDirectoryStatus& status);

    void SetText(const QString& text);
    void SetHideSent(bool hide);
    // False when every directory passes.
    bool Active() const { return !FText.isEmpty() || FHideSent; }

    bool Matches(int index) const;
    // The indexes that pass, in collection order.
    TDirectoryListModel::TRowIndexes Matching() const;

private:
    bool HoldsText(int index) const;

    const TDDirectories& FDirectories;
    const TDirectoryStatus& FStatus;
    QString FText;
    // The text as the collection holds its texts, a to z upper-cased, when it
    // is plain ASCII; the 8-bit texts are then searched as they are.
    std::string FAscii;
    bool FIsAscii = true;
    bool FHideSent = false;
};
