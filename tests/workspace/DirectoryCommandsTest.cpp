#include "WorkspaceTestSupport.h"

#include "store/RecordText.h"
#include "workspace/DirectoryList.h"
#include "workspace/DirectoryListModel.h"
#include "workspace/FDirectory.h"

#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include <vector>

namespace {

TDDirectory Directory(const std::string& title, const std::string& pageRank = {}, const std::string& extra = {})
{
    TDDirectory d;
    d.Title = title;
    d.URL = "http://" + AsciiLower(title) + ".example/submit";
    d.Category = "Cat " + title;
    d.Type = "Free";
    d.PageRank = pageRank;
    d.AlexaRank = "100";
    d.Extra = extra;
    return d;
}

using TDirectoryScript = TScriptedDialog<TfrmDirectory>;

} // namespace

class DirectoryCommands : public TWorkspaceTest {
protected:
    // Opens the main window with these directories loaded and listed.
    TfrmMain& OpenWith(const std::vector<TDDirectory>& directories)
    {
        TfrmMain& main = OpenMain();
        for (const TDDirectory& d : directories)
            main.FDirectories->Append(AsciiUpper(d.Title), std::make_unique<TDDirectory>(d));
        main.FillDirectories();
        return main;
    }

    std::vector<std::string> Captions() const
    {
        std::vector<std::string> captions;
        for (const TDirectoryRow& row : Main->FWorkspace->FDirectoryModel->Rows())
            captions.push_back(row.Texts[TDirectoryRow::Caption]);
        return captions;
    }

    std::vector<std::string> Titles() const
    {
        std::vector<std::string> titles;
        for (int i = 0; i < Main->FDirectories->Count(); ++i)
            titles.push_back(Main->FDirectories->RecordAt(i).Title);
        return titles;
    }

    // Puts the list rows in the given order of captions, as a sort by a column would.
    void ShowRowsInOrder(const std::vector<std::string>& captions)
    {
        std::vector<TDirectoryRow> rows;
        for (const std::string& caption : captions)
            rows.push_back(TDirectoryRow::FromDirectory(
                Main->FDirectories->RecordAt(Main->FDirectories->FindKey(AsciiUpper(caption)))));
        Main->FWorkspace->FDirectoryModel->SetRows(std::move(rows));
    }

    int SelectedRow() const { return Main->FWorkspace->FDirectoryList->SelectedRow(); }
    std::string SelectedCaption() const
    {
        const int row = SelectedRow();
        return row < 0 ? std::string() : Main->FWorkspace->FDirectoryModel->Row(row).Texts[TDirectoryRow::Caption];
    }
};

TEST_F(DirectoryCommands, DialogLayoutAndKeys)
{
    TfrmMain& main = OpenWith({});
    TDirectoryScript script([](TfrmDirectory& d) {
        EXPECT_EQ(Str(d.windowTitle()), "Add Directory");
        EXPECT_EQ(d.size(), QSize(373, 235));
        EXPECT_EQ(d.EditIndex, -1);
        EXPECT_EQ(d.focusWidget(), d.bsSkinButton1) << "the dialog opens on Ok";
        const std::vector<std::pair<QLineEdit*, int>> fields = {
            {d.edtTitle, 13}, {d.edtURL, 43}, {d.edtCategory, 71},
            {d.edtType, 101}, {d.edtPageRank, 132}, {d.edtAlexaRank, 162}};
        for (const auto& [field, top] : fields)
            EXPECT_EQ(field->geometry(), QRect(79, top, 268, 21)) << Str(field->objectName());
        EXPECT_EQ(Str(d.edtCategory->accessibleName()), "Category");
        EXPECT_EQ(Str(d.edtAlexaRank->accessibleName()), "Alexa Rank");
        EXPECT_EQ(d.bsSkinButton1->geometry(), QRect(119, 194, 75, 25));
        EXPECT_EQ(d.bsSkinButton2->geometry(), QRect(200, 194, 75, 25));
        std::vector<std::string> labels;
        for (QLabel* label : d.findChildren<QLabel*>())
            labels.push_back(Str(label->text()));
        EXPECT_EQ(labels, (std::vector<std::string>{"Title:", "URL:", "Category", "Type:", "Page Rank:",
                                                    "Alexa Rank:"}));

        // No field limits its length.
        const QString longText(40000, QLatin1Char('u'));
        d.edtURL->insert(longText);
        EXPECT_EQ(d.edtURL->text().size(), longText.size());

        // Tab order: Ok, Cancel, then the fields from top to bottom.
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        d.bsSkinButton1->setFocus();
        std::vector<std::string> order;
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order.push_back(Str(QApplication::focusWidget()->objectName()));
        }
        EXPECT_EQ(order, (std::vector<std::string>{"bsSkinButton2", "edtTitle", "edtURL", "edtCategory", "edtType",
                                                   "edtPageRank", "edtAlexaRank", "bsSkinButton1"}));

        // Enter on the focused Ok and Esc press nothing.
        QTest::keyClick(d.bsSkinButton1, Qt::Key_Return);
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(TMessageBox::Shown().empty());
        Click(d.bsSkinButton2);
        EXPECT_EQ(d.result(), QDialog::Rejected);
    });
    main.btnAddDirectory->click();
    EXPECT_EQ(script.Runs(), 1);
    EXPECT_EQ(main.FDirectories->Count(), 0);
    EXPECT_EQ(main.FWorkspace->FDirectoryModel->rowCount(), 0);
}

