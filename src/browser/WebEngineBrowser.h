#pragma once
// The browser interface on Qt WebEngine. The view it is given shows pages
// that are locked down: a page reaches only web pages and the local files
// beside it, starts no external program, reads no local file through script,
// and a window it opens is shown in the same view.

#include "browser/BrowserControl.h"

#include <QPointer>
#include <QVariant>

#include <map>

class QUrl;
class QWebEngineView;

class TWebEngineBrowser : public IBrowserControl {
    Q_OBJECT
public:
    // Page calls that get no answer in this time end as timed out.
    static constexpr int DefaultScriptTimeoutMs = 15000;

    // Works on `view`, which it does not own; when the view goes, the calls
    // waiting on it end as abandoned.
    explicit TWebEngineBrowser(QWebEngineView& view, QObject* parent = nullptr);
    // Calls still waiting are dropped without an answer.
    ~TWebEngineBrowser() override;

    void Navigate(const QString& url) override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    void Stop() override;
    bool Busy() const override;

    void ReadFormElements(QObject* context, TReadDone done) override;
    void WriteFormFields(std::vector<TFieldWrite> writes, std::uint64_t documentToken,
                         QObject* context, TWriteDone done) override;
    void ReadFieldFacts(QObject* context, TFactsDone done) override;
    void WriteElements(const std::vector<TElementWrite>& writes, std::uint64_t documentToken, QObject* context,
                       TWriteDone done) override;
    int PageCallCount() const override { return FPageCalls; }

    void SetScriptTimeout(int milliseconds) { FTimeoutMs = milliseconds; }
    int ScriptTimeout() const { return FTimeoutMs; }
    // Calls sent to the page and not yet answered.
    int WaitingCalls() const { return static_cast<int>(FWaiting.size()); }

signals:
    // A page's link, script or form asked for an address it may not open.
    void PageNavigationRefused(const QUrl& url);

private:
    using TAnswer = std::function<void(TPageCallEnd end, const QVariant& answer)>;
    struct TWaitingCall {
        QPointer<QObject> Context;
        bool HasContext = false;
        TAnswer Answer;
    };

    QWebEngineView& View() const;
    // Runs `script` in the isolated world; `answer` gets Done with the
    // script's value, or the reason the call ended without one.
    void RunPageScript(const QString& script, QObject* context, TAnswer answer);
    void End(quint64 id, TPageCallEnd end, const QVariant& answer);
    void EndAll(TPageCallEnd end);

    QPointer<QWebEngineView> FView;
    std::map<quint64, TWaitingCall> FWaiting;
    quint64 FNextCallId = 1;
    std::uint64_t FNextDocumentToken = 1;
    int FTimeoutMs = DefaultScriptTimeoutMs;
    int FPageCalls = 0;
};
