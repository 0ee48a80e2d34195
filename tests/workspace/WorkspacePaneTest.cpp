// The workspace pane on its own, driven through its controls and heard
// through its signals, with no main window around it.
#include "WorkspaceTestSupport.h"

#include "store/RecordText.h"
#include "store/UGeneral.h"
#include "toolkit/ListView.h"
#include "toolkit/SortedComboBox.h"
#include "workspace/DirectoryList.h"
#include "workspace/FProject.h"
#include "workspace/WorkspacePane.h"

#include <QSignalSpy>

namespace {

struct TPaneFixture {
    TDProjects Projects;
    TDDirectories Directories;
    TMessageBox Messages;
    std::unique_ptr<TWorkspacePane> Pane;

    TPaneFixture()
    {
        TMessageBox::ClearScript();
        for (const char* title : {"Alpha", "Beta"}) {
            auto d = std::make_unique<TDDirectory>();
            d->Title = title;
            d->URL = std::string("http://") + title + ".example/submit";
            std::string key = AsciiUpper(d->Title);
            Directories.Append(std::move(key), std::move(d));
        }
        auto p = std::make_unique<TDProject>();
        p->ProjName = "Bakery";
        Projects.Append("BAKERY", std::move(p));
        Pane = std::make_unique<TWorkspacePane>(Projects, Directories, Messages);
        Pane->resize(700, 250);
        Pane->show();
    }
    ~TPaneFixture() { TMessageBox::ClearScript(); }
};

} // namespace

TEST(WorkspacePane, TellsTheWindowThroughItsSignals)
{
    TPaneFixture f;
    QSignalSpy counted(f.Pane.get(), &TWorkspacePane::DirectoryCountChanged);
    QSignalSpy opened(f.Pane.get(), &TWorkspacePane::OpenAddress);
    f.Pane->FillProjects();
    f.Pane->FillDirectories();
    ASSERT_EQ(counted.count(), 1);
    EXPECT_EQ(counted[0][0].toInt(), 2);

    // Without a selection Enter opens nothing; with one, the row's address.
    f.Pane->lvwItems->setFocus();
    QTest::keyClick(f.Pane->lvwItems, Qt::Key_Return);
    EXPECT_EQ(opened.count(), 0);
    f.Pane->FDirectoryList->SelectRow(1);
    QTest::keyClick(f.Pane->lvwItems, Qt::Key_Enter);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened[0][0].toString(), QStringLiteral("http://Beta.example/submit"));

    // The selector names the current project; deleting it leaves none.
    ASSERT_NE(f.Pane->CurrentProject(), nullptr);
    EXPECT_EQ(f.Pane->CurrentProject()->ProjName, "Bakery");
    TMessageBox::SetNextAnswer(MsgResult::OK);
    QTest::mouseClick(f.Pane->btnDeleteProject, Qt::LeftButton);
    ASSERT_EQ(TMessageBox::Shown().size(), 1u);
    EXPECT_EQ(f.Projects.Count(), 0);
    EXPECT_EQ(f.Pane->CurrentProject(), nullptr);
}

TEST(WorkspacePane, DialogsWriteTheCollectionsTheyAreGiven)
{
    TPaneFixture f;
    f.Pane->FillProjects();
    {
        TScriptedDialog<TfrmProject> add([](TfrmProject& d) {
            TypeInto(d.edtProjName, QStringLiteral("Florist"));
            EXPECT_TRUE(PressOk(d));
        });
        QTest::mouseClick(f.Pane->btnAddProject, Qt::LeftButton);
    }
    ASSERT_EQ(f.Projects.Count(), 2);
    EXPECT_EQ(f.Projects.RecordAt(1).ProjName, "Florist");
    EXPECT_EQ(f.Pane->cbxProjects->Text(), "Florist");
    EXPECT_EQ(f.Pane->CurrentProjectIndex(), 1);
}
