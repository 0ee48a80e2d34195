#include "TestSupport.h"

#include "store/RecordText.h"
#include "store/FileIO.h"
#include "store/UGeneral.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

TDProject FullProject(const std::string& name)
{
    TDProject p;
    p.ProjName = name;
    p.FirstName = "Ann";
    p.LastName = "Lee";
    p.Email = "ann@example.com";
    p.Username = "ann";
    p.Password = "s3cret";
    p.Address = "1 Main St";
    p.City = "Springfield";
    p.State = "IL";
    p.Zip = "62701";
    p.MainURL = "http://example.com/";
    p.RecpURL = "http://example.com/links";
    p.Titles = "Title A$$Title B";
    p.Description = "Desc";
    p.Keywords = "k1, k2";
    p.Extra = "kept";
    return p;
}

void Add(TDProjects& projects, const TDProject& p)
{
    projects.Append(AsciiUpper(p.ProjName), std::make_unique<TDProject>(p));
}

} // namespace

TEST(ProjectsFile, FieldOrderAndRoundTrip)
{
    TTempAppDir dir;
    TDProjects projects;
    Add(projects, FullProject("Site"));
    projects.SaveAll(dir.Path());
    EXPECT_EQ(dir.Read("Projects.dat"),
              "^Site^Ann^Lee^ann@example.com^ann^s3cret^1 Main St^Springfield^IL^62701^"
              "http://example.com/^Title A$$Title B^k1, k2^Desc^http://example.com/links^kept^\r\n");

    TDProjects loaded;
    loaded.LoadAll(dir.Path());
    ASSERT_EQ(loaded.Count(), 1);
    EXPECT_EQ(loaded.RecordAt(0), FullProject("Site"));
    EXPECT_EQ(loaded.KeyAt(0), "SITE");
}

TEST(ProjectsFile, EmptyCollectionAndEmptyFields)
{
    TTempAppDir dir;
    TDProjects none;
    none.SaveAll(dir.Path());
    ASSERT_TRUE(dir.Exists("Projects.dat"));
    EXPECT_EQ(dir.Read("Projects.dat"), "");
    TDProjects loaded;
    loaded.LoadAll(dir.Path());
    EXPECT_EQ(loaded.Count(), 0);

    TDProjects blank;
    Add(blank, TDProject{});
    blank.SaveAll(dir.Path());
    EXPECT_EQ(dir.Read("Projects.dat"), std::string(17, '^') + "\r\n");
    TDProjects back;
    back.LoadAll(dir.Path());
    ASSERT_EQ(back.Count(), 1);
    EXPECT_EQ(back.RecordAt(0), TDProject{});
    EXPECT_EQ(back.FindKey(""), 0);
}

TEST(ProjectsFile, MissingFileAddsNothing)
{
    TTempAppDir dir;
    TDProjects projects;
    projects.LoadAll(dir.Path());
    EXPECT_EQ(projects.Count(), 0);
    EXPECT_FALSE(dir.Exists("Projects.dat"));
}

TEST(ProjectsFile, ForeignLinesLoadLikeOurOwn)
{
    TDProjects projects;
    projects.LoadFromText(
        "^One^a^b\n"   // LF line end, missing final caret
        "\r\n"         // blank
        "   \t \r"     // blank, lone CR
        // text before the first and after the last caret
        "junk^Two^" + std::string(14, '^') + "x^more^\r\n"
        "no caret at all\r\n"
        "^One^dup^\r\n");
    ASSERT_EQ(projects.Count(), 4);
    EXPECT_EQ(projects.RecordAt(0).ProjName, "One");
    EXPECT_EQ(projects.RecordAt(0).FirstName, "a");
    EXPECT_EQ(projects.RecordAt(0).LastName, "b");
    EXPECT_EQ(projects.RecordAt(0).Extra, "");
    EXPECT_EQ(projects.RecordAt(1).ProjName, "Two");
    EXPECT_EQ(projects.RecordAt(1).Extra, "x");
    EXPECT_EQ(projects.RecordAt(2), TDProject{});
    EXPECT_EQ(projects.KeyAt(2), "");
    // Duplicate names load as two entries; the look-up finds the first.
    EXPECT_EQ(projects.RecordAt(3).FirstName, "dup");
    EXPECT_EQ(projects.FindKey("ONE"), 0);
}

