// The submission log on a real page: the user opens a directory from the
// list, presses Fill, then the page's own submit button, and the form posts
// to a server on the loopback address, or, on a demo directory, back to its
// own local page.
#include "WebPageSupport.h"
#include "LoopbackHttpServer.h"
#include "TestSupport.h"

#include "browser/WebEngineBrowser.h"
#include "common/UUtils.h"
#include "shell/FMain.h"
#include "shell/Submissions.h"
#include "store/RecordText.h"
#include "store/SubmissionLog.h"
#include "toolkit/MessageBox.h"
#include "workspace/DirectoryList.h"
#include "workspace/WorkspacePane.h"

#include <QJsonObject>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

THttpScriptedResponse HtmlPage(const char* body)
{
    THttpScriptedResponse response;
    response.Headers = {{"Content-Type", "text/html; charset=utf-8"}};
    response.Body = QByteArray("<!DOCTYPE html><html><body>") + body + "</body></html>";
    return response;
}

// The main window with the project Bakery and one directory at `url`.
std::unique_ptr<TfrmMain> WindowWith(const TTempAppDir& appDir, const std::string& title, const std::string& url)
{
    TMainOptions options;
    options.AppDir = appDir.Path();
    options.ArmStartupTimer = false;
    auto main = std::make_unique<TfrmMain>(options);
    auto project = std::make_unique<TDProject>();
    project->ProjName = "Bakery";
    project->Titles = "Fresh bread";
    project->MainURL = "http://bakery.example/";
    project->Email = "bread@bakery.example";
    main->FProjects->Append("BAKERY", std::move(project));
    main->FillProjects();
    auto directory = std::make_unique<TDDirectory>();
    directory->Title = title;
    directory->URL = url;
    main->FDirectories->Append(AsciiUpper(title), std::move(directory));
    main->FillDirectories();
    main->show();
    return main;
}

// A real click on the middle of the page's element `selector`, which the view shows.
void ClickOn(QWebEngineView& view, const QString& selector)
{
    const QJsonObject box =
        Probe(view, QStringLiteral("(function () { const r = document.querySelector('%1').getBoundingClientRect();"
                                   " return {x: r.x + r.width / 2, y: r.y + r.height / 2}; })()")
                        .arg(selector))
            .toObject();
    const QPoint centre(qRound(box.value(QStringLiteral("x")).toDouble()),
                        qRound(box.value(QStringLiteral("y")).toDouble()));
    ASSERT_TRUE(view.rect().contains(centre)) << "scrolled out of the view";
    QWidget* input = view.focusProxy();
    ASSERT_NE(input, nullptr);
    QTest::mouseClick(input, Qt::LeftButton, {}, centre);
}

} // namespace

TEST(SubmissionBrowser, OpenedFilledSubmittedAsTheUserGoesThroughARealForm)
{
    TMessageBox::ClearScript();
    TLoopbackHttpServer server;
    server.SetResponse("/add", HtmlPage("<form method='post' action='/thanks'>"
                                        "<input name='title'><input name='url'><input name='email'>"
                                        "<button id='send' type='submit' style='width:200px;height:60px'>Send"
                                        "</button></form>"));
    server.SetResponse("/thanks", HtmlPage("<p>Thank you</p>"));

    TTempAppDir appDir;
    auto main = WindowWith(appDir, "Loopback Links", FromDisplay(server.BaseURL()) + "add");
    TSubmissionLog& log = main->FSubmissions->Log();
    auto shown = [&] { return log.Entry("Bakery", "Loopback Links").Shown(); };
    EXPECT_EQ(main->FSubmissions->stpProgress->text(), "0 of 1 submitted");

    main->FWorkspace->FDirectoryList->SelectRow(0);
    QSignalSpy loaded(main->EmbeddedWB1, &QWebEngineView::loadFinished);
    main->lvwItemsKeyDown(Qt::Key_Return);
    ASSERT_TRUE(loaded.wait(PageWaitMs));
    EXPECT_EQ(shown(), TSubmissionStep::Opened);

    QSignalSpy filled(main.get(), &TfrmMain::FillFinished);
    main->btnFill->click();
    ASSERT_TRUE(filled.wait(PageWaitMs));
    EXPECT_EQ(shown(), TSubmissionStep::Filled);
    EXPECT_EQ(Probe(*main->EmbeddedWB1, QStringLiteral("document.querySelector('[name=title]').value")),
              QJsonValue(QStringLiteral("Fresh bread")));

    // A real click on the page's submit button.
    loaded.clear();
    ClickOn(*main->EmbeddedWB1, QStringLiteral("#send"));
    ASSERT_TRUE(loaded.wait(PageWaitMs));
    ASSERT_FALSE(server.Requests().isEmpty());
    EXPECT_EQ(server.Requests().last().Method, "POST");
    EXPECT_EQ(server.Requests().last().Path, "/thanks");
    EXPECT_EQ(shown(), TSubmissionStep::Submitted);
    EXPECT_EQ(main->FSubmissions->stpProgress->text(), "1 of 1 submitted");
    EXPECT_TRUE(TMessageBox::Shown().empty());

    // Committed before it showed: the next start reads it.
    main->close();
    main.reset();
    TSubmissionLog reopened;
    ASSERT_EQ(reopened.Open(appDir.File(QString::fromLatin1(TSubmissionLog::FileName))), TLogState::Ready);
    EXPECT_EQ(reopened.Entry("Bakery", "Loopback Links").Shown(), TSubmissionStep::Submitted);
}

