#include "TestSupport.h"

#include "store/DataFileCipher.h"
#include "store/RecordLine.h"
#include "store/RecordText.h"
#include "store/UGeneral.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// What a line of the database text holds, by the routines that cut every
// data file's text: SplitLines, SplitFields, and field i as piece i + 1.
std::vector<TDDirectory> ReferenceDirectories(std::string_view text)
{
    std::vector<TDDirectory> out;
    for (const std::string& line : SplitLines(text)) {
        if (TrimControl(line).empty())
            continue;
        std::vector<std::string> pieces;
        SplitFields('^', line, pieces);
        pieces.resize(std::max<size_t>(pieces.size(), 8));
        out.push_back({pieces[1], pieces[2], pieces[3], pieces[4], pieces[5], pieces[7], pieces[6]});
    }
    return out;
}

std::string ReferenceText(const std::vector<TDDirectory>& directories)
{
    std::string text;
    for (const TDDirectory& d : directories)
        text += "^" + d.Title + "^" + d.URL + "^" + d.Category + "^" + d.Type + "^" + d.PageRank + "^" + d.AlexaRank
                + "^" + d.Extra + "^\r\n";
    return text;
}

// Text of every shape a line can take: short and long lines, missing and
// extra carets, blank lines, all three line ends, 8-bit and control bytes,
// lines too long for small offsets (in a field, or only after the fields),
// and a NUL byte that ends it all. Over 256 KiB, so a load reads it in several parts.
std::string AwkwardText(unsigned seed)
{
    std::mt19937 random(seed);
    const std::string bytes = "^^^^^aaaaaBB z \t\x01\xE9\xFF";
    const char* const ends[] = {"\r\n", "\n", "\r", "\r\n\r\n", "\n\n", " \r\n"};
    std::string text;
    for (int line = 0; text.size() < 900000; ++line) {
        if (line == 300)
            text += "^t^u^c^y^p^a^" + std::string(200, 'e') + "^" + std::string(70000, 'x');
        else if (line == 9000)
            text += "^t^" + std::string(70000, 'u') + "^c";
        else if (line == 12000)
            text += std::string(70000, ' ');
        else
            for (size_t i = 0, length = random() % 60; i < length; ++i)
                text += bytes[random() % bytes.size()];
        text += ends[random() % 6];
    }
    text.insert(text.size() - 100, 1, '\0');
    return text;
}

void ExpectDirectories(const TDDirectories& loaded, const std::vector<TDDirectory>& expected, const char* how)
{
    ASSERT_EQ(loaded.Count(), static_cast<int>(expected.size())) << how;
    for (int i = 0; i < loaded.Count(); ++i) {
        ASSERT_EQ(loaded.RecordAt(i), expected[static_cast<size_t>(i)]) << how << ", directory " << i;
        ASSERT_EQ(loaded.KeyAt(i), AsciiUpper(expected[static_cast<size_t>(i)].Title)) << how << ", directory " << i;
    }
}

} // namespace

TEST(DirectoriesText, EveryLineLoadsCountsAndSavesAsTheLineRulesSay)
{
    for (unsigned seed : {1u, 2u}) {
        const std::string text = AwkwardText(seed);
        const std::vector<TDDirectory> expected = ReferenceDirectories(text);
        ASSERT_GT(expected.size(), 5000u);

        TDDirectories fromText;
        fromText.LoadFromText(text);
        ExpectDirectories(fromText, expected, "from text");
        EXPECT_EQ(fromText.ToText(), ReferenceText(expected));

        // Encrypted, the text is decrypted and read in parts on two threads.
        TDDirectories fromFile;
        EXPECT_EQ(fromFile.LoadEncrypted(EncryptData(text)), TDatabaseState::Intact);
        ExpectDirectories(fromFile, expected, "from the encrypted text");

        // Counting in pieces of any size agrees with the load.
        std::mt19937 random(seed);
        TRecordLineCounter counter;
        for (size_t at = 0; at < text.size();) {
            const size_t n = std::min<size_t>(text.size() - at, random() % 300);
            counter.Feed(std::string_view(text).substr(at, n));
            at += n;
        }
        EXPECT_EQ(counter.Finish(), static_cast<int64_t>(expected.size()));

        // Saved and checked, or saved and loaded: the same directories.
        TTempAppDir dir;
        fromFile.SaveAll(dir.Path());
        int64_t count = -1;
        EXPECT_EQ(TDDirectories::CheckFile(dir.File("Directories.dat"), count), TDatabaseState::Intact);
        EXPECT_EQ(count, static_cast<int64_t>(expected.size()));
        TDDirectories again;
        EXPECT_EQ(again.LoadAll(dir.Path()), TDatabaseState::Intact);
        ExpectDirectories(again, expected, "saved and loaded");
    }
}

