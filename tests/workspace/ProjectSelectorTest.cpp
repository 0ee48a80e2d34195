#include "store/RecordText.h"
#include "store/TDProjects.h"
#include "toolkit/SortedComboBox.h"
#include "workspace/ProjectSelector.h"

#include <gtest/gtest.h>

namespace {

void Add(TDProjects& projects, const std::string& name, const std::string& city = {})
{
    auto p = std::make_unique<TDProject>();
    p->ProjName = name;
    p->City = city;
    projects.Append(AsciiUpper(name), std::move(p));
}

} // namespace

TEST(ProjectSelector, NoProjectsMeansNoCurrentProject)
{
    TDProjects projects;
    TSortedComboBox box;
    TProjectSelector selector(box, projects);
    selector.FillProjects();
    EXPECT_EQ(box.EntryCount(), 0);
    EXPECT_EQ(box.SelectedPosition(), -1);
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(selector.CurrentProjectIndex(), -1);
}

TEST(ProjectSelector, SelectByNameMissKeepsTheText)
{
    TDProjects projects;
    Add(projects, "beta");
    Add(projects, "Alpha");
    Add(projects, "gamma");
    TSortedComboBox box;
    TProjectSelector selector(box, projects);
    selector.FillProjects();
    EXPECT_EQ(box.Text(), "Alpha");

    selector.SelectByName("GAMMA");
    EXPECT_EQ(box.SelectedPosition(), 2);
    EXPECT_EQ(selector.CurrentProjectIndex(), 2);

    // A cancelled add with an empty name: refill, then nothing matches.
    selector.FillProjects();
    selector.SelectByName("");
    EXPECT_EQ(box.SelectedPosition(), -1);
    EXPECT_EQ(box.currentText(), "");
    EXPECT_EQ(box.Text(), "Alpha");
    EXPECT_EQ(selector.CurrentProjectIndex(), -1); // commands act on no project: none is shown
}

TEST(ProjectSelector, DuplicateNamesFindTheFirstInCollectionOrder)
{
    TDProjects projects;
    Add(projects, "Same", "first");
    Add(projects, "Other");
    Add(projects, "same", "second");
    TSortedComboBox box;
    TProjectSelector selector(box, projects);
    selector.FillProjects();
    ASSERT_EQ(box.EntryCount(), 3);
    for (int position : {1, 2}) {
        box.SelectPosition(position);
        const int index = selector.CurrentProjectIndex();
        ASSERT_GE(index, 0);
        EXPECT_EQ(projects.RecordAt(index).City, "first");
    }
}
