// Whole sessions through the dialogs, ending in the close that writes the data files.
#include "WorkspaceTestSupport.h"

#include "store/RecordText.h"
#include "store/DataFileCipher.h"
#include "toolkit/Memo.h"
#include "toolkit/SortedComboBox.h"
#include "workspace/DirectoryList.h"
#include "workspace/DirectoryListModel.h"
#include "workspace/FDirectory.h"
#include "workspace/FProject.h"
#include "workspace/ProjectSelector.h"

#include <QClipboard>
#include <QInputMethodEvent>

#include <algorithm>
#include <vector>

namespace {

std::vector<TDProject> ProjectsOf(const TDProjects& projects)
{
    std::vector<TDProject> records;
    for (int i = 0; i < projects.Count(); ++i)
        records.push_back(projects.RecordAt(i));
    return records;
}

std::vector<TDDirectory> DirectoriesOf(const TDDirectories& directories)
{
    std::vector<TDDirectory> records;
    for (int i = 0; i < directories.Count(); ++i)
        records.push_back(directories.RecordAt(i));
    return records;
}

// The directories of the database the close wrote, read back from the file.
std::vector<TDDirectory> DirectoriesWrittenAtClose(const QString& appDir)
{
    TDDirectories reloaded;
    EXPECT_EQ(reloaded.LoadAll(appDir), TDatabaseState::Intact);
    return DirectoriesOf(reloaded);
}

std::vector<std::string> KeysOf(const TDProjects& projects)
{
    std::vector<std::string> keys;
    for (int i = 0; i < projects.Count(); ++i)
        keys.push_back(projects.KeyAt(i));
    return keys;
}

TDDirectory Directory(const std::string& title, const std::string& extra)
{
    TDDirectory d;
    d.Title = title;
    d.URL = "http://" + title + ".example/";
    d.Extra = extra;
    return d;
}

// Pastes, types and inserts text holding "^", line breaks and NUL at the end of a field.
void EnterHostileText(QWidget* field)
{
    field->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("p^q\r\nr\n"));
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        line->end(false);
        line->paste();
        QTest::keyClicks(line, "^s");
        line->insert(QStringLiteral("t\r") + QChar(u'\0') + QStringLiteral("u"));
    } else if (auto* memo = qobject_cast<TMemo*>(field)) {
        memo->moveCursor(QTextCursor::End);
        memo->paste();
        QTest::keyClicks(memo, "^s");
        // An input method's commit, as a compose key or an on-screen keyboard sends it.
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("t") + QChar(u'\0') + QStringLiteral("u"));
        QApplication::sendEvent(memo, &commit);
    }
}

} // namespace

class Session : public TWorkspaceTest {};