TEST_F(DirectoryCommands, AddRefusesBlankAndDuplicateTitlesAndAppendsToASortedList)
{
    std::vector<TDDirectory> many;
    for (int i = 0; i < 40; ++i)
        many.push_back(Directory("Dir" + std::to_string(100 + i)));
    TfrmMain& main = OpenWith(many);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    EXPECT_EQ(Str(main.stpItems->text()), "40 directories listed");

    // A sort by some column has put the last directory first.
    std::vector<std::string> sorted;
    for (int i = 39; i >= 0; --i)
        sorted.push_back("Dir" + std::to_string(100 + i));
    ShowRowsInOrder(sorted);
    Main->FWorkspace->FDirectoryList->SelectRow(0);

    TDirectoryScript script([](TfrmDirectory& d) {
        EXPECT_EQ(PressOkForWarning(d), "Please specify a directory name!");
        d.edtTitle->insert(QStringLiteral(" \x01\t"));
        EXPECT_EQ(PressOkForWarning(d), "Please specify a directory name!");
        TypeInto(d.edtTitle, "dir105");
        EXPECT_EQ(PressOkForWarning(d), "This directory name already exists. Please specify a new name.");
        TypeInto(d.edtTitle, "dir105 ");
        QTest::keyClicks(d.edtURL, "http://new.example/add");
        QTest::keyClicks(d.edtCategory, "Business");
        QTest::keyClicks(d.edtType, "Paid");
        QTest::keyClicks(d.edtPageRank, "4");
        QTest::keyClicks(d.edtAlexaRank, "12345");
        EXPECT_TRUE(PressOk(d));
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    main.btnAddDirectory->click();

    ASSERT_EQ(main.FDirectories->Count(), 41);
    EXPECT_EQ(main.FDirectories->KeyAt(40), "DIR105 ");
    TDDirectory expected;
    expected.Title = "dir105 ";
    expected.URL = "http://new.example/add";
    expected.Category = "Business";
    expected.Type = "Paid";
    expected.PageRank = "4";
    expected.AlexaRank = "12345";
    EXPECT_EQ(main.FDirectories->RecordAt(40), expected);

    // The new row is the last one, selected and wholly in view, though the list was sorted.
    ASSERT_EQ(main.FWorkspace->FDirectoryModel->rowCount(), 41);
    EXPECT_EQ(main.FWorkspace->FDirectoryModel->Row(40), TDirectoryRow::FromDirectory(expected));
    EXPECT_EQ(main.FWorkspace->FDirectoryModel->Row(0).Texts[TDirectoryRow::Caption], "Dir139");
    EXPECT_EQ(SelectedRow(), 40);
    const QRect rowRect = main.lvwItems->visualRect(main.FWorkspace->FDirectoryModel->index(40, 0));
    EXPECT_TRUE(main.lvwItems->viewport()->rect().contains(rowRect)) << "row not scrolled into view";
    EXPECT_GT(main.lvwItems->verticalScrollBar()->value(), 0);
    EXPECT_EQ(Str(main.stpItems->text()), "40 directories listed") << "the count stays at its start-up value";

    // Cancel adds nothing.
    TDirectoryScript cancel([](TfrmDirectory& d) {
        QTest::keyClicks(d.edtTitle, "Never");
        Click(d.bsSkinButton2);
    });
    main.btnAddDirectory->click();
    EXPECT_EQ(main.FDirectories->Count(), 41);
    EXPECT_EQ(main.FWorkspace->FDirectoryModel->rowCount(), 41);
    EXPECT_EQ(SelectedRow(), 40);
}

TEST_F(DirectoryCommands, EditRewritesTheSelectedRowInPlace)
{
    TfrmMain& main = OpenWith({Directory("Alpha", "3", "x-a"), Directory("Beta", "5", "x-b"), Directory("Gamma", "", "x-g")});
    ShowRowsInOrder({"Gamma", "Beta", "Alpha"});

    // Nothing selected: nothing happens.
    main.btnEditDirectory->click();

    Main->FWorkspace->FDirectoryList->SelectRow(1); // Beta, collection index 1
    TDirectoryScript edit([](TfrmDirectory& d) {
        EXPECT_EQ(Str(d.windowTitle()), "Edit Directory");
        EXPECT_EQ(d.EditIndex, 1);
        EXPECT_EQ(d.focusWidget(), d.bsSkinButton1);
        EXPECT_EQ(Str(d.edtTitle->text()), "Beta");
        EXPECT_EQ(Str(d.edtURL->text()), "http://beta.example/submit");
        EXPECT_EQ(Str(d.edtCategory->text()), "Cat Beta");
        EXPECT_EQ(Str(d.edtType->text()), "Free");
        EXPECT_EQ(Str(d.edtPageRank->text()), "5");
        EXPECT_EQ(Str(d.edtAlexaRank->text()), "100");
        TypeInto(d.edtTitle, "   ");
        EXPECT_EQ(PressOkForWarning(d), "Please specify a directory name!");
        // Renaming onto another title is allowed in edit mode.
        TypeInto(d.edtTitle, "alpha");
        TypeInto(d.edtPageRank, "7");
        EXPECT_TRUE(PressOk(d));
    });
    main.btnEditDirectory->click();
    EXPECT_EQ(edit.Runs(), 1);

    EXPECT_EQ(Titles(), (std::vector<std::string>{"Alpha", "alpha", "Gamma"}));
    const TDDirectory& edited = main.FDirectories->RecordAt(1);
    EXPECT_EQ(edited.PageRank, "7");
    EXPECT_EQ(edited.Extra, "x-b");
    EXPECT_EQ(main.FDirectories->KeyAt(1), "ALPHA");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Gamma", "alpha", "Alpha"}));
    EXPECT_EQ(main.FWorkspace->FDirectoryModel->Row(1).Texts[TDirectoryRow::PageRank], "7");
    EXPECT_EQ(SelectedRow(), 1);

    // Either row of the shared title now reaches the first directory of that key.
    TDirectoryScript second([](TfrmDirectory& d) {
        EXPECT_EQ(d.EditIndex, 0);
        EXPECT_EQ(Str(d.edtPageRank->text()), "3");
        TypeInto(d.edtCategory, "Changed");
        Click(d.bsSkinButton2);
    });
    main.btnEditDirectory->click();
    EXPECT_EQ(second.Runs(), 1);
    EXPECT_EQ(main.FDirectories->RecordAt(0).Category, "Cat Alpha") << "Cancel changes nothing";
    EXPECT_EQ(main.FWorkspace->FDirectoryModel->Row(1).Texts[TDirectoryRow::Category], "Cat Beta");
}

TEST_F(DirectoryCommands, RowsShowWhatTheyShowedWhenAnotherRowOfTheirTitleChangesIt)
{
    TfrmMain& main = OpenWith({Directory("Alpha"), Directory("Beta")});
    Main->FWorkspace->FDirectoryList->SelectRow(1);
    TDirectoryScript rename([](TfrmDirectory& d) {
        TypeInto(d.edtTitle, "alpha");
        EXPECT_TRUE(PressOk(d));
    });
    main.btnEditDirectory->click();
    ASSERT_EQ(rename.Runs(), 1);

    // Row 1 now names the first directory of its key: an edit through it
    // changes that directory, and row 0, which showed it, stays as it was.
    TDirectoryScript change([](TfrmDirectory& d) {
        EXPECT_EQ(d.EditIndex, 0);
        TypeInto(d.edtCategory, "Changed");
        EXPECT_TRUE(PressOk(d));
    });
    main.btnEditDirectory->click();
    ASSERT_EQ(change.Runs(), 1);
    EXPECT_EQ(main.FDirectories->RecordAt(0).Category, "Changed");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Alpha", "Alpha"}));
    EXPECT_EQ(main.FWorkspace->FDirectoryModel->Row(0).Texts[TDirectoryRow::Category], "Cat Alpha");
    EXPECT_EQ(main.FWorkspace->FDirectoryModel->Row(1).Texts[TDirectoryRow::Category], "Changed");

    // Deleting through row 0 removes that directory; row 1 keeps showing it.
    Main->FWorkspace->FDirectoryList->SelectRow(0);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.btnDeleteDirectory->click();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"alpha"}));
    ASSERT_EQ(main.FWorkspace->FDirectoryModel->rowCount(), 1);
    EXPECT_EQ(main.FWorkspace->FDirectoryModel->Row(0).Texts[TDirectoryRow::Category], "Changed");
    EXPECT_EQ(SelectedCaption(), "Alpha");
}

