// The submission log on a real page: the user opens a directory from the
// list, presses Fill, then the page's own submit button, and the form posts
// to a server on the loopback address.
#include "WebPageSupport.h"
#include "LoopbackHttpServer.h"
#include "TestSupport.h"

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

namespace {

THttpScriptedResponse HtmlPage(const char* body)
{
    THttpScriptedResponse response;
    response.Headers = {{"Content-Type", "text/html; charset=utf-8"}};
    response.Body = QByteArray("<!DOCTYPE html><html><body>") + body + "</body></html>";
    return response;
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
    directory->Title = "Loopback Links";
    directory->URL = FromDisplay(server.BaseURL()) + "add";
    main->FDirectories->Append("LOOPBACK LINKS", std::move(directory));
    main->FillDirectories();
    main->show();
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
    const QJsonObject box = Probe(*main->EmbeddedWB1, QStringLiteral("(function () {"
                                                                     " const r = document.getElementById('send')"
                                                                     ".getBoundingClientRect();"
                                                                     " return {x: r.x + r.width / 2, y: r.y + r.height / 2};"
                                                                     "})()"))
                                .toObject();
    const QPoint centre(box.value(QStringLiteral("x")).toInt(), box.value(QStringLiteral("y")).toInt());
    QWidget* input = main->EmbeddedWB1->focusProxy();
    ASSERT_NE(input, nullptr);
    loaded.clear();
    QTest::mouseClick(input, Qt::LeftButton, {}, centre);
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
