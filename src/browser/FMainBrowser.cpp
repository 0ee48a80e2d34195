// Navigation and Fill of the main window's browser pane.
#include "shell/FMain.h"

#include "browser/BrowserControl.h"
#include "browser/FillTask.h"
#include "common/UUtils.h"
#include "shell/TApplication.h"
#include "shell/VendorAddresses.h"
#include "toolkit/Gauge.h"
#include "workspace/DirectoryList.h"

namespace {

// Tool-bar navigation stops a load in progress first; any error on the way
// is dropped without a word.
template <typename TStep>
void ToolbarNavigation(IBrowserControl& browser, TStep step)
{
    try {
        if (browser.Busy())
            browser.Stop();
        step();
    } catch (...) {
    }
}

} // namespace

void TfrmMain::SetBrowserControl(std::unique_ptr<IBrowserControl> browser)
{
    // A press still waiting on the old browser would never hear back.
    delete FFillTask.data();
    FBrowser = std::move(browser);
    if (FBrowser)
        connect(FBrowser.get(), &IBrowserControl::ProgressChange, this, &TfrmMain::EmbeddedWB1ProgressChange);
}

void TfrmMain::btnHomeClick()
{
    ToolbarNavigation(*FBrowser, [this] { FBrowser->Navigate(QString::fromLatin1(HomePageURL)); });
}

void TfrmMain::btnBackClick()
{
    ToolbarNavigation(*FBrowser, [this] { FBrowser->GoBack(); });
}

void TfrmMain::btnFowardClick()
{
    ToolbarNavigation(*FBrowser, [this] { FBrowser->GoForward(); });
}

void TfrmMain::btnStopClick()
{
    ToolbarNavigation(*FBrowser, [] {});
}

void TfrmMain::btnRefreshClick()
{
    ToolbarNavigation(*FBrowser, [this] { FBrowser->Refresh(); });
}

void TfrmMain::btnFillClick()
{
    // The page is still answering the previous press; a second one would race it.
    if (FFillTask)
        return;
    const int index = CurrentProjectIndex();
    if (index < 0)
        return;
    auto* task = new TFillTask(*FBrowser, FProjects->RecordAt(index), this);
    FFillTask = task;
    connect(task, &TFillTask::Finished, this, [this, task] {
        const TFillOutcome outcome = task->Outcome();
        task->deleteLater();
        FFillTask.clear();
        // A page that was left or closed meanwhile ends the press quietly; a
        // page that could not be reached is an error like any other.
        if (outcome.End == TPageCallEnd::Failed)
            TApplication::ReportError(QString::fromLocal8Bit(outcome.Error.c_str()));
        else if (outcome.End == TPageCallEnd::TimedOut)
            TApplication::ReportError(QStringLiteral("The page did not answer; Fill has stopped."));
        emit FillFinished();
    });
    task->Start();
}

void TfrmMain::btnGoDirectoryClick()
{
    std::string url;
    if (!FDirectoryList->SelectedURL(url))
        return;
    FBrowser->Navigate(ToDisplay(url));
}

void TfrmMain::lvwItemsDblClick()
{
    btnGoDirectoryClick();
}

void TfrmMain::lvwItemsKeyDown(int key)
{
    // Both Return and the keypad's Enter, whatever the modifiers.
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        btnGoDirectoryClick();
}

void TfrmMain::EmbeddedWB1ProgressChange(int Progress, int ProgressMax)
{
    MainGauge->SetValue(Progress);
    MainGauge->SetMaximum(ProgressMax);
}