TEST(ProjectsFile, NulByteEndsTheText)
{
    TDProjects projects;
    projects.LoadFromText(std::string("^A^\r\n^B\0^\r\n^C^\r\n", 16));
    ASSERT_EQ(projects.Count(), 2);
    EXPECT_EQ(projects.RecordAt(0).ProjName, "A");
    EXPECT_EQ(projects.RecordAt(1).ProjName, "B");
}

TEST(ProjectsFile, ValuesWithSeparatorsNeverShiftFields)
{
    TTempAppDir dir;
    TDProject hostile = FullProject("Bad^Name");
    hostile.FirstName = "A\r\nB";
    hostile.City = "x\ry\nz";
    hostile.Titles = std::string("t^1\0t2", 6);
    hostile.Extra = "^^^";
    TDProjects projects;
    Add(projects, hostile);
    Add(projects, FullProject("Second"));
    projects.SaveAll(dir.Path());

    TDProjects loaded;
    loaded.LoadAll(dir.Path());
    ASSERT_EQ(loaded.Count(), 2);
    const TDProject& p = loaded.RecordAt(0);
    EXPECT_EQ(p.ProjName, "Bad Name");
    EXPECT_EQ(p.FirstName, "A  B");
    EXPECT_EQ(p.City, "x y z");
    EXPECT_EQ(p.Titles, "t 1 t2");
    EXPECT_EQ(p.LastName, "Lee");
    EXPECT_EQ(p.RecpURL, "http://example.com/links");
    EXPECT_EQ(p.Extra, "   ");
    EXPECT_EQ(loaded.RecordAt(1), FullProject("Second"));
}

TEST(ProjectsFile, TenThousandProjects)
{
    TTempAppDir dir;
    TDProjects projects;
    for (int i = 0; i < 10000; ++i)
        Add(projects, FullProject("Project " + std::to_string(i)));
    projects.SaveAll(dir.Path());
    TDProjects loaded;
    loaded.LoadAll(dir.Path());
    ASSERT_EQ(loaded.Count(), 10000);
    EXPECT_EQ(loaded.RecordAt(9999), FullProject("Project 9999"));
    EXPECT_EQ(loaded.FindKey("PROJECT 5000"), 5000);
}

TEST(ProjectsFile, OwnerOnlyAndUnreadableFile)
{
    TTempAppDir dir;
    TDProjects projects;
    Add(projects, FullProject("A"));
    projects.SaveAll(dir.Path());
    const QFile::Permissions perms = QFileInfo(dir.File("Projects.dat")).permissions();
    EXPECT_TRUE(perms & QFile::ReadOwner);
    EXPECT_FALSE(perms & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther));

    // A path that exists but cannot be read as a file raises and adds nothing.
    TTempAppDir other;
    ASSERT_TRUE(QDir().mkpath(other.File("Projects.dat")));
    TDProjects failed;
    EXPECT_THROW(failed.LoadAll(other.Path()), TFileError);
    EXPECT_EQ(failed.Count(), 0);
    EXPECT_THROW(projects.SaveAll(other.Path()), TFileError);
}

TEST(ProjectsFile, DamageIsReportedAndUtf16IsDecoded)
{
    std::string six;
    for (int n = 1; n <= 6; ++n)
        six += std::string("^P") + char('0' + n) + "^Ann^\r\n";
    {
        TDProjects clean;
        clean.LoadFromText(six);
        EXPECT_FALSE(clean.Damage().Any());
    }
    {
        // As a text editor saves it: a byte-order mark, two bytes a character.
        std::string utf16 = "\xFF\xFE";
        for (char c : six) {
            utf16 += c;
            utf16 += '\0';
        }
        TDProjects projects;
        projects.LoadFromText(utf16);
        EXPECT_TRUE(projects.Damage().Utf16);
        ASSERT_EQ(projects.Count(), 6);
        EXPECT_EQ(projects.RecordAt(5).ProjName, "P6");
        EXPECT_EQ(projects.RecordAt(5).FirstName, "Ann");
    }
    {
        TDProjects projects;
        projects.LoadFromText(six.substr(0, 30) + '\0' + six.substr(30));
        EXPECT_TRUE(projects.Damage().NulBytes);
    }
    {
        TDProjects projects;
        projects.LoadFromText("a note\r\n" + six + "lead^P7^\r\n^P8" + std::string(40, '^') + "tail\r\n");
        EXPECT_EQ(projects.Damage().LinesNotRecords, 3);
        EXPECT_EQ(projects.RecordAt(7).ProjName, "P7");
    }
}
