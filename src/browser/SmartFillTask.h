#pragma once
// One press of Fill in smart mode: one page call reads what a person sees of
// every field, the decision unit picks the values, one more page call writes
// them. Finished is emitted once, when the last answer is in or the press
// ended early. Nothing is submitted or changed outside the page.

#include "browser/FieldFacts.h"
#include "browser/SmartFill.h"
#include "store/Records.h"

#include <QObject>
#include <QPointer>

#include <string>

struct TSmartFillOutcome {
    // How the press ended: Done also when there was nothing to fill.
    TPageCallEnd End = TPageCallEnd::Done;
    std::string Error;
    int PageCalls = 0;
    TSmartPlan Plan;
    int ElementsWritten = 0;
    // The line for the status bar; empty when the press ended without an answer.
    std::string Message;
};

class TSmartFillTask : public QObject {
    Q_OBJECT
public:
    // Works on a copy of the project, so edits made while the page answers
    // cannot touch the press.
    TSmartFillTask(IBrowserControl& browser, TDProject project, QObject* parent = nullptr);

    void Start();
    bool Running() const { return FRunning; }
    const TSmartFillOutcome& Outcome() const { return FOutcome; }

signals:
    void Finished();

private:
    void Read(const TFieldFactsRead& read);
    void Written(const TFormWriteResult& result);
    void Finish(TPageCallEnd end, std::string error = {});

    QPointer<IBrowserControl> FBrowser;
    TDProject FProject;
    TSmartFillOutcome FOutcome;
    bool FRunning = false;
};