TEST(SubmissionBrowser, ADemoDirectorysFormComesBackToItsOwnPageAsSubmittedAndNoOtherLocalPage)
{
    TMessageBox::ClearScript();
    TTempAppDir appDir;
    const QUrl page = QUrl::fromLocalFile(QStringLiteral(TARNWICK_SOURCE_DIR "/data/demo/open-web-index.html"));
    auto main = WindowWith(appDir, "Open Web Index", FromDisplay(page.toString()));
    main->resize(1000, 1400); // the whole form in view
    TSubmissionLog& log = main->FSubmissions->Log();
    auto shown = [&] { return log.Entry("Bakery", "Open Web Index").Shown(); };
    QWebEngineView& view = *main->EmbeddedWB1;

    main->FWorkspace->FDirectoryList->SelectRow(0);
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    main->lvwItemsKeyDown(Qt::Key_Return);
    ASSERT_TRUE(loaded.wait(PageWaitMs));
    QSignalSpy filled(main.get(), &TfrmMain::FillFinished);
    main->btnFill->click();
    ASSERT_TRUE(filled.wait(PageWaitMs));
    ASSERT_EQ(shown(), TSubmissionStep::Filled);

    loaded.clear();
    ClickOn(view, QStringLiteral("input[type=submit]"));
    // The engine may end its own, refused load of the form before the
    // program's load of the page finishes: wait for a load that succeeded.
    const auto loadedWell = [&] {
        return std::any_of(loaded.begin(), loaded.end(), [](const QList<QVariant>& args) { return args.at(0).toBool(); });
    };
    while (!loadedWell() && loaded.wait(PageWaitMs)) {
    }
    ASSERT_TRUE(loadedWell());
    EXPECT_EQ(view.url().adjusted(QUrl::RemoveQuery), page);
    EXPECT_EQ(Probe(view, QStringLiteral("document.querySelector('main h2').textContent")),
              QJsonValue(QStringLiteral("Thank you")));
    EXPECT_EQ(shown(), TSubmissionStep::Submitted);
    EXPECT_EQ(main->FSubmissions->stpProgress->text(), "1 of 1 submitted");

    // A form of the page sent to another local page goes nowhere.
    auto* browser = dynamic_cast<TWebEngineBrowser*>(&main->Browser());
    ASSERT_NE(browser, nullptr);
    QSignalSpy refused(browser, &TWebEngineBrowser::PageNavigationRefused);
    const QUrl thanked = view.url();
    Probe(view, QStringLiteral("(function () { const f = document.createElement('form'); f.method = 'get';"
                               " f.action = 'quicklist.html'; document.body.appendChild(f); f.submit();"
                               " return true; })()"));
    ASSERT_TRUE(refused.count() == 1 || refused.wait(PageWaitMs));
    EXPECT_EQ(refused.first().first().toUrl().fileName(), "quicklist.html");
    EXPECT_EQ(view.url(), thanked);
    EXPECT_TRUE(TMessageBox::Shown().empty());
}
