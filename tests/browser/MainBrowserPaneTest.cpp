// The main window's navigation and Fill handlers, driven against a fake browser.
#include "SampleProject.h"
#include "FakeBrowserControl.h"
#include "TestSupport.h"

#include "browser/FillTask.h"
#include "store/RecordText.h"
#include "browser/BrowserPane.h"
#include "shell/FMain.h"
#include "workspace/WorkspacePane.h"
#include "shell/VendorAddresses.h"
#include "toolkit/Gauge.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ModalHook.h"
#include "toolkit/SortedComboBox.h"
#include "workspace/DirectoryList.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using TLog = std::vector<std::string>;

class MainBrowserPane : public ::testing::Test {
protected:
    void SetUp() override
    {
        TMessageBox::ClearScript();
        // These cases drive the name rules' Fill, kept as the rules mode.
        FAppDir.Write("Tarnwick.ini", "[Fill]\nMode=rules\n");
        TMainOptions options;
        options.AppDir = FAppDir.Path();
        options.ArmStartupTimer = false;
        Main = std::make_unique<TfrmMain>(options);
        auto fake = std::make_unique<TFakeBrowserControl>();
        Browser = fake.get();
        Main->SetBrowserControl(std::move(fake));
    }

    void AddDirectory(const std::string& title, const std::string& url)
    {
        auto d = std::make_unique<TDDirectory>();
        d->Title = title;
        d->URL = url;
        Main->FDirectories->Append(AsciiUpper(title), std::move(d));
        Main->FillDirectories();
    }

    void AddProject(TDProject project)
    {
        const std::string key = AsciiUpper(project.ProjName);
        Main->FProjects->Append(key, std::make_unique<TDProject>(std::move(project)));
        Main->FillProjects();
    }

    TTempAppDir FAppDir;
    std::unique_ptr<TfrmMain> Main;
    TFakeBrowserControl* Browser = nullptr;
};

TDProject Project(const std::string& name, const std::string& email)
{
    return PersonProject(name, email);
}

TFakeElement Field(std::string name)
{
    TFakeElement e;
    e.Name = std::move(name);
    return e;
}

} // namespace

TEST_F(MainBrowserPane, ToolButtonsStopABusyBrowserFirst)
{
    const std::string home = std::string("Navigate ") + HomePageURL;
    struct Case {
        QToolButton* Button;
        std::string Action;
    };
    Browser->CanGoBack = Browser->CanGoForward = true;
    const std::vector<Case> cases{
        {Main->btnHome, home},
        {Main->btnBack, "GoBack"},
        {Main->btnFoward, "GoForward"},
        {Main->btnRefresh, "Refresh"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Action);
        Browser->Log.clear();
        Browser->BusyFlag = false;
        c.Button->click();
        EXPECT_EQ(Browser->Log, (TLog{"Busy", c.Action}));
        Browser->Log.clear();
        Browser->BusyFlag = true;
        c.Button->click();
        EXPECT_EQ(Browser->Log, (TLog{"Busy", "Stop", c.Action}));
    }
    // Stop on an idle browser does nothing; on a busy one it stops.
    Browser->Log.clear();
    Browser->BusyFlag = false;
    Main->btnStop->click();
    EXPECT_EQ(Browser->Log, TLog{"Busy"});
    Browser->Log.clear();
    Browser->BusyFlag = true;
    Main->btnStop->click();
    EXPECT_EQ(Browser->Log, (TLog{"Busy", "Stop"}));
    EXPECT_EQ(std::string(HomePageURL).rfind("http://", 0), 0u);
}

TEST_F(MainBrowserPane, ToolBarErrorsAreDroppedSilently)
{
    Browser->CanGoBack = Browser->CanGoForward = false;
    EXPECT_NO_THROW(Main->btnBackClick());
    EXPECT_NO_THROW(Main->btnFowardClick());
    EXPECT_EQ(Browser->Log, (TLog{"Busy", "GoBack", "Busy", "GoForward"}));
    EXPECT_TRUE(TMessageBox::Shown().empty());
    // The buttons are reachable by assistive technology under their hints.
    EXPECT_EQ(Main->btnFoward->accessibleName(), QStringLiteral("Foward"));
    EXPECT_EQ(Main->btnFill->toolTip(), QStringLiteral("Fill (Ctrl+Shift+F)"));
}

