// Page calls that never answer, and the browser's control operations.
#include "WebPageSupport.h"

#include "browser/WebEngineBrowser.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/types.h>

namespace {

class WebPageCalls : public ::testing::Test {
protected:
    void SetUp() override
    {
        View = std::make_unique<QWebEngineView>();
        Browser = std::make_unique<TWebEngineBrowser>(*View);
        ASSERT_TRUE(LoadPage(*View, TestPage(QStringLiteral("kinds.html"))));
    }
    void TearDown() override
    {
        // A page left spinning is ended here, so the next test starts clean.
        if (FHung && View)
            KillRenderer();
        Browser.reset();
        View.reset();
    }

    // Keeps the page's thread busy for good: page calls sent after this wait.
    void HangPage()
    {
        View->page()->runJavaScript(QStringLiteral("for (;;) {}"), QWebEngineScript::MainWorld);
        FHung = true;
    }

    void KillRenderer()
    {
        const qint64 pid = View->page()->renderProcessPid();
        ASSERT_GT(pid, 0);
        QSignalSpy ended(View.get(), &QWebEngineView::renderProcessTerminated);
        ::kill(static_cast<pid_t>(pid), SIGKILL);
        ASSERT_TRUE(ended.wait(PageWaitMs));
        FHung = false;
    }

    // Starts a listing whose answer is recorded in `read`.
    void StartRead(QObject* context, TFormRead& read, bool& answered)
    {
        Browser->ReadFormElements(context, [&read, &answered](const TFormRead& r) {
            read = r;
            answered = true;
        });
    }

    std::unique_ptr<QWebEngineView> View;
    std::unique_ptr<TWebEngineBrowser> Browser;
    bool FHung = false;
};

} // namespace

TEST_F(WebPageCalls, UnansweredCallEndsOnTheTimeOut)
{
    HangPage();
    Browser->SetScriptTimeout(300);
    TFormRead read;
    bool answered = false;
    StartRead(nullptr, read, answered);
    EXPECT_EQ(Browser->WaitingCalls(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return answered; }, PageWaitMs));
    EXPECT_EQ(read.End, TPageCallEnd::TimedOut);
    EXPECT_EQ(Browser->WaitingCalls(), 0);
}

TEST_F(WebPageCalls, CallEndsWhenTheRendererDies)
{
    HangPage();
    Browser->SetScriptTimeout(10 * 60 * 1000);
    TFormRead read;
    bool answered = false;
    StartRead(nullptr, read, answered);
    KillRenderer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return answered; }, PageWaitMs));
    EXPECT_EQ(read.End, TPageCallEnd::Abandoned);
    EXPECT_EQ(Browser->WaitingCalls(), 0);
}

TEST_F(WebPageCalls, CallEndsWhenANewLoadStarts)
{
    HangPage();
    Browser->SetScriptTimeout(10 * 60 * 1000);
    TFormRead read;
    bool answered = false;
    StartRead(nullptr, read, answered);
    Browser->Navigate(TestPage(QStringLiteral("no-forms.html")).toString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return answered; }, PageWaitMs));
    EXPECT_EQ(read.End, TPageCallEnd::Abandoned);
}

TEST_F(WebPageCalls, AnswersNeverReachObjectsThatAreGone)
{
    // The caller's context goes first.
    {
        TFormRead read;
        bool answered = false;
        auto context = std::make_unique<QObject>();
        StartRead(context.get(), read, answered);
        context.reset();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Browser->WaitingCalls() == 0; }, PageWaitMs));
        bool drained = false;
        QTimer::singleShot(0, Browser.get(), [&drained] { drained = true; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return drained; }, PageWaitMs));
        EXPECT_FALSE(answered);
    }
    // The browser object goes while the page still owes an answer; then the
    // page itself goes, which makes the engine answer every call it owes.
    HangPage();
    TFormRead read;
    bool answered = false;
    StartRead(nullptr, read, answered);
    Browser.reset();
    KillRenderer();
    View.reset();
    bool drained = false;
    QObject anchor;
    QTimer::singleShot(0, &anchor, [&drained] { drained = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return drained; }, PageWaitMs));
    EXPECT_FALSE(answered);
}

TEST_F(WebPageCalls, WritesNeverLandInAPageThatReplacedTheOneRead)
{
    const TFormRead read = ReadForms(*Browser);
    ASSERT_EQ(read.End, TPageCallEnd::Done);
    ASSERT_TRUE(LoadPage(*View, TestPage(QStringLiteral("kinds.html"))));
    // Same address, new document.
    TFormWriteResult write = WriteForms(*Browser, {{"email", "stale"}}, read.DocumentToken);
    EXPECT_EQ(write.End, TPageCallEnd::Abandoned);
    EXPECT_EQ(Probe(*View, QStringLiteral("document.getElementById('em1').value")), QJsonValue(QString()));
    // The new document's own token works.
    const TFormRead fresh = ReadForms(*Browser);
    EXPECT_NE(fresh.DocumentToken, read.DocumentToken);
    write = WriteForms(*Browser, {{"email", "fresh"}}, fresh.DocumentToken);
    EXPECT_EQ(write.End, TPageCallEnd::Done);
    EXPECT_EQ(write.ElementsWritten, 2);
}

TEST_F(WebPageCalls, ControlOperations)
{
    EXPECT_FALSE(Browser->Busy());
    EXPECT_THROW(Browser->GoForward(), TBrowserError);

    QSignalSpy progress(Browser.get(), &IBrowserControl::ProgressChange);
    ASSERT_TRUE(LoadPage(*View, TestPage(QStringLiteral("no-forms.html"))));
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last().at(0).toInt(), 100);
    EXPECT_EQ(progress.last().at(1).toInt(), 100);

    QSignalSpy finished(View.get(), &QWebEngineView::loadFinished);
    Browser->GoBack();
    ASSERT_TRUE(finished.wait(PageWaitMs));
    EXPECT_TRUE(View->url().toString().endsWith(QStringLiteral("kinds.html")));
    EXPECT_THROW(Browser->GoBack(), TBrowserError);
    Browser->GoForward();
    ASSERT_TRUE(finished.wait(PageWaitMs));
    EXPECT_TRUE(View->url().toString().endsWith(QStringLiteral("no-forms.html")));

    QSignalSpy started(View.get(), &QWebEngineView::loadStarted);
    Browser->Refresh();
    ASSERT_TRUE(started.wait(PageWaitMs));
    EXPECT_TRUE(Browser->Busy());
    Browser->Stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Browser->Busy(); }, PageWaitMs));

    // An address without a scheme opens as a web address, not a file; nothing
    // is fetched (the machine has no network) but the address shows it.
    QSignalSpy urls(View.get(), &QWebEngineView::urlChanged);
    Browser->Navigate(QStringLiteral("www.example.invalid"));
    ASSERT_TRUE(urls.wait(PageWaitMs));
    EXPECT_EQ(View->url().scheme(), QStringLiteral("http"));
    Browser->Stop();
}
