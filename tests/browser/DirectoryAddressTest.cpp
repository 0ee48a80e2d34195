// A directory list from anywhere, on a real page: a javascript: row never
// reaches the page that is open.
#include "WebPageSupport.h"

#include "TestSupport.h"

#include "shell/FMain.h"
#include "store/RecordText.h"
#include "store/TDDirectories.h"
#include "toolkit/MessageBox.h"
#include "workspace/DirectoryList.h"
#include "workspace/DirectoryListModel.h"
#include "workspace/WorkspacePane.h"

#include <QSignalSpy>
#include <QWebEngineView>

#include <gtest/gtest.h>

TEST(DirectoryAddresses, AJavascriptRowIsRefusedWithOneMessageNamingIt)
{
    TMessageBox::ClearScript();
    TTempAppDir dir;
    TMainOptions options;
    options.AppDir = dir.Path();
    options.ArmStartupTimer = false;
    TfrmMain main(options);
    const auto add = [&main](const std::string& title, const std::string& url) {
        auto d = std::make_unique<TDDirectory>();
        d->Title = title;
        d->URL = url;
        main.FDirectories->Append(AsciiUpper(title), std::move(d));
    };
    add("Kinds", TestPage(QStringLiteral("kinds.html")).toString().toStdString());
    add("Evil", "javascript:document.title='stolen:'+document.cookie");
    main.FillDirectories();

    QSignalSpy loaded(main.EmbeddedWB1, &QWebEngineView::loadFinished);
    main.FWorkspace->FDirectoryList->SelectRow(0);
    main.btnGoDirectoryClick();
    ASSERT_TRUE(loaded.wait(PageWaitMs));
    const QString title = ProbeMainWorld(*main.EmbeddedWB1, QStringLiteral("document.title")).toString();
    ASSERT_FALSE(title.startsWith(QStringLiteral("stolen")));

    main.FWorkspace->FDirectoryList->SelectRow(1);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.lvwItemsKeyDown(Qt::Key_Return);
    ASSERT_EQ(TMessageBox::Shown().size(), 1u);
    const QString message = TMessageBox::Shown().back().Text;
    EXPECT_NE(message.indexOf(QStringLiteral("\"Evil\"")), -1) << message.toStdString();
    EXPECT_NE(message.indexOf(QStringLiteral("javascript:")), -1) << message.toStdString();
    // The page is the same page with its own title; nothing ran in it.
    EXPECT_EQ(ProbeMainWorld(*main.EmbeddedWB1, QStringLiteral("document.title")).toString(), title);
    EXPECT_EQ(main.EmbeddedWB1->url(), TestPage(QStringLiteral("kinds.html")));
    TMessageBox::ClearScript();
}
