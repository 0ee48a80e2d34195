// The starter data that `make run` lays beside the program shows the whole
// road offline: every demo directory opens and Fill fills its form from the
// sample project.
#include "TestSupport.h"
#include "WebPageSupport.h"

#include "store/DataFileCipher.h"
#include "common/UUtils.h"
#include "shell/FMain.h"
#include "workspace/WorkspacePane.h"
#include "toolkit/SortedComboBox.h"
#include "workspace/DirectoryList.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QUrl>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <map>

namespace {

const QString DataDir = QStringLiteral(TARNWICK_SOURCE_DIR "/data/");

// The starter directory list as the build lays it out, pointing at the demo pages in the source tree.
std::string StarterDirectoriesText()
{
    std::string text = ReadFileBytes(DataDir + "Directories.txt.in");
    const std::string placeholder = "@DEMO_URL@";
    const std::string demo = QUrl::fromLocalFile(DataDir + "demo").toString().toStdString();
    for (size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at))
        text.replace(at, placeholder.size(), demo);
    return text;
}

} // namespace

TEST(StarterData, EveryDemoDirectoryFillsFromTheSampleProject)
{
    TMessageBox::ClearScript();
    TTempAppDir appDir;
    appDir.Write("Projects.dat", ReadFileBytes(DataDir + "Projects.dat"));
    appDir.Write("Directories.dat", EncryptData(StarterDirectoriesText()));
    // The expected values are the name rules' Fill, kept as the rules mode.
    appDir.Write("Tarnwick.ini", "[Fill]\nMode=rules\n");

    TMainOptions options;
    options.AppDir = appDir.Path();
    options.ArmStartupTimer = false;
    TfrmMain main(options);
    ASSERT_EQ(main.FProjects->Count(), 1);
    ASSERT_EQ(main.cbxProjects->currentText(), "Sample Bakery");
    ASSERT_EQ(main.FDirectories->Count(), 4);
    EXPECT_EQ(main.stpItems->text(), "4 directories listed");

    const std::string title = "Sample Bakery - fresh bread every morning";
    const std::string description = "Family bakery in Springfield baking bread, cakes and pastries every morning.";
    const std::string keywords = "bakery, bread, cakes, Springfield";
    const std::string site = "http://www.sample-bakery.example/";
    const std::string links = "http://www.sample-bakery.example/links.html";
    const std::string email = "ann@sample-bakery.example";
    const std::map<std::string, std::vector<std::pair<QString, std::string>>> expected{
        {"Open Web Index",
         {{"title", title}, {"url", site}, {"recip_url", links}, {"description", description},
          {"keywords", keywords}, {"your_name", "Ann Baker"}, {"email", email}, {"category", ""},
          {"agree", "1"}}},
        {"Linkstar Directory",
         {{"site_title", title}, {"site_url", site}, {"reciprocal_url", links},
          {"site_description", description}, {"site_keywords", keywords}, {"owner_first_name", "Ann"},
          {"owner_last_name", "Baker"}, {"owner_email", email}, {"company", ""}}},
        {"Business Pages Online",
         {{"username", "annbaker"}, {"password", "change-me"}, {"website", title}, {"website_url", site},
          {"address", "12 Mill Lane"}, {"city", "Springfield"}, {"state", "IL"}, {"postal_code", "62701"},
          {"phone", ""}, {"desc", description}, {"fullname", "Ann Baker"}, {"contact_email", email}}},
        {"QuickList",
         {{"title", title}, {"url", site}, {"description", description}, {"keywords", keywords},
          {"email", email}}},
    };

    for (int row = 0; row < main.FDirectories->Count(); ++row) {
        const std::string name = main.FDirectories->RecordAt(row).Title;
        SCOPED_TRACE(name);
        ASSERT_TRUE(expected.count(name));
        EXPECT_TRUE(QFileInfo::exists(QUrl(ToDisplay(main.FDirectories->RecordAt(row).URL)).toLocalFile()));

        main.FWorkspace->FDirectoryList->SelectRow(row);
        QSignalSpy loaded(main.EmbeddedWB1, &QWebEngineView::loadFinished);
        main.btnGoDirectory->click();
        ASSERT_TRUE(loaded.wait(PageWaitMs));
        ASSERT_TRUE(loaded.last().at(0).toBool());

        QSignalSpy filled(&main, &TfrmMain::FillFinished);
        main.btnFill->click();
        ASSERT_TRUE(filled.wait(PageWaitMs));
        for (const auto& [field, value] : expected.at(name)) {
            SCOPED_TRACE(field.toStdString());
            EXPECT_EQ(Probe(*main.EmbeddedWB1, QStringLiteral("document.querySelector('[name=%1]').value").arg(field)),
                      QJsonValue(ToDisplay(value)));
        }
    }
    // The framework-style page kept the filled values in its own state.
    EXPECT_TRUE(Probe(*main.EmbeddedWB1, QStringLiteral("document.getElementById('preview').textContent"))
                    .toString()
                    .contains(ToDisplay(title)));
    EXPECT_TRUE(TMessageBox::Shown().empty());
}
