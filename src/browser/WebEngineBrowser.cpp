#include "browser/WebEngineBrowser.h"

#include "browser/PageFormScripts.h"
#include "browser/SmartFillScript.h"

#include <QTimer>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

TWebEngineBrowser::TWebEngineBrowser(QWebEngineView& view, QObject* parent)
    : IBrowserControl(parent)
    , FView(&view)
{
    connect(&view, &QWebEngineView::loadProgress, this,
            [this](int percent) { emit ProgressChange(percent, 100); });
    // A new load replaces the document a waiting call was meant for, and a
    // renderer that ended will never answer.
    connect(&view, &QWebEngineView::loadStarted, this, [this] { EndAll(TPageCallEnd::Abandoned); });
    connect(&view, &QWebEngineView::renderProcessTerminated, this,
            [this] { EndAll(TPageCallEnd::Abandoned); });
    connect(&view, &QObject::destroyed, this, [this] { EndAll(TPageCallEnd::Abandoned); });
}

TWebEngineBrowser::~TWebEngineBrowser() = default;

QWebEngineView& TWebEngineBrowser::View() const
{
    if (!FView)
        throw TBrowserError("The browser has been closed.");
    return *FView;
}

void TWebEngineBrowser::Navigate(const QString& url)
{
    // Addresses typed without a scheme ("www.example.com") open as web pages.
    View().load(QUrl::fromUserInput(url));
}

void TWebEngineBrowser::GoBack()
{
    QWebEngineHistory* history = View().history();
    if (!history->canGoBack())
        throw TBrowserError("There is no page to go back to.");
    history->back();
}

void TWebEngineBrowser::GoForward()
{
    QWebEngineHistory* history = View().history();
    if (!history->canGoForward())
        throw TBrowserError("There is no page to go forward to.");
    history->forward();
}

void TWebEngineBrowser::Refresh()
{
    View().reload();
}

void TWebEngineBrowser::Stop()
{
    View().stop();
}

bool TWebEngineBrowser::Busy() const
{
    return FView && FView->page()->isLoading();
}

void TWebEngineBrowser::ReadFormElements(QObject* context, TReadDone done)
{
    const std::uint64_t token = FNextDocumentToken++;
    RunPageScript(PageFormScripts::ReadScript(token), context,
                  [done = std::move(done)](TPageCallEnd end, const QVariant& answer) {
                      TFormRead result;
                      if (end == TPageCallEnd::Done)
                          result = PageFormScripts::ReadAnswer(answer);
                      else
                          result.End = end;
                      done(result);
                  });
}

void TWebEngineBrowser::WriteFormFields(std::vector<TFieldWrite> writes, std::uint64_t documentToken,
                                        QObject* context, TWriteDone done)
{
    RunPageScript(PageFormScripts::WriteScript(writes, documentToken), context,
                  [done = std::move(done)](TPageCallEnd end, const QVariant& answer) {
                      TFormWriteResult result;
                      if (end == TPageCallEnd::Done)
                          result = PageFormScripts::WriteAnswer(answer);
                      else
                          result.End = end;
                      done(result);
                  });
}

void TWebEngineBrowser::ReadFieldFacts(QObject* context, TFactsDone done)
{
    const std::uint64_t token = FNextDocumentToken++;
    RunPageScript(SmartFillScript::ReadScript(token), context,
                  [done = std::move(done)](TPageCallEnd end, const QVariant& answer) {
                      TFieldFactsRead result;
                      if (end == TPageCallEnd::Done)
                          result = SmartFillScript::ReadAnswer(answer);
                      else
                          result.End = end;
                      done(result);
                  });
}

void TWebEngineBrowser::WriteElements(const std::vector<TElementWrite>& writes, std::uint64_t documentToken,
                                      QObject* context, TWriteDone done)
{
    // The answer has the same form as that of the writes by name.
    RunPageScript(SmartFillScript::WriteScript(writes, documentToken), context,
                  [done = std::move(done)](TPageCallEnd end, const QVariant& answer) {
                      TFormWriteResult result;
                      if (end == TPageCallEnd::Done)
                          result = PageFormScripts::WriteAnswer(answer);
                      else
                          result.End = end;
                      done(result);
                  });
}

void TWebEngineBrowser::RunPageScript(const QString& script, QObject* context, TAnswer answer)
{
    const quint64 id = FNextCallId++;
    FWaiting.emplace(id, TWaitingCall{QPointer<QObject>(context), context != nullptr, std::move(answer)});
    if (!FView) {
        End(id, TPageCallEnd::Abandoned, {});
        return;
    }
    ++FPageCalls;
    // The engine may answer late, or while the page is being torn down: the
    // guard makes a late answer to a browser that is gone a no-op, and End
    // ignores answers to calls that already ended.
    QPointer<TWebEngineBrowser> self(this);
    FView->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [self, id](const QVariant& value) {
        if (self)
            self->End(id, TPageCallEnd::Done, value);
    });
    QTimer::singleShot(FTimeoutMs, this, [this, id] { End(id, TPageCallEnd::TimedOut, {}); });
}

void TWebEngineBrowser::End(quint64 id, TPageCallEnd end, const QVariant& answer)
{
    auto it = FWaiting.find(id);
    if (it == FWaiting.end())
        return;
    TWaitingCall call = std::move(it->second);
    FWaiting.erase(it);
    // Answers are delivered from the event loop, never from inside the
    // engine's own signal or callback, so the receiver may do anything,
    // including showing a message or closing the page.
    QMetaObject::invokeMethod(
        this,
        [call = std::move(call), end, answer] {
            if (call.HasContext && !call.Context)
                return;
            call.Answer(end, answer);
        },
        Qt::QueuedConnection);
}

void TWebEngineBrowser::EndAll(TPageCallEnd end)
{
    std::vector<quint64> ids;
    for (const auto& entry : FWaiting)
        ids.push_back(entry.first);
    for (quint64 id : ids)
        End(id, end, {});
}
