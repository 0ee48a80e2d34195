// Directory list and directory commands of the main window.
#include "shell/FMain.h"

#include "workspace/DirectoryList.h"

#include <QLabel>

void TfrmMain::FillDirectories()
{
    const int rows = FDirectoryList->FillDirectories();
    stpItems->setText(QString::number(rows) + QStringLiteral(" directories listed"));
}

void TfrmMain::btnAddDirectoryClick()
{
}

void TfrmMain::btnDeleteDirectoryClick()
{
}

void TfrmMain::btnEditDirectoryClick()
{
}
