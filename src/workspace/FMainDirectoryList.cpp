// Sorting and link cells of the main window's directory list.
#include "shell/FMain.h"

#include "workspace/DirectoryList.h"

#include <QDesktopServices>
#include <QUrl>

void TfrmMain::lvwItemsColumnClick(int column)
{
    FDirectoryList->ColumnClick(column);
}

void TfrmMain::lvwItemsLinkClick(const QString& text)
{
    // The system's own handler for the address (the user's browser or mail program).
    QDesktopServices::openUrl(QUrl(text));
}
