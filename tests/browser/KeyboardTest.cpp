// The main window's keyboard shortcuts, pressed in the real window against a
// fake browser.
#include "FakeBrowserControl.h"
#include "TestSupport.h"

#include "shell/FMain.h"
#include "shell/VendorAddresses.h"
#include "store/RecordText.h"
#include "toolkit/SortedComboBox.h"
#include "workspace/WorkspacePane.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

using TLog = std::vector<std::string>;

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        TMessageBox::ClearScript();
        TMainOptions options;
        options.AppDir = Dir.Path();
        options.ArmStartupTimer = false;
        Main = std::make_unique<TfrmMain>(options);
        auto fake = std::make_unique<TFakeBrowserControl>();
        Browser = fake.get();
        Main->SetBrowserControl(std::move(fake));
        auto directory = std::make_unique<TDDirectory>();
        directory->Title = "Open Web Index";
        directory->URL = "http://index.example/submit";
        Main->FDirectories->Append("OPEN WEB INDEX", std::move(directory));
        Main->FillDirectories();
        auto project = std::make_unique<TDProject>();
        project->ProjName = "Sample Bakery";
        Main->FProjects->Append("SAMPLE BAKERY", std::move(project));
        Main->FillProjects();
        Main->show();
        QApplication::setActiveWindow(Main.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(Main.get()));
    }

    // Presses `key` where the focus is and returns what the browser was asked.
    TLog Press(QWidget* focus, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        focus->setFocus(Qt::OtherFocusReason);
        EXPECT_TRUE(QTest::qWaitFor([&] { return focus->hasFocus(); }, 5000));
        Browser->Log.clear();
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        return Browser->Log;
    }

    TTempAppDir Dir;
    std::unique_ptr<TfrmMain> Main;
    TFakeBrowserControl* Browser = nullptr;
};

} // namespace

TEST_F(Keyboard, TheBrowserKeysWorkFromAnywhereInTheWindowAndEscOnlyInTheBrowser)
{
    Browser->CanGoBack = Browser->CanGoForward = true;
    QWidget* list = Main->lvwItems;
    EXPECT_EQ(Press(list, Qt::Key_Left, Qt::AltModifier), (TLog{"Busy", "GoBack"}));
    EXPECT_EQ(Press(list, Qt::Key_Right, Qt::AltModifier), (TLog{"Busy", "GoForward"}));
    EXPECT_EQ(Press(Main->cbxProjects, Qt::Key_F5), (TLog{"Busy", "Refresh"}));
    EXPECT_EQ(Press(list, Qt::Key_Home, Qt::AltModifier),
              (TLog{"Busy", "Navigate " + std::string(HomePageURL)}));

    Browser->BusyFlag = true;
    // Esc in the directory list is the list's own business.
    EXPECT_EQ(Press(list, Qt::Key_Escape), TLog{});
    EXPECT_EQ(Press(Main->btnHome, Qt::Key_Escape), (TLog{"Busy", "Stop"}));
    Browser->BusyFlag = true; // the stop ended the load
    EXPECT_EQ(Press(Main->EmbeddedWB1, Qt::Key_Escape), (TLog{"Busy", "Stop"}));
    Browser->BusyFlag = false;

    // Fill writes the selected project into the page.
    Browser->Forms = {{TFakeElement{}}};
    QSignalSpy filled(Main.get(), &TfrmMain::FillFinished);
    Press(list, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(filled.count() == 1 || filled.wait(5000));
    EXPECT_GE(Browser->PageCallCount(), 1);
}

TEST_F(Keyboard, TheListOpensItsDirectoryAndCtrlPReachesTheProjects)
{
    QTableView* list = Main->lvwItems;
    list->selectRow(0);
    EXPECT_EQ(Press(list, Qt::Key_Return, Qt::ControlModifier), TLog{"Navigate http://index.example/submit"});
    EXPECT_EQ(Press(list, Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier),
              TLog{"Navigate http://index.example/submit"});
    // Only in the list: elsewhere Ctrl+Return opens nothing.
    EXPECT_EQ(Press(Main->btnHome, Qt::Key_Return, Qt::ControlModifier), TLog{});

    Press(list, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Main->cbxProjects->hasFocus(); }, 5000));
    Press(Main->btnFill, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Main->cbxProjects->hasFocus(); }, 5000));
}

TEST_F(Keyboard, CtrlFReachesTheFilterWhoseDownKeyGoesOnIntoTheRowsItShows)
{
    QLineEdit* filter = Main->FWorkspace->edtFilter;
    Press(Main->btnFill, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return filter->hasFocus(); }, 5000));
    QTest::keyClicks(filter, "WEB");
    QTest::keyClick(filter, Qt::Key_Tab);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Main->FWorkspace->chkHideSubmitted->hasFocus(); }, 5000));
    filter->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return filter->hasFocus(); }, 5000));
    Browser->Log.clear();
    QTest::keyClick(filter, Qt::Key_Down);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Main->lvwItems->hasFocus(); }, 5000));
    QTest::keyClick(Main->lvwItems, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Browser->Log, TLog{"Navigate http://index.example/submit"});
}

TEST_F(Keyboard, TheListsShortcutsAreNamedInTheTooltipsOfWhatTheyReach)
{
    // The navigation buttons' tooltips are checked with the rest of the window's layout.
    EXPECT_EQ(Main->btnGoDirectory->toolTip(), "Go to Directory (Ctrl+Return)");
    EXPECT_EQ(Main->cbxProjects->toolTip(), "Select Project (Ctrl+P)");
    EXPECT_EQ(Main->FWorkspace->edtFilter->toolTip(), "Filter directories (Ctrl+F)");
}
