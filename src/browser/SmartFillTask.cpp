#include "browser/SmartFillTask.h"

TSmartFillTask::TSmartFillTask(IBrowserControl& browser, TDProject project, QObject* parent)
    : QObject(parent)
    , FBrowser(&browser)
    , FProject(std::move(project))
{
}

void TSmartFillTask::Start()
{
    if (FRunning || !FBrowser)
        return;
    FRunning = true;
    FOutcome = {};
    ++FOutcome.PageCalls;
    FBrowser->ReadFieldFacts(this, [this](const TFieldFactsRead& read) { Read(read); });
}

void TSmartFillTask::Read(const TFieldFactsRead& read)
{
    if (!FRunning)
        return;
    if (read.End == TPageCallEnd::NoDocument) {
        FOutcome.Message = SmartFillMessage(FProject.ProjName, FOutcome.Plan, 0);
        Finish(TPageCallEnd::Done);
        return;
    }
    if (read.End != TPageCallEnd::Done) {
        Finish(read.End, read.Error);
        return;
    }
    FOutcome.Plan = PlanSmartFill(FProject, read.Fields, read.FormCount);
    if (FOutcome.Plan.Writes.empty() || !FBrowser) {
        FOutcome.Message = SmartFillMessage(FProject.ProjName, FOutcome.Plan, 0);
        Finish(FBrowser ? TPageCallEnd::Done : TPageCallEnd::Abandoned);
        return;
    }
    ++FOutcome.PageCalls;
    FBrowser->WriteElements(FOutcome.Plan.Writes, read.DocumentToken, this,
                            [this](const TFormWriteResult& result) { Written(result); });
}

void TSmartFillTask::Written(const TFormWriteResult& result)
{
    if (!FRunning)
        return;
    FOutcome.ElementsWritten = result.ElementsWritten;
    if (result.End == TPageCallEnd::Done)
        FOutcome.Message = SmartFillMessage(FProject.ProjName, FOutcome.Plan, result.ElementsWritten);
    Finish(result.End == TPageCallEnd::NoDocument ? TPageCallEnd::Abandoned : result.End, result.Error);
}

void TSmartFillTask::Finish(TPageCallEnd end, std::string error)
{
    FRunning = false;
    FOutcome.End = end;
    FOutcome.Error = std::move(error);
    emit Finished();
}
