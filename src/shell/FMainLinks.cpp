// Web pages the main window opens in the user's own browser.
#include "shell/FMain.h"

void TfrmMain::btnHelpClick()
{
}

void TfrmMain::btnMakeMoneyClick()
{
}

void TfrmMain::imgBannerClick()
{
}

void TfrmMain::gifBannerClick()
{
}
