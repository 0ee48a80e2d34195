// Directory list and directory commands of the main window.
#include "shell/FMain.h"

#include "toolkit/ModalHook.h"
#include "workspace/DirectoryList.h"
#include "workspace/FDirectory.h"

#include <QLabel>

void TfrmMain::FillDirectories()
{
    const int rows = FDirectoryList->FillDirectories();
    stpItems->setText(QString::number(rows) + QStringLiteral(" directories listed"));
}

void TfrmMain::btnAddDirectoryClick()
{
    TfrmDirectory dialog(this);
    if (RunModal(dialog) == QDialog::Accepted)
        FDirectoryList->AppendItem(dialog.RowFromControls());
}

void TfrmMain::btnDeleteDirectoryClick()
{
    if (FDirectoryList->SelectedRow() < 0)
        return;
    if (msgMain.ShowMessageBox(QStringLiteral("Are you sure to delete the current directory?"), mkInformation,
                               MsgButton::OK | MsgButton::Cancel)
        != MsgResult::OK)
        return;
    const int index = FDirectoryList->SelectedDirectoryIndex();
    if (index < 0)
        return;
    FDirectories->RemoveAt(index);
    FDirectoryList->RemoveSelectedItem(index);
}

void TfrmMain::btnEditDirectoryClick()
{
    if (FDirectoryList->SelectedRow() < 0)
        return;
    const int index = FDirectoryList->SelectedDirectoryIndex();
    if (index < 0)
        return;
    TfrmDirectory dialog(this);
    dialog.setWindowTitle(QStringLiteral("Edit Directory"));
    dialog.EditIndex = index;
    dialog.ShowRecord();
    if (RunModal(dialog) == QDialog::Accepted)
        FDirectoryList->RewriteSelectedItem(dialog.RowFromControls());
}
