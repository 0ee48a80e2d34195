// The submission log's commands in the main window: marks, progress, Next
// Directory, export, names that change, and a log that cannot be used.
#include "WorkspaceTestSupport.h"

#include "LoopbackHttpServer.h"
#include "shell/Submissions.h"
#include "store/RecordText.h"
#include "store/SubmissionLog.h"
#include "toolkit/SortedComboBox.h"
#include "workspace/DirectoryList.h"
#include "workspace/DirectoryListModel.h"
#include "workspace/FDirectory.h"
#include "workspace/FProject.h"
#include "workspace/SubmissionCommands.h"

#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>

namespace {

using S = TSubmissionStep;

std::string ProjectLine(const std::string& name)
{
    return "^" + name + "^^^^^^^^^^^^^^^^\r\n";
}

} // namespace

class SubmissionCommands : public TWorkspaceTest {
protected:
    // The main window with two projects and these directories, each on a
    // port where nothing listens, so opening one fails at once.
    TfrmMain& OpenWith(const std::vector<std::string>& titles)
    {
        Dir.Write("Projects.dat", ProjectLine("Bakery") + ProjectLine("Garage"));
        TfrmMain& main = OpenMain();
        const std::string closed = "http://127.0.0.1:" + std::to_string(TLoopbackHttpServer::ClosedPort()) + "/";
        for (const std::string& title : titles) {
            auto d = std::make_unique<TDDirectory>();
            d->Title = title;
            d->URL = closed + AsciiLower(title);
            main.FDirectories->Append(AsciiUpper(title), std::move(d));
        }
        main.FillDirectories();
        return main;
    }
    TSubmissionLog& Log() const { return Main->FSubmissions->Log(); }
    TSubmissionCommands& Commands() const { return Main->FSubmissions->Commands(); }
    std::string Progress() const { return Str(Main->FSubmissions->stpProgress->text()); }
    int Selected() const { return Main->FWorkspace->FDirectoryList->SelectedRow(); }
    std::string SelectedCaption() const
    {
        return Main->FWorkspace->FDirectoryModel->Row(Selected()).Texts[TDirectoryRow::Caption];
    }
    void Select(int row) { Main->FWorkspace->FDirectoryList->SelectRow(row); }
    S Shown(const std::string& project, const std::string& title) { return Log().Entry(project, title).Shown(); }
    // What a column shows, row by row.
    std::vector<std::string> Column(int column) const
    {
        const QAbstractItemModel* model = Main->lvwItems->model();
        std::vector<std::string> texts;
        for (int row = 0; row < model->rowCount(); ++row)
            texts.push_back(Str(model->index(row, column).data().toString()));
        return texts;
    }
};