TEST_F(DirectoryCommands, DeleteReselectsByCollectionIndex)
{
    TfrmMain& main = OpenWith({Directory("A"), Directory("B"), Directory("C"), Directory("D")});
    ShowRowsInOrder({"D", "C", "B", "A"});

    // Nothing selected: no question.
    main.btnDeleteDirectory->click();
    EXPECT_TRUE(TMessageBox::Shown().empty());

    // Cancel keeps everything.
    Main->FWorkspace->FDirectoryList->SelectRow(3);
    TMessageBox::SetNextAnswer(MsgResult::Cancel);
    main.btnDeleteDirectory->click();
    ASSERT_EQ(TMessageBox::Shown().size(), 1u);
    EXPECT_EQ(Str(TMessageBox::Shown()[0].Text), "Are you sure to delete the current directory?");
    EXPECT_EQ(TMessageBox::Shown()[0].Kind, mkInformation);
    EXPECT_EQ(TMessageBox::Shown()[0].Buttons, MsgButton::OK | MsgButton::Cancel);
    EXPECT_EQ(main.FDirectories->Count(), 4);
    EXPECT_EQ(SelectedRow(), 3);

    // Row 3 holds A, collection index 0: afterwards row 0 (D) is selected, no neighbour of it.
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.btnDeleteDirectory->click();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"B", "C", "D"}));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"D", "C", "B"}));
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(SelectedCaption(), "D");

    // D has collection index 2: no row 2 remains, so row 1 (B) is selected.
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.btnDeleteDirectory->click();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"C", "B"}));
    EXPECT_EQ(SelectedCaption(), "B");
    EXPECT_EQ(Str(main.stpItems->text()), "4 directories listed");
}

