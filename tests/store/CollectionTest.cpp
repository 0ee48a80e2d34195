#include "store/RecordText.h"
#include "store/UGeneral.h"

#include <gtest/gtest.h>

namespace {

int AddProject(TDProjects& projects, const std::string& name)
{
    auto project = std::make_unique<TDProject>();
    project->ProjName = name;
    return projects.Append(AsciiUpper(name), std::move(project));
}

} // namespace

TEST(KeyedCollection, FindKeyIgnoresCaseAndTakesFirstMatch)
{
    TDProjects projects;
    EXPECT_EQ(projects.FindKey("ACME"), -1);
    AddProject(projects, "Acme");
    AddProject(projects, "other");
    AddProject(projects, "ACME");
    EXPECT_EQ(projects.KeyAt(0), "ACME");
    EXPECT_EQ(projects.FindKey("acme"), 0);
    EXPECT_EQ(projects.FindKey("ACME"), 0);
    EXPECT_EQ(projects.FindKey("OTHER"), 1);
    EXPECT_EQ(projects.FindKey("ACM"), -1);
    EXPECT_EQ(projects.Count(), 3);
}

TEST(KeyedCollection, EmptyAndNonAsciiKeys)
{
    TDProjects projects;
    AddProject(projects, "x");
    AddProject(projects, "");
    EXPECT_EQ(projects.FindKey(""), 1);

    // UTF-8 bytes of "café" keep their bytes in the key; a look-up that
    // differs only in the case of the accented letter still finds it.
    const std::string cafe = "caf\xc3\xa9";
    AddProject(projects, cafe);
    EXPECT_EQ(projects.KeyAt(2), "CAF\xc3\xa9");
    EXPECT_EQ(projects.FindKey("CAF\xc3\x89"), 2);
}

TEST(KeyedCollection, RemoveSetKeyAndBadIndexes)
{
    TDProjects projects;
    AddProject(projects, "a");
    AddProject(projects, "b");
    AddProject(projects, "c");
    projects.RemoveAt(0);
    ASSERT_EQ(projects.Count(), 2);
    EXPECT_EQ(projects.RecordAt(0).ProjName, "b");
    EXPECT_EQ(projects.RecordAt(1).ProjName, "c");

    projects.SetKey(1, "B");
    EXPECT_EQ(projects.FindKey("b"), 0); // first of two equal keys wins
    EXPECT_EQ(projects.RecordAt(1).ProjName, "c");

    // Records are reached in place, not copied.
    projects.RecordAt(0).City = "Springfield";
    EXPECT_EQ(projects.RecordAt(0).City, "Springfield");

    EXPECT_THROW(projects.RecordAt(2), std::out_of_range);
    EXPECT_THROW(projects.RecordAt(-1), std::out_of_range);
    EXPECT_THROW(projects.SetKey(2, "X"), std::out_of_range);
    EXPECT_THROW(projects.RemoveAt(5), std::out_of_range);
    EXPECT_EQ(projects.Count(), 2);
    EXPECT_EQ(projects.KeyAt(1), "B");
}