TEST_F(SubmissionCommands, MarksProgressAndNextDirectoryFollowTheList)
{
    TfrmMain& main = OpenWith({"Alpha", "Beta", "Gamma", "Delta"});
    EXPECT_EQ(Progress(), "0 of 4 submitted");
    EXPECT_EQ(main.cbxProjects->Text(), "Bakery");

    Select(1);
    Commands().actMarkSubmitted->trigger();
    EXPECT_EQ(Shown("Bakery", "Beta"), S::Submitted);
    EXPECT_EQ(Progress(), "1 of 4 submitted");

    // The row menu as the user opens it: on the row under the pointer.
    QTableView* view = main.lvwItems;
    const QPoint onGamma = view->visualRect(view->model()->index(2, 0)).center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, onGamma, view->viewport()->mapToGlobal(onGamma));
    QApplication::sendEvent(view->viewport(), &rightClick);
    QMenu* menu = Commands().RowMenu();
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 5000));
    EXPECT_EQ(Selected(), 2);
    EXPECT_TRUE(Commands().actMarkListed->isEnabled());
    QTest::keyClick(menu, Qt::Key_L); // Mark as &Listed
    EXPECT_TRUE(QTest::qWaitFor([&] { return Shown("Bakery", "Gamma") == S::Listed; }, 5000));
    EXPECT_EQ(Progress(), "2 of 4 submitted");

    // Next Directory: the first row after the selection that is not done,
    // from the top when none follows; it opens the page, which records Opened.
    view->clearSelection();
    Click(main.btnNextDirectory);
    EXPECT_EQ(SelectedCaption(), "Alpha");
    EXPECT_EQ(Shown("Bakery", "Alpha"), S::Opened);
    Click(main.btnNextDirectory);
    EXPECT_EQ(SelectedCaption(), "Delta");
    Click(main.btnNextDirectory);
    EXPECT_EQ(SelectedCaption(), "Alpha") << "Opened is not done";

    // In the list's current order: sorted by title, descending.
    main.lvwItemsColumnClick(0);
    main.lvwItemsColumnClick(0);
    Select(0); // Gamma
    ASSERT_EQ(SelectedCaption(), "Gamma");
    Click(main.btnNextDirectory);
    EXPECT_EQ(SelectedCaption(), "Delta");

    // Marks of one project are not another's; the user's Rejected is done too.
    main.cbxProjects->SelectPosition(1);
    EXPECT_EQ(Progress(), "0 of 4 submitted");
    main.cbxProjects->SelectPosition(0);
    EXPECT_EQ(Progress(), "2 of 4 submitted");
    for (int row = 0; row < 4; ++row) {
        Select(row);
        Commands().actMarkRejected->trigger();
    }
    EXPECT_EQ(Progress(), "4 of 4 submitted");
    TMessageBox::SetNextAnswer(MsgResult::OK);
    Click(main.btnNextDirectory);
    EXPECT_EQ(LastMessage(), "Every directory in the list is submitted, listed or rejected for Bakery.");
    EXPECT_EQ(Selected(), 3);
    // Clear Mark gives back what happened by itself.
    Select(2); // Beta: marked Submitted then Rejected, never opened
    Commands().actClearMark->trigger();
    EXPECT_EQ(Shown("Bakery", "Beta"), S::None);
    Select(0); // Gamma
    Commands().actClearMark->trigger();
    EXPECT_EQ(Progress(), "2 of 4 submitted");
    EXPECT_EQ(TMessageBox::Shown().size(), 1u);

    // The marks were committed: another copy of the log reads them.
    main.close();
    Main.reset();
    TSubmissionLog reopened;
    reopened.Open(Dir.File(QString::fromLatin1(TSubmissionLog::FileName)));
    EXPECT_EQ(reopened.Entry("Bakery", "Delta").Shown(), S::Rejected);
    EXPECT_EQ(reopened.Entry("Bakery", "Alpha").Shown(), S::Rejected);
    EXPECT_EQ(reopened.Entry("Bakery", "Gamma").Shown(), S::None);
}

TEST_F(SubmissionCommands, HistoryFollowsEditsAndDeletingAProjectAsksAboutIt)
{
    TfrmMain& main = OpenWith({"Alpha", "Beta"});
    Select(0);
    Commands().actMarkListed->trigger();
    main.cbxProjects->SelectPosition(1); // Garage
    Commands().actMarkRejected->trigger();
    main.cbxProjects->SelectPosition(0); // Bakery

    TScriptedDialog<TfrmProject> rename([](TfrmProject& d) {
        TypeInto(d.edtProjName, "Bakery Two");
        EXPECT_TRUE(PressOk(d));
    });
    Click(main.btnEditProject);
    ASSERT_EQ(rename.Runs(), 1);
    EXPECT_EQ(main.cbxProjects->Text(), "Bakery Two");
    EXPECT_EQ(Shown("Bakery Two", "Alpha"), S::Listed);
    EXPECT_EQ(Progress(), "1 of 2 submitted");

    Select(0);
    TScriptedDialog<TfrmDirectory> edit([](TfrmDirectory& d) {
        TypeInto(d.edtTitle, "Alpha Links");
        TypeInto(d.edtURL, "https://alpha-links.example/add");
        EXPECT_TRUE(PressOk(d));
    });
    Click(main.btnEditDirectory);
    ASSERT_EQ(edit.Runs(), 1);
    EXPECT_EQ(Shown("Bakery Two", "Alpha Links"), S::Listed);
    EXPECT_EQ(Shown("Garage", "Alpha Links"), S::Rejected);
    const auto records = Log().Records("Garage");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].URL, "https://alpha-links.example/add");

    // Deleting asks about the history; No keeps it, Yes deletes it.
    TMessageBox::SetNextAnswer(MsgResult::OK);
    TMessageBox::SetNextAnswer(MsgResult::No);
    Click(main.btnDeleteProject); // Bakery Two
    ASSERT_EQ(TMessageBox::Shown().size(), 2u);
    EXPECT_EQ(Str(TMessageBox::Shown()[1].Text), "Delete the submission history of Bakery Two too?");
    EXPECT_TRUE(Log().HasHistory("Bakery Two"));
    TMessageBox::SetNextAnswer(MsgResult::OK);
    TMessageBox::SetNextAnswer(MsgResult::Yes);
    Click(main.btnDeleteProject); // Garage
    EXPECT_EQ(TMessageBox::Shown().size(), 4u);
    EXPECT_FALSE(Log().HasHistory("Garage"));
    EXPECT_TRUE(Log().HasHistory("Bakery Two"));
}

