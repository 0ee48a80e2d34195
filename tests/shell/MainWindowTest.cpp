#include "TestSupport.h"

#include "shell/FMain.h"
#include "shell/MainPanels.h"
#include "toolkit/LinkLabel.h"
#include "toolkit/SortedComboBox.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include "toolkit/Gauge.h"
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::unique_ptr<TfrmMain> MakeWindow(const TTempAppDir& dir)
{
    TMainOptions options;
    options.AppDir = dir.Path();
    options.ArmStartupTimer = false;
    return std::make_unique<TfrmMain>(options);
}

} // namespace

TEST(MainWindow, StartsEmptyWithoutDataFiles)
{
    TTempAppDir dir;
    TMessageBox::ClearScript();
    auto window = MakeWindow(dir);
    EXPECT_EQ(TfrmMain::Instance(), window.get());
    EXPECT_EQ(window->windowTitle(), "Tarnwick");
    EXPECT_EQ(window->stpItems->text(), "0 directories listed");
    EXPECT_EQ(window->cbxProjects->EntryCount(), 0);
    EXPECT_EQ(window->cbxProjects->Text(), "");
    EXPECT_EQ(window->CurrentProjectIndex(), -1);
    EXPECT_EQ(window->FProjects->Count(), 0);
    EXPECT_EQ(window->FDirectories->Count(), 0);
    EXPECT_TRUE(TMessageBox::Shown().empty());
    window.reset();
    EXPECT_EQ(TfrmMain::Instance(), nullptr);
}

TEST(MainWindow, LayoutCaptionsAndSizes)
{
    TTempAppDir dir;
    auto window = MakeWindow(dir);
    EXPECT_EQ(window->size(), QSize(919, 663));

    const std::pair<QPushButton*, const char*> toolbar[] = {
        {window->btnAddDirectory, "Add Directory"}, {window->btnDeleteDirectory, "Delete Directory"},
        {window->btnEditDirectory, "Edit Directory"}, {window->btnGoDirectory, "Go to Directory"},
        {window->btnNextDirectory, "Next Directory"}, {window->btnHelp, "Help"}, {window->btnUpdate, "Check Updates"}, {window->btnMakeMoney, "Make Money"}};
    int left = 6;
    for (auto [button, caption] : toolbar) {
        EXPECT_EQ(button->text(), caption);
        EXPECT_EQ(button->geometry(), QRect(left, 9, 99, 20)) << caption;
        EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
        left += 102;
    }

    // Each tooltip names the hint and the button's shortcut.
    const std::tuple<QToolButton*, const char*, const char*> navigation[] = {
        {window->btnHome, "Home", "Home (Alt+Home)"},
        {window->btnBack, "Back", "Back (Alt+Left)"},
        {window->btnFoward, "Foward", "Foward (Alt+Right)"},
        {window->btnStop, "Stop", "Stop (Esc)"},
        {window->btnRefresh, "Refresh", "Refresh (F5)"},
        {window->btnFill, "Fill", "Fill (Ctrl+Shift+F)"}};
    for (auto [button, hint, tip] : navigation) {
        EXPECT_EQ(button->toolTip(), tip);
        EXPECT_EQ(button->accessibleName(), hint);
        EXPECT_EQ(button->size(), QSize(25, 25));
    }

    EXPECT_EQ(window->lblSelectProject->text(), "Select Project:");
    EXPECT_EQ(window->cbxProjects->geometry(), QRect(13, 28, 156, 20));
    EXPECT_EQ(window->btnAddProject->geometry(), QRect(14, 57, 157, 20));
    EXPECT_EQ(window->btnDeleteProject->geometry(), QRect(14, 85, 157, 20));
    EXPECT_EQ(window->btnEditProject->geometry(), QRect(14, 113, 157, 20));
    EXPECT_EQ(window->panProjects->width(), 182);

    QStringList headers;
    for (int c = 0; c < window->lvwItems->model()->columnCount(); ++c)
        headers << window->lvwItems->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{"Website Directory", "Category", "Type", "PR", "Alexa", "Status"}));

    EXPECT_EQ(window->bsSkinSplitter1->handleWidth(), 10);
    EXPECT_EQ(window->stpItems->width(), 194);
    EXPECT_EQ(window->MainGauge->width(), 130);
    EXPECT_EQ(window->MainGauge->Minimum(), 0);
    EXPECT_EQ(window->MainGauge->Maximum(), 100);
    EXPECT_EQ(window->MainGauge->Value(), 0);

    window->show();
    EXPECT_EQ(window->panToolbar->height(), 37);
    EXPECT_EQ(window->panBanner->height(), 65);
    EXPECT_EQ(window->panWork->height(), 247);
    EXPECT_EQ(window->panLinks->height(), 32);
    EXPECT_EQ(window->StatusBar->height(), 17);
    EXPECT_EQ(window->panNavigation->height(), 40);
    EXPECT_EQ(window->lblLink1URL->pos(), QPoint(13, 6));
    EXPECT_EQ(window->lblLink2URL->geometry().right() + 1, window->panLinks->width() - 13);
    window->close();
}