TEST_F(MainBrowserPane, EveryDirectoryEntryPointOpensTheSelectedRowsURL)
{
    AddDirectory("First", "http://first.example/submit");
    AddDirectory("Second", "http://second.example/add?x=1&y=%20");
    AddDirectory("Blank", "");

    // Nothing selected: nothing happens, whichever way.
    Main->btnGoDirectory->click();
    Main->bsSkinButton6->click();
    QTest::keyClick(Main->lvwItems, Qt::Key_Return);
    Main->lvwItemsDblClick();
    EXPECT_TRUE(Browser->Log.empty());

    Main->FWorkspace->FDirectoryList->SelectRow(1);
    const std::string second = "Navigate http://second.example/add?x=1&y=%20";
    Main->btnGoDirectory->click();
    Main->bsSkinButton6->click();
    Main->lvwItemsDblClick();
    Main->lvwItemsKeyDown(Qt::Key_Return);
    Main->lvwItemsKeyDown(Qt::Key_Enter);
    EXPECT_EQ(Browser->Log, TLog(5, second));

    // No Busy and no Stop on this path; other keys do nothing.
    Browser->Log.clear();
    Browser->BusyFlag = true;
    Main->lvwItemsKeyDown(Qt::Key_Space);
    Main->lvwItemsKeyDown(Qt::Key_Escape);
    EXPECT_TRUE(Browser->Log.empty());
    QTest::keyClick(Main->lvwItems, Qt::Key_Enter, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(Browser->Log, TLog{second});

    // A double-click on a row of the view opens the selected row.
    Browser->Log.clear();
    Main->resize(919, 663);
    Main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Main.get()));
    const QRect firstRow = Main->lvwItems->visualRect(Main->lvwItems->model()->index(0, 0));
    ASSERT_TRUE(firstRow.isValid());
    QTest::mouseClick(Main->lvwItems->viewport(), Qt::LeftButton, {}, firstRow.center());
    QTest::mouseDClick(Main->lvwItems->viewport(), Qt::LeftButton, {}, firstRow.center());
    EXPECT_EQ(Browser->Log, TLog{"Navigate http://first.example/submit"});

    // An empty URL is passed on all the same.
    Browser->Log.clear();
    Main->FWorkspace->FDirectoryList->SelectRow(2);
    Main->btnGoDirectory->click();
    EXPECT_EQ(Browser->Log, TLog{"Navigate "});
    EXPECT_TRUE(Main->bsSkinButton6->isHidden());
}

TEST_F(MainBrowserPane, GaugeFollowsProgressValueFirst)
{
    emit Browser->ProgressChange(5000, 10000);
    EXPECT_EQ(Main->MainGauge->Value(), 100);
    EXPECT_EQ(Main->MainGauge->Maximum(), 10000);
    emit Browser->ProgressChange(-3, 10000);
    EXPECT_EQ(Main->MainGauge->Value(), 0);
    emit Browser->ProgressChange(70, 0);
    EXPECT_EQ(Main->MainGauge->Value(), 0);
    EXPECT_EQ(Main->MainGauge->Maximum(), 0);
}

TEST_F(MainBrowserPane, FillWithoutAProjectAsksNothingOfThePage)
{
    Browser->Forms = {{Field("email")}};
    Main->btnFillClick();
    EXPECT_EQ(Browser->PageCallCount(), 0);
    // A selector text that names no project does nothing either.
    AddProject(Project("Real", "a@b.c"));
    Main->cbxProjects->SetText("Gone");
    Main->btnFillClick();
    EXPECT_EQ(Browser->PageCallCount(), 0);
    EXPECT_EQ(Browser->Element(0, 0).Value, "");
}

TEST_F(MainBrowserPane, FillWritesTheCurrentProjectAndChangesNothingElse)
{
    AddProject(Project("beta", "beta@example.org"));
    AddProject(Project("Alpha", "alpha@example.org"));
    AddDirectory("Dir", "http://dir.example/");
    Main->cbxProjects->SelectPosition(1); // "beta"
    Browser->Forms = {{Field("email"), Field("your_name")}};
    const std::string projectsBefore = Main->FProjects->ToText();
    const std::string directoriesBefore = Main->FDirectories->ToText();

    QSignalSpy finished(Main.get(), &TfrmMain::FillFinished);
    Main->btnFill->click();
    // A second press while the page still answers is ignored.
    Main->btnFill->click();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(Browser->Element(0, 0).Value, "beta@example.org");
    EXPECT_EQ(Browser->Element(0, 1).Value, "Ada Lovelace");
    EXPECT_EQ(Browser->PageCallCount(), 2);
    EXPECT_EQ(Main->FProjects->ToText(), projectsBefore);
    EXPECT_EQ(Main->FDirectories->ToText(), directoriesBefore);
    EXPECT_TRUE(TMessageBox::Shown().empty());
    EXPECT_TRUE(Main->MainStatusPanel->text().isEmpty());

    // The next press runs again.
    Browser->Element(0, 0).Value.clear();
    Main->btnFill->click();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(Browser->Element(0, 0).Value, "beta@example.org");
}

