// The update check of the main window.
#include "shell/FMain.h"

#include "shell/HttpDownload.h"
#include "shell/UpdateCheck.h"

#include <QNetworkAccessManager>

TUpdateCheck& TfrmMain::UpdateCheck()
{
    if (!FUpdateCheck) {
        IdHTTP1 = new QNetworkAccessManager(this);
        TUpdateCheckHost host;
        host.AppDir = FOptions.AppDir;
        host.ProgramDir = FOptions.ProgramDir;
        host.InstalledByPackage = FOptions.InstalledByPackage;
        host.UpdateBaseURL = FOptions.UpdateBaseURL;
        host.MessageBox = &msgMain;
        host.DownloadFile = [this](const QString& SourceURL, const QString& LocalPath) {
            return DownloadFile(SourceURL, LocalPath);
        };
        host.LaunchUpdater = FOptions.LaunchUpdater ? FOptions.LaunchUpdater : LaunchDetached;
        // The normal close, so that FormDestroy saves the data.
        host.CloseMainWindow = [this] { close(); };
        FUpdateCheck = new TUpdateCheck(std::move(host), this);
    }
    return *FUpdateCheck;
}

void TfrmMain::CheckForUpdate(bool Silent)
{
    UpdateCheck().Request(Silent);
}

std::unique_ptr<THttpDownload> TfrmMain::DownloadFile(const QString& SourceURL, const QString& LocalPath)
{
    THttpSettings settings;
    settings.TransferTimeoutMs = FOptions.UpdateTimeoutMs;
    auto download = std::make_unique<THttpDownload>(*IdHTTP1, SourceURL, LocalPath, settings);
    download->Start();
    return download;
}

void TfrmMain::CancelUpdateCheck()
{
    if (FUpdateCheck)
        FUpdateCheck->Cancel();
}

void TfrmMain::btnUpdateClick()
{
    CheckForUpdate(false);
}
