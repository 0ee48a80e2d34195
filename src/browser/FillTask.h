#pragma once
// One press of Fill, from reading the page's fields to the last value
// written. The page answers asynchronously, so the press is a small task:
// one page call lists the fields, one more writes every value the rules call
// for, and Finished is emitted when the last answer is in (or the press
// ended early). Nothing is submitted, shown, or changed outside the page.

#include "browser/BrowserControl.h"
#include "browser/PageFormFields.h"
#include "store/Records.h"

#include <QObject>
#include <QPointer>

#include <string>
#include <vector>

struct TFillOutcome {
    // How the press ended: Done also when there was nothing to fill.
    TPageCallEnd End = TPageCallEnd::Done;
    std::string Error;
    int PageCalls = 0;
    std::vector<std::string> FieldNames;
    std::vector<TFieldWrite> Writes;
    int ElementsWritten = 0;
};

class TFillTask : public QObject {
    Q_OBJECT
public:
    // Works on a copy of the project, so edits made while the page answers
    // cannot touch the press. A browser destroyed while the task waits drops
    // the task's calls unanswered; whoever replaces the browser ends the task.
    TFillTask(IBrowserControl& browser, TDProject project, QObject* parent = nullptr);

    void Start();
    bool Running() const { return FRunning; }
    const TFillOutcome& Outcome() const { return FOutcome; }

signals:
    void Finished();

private:
    void Listed(const TFieldListing& read);
    void Written(const TFormWriteResult& result);
    void Finish(TPageCallEnd end, std::string error = {});

    QPointer<IBrowserControl> FBrowser;
    TDProject FProject;
    TFillOutcome FOutcome;
    bool FRunning = false;
};