TEST_F(Session, CloseWritesWhatTheUserBuilt)
{
    Dir.Write("Projects.dat", "^Alpha^Ann^^^^^^^^^^^^^^ea^\r\n"
                              "^Beta^Bob^^^^^^Bonn^^^^T1$$T2^^^^eb^\r\n"
                              "^Gamma^^^^^^^^^^^^^^^eg^\r\n");
    TfrmMain& main = OpenMain();
    for (const TDDirectory& d : {Directory("DirA", "da"), Directory("DirB", "db")})
        main.FDirectories->Append(AsciiUpper(d.Title), std::make_unique<TDDirectory>(d));
    main.FillDirectories();

    // Add Delta.
    {
        TScriptedDialog<TfrmProject> add([](TfrmProject& d) {
            QTest::keyClicks(d.edtProjName, "Delta");
            QTest::keyClicks(d.edtEmail, "d@example.com");
            QTest::keyClicks(d.memDescription, "First");
            QTest::keyClick(d.memDescription, Qt::Key_Return);
            QTest::keyClicks(d.memDescription, "Second");
            EXPECT_TRUE(PressOk(d));
        });
        main.btnAddProject->click();
    }
    // Rename Beta to Bravo and move it to Berlin.
    main.FWorkspace->FProjectSelector->SelectByName("Beta");
    {
        TScriptedDialog<TfrmProject> edit([](TfrmProject& d) {
            EXPECT_EQ(Str(d.memTitles->toPlainText()), "T1\nT2");
            TypeInto(d.edtProjName, "Bravo");
            TypeInto(d.edtCity, "Berlin");
            EXPECT_TRUE(PressOk(d));
        });
        main.btnEditProject->click();
    }
    EXPECT_EQ(main.cbxProjects->Text(), "Bravo");
    // Delete Alpha.
    main.FWorkspace->FProjectSelector->SelectByName("alpha");
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.btnDeleteProject->click();

    // Add DirC, edit DirA, delete DirB.
    {
        TScriptedDialog<TfrmDirectory> add([](TfrmDirectory& d) {
            QTest::keyClicks(d.edtTitle, "DirC");
            QTest::keyClicks(d.edtPageRank, "6");
            EXPECT_TRUE(PressOk(d));
        });
        main.btnAddDirectory->click();
    }
    main.FWorkspace->FDirectoryList->SelectRow(0);
    {
        TScriptedDialog<TfrmDirectory> edit([](TfrmDirectory& d) {
            TypeInto(d.edtURL, "http://a.example/new");
            EXPECT_TRUE(PressOk(d));
        });
        main.btnEditDirectory->click();
    }
    main.FWorkspace->FDirectoryList->SelectRow(1);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.btnDeleteDirectory->click();

    TDProject bravo;
    bravo.ProjName = "Bravo";
    bravo.FirstName = "Bob";
    bravo.City = "Berlin";
    bravo.Titles = "T1$$T2";
    bravo.Extra = "eb";
    TDProject gamma;
    gamma.ProjName = "Gamma";
    gamma.Extra = "eg";
    TDProject delta;
    delta.ProjName = "Delta";
    delta.Email = "d@example.com";
    delta.Description = "First$$Second";
    const std::vector<TDProject> expectedProjects = {bravo, gamma, delta};

    TDDirectory dirA = Directory("DirA", "da");
    dirA.URL = "http://a.example/new";
    TDDirectory dirC;
    dirC.Title = "DirC";
    dirC.PageRank = "6";
    const std::vector<TDDirectory> expectedDirectories = {dirA, dirC};

    main.close();
    TDProjects reloaded;
    reloaded.LoadAll(Dir.Path());
    EXPECT_EQ(ProjectsOf(reloaded), expectedProjects);
    EXPECT_EQ(KeysOf(reloaded), (std::vector<std::string>{"BRAVO", "GAMMA", "DELTA"}));
    EXPECT_EQ(DirectoriesWrittenAtClose(Dir.Path()), expectedDirectories);
    EXPECT_EQ(TMessageBox::Shown().size(), 2u) << "only the two delete questions were asked";
}

TEST_F(Session, CaretsAndLineBreaksNeverReachTheFiles)
{
    TfrmMain& main = OpenMain();
    main.show();
    {
        TScriptedDialog<TfrmProject> add([](TfrmProject& d) {
            const auto lines = d.findChildren<QLineEdit*>();
            const auto memos = d.findChildren<TMemo*>();
            EXPECT_EQ(lines.size(), 12);
            EXPECT_EQ(memos.size(), 3);
            QTest::keyClicks(d.edtProjName, "N");
            for (QLineEdit* line : lines)
                EnterHostileText(line);
            for (TMemo* memo : memos)
                EnterHostileText(memo);
            EXPECT_EQ(Str(d.edtProjName->text()), "Npqrstu");
            EXPECT_EQ(Str(d.memTitles->toPlainText()), "pq\nr\nstu");
            EXPECT_TRUE(PressOk(d));
        });
        main.btnAddProject->click();
    }
    {
        TScriptedDialog<TfrmDirectory> add([](TfrmDirectory& d) {
            const auto lines = d.findChildren<QLineEdit*>();
            EXPECT_EQ(lines.size(), 6);
            for (QLineEdit* line : lines)
                EnterHostileText(line);
            EXPECT_TRUE(PressOk(d));
        });
        main.btnAddDirectory->click();
    }
    main.close();

    // One project line of sixteen fields, every one-line field "pqrstu", each memo two line breaks.
    const std::string file = Dir.Read("Projects.dat");
    EXPECT_EQ(std::count(file.begin(), file.end(), '^'), 17);
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 1);
    EXPECT_EQ(std::count(file.begin(), file.end(), '\r'), 1);
    TDProjects reloaded;
    reloaded.LoadAll(Dir.Path());
    ASSERT_EQ(reloaded.Count(), 1);
    const TDProject& p = reloaded.RecordAt(0);
    EXPECT_EQ(p.ProjName, "Npqrstu");
    for (const std::string* field : {&p.FirstName, &p.LastName, &p.Email, &p.Username, &p.Password, &p.Address,
                                     &p.City, &p.State, &p.Zip, &p.MainURL, &p.RecpURL})
        EXPECT_EQ(*field, "pqrstu");
    for (const std::string* memo : {&p.Titles, &p.Description, &p.Keywords})
        EXPECT_EQ(*memo, "pq$$r$$stu");

    std::string directories;
    EXPECT_TRUE(DecryptData(Dir.Read("Directories.dat"), directories));
    EXPECT_EQ(directories, "^pqrstu^pqrstu^pqrstu^pqrstu^pqrstu^pqrstu^^\r\n");
}
