// Project selector and project commands of the main window.
#include "shell/FMain.h"

#include "workspace/ProjectSelector.h"

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
}

void TfrmMain::btnEditProjectClick()
{
}

void TfrmMain::btnDeleteProjectClick()
{
}
