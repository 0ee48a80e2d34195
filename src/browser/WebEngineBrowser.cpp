#include "browser/WebEngineBrowser.h"

#include "browser/PageFormScripts.h"
#include "common/AddressPolicy.h"
#include "browser/SmartFillScript.h"

#include <QTimer>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include <utility>

namespace {

// Schemes a page may use inside itself besides the navigable ones.
bool IsInPageScheme(const QString& scheme)
{
    return scheme == QLatin1String("data") || scheme == QLatin1String("blob")
        || scheme == QLatin1String("about") || scheme == QLatin1String("ws")
        || scheme == QLatin1String("wss");
}

// Every request a page makes: web addresses and data inside the page; no
// other scheme (the program's own qrc: resources among them), and no local
// file but a page the program itself opened.
class TPageRequestFilter : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        const QUrl& url = info.requestUrl();
        const QString scheme = url.scheme();
        if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || IsInPageScheme(scheme))
            return;
        // A top-level load was let through by the page's navigation check.
        if (scheme == QLatin1String("file") && info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
            return;
        info.block(true);
    }
};

// The page every view of this browser shows: a page's links and scripts can
// reach only web pages, never a local file or an external program, and a
// window it opens is shown in this same view. A local page is self-contained:
// it loads nothing from the disk but itself.
class TLockedPage : public QWebEnginePage {
public:
    // `onFormSent(from, to)`: the top-level page sent a form that is on its way.
    TLockedPage(QObject* parent, std::function<void(const QUrl&)> onRefused,
                std::function<void(const QUrl&, const QUrl&)> onFormSent)
        : QWebEnginePage(parent)
        , FFilter(new TPageRequestFilter(this))
        , FOnRefused(std::move(onRefused))
        , FOnFormSent(std::move(onFormSent))
    {
        QWebEngineSettings* s = settings();
        // A link to an unknown scheme would start the desktop's handler for it.
        s->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
        // A file: page loads and reads nothing else from the disk (the
        // engine refuses every other file: request of such a page).
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
        s->setAttribute(QWebEngineSettings::AllowWindowActivationFromJavaScript, false);
        s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        setUrlRequestInterceptor(FFilter);
        connect(this, &QWebEnginePage::newWindowRequested, this, &TLockedPage::OpenHere);
        // The engine ends the refused navigation of a local form on its own
        // time; when that end comes after the program's load of the form's
        // page, it ends that load too, which is then made once more.
        connect(this, &QWebEnginePage::loadFinished, this, [this](bool ok) {
            const QUrl again = std::exchange(FOwnFormLoad, QUrl());
            if (!ok && again.isValid())
                load(again);
        });
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override
    {
        const QString scheme = url.scheme();
        const bool formSent = type == NavigationTypeFormSubmitted && isMainFrame;
        if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || IsInPageScheme(scheme)) {
            if (formSent)
                FOnFormSent(this->url(), url);
            return true;
        }
        // Only the program itself opens local pages, never a page's link or script.
        if (scheme == QLatin1String("file")
            && (type == NavigationTypeTyped || type == NavigationTypeBackForward || type == NavigationTypeReload))
            return true;
        // But a local page's form may send itself to its own file (the demo
        // directories do), which reaches nothing a reload would not. The
        // engine lets no local page open a local address, so the program
        // opens it, as it opened the page.
        const auto file = [](const QUrl& u) { return u.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment); };
        if (scheme == QLatin1String("file") && formSent && this->url().isLocalFile()
            && file(url) == file(this->url())) {
            FOnFormSent(this->url(), url);
            FOwnFormLoad = url;
            QTimer::singleShot(0, this, [this, url] { load(url); });
            return false;
        }
        FOnRefused(url);
        return false;
    }

    QWebEnginePage* createWindow(WebWindowType) override
    {
        // No other window: OpenHere has loaded the address in this one.
        return nullptr;
    }

private:
    // A window a page opens (a link's target, window.open) is shown in this
    // view, under the rules of a link in the page.
    void OpenHere(QWebEngineNewWindowRequest& request)
    {
        const QUrl url = request.requestedUrl();
        const QString scheme = url.scheme();
        if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
            load(url);
        else
            FOnRefused(url);
    }

    TPageRequestFilter* FFilter;
    // A local form's page the program is loading in place of the engine.
    QUrl FOwnFormLoad;
    std::function<void(const QUrl&)> FOnRefused;
    std::function<void(const QUrl&, const QUrl&)> FOnFormSent;
};

// A page call's end as the result of its kind: the answer parsed when the
// script ran to its end, else only how it ended.
template <typename TResult, typename TDone>
auto Answered(TResult (*parse)(const QVariant&), TDone done)
{
    return [parse, done = std::move(done)](TPageCallEnd end, const QVariant& answer) {
        TResult result;
        if (end == TPageCallEnd::Done)
            result = parse(answer);
        else
            result.End = end;
        done(result);
    };
}

} // namespace

TWebEngineBrowser::TWebEngineBrowser(QWebEngineView& view, QObject* parent)
    : IBrowserControl(parent)
    , FView(&view)
{
    // The view, and its page, may outlive this object.
    const QPointer<TWebEngineBrowser> self(this);
    view.setPage(new TLockedPage(
        &view,
        [self](const QUrl& url) {
            if (self)
                emit self->PageNavigationRefused(url);
        },
        [self](const QUrl& from, const QUrl& to) {
            if (self)
                emit self->FormSubmitted(from, to);
        }));
    connect(&view, &QWebEngineView::loadProgress, this,
            [this](int percent) { emit ProgressChange(percent, 100); });
    // A new load replaces the document a waiting call was meant for, and a
    // renderer that ended will never answer.
    connect(&view, &QWebEngineView::loadStarted, this, [this] { EndAll(TPageCallEnd::Abandoned); });
    connect(&view, &QWebEngineView::renderProcessTerminated, this,
            [this] { EndAll(TPageCallEnd::Abandoned); });
    connect(&view, &QObject::destroyed, this, [this] { EndAll(TPageCallEnd::Abandoned); });
    connect(&view, &QWebEngineView::urlChanged, this, &IBrowserControl::AddressChanged);
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
    // Addresses typed without a scheme ("www.example.com") open as web pages;
    // an address of any other scheme than http, https and file is refused.
    if (url.trimmed().isEmpty()) {
        View().load(QUrl());
        return;
    }
    const std::optional<QUrl> page = AddressPolicy::Navigable(url);
    if (!page)
        throw TBrowserError("Only web pages (http, https) and local pages (file) can be opened.");
    View().load(*page);
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
                  Answered(&PageFormScripts::ReadAnswer, std::move(done)));
}

void TWebEngineBrowser::WriteFormFields(std::vector<TFieldWrite> writes, std::uint64_t documentToken,
                                        QObject* context, TWriteDone done)
{
    RunPageScript(PageFormScripts::WriteScript(writes, documentToken), context,
                  Answered(&PageFormScripts::WriteAnswer, std::move(done)));
}

void TWebEngineBrowser::ReadFieldFacts(QObject* context, TFactsDone done)
{
    const std::uint64_t token = FNextDocumentToken++;
    RunPageScript(SmartFillScript::ReadScript(token), context,
                  Answered(&SmartFillScript::ReadAnswer, std::move(done)));
}

void TWebEngineBrowser::WriteElements(const std::vector<TElementWrite>& writes, std::uint64_t documentToken,
                                      QObject* context, TWriteDone done)
{
    // The answer has the same form as that of the writes by name.
    RunPageScript(SmartFillScript::WriteScript(writes, documentToken), context,
                  Answered(&PageFormScripts::WriteAnswer, std::move(done)));
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
