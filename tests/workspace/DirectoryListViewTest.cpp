#include "store/RecordText.h"
#include "store/UGeneral.h"
#include "toolkit/ListView.h"
#include "workspace/DirectoryList.h"
#include "workspace/DirectoryListModel.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

struct TEntry {
    const char* Title;
    const char* PageRank;
    const char* AlexaRank;
};

struct TListFixture {
    TDDirectories Directories;
    TDirectoryListModel Model;
    TListView View;
    TDirectoryList List{View, Model, Directories};

    explicit TListFixture(std::vector<TEntry> entries)
    {
        for (const TEntry& t : entries) {
            auto d = std::make_unique<TDDirectory>();
            d->Title = t.Title;
            d->PageRank = t.PageRank;
            d->AlexaRank = t.AlexaRank;
            d->URL = std::string("http://") + t.Title + ".example/";
            std::string key = AsciiUpper(d->Title);
            Directories.Append(std::move(key), std::move(d));
        }
        View.setModel(&Model);
        View.resize(600, 300);
        List.FillDirectories();
    }

    std::vector<std::string> Titles() const
    {
        std::vector<std::string> out;
        for (const TDirectoryRow& row : Model.Rows())
            out.push_back(row.Texts[TDirectoryRow::Caption]);
        return out;
    }
};

using Titles = std::vector<std::string>;

} // namespace

TEST(DirectoryListSort, HeaderClicksSortAndReverse)
{
    TListFixture f(std::vector<TEntry>{{"ten", "10", "5"}, {"nine", "9", "50"}, {"empty", "", "7"}, {"zero", "0", "1"}});
    EXPECT_EQ(f.List.SortColumn(), -1);
    f.List.ColumnClick(3); // PR
    EXPECT_EQ(f.Titles(), (Titles{"empty", "zero", "nine", "ten"}));
    EXPECT_EQ(f.View.horizontalHeader()->sortIndicatorSection(), 3);
    EXPECT_EQ(f.View.horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_TRUE(f.View.horizontalHeader()->isSortIndicatorShown());
    f.List.ColumnClick(3); // again: reversed
    EXPECT_TRUE(f.List.SortDescending());
    EXPECT_EQ(f.Titles(), (Titles{"ten", "nine", "empty", "zero"}));
    EXPECT_EQ(f.View.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    f.List.ColumnClick(4); // Alexa, keeping the descending direction
    EXPECT_EQ(f.List.SortColumn(), 4);
    EXPECT_TRUE(f.List.SortDescending());
    EXPECT_EQ(f.Titles(), (Titles{"nine", "empty", "ten", "zero"}));
    EXPECT_EQ(f.View.horizontalHeader()->sortIndicatorSection(), 4);
    // The collection keeps its order.
    EXPECT_EQ(f.Directories.RecordAt(0).Title, "ten");
    EXPECT_EQ(f.Directories.RecordAt(3).Title, "zero");
}

TEST(DirectoryListSort, SelectionFollowsItsRowAndLaterRowsStayPut)
{
    TListFixture f(std::vector<TEntry>{{"b", "2", ""}, {"c", "3", ""}, {"a", "1", ""}});
    f.List.SelectRow(0); // "b"
    f.List.ColumnClick(0);
    EXPECT_EQ(f.Titles(), (Titles{"a", "b", "c"}));
    EXPECT_EQ(f.List.SelectedRow(), 1);
    EXPECT_EQ(f.List.SelectedDirectoryIndex(), 0);
    std::string url;
    ASSERT_TRUE(f.List.SelectedURL(url));
    EXPECT_EQ(url, "http://b.example/");

    // Appended and rewritten rows are not sorted in until the next click.
    TDirectoryRow row;
    row.Texts[TDirectoryRow::Caption] = "0 first";
    f.List.AppendItem(row);
    EXPECT_EQ(f.Titles(), (Titles{"a", "b", "c", "0 first"}));
    EXPECT_EQ(f.List.SelectedRow(), 3);
    f.List.SelectRow(0);
    row.Texts[TDirectoryRow::Caption] = "zz";
    f.List.RewriteSelectedItem(row);
    EXPECT_EQ(f.Titles(), (Titles{"zz", "b", "c", "0 first"}));
    f.List.ColumnClick(0); // reversed: descending
    EXPECT_EQ(f.Titles(), (Titles{"zz", "c", "b", "0 first"}));
}

TEST(DirectoryListSort, DeletingInASortedListReselectsByCollectionIndex)
{
    TListFixture f(std::vector<TEntry>{{"d", "", ""}, {"c", "", ""}, {"b", "", ""}, {"a", "", ""}});
    f.List.ColumnClick(0); // a b c d
    f.List.SelectRow(1);   // "b", collection index 2
    const int index = f.List.SelectedDirectoryIndex();
    ASSERT_EQ(index, 2);
    f.Directories.RemoveAt(index);
    f.List.RemoveSelectedItem(index);
    EXPECT_EQ(f.Titles(), (Titles{"a", "c", "d"}));
    EXPECT_EQ(f.List.SelectedRow(), 2); // position 2, not a neighbour of the removed row
}

TEST(DirectoryListSort, ClickOnTheRealHeaderSorts)
{
    TListFixture f(std::vector<TEntry>{{"b", "", ""}, {"a", "", ""}});
    QObject::connect(f.View.horizontalHeader(), &QHeaderView::sectionClicked,
                     [&](int column) { f.List.ColumnClick(column); });
    f.View.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.View));
    QHeaderView* header = f.View.horizontalHeader();
    const QPoint onTitle(header->sectionViewportPosition(0) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onTitle);
    EXPECT_EQ(f.Titles(), (Titles{"a", "b"}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onTitle);
    EXPECT_EQ(f.Titles(), (Titles{"b", "a"}));
    // Dragging a column elsewhere leaves the sort on the same logical column.
    header->moveSection(0, 4);
    f.List.ColumnClick(header->logicalIndex(4));
    EXPECT_EQ(f.List.SortColumn(), 0);
    EXPECT_EQ(f.Titles(), (Titles{"a", "b"}));
}
