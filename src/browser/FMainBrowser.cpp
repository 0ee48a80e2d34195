// Navigation and Fill of the main window's browser pane.
#include "shell/FMain.h"

void TfrmMain::btnHomeClick()
{
}

void TfrmMain::btnBackClick()
{
}

void TfrmMain::btnFowardClick()
{
}

void TfrmMain::btnStopClick()
{
}

void TfrmMain::btnRefreshClick()
{
}

void TfrmMain::btnFillClick()
{
}

void TfrmMain::btnGoDirectoryClick()
{
}

void TfrmMain::lvwItemsDblClick()
{
}

void TfrmMain::lvwItemsKeyDown(int key)
{
    (void)key;
}

void TfrmMain::EmbeddedWB1ProgressChange(int Progress, int ProgressMax)
{
    (void)Progress;
    (void)ProgressMax;
}
