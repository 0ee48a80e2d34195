// Web pages the main window opens in the user's own browser.
#include "shell/FMain.h"

#include "shell/OpenURL.h"
#include "shell/VendorAddresses.h"

void TfrmMain::OpenInBrowser(const std::string& address)
{
    if (FOptions.OpenURL)
        FOptions.OpenURL(address);
    else
        OpenURL(address);
}

void TfrmMain::btnHelpClick()
{
    OpenInBrowser(HelpPageURL);
}

void TfrmMain::btnMakeMoneyClick()
{
    OpenInBrowser(AffiliateRootURL + FAffiliateID);
}

void TfrmMain::imgBannerClick()
{
    if (!FBannerURL.empty())
        OpenInBrowser(FBannerURL);
}

void TfrmMain::gifBannerClick()
{
    imgBannerClick();
}

void TfrmMain::lblLinkURLClick(const std::string& address)
{
    // An empty address means no link is configured: nothing to open.
    if (address.empty())
        return;
    if (FOptions.OpenLink)
        FOptions.OpenLink(address);
    else
        ShellOpen(address);
}
