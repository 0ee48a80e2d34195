// Branding of the main window from the reseller's files.
#include "shell/FMain.h"

void TfrmMain::LoadBranding()
{
}