TEST_F(MainBrowserPane, FillUsesTheProjectAsItWasWhenPressed)
{
    AddProject(Project("Site", "old@example.org"));
    Browser->Forms = {{Field("email")}};
    Browser->AnswerAtOnce = false;
    QSignalSpy finished(Main.get(), &TfrmMain::FillFinished);
    Main->btnFillClick();
    // The project is edited, then removed, while the page is still answering.
    Main->FProjects->RecordAt(0).Email = "new@example.org";
    Main->FProjects->RemoveAt(0);
    Browser->AnswerAtOnce = true;
    Browser->AnswerWaiting();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(Browser->Element(0, 0).Value, "old@example.org");
}

TEST_F(MainBrowserPane, UnreachableFormsGoToTheErrorReport)
{
    AddProject(Project("Site", "a@example.org"));
    Browser->FormsUnreachable = true;
    TMessageBox::SetNextAnswer(MsgResult::OK);
    QSignalSpy finished(Main.get(), &TfrmMain::FillFinished);
    Main->btnFillClick();
    ASSERT_TRUE(finished.wait(20000));
    ASSERT_EQ(TMessageBox::Shown().size(), 1u);
    EXPECT_EQ(TMessageBox::Shown()[0].Kind, mkError);
    EXPECT_TRUE(TMessageBox::Shown()[0].Text.contains(QStringLiteral("forms unreachable")));
}

TEST_F(MainBrowserPane, ReplacingTheBrowserEndsAWaitingPress)
{
    AddProject(Project("Site", "a@example.org"));
    Browser->AnswerAtOnce = false;
    Browser->Forms = {{Field("email")}};
    Main->btnFillClick();
    ASSERT_TRUE(Main->FBrowserPane->FillRunning());
    Main->SetBrowserControl(std::make_unique<TFakeBrowserControl>());
    EXPECT_FALSE(Main->FBrowserPane->FillRunning());
    // The new browser takes presses at once.
    auto* fresh = static_cast<TFakeBrowserControl*>(&Main->Browser());
    fresh->Forms = {{Field("email")}};
    QSignalSpy finished(Main.get(), &TfrmMain::FillFinished);
    Main->btnFillClick();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(fresh->Element(0, 0).Value, "a@example.org");
}

TEST_F(MainBrowserPane, AfterACancelledAddProjectFillAndEditActOnNoProject)
{
    Browser->Forms = {{Field("email")}};
    AddProject(Project("Client A", "a@example.com"));
    ASSERT_NE(Main->FWorkspace->CurrentProject(), nullptr);
    int opened = 0;
    TModalHook previous = SetModalHook([&opened](QDialog&) {
        ++opened;
        return static_cast<int>(QDialog::Rejected);
    });
    Main->btnAddProjectClick();
    SetModalHook(std::move(previous));
    ASSERT_EQ(opened, 1) << "the Add Project dialog opened";
    ASSERT_EQ(Main->cbxProjects->SelectedPosition(), -1) << "the selector shows no project";

    Main->btnFillClick();
    EXPECT_EQ(Browser->PageCallCount(), 0);
    EXPECT_EQ(Browser->Element(0, 0).Value, "");
    EXPECT_EQ(Main->MainStatusPanel->text(), "Select a project first");

    TMessageBox::SetNextAnswer(MsgResult::OK);
    Main->btnEditProjectClick();
    ASSERT_EQ(TMessageBox::Shown().size(), 1u) << "Edit Project says why it does nothing";
    EXPECT_NE(TMessageBox::Shown().back().Text.indexOf("Select a project first"), -1);
    EXPECT_EQ(Main->FProjects->RecordAt(0).Email, "a@example.com");
}
