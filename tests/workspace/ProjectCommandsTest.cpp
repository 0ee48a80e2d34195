#include "WorkspaceTestSupport.h"

#include "toolkit/Memo.h"
#include "toolkit/SortedComboBox.h"
#include "workspace/FProject.h"

#include <QLabel>
#include <QTabBar>
#include <QTabWidget>

#include <vector>

namespace {

// A projects file line: name, first name, city and Extra set, the rest empty.
std::string ProjectLine(const std::string& name, const std::string& extra = {},
                        const std::string& firstName = {}, const std::string& city = {})
{
    // Order in the file: ProjName FirstName LastName Email Username Password
    // Address City State Zip MainURL Titles Keywords Description RecpURL Extra.
    return "^" + name + "^" + firstName + "^^^^^^" + city + "^^^^^^^^" + extra + "^\r\n";
}

std::vector<std::string> SelectorEntries(const TSortedComboBox& box)
{
    std::vector<std::string> entries;
    for (int i = 0; i < box.EntryCount(); ++i)
        entries.push_back(box.EntryAt(i));
    return entries;
}

using TProjectScript = TScriptedDialog<TfrmProject>;

} // namespace

class ProjectCommands : public TWorkspaceTest {};

TEST_F(ProjectCommands, DialogLayoutAndKeys)
{
    Dir.Write("Projects.dat", ProjectLine("Site", "", "Ann"));
    TfrmMain& main = OpenMain();

    TProjectScript script([](TfrmProject& d) {
        EXPECT_EQ(Str(d.windowTitle()), "Add Project");
        EXPECT_EQ(d.size(), QSize(485, 413));
        EXPECT_EQ(d.focusWidget(), d.edtProjName);
        EXPECT_EQ(d.EditIndex, -1);
        EXPECT_EQ(d.edtProjName->geometry(), QRect(83, 8, 126, 21));
        EXPECT_EQ(d.bsSkinPageControl1->geometry(), QRect(8, 36, 457, 333));
        EXPECT_EQ(d.bsSkinPageControl1->currentIndex(), 0);
        EXPECT_EQ(Str(d.bsSkinPageControl1->tabText(0)), "Personal Information");
        EXPECT_EQ(Str(d.bsSkinPageControl1->tabText(1)), "Website Information");
        EXPECT_EQ(d.edtFirstName->geometry(), QRect(104, 13, 338, 21));
        EXPECT_EQ(d.edtPassword->geometry(), QRect(104, 144, 338, 21));
        EXPECT_EQ(d.edtZip->geometry(), QRect(104, 275, 338, 21));
        EXPECT_EQ(d.edtMainURL->geometry(), QRect(97, 13, 345, 21));
        EXPECT_EQ(d.edtRecpURL->geometry(), QRect(97, 37, 345, 21));
        EXPECT_EQ(d.memTitles->geometry(), QRect(12, 85, 430, 55));
        EXPECT_EQ(d.memDescription->geometry(), QRect(12, 166, 430, 55));
        EXPECT_EQ(d.memKeywords->geometry(), QRect(12, 248, 430, 55));
        EXPECT_EQ(d.bsSkinButton1->geometry(), QRect(157, 378, 75, 25));
        EXPECT_EQ(Str(d.bsSkinButton1->text()), "Ok");
        EXPECT_EQ(d.bsSkinButton2->geometry(), QRect(238, 378, 75, 25));
        EXPECT_EQ(Str(d.bsSkinButton2->text()), "Cancel");

        // Labels, as the user reads them, name their fields for assistive technology.
        EXPECT_EQ(Str(d.edtState->accessibleName()), "State/Province");
        EXPECT_EQ(Str(d.edtZip->accessibleName()), "Zip/Postal Code");
        EXPECT_EQ(Str(d.memKeywords->accessibleName()),
                  "Specify the keywords, one set per line. It will be posted in this order:");
        EXPECT_EQ(Str(d.lblProjName->text()), "Project Name:");

        // The name takes 15 characters; the password shows as typed.
        QTest::keyClicks(d.edtProjName, "abcdefghijklmnopqrst");
        EXPECT_EQ(Str(d.edtProjName->text()), "abcdefghijklmno");
        EXPECT_EQ(d.edtPassword->echoMode(), QLineEdit::Normal);
        const QString longText(40000, QLatin1Char('x'));
        d.edtEmail->insert(longText);
        EXPECT_EQ(d.edtEmail->text().size(), longText.size());

        // Neither Esc nor Enter presses a button (Enter on Ok would warn about the name).
        d.edtProjName->clear();
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        d.bsSkinButton1->setFocus();
        QTest::keyClick(d.bsSkinButton1, Qt::Key_Return);
        QTest::keyClick(d.bsSkinButton1, Qt::Key_Enter);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(TMessageBox::Shown().empty());

        // The frame's close box counts as Cancel.
        d.close();
    });
    main.btnAddProject->click();
    EXPECT_EQ(script.Runs(), 1);
    EXPECT_EQ(main.FProjects->Count(), 1);
}