TEST_F(DirectoryCommands, DeleteLastAndOnlyRows)
{
    TfrmMain& main = OpenWith({Directory("A"), Directory("B"), Directory("C")});
    Main->FWorkspace->FDirectoryList->SelectRow(2);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.btnDeleteDirectory->click();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(SelectedCaption(), "B") << "deleting the last row selects the new last row";

    Main->FWorkspace->FDirectoryList->SelectRow(0);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.btnDeleteDirectory->click();
    EXPECT_EQ(SelectedCaption(), "B");
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.btnDeleteDirectory->click();
    EXPECT_EQ(main.FDirectories->Count(), 0);
    EXPECT_EQ(main.FWorkspace->FDirectoryModel->rowCount(), 0);
    EXPECT_EQ(SelectedRow(), -1);

    // With the list empty, Edit and Delete do nothing.
    const size_t shown = TMessageBox::Shown().size();
    main.btnEditDirectory->click();
    main.btnDeleteDirectory->click();
    EXPECT_EQ(TMessageBox::Shown().size(), shown);
}

TEST_F(DirectoryCommands, RowWhoseCaptionNamesNoDirectory)
{
    TfrmMain& main = OpenWith({Directory("Real")});
    TDirectoryRow ghost = TDirectoryRow::FromDirectory(Directory("Ghost"));
    main.FWorkspace->FDirectoryModel->AppendRow(ghost);
    Main->FWorkspace->FDirectoryList->SelectRow(1);

    // Edit opens no dialog (an opened one would fail the test).
    main.btnEditDirectory->click();
    EXPECT_TRUE(TMessageBox::Shown().empty());

    // Delete asks, then does nothing; the row stays.
    TMessageBox::SetNextAnswer(MsgResult::OK);
    main.btnDeleteDirectory->click();
    EXPECT_EQ(TMessageBox::Shown().size(), 1u);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Real", "Ghost"}));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Real"}));
    EXPECT_EQ(SelectedRow(), 1);
}

TEST_F(DirectoryCommands, RunsInTheRealModalLoop)
{
    TfrmMain& main = OpenWith({Directory("Old")});
    main.show();
    // No hook: the dialog runs its own modal loop, driven from a timer.
    const TModalHook previous = SetModalHook({});
    bool driven = false;
    QTimer driver;
    driver.setInterval(10);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<TfrmDirectory*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        driver.stop();
        driven = true;
        QTest::keyClicks(dialog->edtTitle, "New");
        Click(dialog->bsSkinButton1);
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            static_cast<QDialog*>(modal)->reject();
    });
    driver.start();
    deadline.start(10000);
    main.btnAddDirectory->click();
    SetModalHook(previous);
    EXPECT_TRUE(driven);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Old", "New"}));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Old", "New"}));
    EXPECT_EQ(SelectedRow(), 1);
}