TEST(DirectoriesText, RewrittenAndAddedDirectoriesHoldTheirOwnTexts)
{
    TDDirectories directories;
    directories.LoadFromText("^Alpha^http://a/^Arts^Free^1^10^x^\r\n"
                             "^caf\xc3\xa9^http://c/^^^^^^\r\n"
                             "^Gamma^http://g/^News^Paid^3^30^^\r\n");
    // Keys come from the titles when asked for, without regard to case,
    // 8-bit letters through the locale.
    EXPECT_EQ(directories.FindKey("ALPHA"), 0);
    EXPECT_EQ(directories.FindKey("gamma"), 2);
    EXPECT_EQ(directories.FindKey("CAF\xc3\x89"), 1);
    EXPECT_EQ(directories.FindKey("GAMM"), -1);

    // A rewrite keeps the old key until it is given a new one; bytes a line
    // cannot hold are kept in memory and written as blanks.
    TDDirectory odd;
    odd.Title = "Be^ta";
    odd.URL = "http://b/\r\n";
    odd.Category = "Cat\n";
    odd.Extra = "kept";
    directories.SetRecord(0, odd);
    EXPECT_EQ(directories.RecordAt(0), odd);
    EXPECT_EQ(directories.KeyAt(0), "ALPHA");
    EXPECT_EQ(directories.FindKey("alpha"), 0);
    directories.SetKey(0, "BE^TA");
    EXPECT_EQ(directories.FindKey("alpha"), -1);
    EXPECT_EQ(directories.FindKey("be^ta"), 0);

    directories.Append("ZETA", std::make_unique<TDDirectory>(TDDirectory{"Zeta", "http://z/", "", "", "", "", ""}));
    directories.RemoveAt(1);
    ASSERT_EQ(directories.Count(), 3);
    EXPECT_EQ(directories.TitleAt(1), "Gamma");
    EXPECT_EQ(directories.FindKey("zeta"), 2);
    EXPECT_THROW(directories.RecordAt(3), std::out_of_range);
    EXPECT_THROW(directories.SetKey(-1, "X"), std::out_of_range);
    EXPECT_EQ(directories.ToText(), "^Be ta^http://b/  ^Cat ^^^^kept^\r\n"
                                    "^Gamma^http://g/^News^Paid^3^30^^\r\n"
                                    "^Zeta^http://z/^^^^^^\r\n");

    TTempAppDir dir;
    directories.SaveAll(dir.Path());
    TDDirectories loaded;
    ASSERT_EQ(loaded.LoadAll(dir.Path()), TDatabaseState::Intact);
    EXPECT_EQ(loaded.ToText(), directories.ToText());
    EXPECT_EQ(loaded.RecordAt(1).Category, "News");
}

TEST(DirectoriesText, ASnapshotKeepsItsDirectoriesWhileTheCollectionChangesOrIsCleared)
{
    TDDirectories directories;
    directories.LoadFromText("^Alpha^http://a/^Arts^Free^1^10^x^\r\n^Gamma^http://g/^News^Paid^3^30^^\r\n");
    directories.SetRecord(1, TDDirectory{"Beta", "http://b/", "", "", "", "", ""});
    const std::string before = directories.ToText();
    const auto snapshot = directories.Snapshot();

    // Every kind of change, then the loaded text itself released.
    directories.SetRecord(0, TDDirectory{"Changed", "http://c/", "", "", "", "", ""});
    directories.SetRecord(1, TDDirectory{"Rewritten", "", "", "", "", "", ""});
    directories.Append("NEW", std::make_unique<TDDirectory>(TDDirectory{"New", "", "", "", "", "", ""}));
    directories.RemoveAt(0);
    directories.Clear();
    directories.LoadFromText("^Other^http://o/^^^^^^\r\n");

    EXPECT_EQ(snapshot->ToText(), before);
    EXPECT_EQ(snapshot->KeyAt(0), "ALPHA");
    TTempAppDir dir;
    snapshot->SaveAll(dir.Path());
    TDDirectories loaded;
    ASSERT_EQ(loaded.LoadAll(dir.Path()), TDatabaseState::Intact);
    EXPECT_EQ(loaded.ToText(), before);
}
