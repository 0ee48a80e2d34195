// The update check of the main window.
#include "shell/FMain.h"

void TfrmMain::CheckForUpdate(bool Silent)
{
    (void)Silent;
}

void TfrmMain::btnUpdateClick()
{
    CheckForUpdate(false);
}