TEST_F(SubmissionCommands, ExportWritesTheProjectsLogAsCsv)
{
    TfrmMain& main = OpenWith({"Alpha", "Beta, the \"Second\""});
    EXPECT_EQ(main.FSubmissions->Commands().btnExportSubmissions->accessibleName(), "Export Submissions");
    TMessageBox::SetNextAnswer(MsgResult::OK);
    Click(Commands().btnExportSubmissions);
    EXPECT_EQ(LastMessage(), "Nothing has been recorded for Bakery yet.");

    Log().SetClock([] { return std::int64_t(1796904000); });
    Select(1);
    Commands().actMarkSubmitted->trigger();
    Select(0);
    Commands().actMarkListed->trigger();
    const QString target = Dir.File(QStringLiteral("out.csv"));
    TScriptedDialog<QFileDialog> save([&](QFileDialog& d) {
        EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptSave);
        d.selectFile(target);
        static_cast<QDialog&>(d).accept();
    });
    Commands().actExport->trigger();
    ASSERT_EQ(save.Runs(), 1);
    const std::string date =
        QDateTime::fromSecsSinceEpoch(1796904000).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
    const std::string port = std::to_string(QUrl(QString::fromStdString(Log().Records("Bakery")[0].URL)).port());
    EXPECT_EQ(ReadFileBytes(target), "Directory,URL,Step,Date\r\n"
                                     "Alpha,http://127.0.0.1:" + port + "/alpha,Listed," + date + "\r\n"
                                     "\"Beta, the \"\"Second\"\"\",\"http://127.0.0.1:" + port
                                         + "/beta, the \"\"second\"\"\",Submitted," + date + "\r\n");
}

TEST_F(SubmissionCommands, ALogThatCannotBeUsedIsReportedOnceAndCommandsSayWhy)
{
    const std::string foreign = "Tarnwick notes, not a database\r\n" + std::string(5000, '.');
    Dir.Write("Submissions.db", foreign);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    TfrmMain& main = OpenWith({"Alpha"});
    ASSERT_EQ(TMessageBox::Shown().size(), 1u);
    EXPECT_EQ(TMessageBox::Shown()[0].Kind, mkWarning);
    EXPECT_TRUE(TMessageBox::Shown()[0].Text.startsWith(QLatin1String("Submissions.db is not a submission log")));
    EXPECT_EQ(Progress(), "No submission log");

    Select(0);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    Commands().actMarkListed->trigger();
    EXPECT_TRUE(LastMessage().starts_with("Marking a directory needs the submission log, which is not available:"));
    TMessageBox::SetNextAnswer(MsgResult::OK);
    Click(main.btnNextDirectory);
    EXPECT_TRUE(LastMessage().starts_with("Next Directory needs the submission log")) << LastMessage();
    // Going to a directory still works; nothing is written anywhere.
    Click(main.btnGoDirectory);
    main.close();
    EXPECT_EQ(Dir.Read("Submissions.db"), foreign);
    EXPECT_EQ(TMessageBox::Shown().size(), 3u);
}