TEST(MainWindow, SelectorSortedAndFirstNameSelected)
{
    TTempAppDir dir;
    dir.Write("Projects.dat", "^beta^^\r\n^Alpha^^\r\n^gamma^^\r\n^my site^^\r\n");
    auto window = MakeWindow(dir);
    TSortedComboBox& box = *window->cbxProjects;
    ASSERT_EQ(box.EntryCount(), 4);
    EXPECT_EQ(box.EntryAt(0), "Alpha");
    EXPECT_EQ(box.EntryAt(1), "beta");
    EXPECT_EQ(box.EntryAt(2), "gamma");
    EXPECT_EQ(box.EntryAt(3), "my site");
    EXPECT_EQ(box.SelectedPosition(), 0);
    EXPECT_EQ(box.currentText(), "Alpha");
    EXPECT_EQ(window->CurrentProjectIndex(), 1);
    box.SelectPosition(3);
    EXPECT_EQ(window->CurrentProjectIndex(), 3); // found under the key MY SITE
}

TEST(MainWindow, BannerCentring)
{
    EXPECT_EQ(TfrmMain::CentreCoordinate(75, 65), 5);
    EXPECT_EQ(TfrmMain::CentreCoordinate(65, 60), 2);
    EXPECT_EQ(TfrmMain::CentreCoordinate(919, 1200), 459 - 600);
    EXPECT_EQ(TfrmMain::CentreCoordinate(0, 3), -1);

    TTempAppDir dir;
    auto window = MakeWindow(dir);
    window->show();
    window->panBanner->setFixedHeight(75);
    window->imgBanner->resize(1200, 65);
    window->gifBanner->resize(100, 20);
    window->resize(919, 700);
    window->resize(919, 663);
    EXPECT_EQ(window->imgBanner->pos(), QPoint(window->panBanner->width() / 2 - 600, 5));
    EXPECT_LT(window->imgBanner->x(), 0);
    EXPECT_EQ(window->gifBanner->pos(), QPoint(window->panBanner->width() / 2 - 50, 27));
    window->close();
}

TEST(MainWindow, ClosingWritesTheProjectsFileEvenWhenUnchanged)
{
    TTempAppDir dir;
    const std::string original = "^Site^Ann\n";
    dir.Write("Projects.dat", original);
    auto window = MakeWindow(dir);
    window->show();
    EXPECT_EQ(dir.Read("Projects.dat"), original); // nothing is saved before the close
    window->close();
    EXPECT_EQ(dir.Read("Projects.dat"), "^Site^Ann" + std::string(15, '^') + "\r\n");

    // With no file at all, the close creates an empty one.
    TTempAppDir empty;
    auto second = MakeWindow(empty);
    second->close();
    EXPECT_TRUE(empty.Exists("Projects.dat"));
    EXPECT_EQ(empty.Read("Projects.dat"), "");
}

TEST(MainWindow, UnreadableProjectsFileIsReportedOnceAndLeftUntouched)
{
    TTempAppDir dir;
    // A directory in place of the file: it exists but cannot be read, even by root.
    ASSERT_TRUE(QDir().mkpath(dir.File("Projects.dat")));
    ASSERT_TRUE(QDir().mkpath(dir.File("Projects.dat/inside")));
    TMessageBox::ClearScript();
    TMessageBox::SetNextAnswer(MsgResult::OK);
    auto window = MakeWindow(dir);
    ASSERT_EQ(TMessageBox::Shown().size(), 1u);
    EXPECT_EQ(TMessageBox::Shown()[0].Kind, mkError);
    EXPECT_TRUE(TMessageBox::Shown()[0].Text.contains("Projects.dat could not be read"));
    // The rest of the start-up ran.
    EXPECT_EQ(window->stpItems->text(), "0 directories listed");
    EXPECT_EQ(window->FProjects->Count(), 0);
    window->close();
    EXPECT_EQ(TMessageBox::Shown().size(), 1u); // nothing more at close
    EXPECT_TRUE(QFileInfo(dir.File("Projects.dat")).isDir());
    EXPECT_TRUE(QFileInfo::exists(dir.File("Projects.dat/inside")));
    TMessageBox::ClearScript();
}

TEST(MainWindow, FailedSaveIsReported)
{
    TTempAppDir dir;
    auto window = MakeWindow(dir);
    // The application directory disappears under the program: the save cannot be written.
    const QString path = dir.Path();
    ASSERT_TRUE(QDir(path).removeRecursively());
    TMessageBox::ClearScript();
    TMessageBox::SetNextAnswer(MsgResult::OK);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    window->close();
    ASSERT_GE(TMessageBox::Shown().size(), 1u);
    EXPECT_EQ(TMessageBox::Shown()[0].Kind, mkError);
    EXPECT_TRUE(TMessageBox::Shown()[0].Text.contains("Projects.dat"));
    TMessageBox::ClearScript();
    QDir().mkpath(path); // so the temporary directory can be cleaned up
}
