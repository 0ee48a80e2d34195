// Fill from the main window on a real page, end to end.
#include "SampleProject.h"
#include "WebPageSupport.h"
#include "TestSupport.h"

#include "browser/FillTask.h"
#include "store/RecordText.h"
#include "common/UUtils.h"
#include "shell/FMain.h"
#include "workspace/WorkspacePane.h"
#include "toolkit/Gauge.h"
#include "toolkit/MessageBox.h"
#include "workspace/DirectoryList.h"

#include <QSignalSpy>
#include <QToolButton>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

TDProject WorkedProject()
{
    TDProject p = SampleProject("Engines");
    p.Titles = "Analytical Engines$$Second title";
    p.Description = "Notes on engines$$more";
    return p;
}

} // namespace

TEST(MainFill, WorkedTableOnOnePageFromTheDirectoryList)
{
    TMessageBox::ClearScript();
    TTempAppDir appDir;
    // The worked table is the name rules' Fill, kept as the rules mode.
    appDir.Write("Tarnwick.ini", "[Fill]\nMode=rules\n");
    TMainOptions options;
    options.AppDir = appDir.Path();
    options.ArmStartupTimer = false;
    TfrmMain main(options);
    const TDProject p = WorkedProject();
    main.FProjects->Append(AsciiUpper(p.ProjName), std::make_unique<TDProject>(p));
    main.FillProjects();
    auto directory = std::make_unique<TDDirectory>();
    directory->Title = "Worked";
    directory->URL = FromDisplay(TestPage(QStringLiteral("worked-table.html")).toString());
    main.FDirectories->Append("WORKED", std::move(directory));
    main.FillDirectories();

    // Open the directory's page from the list, as the user does.
    main.FWorkspace->FDirectoryList->SelectRow(0);
    QSignalSpy loaded(main.EmbeddedWB1, &QWebEngineView::loadFinished);
    main.lvwItemsKeyDown(Qt::Key_Return);
    ASSERT_TRUE(loaded.wait(PageWaitMs));
    ASSERT_TRUE(loaded.last().at(0).toBool());
    EXPECT_EQ(main.MainGauge->Value(), 100);

    QSignalSpy filled(&main, &TfrmMain::FillFinished);
    main.btnFill->click();
    ASSERT_TRUE(filled.wait(PageWaitMs));

    const std::vector<std::pair<QString, std::string>> expected{
        {"username", p.Username},
        {"first_name", p.FirstName},
        {"lastname", p.LastName},
        {"fullname", "Ada Lovelace"},
        {"your_name", "Ada Lovelace"},
        {"email", p.Email},
        {"email_address", p.Email},
        {"province", p.State},
        {"postal_code", p.Zip},
        {"website", "Analytical Engines"},
        {"WebsiteName", "Analytical Engines"},
        {"website_url", p.MainURL},
        {"name_url", p.MainURL},
        {"mail_url", p.Email},
        {"recip_url", p.RecpURL},
        {"source_url", p.RecpURL},
        {"confirm_password", p.Password},
        {"company", "keep"},
        {"phone", "keep"},
        {"category", "keep"},
        {"address", p.Address},
        {"city", p.City},
        {"state", p.State},
        {"zip", p.Zip},
        {"title", "Analytical Engines"},
        {"url", p.MainURL},
        {"description", "Notes on engines"},
        {"keywords", "engine, notes"},
        {"password", p.Password},
    };
    for (const auto& [name, value] : expected) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(Probe(*main.EmbeddedWB1, QStringLiteral("document.querySelector('[name=%1]').value").arg(name)),
                  QJsonValue(ToDisplay(value)));
    }
    // Filled, not submitted; nothing shown.
    EXPECT_TRUE(main.EmbeddedWB1->url().toString().endsWith(QStringLiteral("worked-table.html")));
    EXPECT_TRUE(TMessageBox::Shown().empty());
}