TEST_F(SubmissionCommands, StatusColumnFilterAndHideSubmittedFollowTheProjectTheLogAndTheListsOrder)
{
    using Texts = std::vector<std::string>;
    TfrmMain& main = OpenWith({"Alpha Links", "Beta Directory", "Gamma Links", "Delta Links", "Epsilon", "Zeta"});
    TWorkspacePane& pane = *main.FWorkspace;
    const std::int64_t at = 1796904000;
    Log().SetClock([=] { return at; });
    const std::string day = " " + QDateTime::fromSecsSinceEpoch(at).date().toString(Qt::ISODate).toStdString();
    Select(1);
    Commands().actMarkSubmitted->trigger();
    Select(2);
    Commands().actMarkListed->trigger();
    Select(5);
    Commands().actMarkRejected->trigger();
    EXPECT_EQ(Column(5), (Texts{"", "Submitted" + day, "Listed" + day, "", "", "Rejected" + day}));

    // Sorted by Status like any column; another project's steps then show in the same rows.
    main.lvwItemsColumnClick(TDirectoryListModel::StatusColumn);
    EXPECT_EQ(Column(0), (Texts{"Alpha Links", "Delta Links", "Epsilon", "Gamma Links", "Zeta", "Beta Directory"}));
    main.cbxProjects->SelectPosition(1); // Garage
    EXPECT_EQ(Column(5), Texts(6, ""));
    Select(0);
    Commands().actMarkListed->trigger();
    EXPECT_EQ(Column(5)[0], "Listed" + day);
    main.cbxProjects->SelectPosition(0); // Bakery
    EXPECT_EQ(Column(5), (Texts{"", "", "", "Listed" + day, "Rejected" + day, "Submitted" + day}));

    // The filter as typed, in any case, keeping the list's order.
    QTest::keyClicks(pane.edtFilter, "LiNkS");
    EXPECT_EQ(Column(0), (Texts{"Alpha Links", "Delta Links", "Gamma Links"}));
    EXPECT_EQ(Str(main.stpItems->text()), "3 directories listed");
    // Next Directory goes through the rows shown only: Epsilon, not done, is not one.
    main.lvwItems->clearSelection();
    Click(main.btnNextDirectory);
    EXPECT_EQ(SelectedCaption(), "Alpha Links");
    Click(main.btnNextDirectory);
    EXPECT_EQ(SelectedCaption(), "Delta Links");
    EXPECT_EQ(Shown("Bakery", "Delta Links"), S::Opened);
    Click(main.btnNextDirectory);
    EXPECT_EQ(SelectedCaption(), "Alpha Links");
    TypeInto(pane.edtFilter, "%");
    EXPECT_EQ(Column(0), Texts{});
    EXPECT_EQ(Str(main.stpItems->text()), "0 directories listed");
    TypeInto(pane.edtFilter, "");
    EXPECT_EQ(Column(0).size(), 6u);

    // Hide submitted: Submitted and Listed go, Rejected stays; a row marked
    // later goes at once, and Next Directory goes on from its place.
    QTest::keyClick(pane.chkHideSubmitted, Qt::Key_Space);
    ASSERT_TRUE(pane.chkHideSubmitted->isChecked());
    EXPECT_EQ(Column(0), (Texts{"Epsilon", "Alpha Links", "Delta Links", "Zeta"}));
    Select(1);
    Commands().actMarkSubmitted->trigger();
    EXPECT_EQ(Column(0), (Texts{"Epsilon", "Delta Links", "Zeta"}));
    EXPECT_EQ(Str(main.stpItems->text()), "3 directories listed");
    EXPECT_EQ(Progress(), "4 of 6 submitted");
    Click(main.btnNextDirectory);
    EXPECT_EQ(SelectedCaption(), "Delta Links");
    QTest::keyClick(pane.chkHideSubmitted, Qt::Key_Space);
    EXPECT_EQ(Column(0).size(), 6u);
    EXPECT_EQ(TMessageBox::Shown().size(), 0u);
}

TEST_F(SubmissionCommands, NextDirectoryRefusesAnAddressThatIsNoPageAsGoToDirectoryDoes)
{
    TfrmMain& main = OpenWith({"Alpha", "Evil", "Gamma"});
    TDDirectory evil = main.FDirectories->RecordAt(1);
    evil.URL = "javascript:document.title='stolen'";
    main.FDirectories->SetRecord(1, evil);
    main.FillDirectories();
    QSignalSpy opened(main.FWorkspace, &TWorkspacePane::OpenAddress);
    Select(0);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    Click(main.btnNextDirectory);
    EXPECT_EQ(SelectedCaption(), "Evil");
    ASSERT_EQ(TMessageBox::Shown().size(), 1u);
    EXPECT_NE(LastMessage().find("javascript:"), std::string::npos) << LastMessage();
    EXPECT_EQ(opened.count(), 0);
    EXPECT_EQ(Shown("Bakery", "Evil"), S::None) << "nothing was opened";
    // The next press goes on past it.
    Click(main.btnNextDirectory);
    EXPECT_EQ(SelectedCaption(), "Gamma");
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(Shown("Bakery", "Gamma"), S::Opened);
}
