#include "TestSupport.h"

#include "store/RecordText.h"
#include "store/DataFileCipher.h"
#include "store/FileIO.h"
#include "store/UGeneral.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TDDirectory MakeDirectory(int n)
{
    TDDirectory d;
    d.Title = "Dir " + std::to_string(n);
    d.URL = "http://dir" + std::to_string(n) + ".example/submit";
    d.Category = "Cat" + std::to_string(n % 7);
    d.Type = n % 2 ? "Free" : "Paid";
    d.PageRank = std::to_string(n % 10);
    d.Extra = n % 3 ? "" : "x" + std::to_string(n);
    d.AlexaRank = std::to_string(1000 + n);
    return d;
}

void Add(TDDirectories& directories, const TDDirectory& d)
{
    directories.Append(AsciiUpper(d.Title), std::make_unique<TDDirectory>(d));
}

std::string DecryptedFile(const TTempAppDir& dir)
{
    std::string plain;
    EXPECT_TRUE(DecryptData(dir.Read("Directories.dat"), plain));
    return plain;
}

QStringList FilesIn(const TTempAppDir& dir)
{
    return QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

TEST(DirectoriesFile, RoundTripKeepsEveryFieldAndOrder)
{
    TTempAppDir dir;
    TDDirectories directories;
    for (int n = 0; n < 50; ++n)
        Add(directories, MakeDirectory(n));
    TDDirectory odd;
    odd.Title = "\xE9t\xE9 caf\xE9"; // 8-bit text, byte for byte
    odd.Extra = "kept";
    Add(directories, odd);
    directories.SaveAll(dir.Path());

    // File order: Title, URL, Category, Type, PageRank, AlexaRank, Extra.
    const std::string plain = DecryptedFile(dir);
    EXPECT_EQ(plain.substr(0, plain.find("\r\n") + 2),
              "^Dir 0^http://dir0.example/submit^Cat0^Paid^0^1000^x0^\r\n");
    EXPECT_EQ(plain, directories.ToText());

    TDDirectories loaded;
    EXPECT_EQ(loaded.LoadAll(dir.Path()), TDatabaseState::Intact);
    ASSERT_EQ(loaded.Count(), 51);
    for (int n = 0; n < 50; ++n) {
        EXPECT_EQ(loaded.RecordAt(n), MakeDirectory(n)) << n;
        EXPECT_EQ(loaded.KeyAt(n), AsciiUpper(MakeDirectory(n).Title));
    }
    EXPECT_EQ(loaded.RecordAt(50), odd);
    EXPECT_EQ(loaded.KeyAt(50), "\xE9T\xE9 CAF\xE9");
    EXPECT_EQ(FilesIn(dir), QStringList{"Directories.dat"});
}

TEST(DirectoriesFile, EmptyCollectionIsTwentyBytes)
{
    TTempAppDir dir;
    TDDirectories none;
    none.SaveAll(dir.Path());
    EXPECT_EQ(dir.Read("Directories.dat").size(), 20u);
    TDDirectories loaded;
    EXPECT_EQ(loaded.LoadAll(dir.Path()), TDatabaseState::Intact);
    EXPECT_EQ(loaded.Count(), 0);
}

TEST(DirectoriesFile, NoPlainTextEverReachesTheDisk)
{
    TTempAppDir dir;
    TDDirectories directories;
    Add(directories, MakeDirectory(1));
    directories.SaveAll(dir.Path());
    EXPECT_FALSE(dir.Exists("Directories.sim"));
    TDDirectories loaded;
    ASSERT_EQ(loaded.LoadAll(dir.Path()), TDatabaseState::Intact);
    EXPECT_FALSE(dir.Exists("Directories.sim"));
    EXPECT_EQ(FilesIn(dir), QStringList{"Directories.dat"});
    // Nothing on disk holds the plain text.
    EXPECT_EQ(dir.Read("Directories.dat").find("dir1.example"), std::string::npos);

    // A leftover plain-text file from elsewhere is never read, nor touched.
    const std::string leftover = "^Planted^http://evil.example/^^^^^^\r\n";
    TTempAppDir other;
    other.Write("Directories.sim", leftover);
    TDDirectories fromNothing;
    EXPECT_EQ(fromNothing.LoadAll(other.Path()), TDatabaseState::Missing);
    EXPECT_EQ(fromNothing.Count(), 0);
    EXPECT_FALSE(other.Exists("Directories.dat"));
    directories.SaveAll(other.Path());
    dir.Write("Directories.sim", leftover);
    TDDirectories again;
    ASSERT_EQ(again.LoadAll(dir.Path()), TDatabaseState::Intact);
    ASSERT_EQ(again.Count(), 1);
    EXPECT_EQ(again.RecordAt(0), MakeDirectory(1));
    EXPECT_EQ(other.Read("Directories.sim"), leftover);
}

TEST(DirectoriesFile, TwoSavesDifferAndDecryptAlike)
{
    TTempAppDir dir;
    TDDirectories directories;
    for (int n = 0; n < 5; ++n)
        Add(directories, MakeDirectory(n));
    directories.SaveAll(dir.Path());
    const std::string first = dir.Read("Directories.dat");
    const std::string firstPlain = DecryptedFile(dir);
    directories.SaveAll(dir.Path());
    const std::string second = dir.Read("Directories.dat");
    EXPECT_NE(first, second);
    EXPECT_EQ(DecryptedFile(dir), firstPlain);
    EXPECT_EQ(FilesIn(dir), QStringList{"Directories.dat"});
}

TEST(DirectoriesFile, DamagedFilesAreReportedAndLeftAlone)
{
    TTempAppDir dir;
    TDDirectories directories;
    for (int n = 0; n < 20; ++n)
        Add(directories, MakeDirectory(n));
    directories.SaveAll(dir.Path());
    const std::string good = dir.Read("Directories.dat");

    std::string header = good;
    header[8] = static_cast<char>(header[8] ^ 0x01); // the verification value
    std::string body = good;
    body[100] = static_cast<char>(body[100] ^ 0x01);
    const std::string truncated = good.substr(0, good.size() - 40);
    const struct {
        const char* Name;
        std::string Bytes;
        TDatabaseState State;
        bool SomethingLoaded;
    } cases[] = {
        {"damaged header", header, TDatabaseState::NotReadable, false},
        {"damaged body", body, TDatabaseState::Damaged, true},
        {"truncated", truncated, TDatabaseState::Damaged, true},
        {"zero bytes", "", TDatabaseState::TooShort, false},
        {"shorter than header and code", good.substr(0, 19), TDatabaseState::TooShort, false},
    };
    for (const auto& c : cases) {
        dir.Write("Directories.dat", c.Bytes);
        TDDirectories loaded;
        EXPECT_EQ(loaded.LoadAll(dir.Path()), c.State) << c.Name;
        EXPECT_EQ(loaded.Count() > 0, c.SomethingLoaded) << c.Name;
        EXPECT_EQ(dir.Read("Directories.dat"), c.Bytes) << c.Name;
        EXPECT_FALSE(dir.Exists("Directories.sim")) << c.Name;
    }
    // A damaged body loads every line, the damaged one as it decrypted.
    dir.Write("Directories.dat", body);
    TDDirectories damaged;
    ASSERT_EQ(damaged.LoadAll(dir.Path()), TDatabaseState::Damaged);
    EXPECT_EQ(damaged.Count(), 20);
    EXPECT_EQ(damaged.RecordAt(19), MakeDirectory(19));
}

TEST(DirectoriesFile, DamagedCopiesNeverReplaceEachOther)
{
    TTempAppDir dir;
    dir.Write("Directories.dat", "first");
    EXPECT_EQ(TDDirectories::DamagedCopyName(dir.Path()), "Directories.damaged.dat");
    EXPECT_EQ(TDDirectories::KeepDamagedCopy(dir.Path()), "Directories.damaged.dat");
    dir.Write("Directories.dat", "second");
    EXPECT_EQ(TDDirectories::KeepDamagedCopy(dir.Path()), "Directories.damaged-2.dat");
    EXPECT_EQ(dir.Read("Directories.damaged.dat"), "first");
    EXPECT_EQ(dir.Read("Directories.damaged-2.dat"), "second");
    EXPECT_EQ(dir.Read("Directories.dat"), "second");
    dir.Write("Directories.dat", "");
    EXPECT_EQ(TDDirectories::KeepDamagedCopy(dir.Path()), "Directories.damaged-3.dat");
    EXPECT_TRUE(dir.Exists("Directories.damaged-3.dat"));
    EXPECT_EQ(dir.Read("Directories.damaged-3.dat"), "");

    TTempAppDir empty;
    EXPECT_THROW(TDDirectories::KeepDamagedCopy(empty.Path()), TFileError);
}

TEST(DirectoriesFile, MissingAndUnreadableFiles)
{
    TTempAppDir dir;
    TDDirectories directories;
    EXPECT_EQ(directories.LoadAll(dir.Path()), TDatabaseState::Missing);
    EXPECT_EQ(directories.Count(), 0);
    EXPECT_FALSE(dir.Exists("Directories.dat"));

    ASSERT_TRUE(QDir(dir.Path()).mkdir("Directories.dat"));
    EXPECT_THROW(directories.LoadAll(dir.Path()), TFileError);
    EXPECT_THROW(directories.SaveAll(dir.Path()), TFileError);
    EXPECT_TRUE(QFileInfo(dir.File("Directories.dat")).isDir());
}