TEST_F(ProjectCommands, TabOrderRunsThroughNamePagesAndButtons)
{
    TfrmMain& main = OpenMain();
    TProjectScript script([](TfrmProject& d) {
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        d.edtProjName->setFocus();
        auto walk = [&d](int steps) {
            std::vector<std::string> names;
            for (int i = 0; i < steps; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QWidget* focus = QApplication::focusWidget();
                names.push_back(focus == d.bsSkinPageControl1->tabBar() ? "tabs" : Str(focus->objectName()));
            }
            return names;
        };
        EXPECT_EQ(walk(14), (std::vector<std::string>{"tabs", "edtFirstName", "edtLastName", "edtEmail",
                                                      "edtUsername", "edtPassword", "edtAddress", "edtCity",
                                                      "edtState", "edtZip", "bsSkinButton1", "bsSkinButton2",
                                                      "edtProjName", "tabs"}));
        d.bsSkinPageControl1->setCurrentIndex(1);
        d.bsSkinPageControl1->tabBar()->setFocus();
        EXPECT_EQ(walk(9), (std::vector<std::string>{"edtMainURL", "edtRecpURL", "memTitles", "memDescription",
                                                     "memKeywords", "bsSkinButton1", "bsSkinButton2",
                                                     "edtProjName", "tabs"}));
        Click(d.bsSkinButton2);
    });
    main.btnAddProject->click();
    EXPECT_EQ(script.Runs(), 1);
}

