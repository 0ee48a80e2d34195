// The main window's command handlers: each forwards to the pane that holds the behaviour.
#include "shell/FMain.h"

#include "browser/BrowserControl.h"
#include "browser/BrowserPane.h"
#include "common/UUtils.h"
#include "toolkit/Gauge.h"
#include "workspace/WorkspacePane.h"

#include <QLabel>

void TfrmMain::FillProjects() { FWorkspace->FillProjects(); }
int TfrmMain::CurrentProjectIndex() const { return FWorkspace->CurrentProjectIndex(); }
void TfrmMain::btnAddProjectClick() { FWorkspace->AddProject(); }
void TfrmMain::btnEditProjectClick() { FWorkspace->EditProject(); }
void TfrmMain::btnDeleteProjectClick() { FWorkspace->DeleteProject(); }
void TfrmMain::FillDirectories() { FWorkspace->FillDirectories(); }
void TfrmMain::btnAddDirectoryClick() { FWorkspace->AddDirectory(); }
void TfrmMain::btnDeleteDirectoryClick() { FWorkspace->DeleteDirectory(); }
void TfrmMain::btnEditDirectoryClick() { FWorkspace->EditDirectory(); }
void TfrmMain::lvwItemsColumnClick(int column) { FWorkspace->ColumnClick(column); }
void TfrmMain::btnGoDirectoryClick() { FWorkspace->GoToDirectory(); }
void TfrmMain::lvwItemsDblClick() { FWorkspace->GoToDirectory(); }
void TfrmMain::lvwItemsKeyDown(int key) { FWorkspace->KeyDown(key); }

void TfrmMain::btnHomeClick() { FBrowserPane->Home(); }
void TfrmMain::btnBackClick() { FBrowserPane->Back(); }
void TfrmMain::btnFowardClick() { FBrowserPane->Forward(); }
void TfrmMain::btnStopClick() { FBrowserPane->StopLoading(); }
void TfrmMain::btnRefreshClick() { FBrowserPane->Refresh(); }
void TfrmMain::btnFillClick()
{
    // Fill writes only the project the selector shows.
    if (!FWorkspace->CurrentProject())
        MainStatusPanel->setText(QStringLiteral("Select a project first"));
    FBrowserPane->Fill(FWorkspace->CurrentProject());
}
void TfrmMain::SetBrowserControl(std::unique_ptr<IBrowserControl> browser)
{
    FBrowserPane->SetBrowserControl(std::move(browser));
}
IBrowserControl& TfrmMain::Browser() const { return FBrowserPane->Browser(); }

void TfrmMain::EmbeddedWB1ProgressChange(int Progress, int ProgressMax)
{
    MainGauge->SetValue(Progress);
    MainGauge->SetMaximum(ProgressMax);
}

// Through the opener that hands on only web and mail addresses.
void TfrmMain::lvwItemsLinkClick(const QString& text) { lblLinkURLClick(FromDisplay(text)); }
