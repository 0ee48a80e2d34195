// Project selector and project commands of the main window.
#include "shell/FMain.h"

#include "common/UUtils.h"
#include "toolkit/ModalHook.h"
#include "toolkit/SortedComboBox.h"
#include "workspace/FProject.h"
#include "workspace/ProjectSelector.h"

#include <QLineEdit>

void TfrmMain::FillProjects()
{
    FProjectSelector->FillProjects();
}

int TfrmMain::CurrentProjectIndex() const
{
    return FProjectSelector->CurrentProjectIndex();
}

void TfrmMain::btnAddProjectClick()
{
    TfrmProject dialog(this);
    RunModal(dialog);
    // Whatever the result: refill, then select what the name field holds.
    FillProjects();
    FProjectSelector->SelectByName(FromDisplay(dialog.edtProjName->text()));
}

void TfrmMain::btnEditProjectClick()
{
    const int index = CurrentProjectIndex();
    if (index < 0)
        return;
    TfrmProject dialog(this);
    dialog.setWindowTitle(QStringLiteral("Edit Project"));
    dialog.EditIndex = index;
    dialog.ShowRecord();
    RunModal(dialog);
    FillProjects();
    FProjectSelector->SelectByName(FromDisplay(dialog.edtProjName->text()));
}

void TfrmMain::btnDeleteProjectClick()
{
    const int position = cbxProjects->SelectedPosition();
    if (position < 0)
        return;
    if (msgMain.ShowMessageBox(QStringLiteral("Are you sure to delete the current project?"), mkInformation,
                               MsgButton::OK | MsgButton::Cancel)
        != MsgResult::OK)
        return;
    const int index = CurrentProjectIndex();
    if (index < 0)
        return;
    FProjects->RemoveAt(index);
    cbxProjects->RemoveEntry(position);
    cbxProjects->SetText({});
    // Reselect by the deleted project's place in the collection, not in the sorted list.
    cbxProjects->SelectPosition(index);
    if (cbxProjects->SelectedPosition() < 0 && index - 1 >= 0)
        cbxProjects->SelectPosition(index - 1);
    cbxProjects->repaint();
}
