#include "shell/SubmissionTracker.h"

#include "common/SiteAddress.h"
#include "common/UUtils.h"
#include "store/SubmissionLog.h"

TSubmissionTracker::TSubmissionTracker(TSubmissionLog& log, std::function<std::string()> currentProject)
    : FLog(log)
    , FCurrentProject(std::move(currentProject))
{
}

void TSubmissionTracker::DirectoryOpened(const std::string& title, const std::string& url)
{
    Leave();
    FLeaving = FShown;
    FTitle = title;
    FURL = url;
    // As the browser reads it: "www.example.com" opens as http://www.example.com.
    FAddress = QUrl::fromUserInput(ToDisplay(url));
    const std::string project = FCurrentProject();
    if (!project.empty() && !FTitle.empty())
        FLog.RecordStep(project, FTitle, FURL, TSubmissionStep::Opened);
}

bool TSubmissionTracker::OnSite(const QUrl& url) const
{
    return SameSite(url, FAddress) || (!FLandedSite.isEmpty() && SameSite(url, FLandedSite));
}

void TSubmissionTracker::AddressChanged(const QUrl& url)
{
    FShown = url;
    if (FTitle.empty())
        return;
    if (!FArrived) {
        // The first page after the list opened the directory is its page,
        // wherever a redirect took it; the page still on its way out is not.
        if (!OnSite(url) && url.adjusted(QUrl::RemoveFragment) == FLeaving.adjusted(QUrl::RemoveFragment))
            return;
        FArrived = true;
        FLandedSite = url;
        FPage = url;
        return;
    }
    if (OnSite(url)) {
        FFormSent = false;
        FFormPage = false;
        FPage = url;
        return;
    }
    if (FFormSent) {
        FFormSent = false;
        FFormPage = true;
        FPage = url;
        return;
    }
    // A new fragment of the form's answer is still that page.
    if (FFormPage && url.adjusted(QUrl::RemoveFragment) == FPage.adjusted(QUrl::RemoveFragment))
        return;
    Leave();
}

void TSubmissionTracker::FillWrote(int elements)
{
    const std::string project = FCurrentProject();
    if (FTitle.empty() || !FArrived || elements <= 0 || project.empty())
        return;
    FFilledFor = project;
    FLog.RecordStep(project, FTitle, FURL, TSubmissionStep::Filled);
}

void TSubmissionTracker::FormSubmitted(const QUrl& from, const QUrl&)
{
    if (FTitle.empty() || !FArrived || !OnSite(from))
        return;
    FFormSent = true;
    if (!FFilledFor.empty())
        FLog.RecordStep(FFilledFor, FTitle, FURL, TSubmissionStep::Submitted);
}

void TSubmissionTracker::Leave()
{
    FTitle.clear();
    FURL.clear();
    FAddress.clear();
    FLandedSite.clear();
    FPage.clear();
    FLeaving.clear();
    FArrived = false;
    FFormSent = false;
    FFormPage = false;
    FFilledFor.clear();
}
