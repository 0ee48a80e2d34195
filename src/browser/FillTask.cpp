#include "browser/FillTask.h"

#include "browser/FormFiller.h"
#include "browser/PageFormFields.h"

TFillTask::TFillTask(IBrowserControl& browser, TDProject project, QObject* parent)
    : QObject(parent)
    , FBrowser(&browser)
    , FProject(std::move(project))
{
}

void TFillTask::Start()
{
    if (FRunning || !FBrowser)
        return;
    FRunning = true;
    FOutcome = {};
    ++FOutcome.PageCalls;
    ListFormFields(*FBrowser, this, [this](const TFieldListing& listing) { Listed(listing); });
}

void TFillTask::Listed(const TFieldListing& read)
{
    if (!FRunning)
        return;
    // Whatever was read before a failure still counts, as with any listing.
    FOutcome.FieldNames = ExtractFieldNames(JoinListing(read.Lines));

    if (read.End == TPageCallEnd::NoDocument) {
        Finish(TPageCallEnd::Done);
        return;
    }
    if (read.End != TPageCallEnd::Done) {
        Finish(read.End, read.Error);
        return;
    }
    FOutcome.Writes = PlanFill(FProject, FOutcome.FieldNames);
    if (FOutcome.Writes.empty() || !FBrowser) {
        Finish(FBrowser ? TPageCallEnd::Done : TPageCallEnd::Abandoned);
        return;
    }
    ++FOutcome.PageCalls;
    FBrowser->WriteFormFields(FOutcome.Writes, read.DocumentToken, this,
                              [this](const TFormWriteResult& result) { Written(result); });
}

void TFillTask::Written(const TFormWriteResult& result)
{
    if (!FRunning)
        return;
    FOutcome.ElementsWritten = result.ElementsWritten;
    Finish(result.End == TPageCallEnd::NoDocument ? TPageCallEnd::Abandoned : result.End, result.Error);
}

void TFillTask::Finish(TPageCallEnd end, std::string error)
{
    FRunning = false;
    FOutcome.End = end;
    FOutcome.Error = std::move(error);
    emit Finished();
}