TEST_F(ProjectCommands, AddRefusesBlankAndDuplicateNamesAndStoresEveryField)
{
    Dir.Write("Projects.dat", ProjectLine("ABC"));
    TfrmMain& main = OpenMain();

    TProjectScript script([](TfrmProject& d) {
        TypeInto(d.edtProjName, "   ");
        EXPECT_EQ(PressOkForWarning(d), "Please specify a project name!");
        TypeInto(d.edtProjName, "abc");
        EXPECT_EQ(PressOkForWarning(d), "This project name already exists. Please specify a new name.");

        TypeInto(d.edtProjName, " abc");
        QTest::keyClicks(d.edtFirstName, "Ann");
        QTest::keyClicks(d.edtLastName, "Lee");
        QTest::keyClicks(d.edtEmail, "ann@example.com");
        QTest::keyClicks(d.edtUsername, "ann");
        QTest::keyClicks(d.edtPassword, "s3cret pw");
        QTest::keyClicks(d.edtAddress, "1 Main St");
        QTest::keyClicks(d.edtCity, "Springfield");
        QTest::keyClicks(d.edtState, "IL");
        QTest::keyClicks(d.edtZip, "62701");
        QTest::keyClicks(d.edtMainURL, "http://example.com/");
        QTest::keyClicks(d.edtRecpURL, "http://example.com/links");
        QTest::keyClicks(d.memTitles, "Title A");
        QTest::keyClick(d.memTitles, Qt::Key_Return);
        QTest::keyClicks(d.memTitles, "Title B");
        QTest::keyClick(d.memTitles, Qt::Key_Return);
        QTest::keyClicks(d.memDescription, "Only line");
        QTest::keyClicks(d.memKeywords, "k1, k2");
        QTest::keyClick(d.memKeywords, Qt::Key_Return);
        QTest::keyClick(d.memKeywords, Qt::Key_Return);
        EXPECT_TRUE(PressOk(d));
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    main.btnAddProject->click();

    ASSERT_EQ(main.FProjects->Count(), 2);
    EXPECT_EQ(main.FProjects->KeyAt(1), " ABC") << "the key keeps the leading blank";
    TDProject expected;
    expected.ProjName = " abc";
    expected.FirstName = "Ann";
    expected.LastName = "Lee";
    expected.Email = "ann@example.com";
    expected.Username = "ann";
    expected.Password = "s3cret pw";
    expected.Address = "1 Main St";
    expected.City = "Springfield";
    expected.State = "IL";
    expected.Zip = "62701";
    expected.MainURL = "http://example.com/";
    expected.RecpURL = "http://example.com/links";
    expected.Titles = "Title A$$Title B";
    expected.Description = "Only line";
    expected.Keywords = "k1, k2$$";
    EXPECT_EQ(main.FProjects->RecordAt(1), expected);

    // The new project is selected by the name typed.
    EXPECT_EQ(SelectorEntries(*main.cbxProjects), (std::vector<std::string>{" abc", "ABC"}));
    EXPECT_EQ(main.cbxProjects->SelectedPosition(), 0);
    EXPECT_EQ(main.cbxProjects->Text(), " abc");
    EXPECT_EQ(main.CurrentProjectIndex(), 1);

    // Reopened, the titles show as the two lines typed.
    TProjectScript reopen([](TfrmProject& d) {
        EXPECT_EQ(Str(d.windowTitle()), "Edit Project");
        EXPECT_EQ(d.EditIndex, 1);
        EXPECT_EQ(d.focusWidget(), d.edtProjName);
        EXPECT_EQ(d.bsSkinPageControl1->currentIndex(), 0);
        EXPECT_EQ(Str(d.memTitles->toPlainText()), "Title A\nTitle B");
        EXPECT_EQ(d.memTitles->blockCount(), 2);
        EXPECT_EQ(Str(d.memKeywords->toPlainText()), "k1, k2\n");
        EXPECT_EQ(Str(d.edtPassword->text()), "s3cret pw");
        Click(d.bsSkinButton2);
    });
    main.btnEditProject->click();
    EXPECT_EQ(reopen.Runs(), 1);
}

TEST_F(ProjectCommands, EditRewritesInPlaceKeepsExtraAndMayRenameOntoAnotherName)
{
    Dir.Write("Projects.dat", ProjectLine("Alpha", "extra A", "Ann") + ProjectLine("Beta", "extra B", "Bob", "Bonn")
                                  + ProjectLine("Gamma", "extra G"));
    TfrmMain& main = OpenMain();
    main.cbxProjects->SelectPosition(1); // Beta

    // A blank name is refused in edit mode too.
    {
        TProjectScript script([](TfrmProject& d) {
            EXPECT_EQ(Str(d.edtProjName->text()), "Beta");
            EXPECT_EQ(Str(d.edtFirstName->text()), "Bob");
            TypeInto(d.edtProjName, "   ");
            EXPECT_EQ(PressOkForWarning(d), "Please specify a project name!");
            Click(d.bsSkinButton2);
        });
        main.btnEditProject->click();
        EXPECT_EQ(script.Runs(), 1);
    }
    EXPECT_EQ(main.FProjects->RecordAt(1).ProjName, "Beta");
    // The cancelled dialog's name field held blanks: no entry has them.
    EXPECT_EQ(main.cbxProjects->SelectedPosition(), -1);
    EXPECT_EQ(main.cbxProjects->Text(), "Alpha");

    main.cbxProjects->SelectPosition(1);
    TProjectScript rename([](TfrmProject& d) {
        EXPECT_EQ(d.EditIndex, 1);
        TypeInto(d.edtProjName, "alpha");
        TypeInto(d.edtCity, "Berlin");
        EXPECT_TRUE(PressOk(d));
    });
    main.btnEditProject->click();

    ASSERT_EQ(main.FProjects->Count(), 3);
    const TDProject& renamed = main.FProjects->RecordAt(1);
    EXPECT_EQ(renamed.ProjName, "alpha");
    EXPECT_EQ(renamed.FirstName, "Bob");
    EXPECT_EQ(renamed.City, "Berlin");
    EXPECT_EQ(renamed.Extra, "extra B");
    EXPECT_EQ(main.FProjects->KeyAt(1), "ALPHA");
    EXPECT_EQ(main.FProjects->RecordAt(0).ProjName, "Alpha");
    EXPECT_EQ(SelectorEntries(*main.cbxProjects), (std::vector<std::string>{"Alpha", "alpha", "Gamma"}));
    // Both names stay; the look-up finds the first in collection order.
    EXPECT_EQ(main.CurrentProjectIndex(), 0);
    EXPECT_EQ(main.FProjects->FindKey("ALPHA"), 0);
}

TEST_F(ProjectCommands, CancelledDialogsChangeNothingAndSelectByTheNameField)
{
    Dir.Write("Projects.dat", ProjectLine("beta", "", "Bob") + ProjectLine("Alpha"));
    TfrmMain& main = OpenMain();
    const std::string fileBefore = Dir.Read("Projects.dat");
    main.cbxProjects->SelectPosition(1); // beta

    // Cancelled with the name of an existing project typed: that project is selected.
    {
        TProjectScript script([](TfrmProject& d) {
            QTest::keyClicks(d.edtProjName, "BETA");
            QTest::keyClicks(d.edtFirstName, "Zed");
            Click(d.bsSkinButton2);
            EXPECT_EQ(d.result(), QDialog::Rejected);
        });
        main.btnAddProject->click();
    }
    EXPECT_EQ(main.FProjects->Count(), 2);
    EXPECT_EQ(main.cbxProjects->SelectedPosition(), 1);
    EXPECT_EQ(main.cbxProjects->Text(), "beta");

    // Cancelled with a new name: the refill selects the first name, then nothing.
    {
        TProjectScript script([](TfrmProject& d) {
            QTest::keyClicks(d.edtProjName, "Zeta");
            d.close();
        });
        main.btnAddProject->click();
    }
    EXPECT_EQ(main.FProjects->Count(), 2);
    EXPECT_EQ(main.cbxProjects->SelectedPosition(), -1);
    EXPECT_EQ(main.cbxProjects->Text(), "Alpha");
    // The selector shows no project, so commands act on none.
    EXPECT_EQ(main.CurrentProjectIndex(), -1);

    // Edit opens no dialog on a project that is not shown (any dialog would
    // fail the test as an unexpected window), and says why.
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.btnEditProject->click();
    ASSERT_EQ(TMessageBox::Shown().size(), 1u);
    EXPECT_NE(LastMessage().find("Select a project first"), std::string::npos);
    EXPECT_EQ(main.FProjects->RecordAt(1).FirstName, "");
    EXPECT_EQ(main.FProjects->RecordAt(1).ProjName, "Alpha");
    TMessageBox::ClearScript();

    // With the name left as it was, the same project is selected again.
    main.cbxProjects->SelectPosition(1);
    {
        TProjectScript script([](TfrmProject& d) {
            TypeInto(d.edtFirstName, "Changed");
            Click(d.bsSkinButton2);
        });
        main.btnEditProject->click();
    }
    EXPECT_EQ(main.FProjects->RecordAt(0).FirstName, "Bob");
    EXPECT_EQ(main.cbxProjects->Text(), "beta");
    EXPECT_EQ(main.cbxProjects->SelectedPosition(), 1);

    EXPECT_TRUE(TMessageBox::Shown().empty());
    EXPECT_EQ(Dir.Read("Projects.dat"), fileBefore) << "nothing is written before the close";
}

TEST_F(ProjectCommands, DeleteReselectsByCollectionIndex)
{
    // Collection order beta (0), gamma (1), Alpha (2); sorted Alpha, beta, gamma.
    Dir.Write("Projects.dat", ProjectLine("beta") + ProjectLine("gamma") + ProjectLine("Alpha"));
    TfrmMain& main = OpenMain();
    ASSERT_EQ(main.cbxProjects->Text(), "Alpha");

    // Cancel leaves everything.
    TMessageBox::SetNextAnswer(MsgResult::Cancel);
    main.btnDeleteProject->click();
    ASSERT_EQ(TMessageBox::Shown().size(), 1u);
    EXPECT_EQ(Str(TMessageBox::Shown()[0].Text), "Are you sure to delete the current project?");
    EXPECT_EQ(TMessageBox::Shown()[0].Kind, mkInformation);
    EXPECT_EQ(TMessageBox::Shown()[0].Buttons, MsgButton::OK | MsgButton::Cancel);
    EXPECT_EQ(main.FProjects->Count(), 3);
    EXPECT_EQ(main.cbxProjects->EntryCount(), 3);

    // OK: Alpha goes; position 2 does not exist among beta, gamma, so gamma at 1 is selected.
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.btnDeleteProject->click();
    ASSERT_EQ(main.FProjects->Count(), 2);
    EXPECT_EQ(main.FProjects->RecordAt(0).ProjName, "beta");
    EXPECT_EQ(main.FProjects->RecordAt(1).ProjName, "gamma");
    EXPECT_EQ(SelectorEntries(*main.cbxProjects), (std::vector<std::string>{"beta", "gamma"}));
    EXPECT_EQ(main.cbxProjects->SelectedPosition(), 1);
    EXPECT_EQ(main.cbxProjects->Text(), "gamma");

    // gamma (collection index 1) goes: position 1 is gone, position 0 (beta) is selected.
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.btnDeleteProject->click();
    EXPECT_EQ(SelectorEntries(*main.cbxProjects), (std::vector<std::string>{"beta"}));
    EXPECT_EQ(main.cbxProjects->Text(), "beta");

    // The only project goes: nothing selected, the text empty.
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.btnDeleteProject->click();
    EXPECT_EQ(main.FProjects->Count(), 0);
    EXPECT_EQ(main.cbxProjects->EntryCount(), 0);
    EXPECT_EQ(main.cbxProjects->SelectedPosition(), -1);
    EXPECT_EQ(main.cbxProjects->Text(), "");

    // With no projects, Delete does nothing and asks nothing; Edit says why it does nothing.
    const size_t shown = TMessageBox::Shown().size();
    main.btnDeleteProject->click();
    EXPECT_EQ(TMessageBox::Shown().size(), shown);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.btnEditProject->click();
    ASSERT_EQ(TMessageBox::Shown().size(), shown + 1);
    EXPECT_NE(LastMessage().find("Select a project first"), std::string::npos);
}

TEST_F(ProjectCommands, DeleteWithNothingSelectedAsksNothing)
{
    Dir.Write("Projects.dat", ProjectLine("Alpha") + ProjectLine("Beta"));
    TfrmMain& main = OpenMain();
    main.cbxProjects->SelectPosition(-1);
    main.btnDeleteProject->click();
    EXPECT_TRUE(TMessageBox::Shown().empty());
    EXPECT_EQ(main.FProjects->Count(), 2);

    // Selected, but the text names no project (after a cancelled add that typed an unknown
    // name the text stays on the first name; here it is set to a name no project has).
    main.cbxProjects->SelectPosition(0);
    main.cbxProjects->SetText("Nobody");
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.btnDeleteProject->click();
    EXPECT_EQ(TMessageBox::Shown().size(), 1u);
    EXPECT_EQ(main.FProjects->Count(), 2);
    EXPECT_EQ(main.cbxProjects->EntryCount(), 2);
}
