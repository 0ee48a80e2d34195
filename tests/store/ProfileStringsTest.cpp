#include "store/ProfileStrings.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::string Read(const std::string& text, std::string_view section, std::string_view key)
{
    return TProfileFile(text).ReadString(section, key);
}

} // namespace

TEST(ProfileStrings, NamesMatchWithoutRegardToCaseAndFirstDuplicateWins)
{
    const std::string ini = "[settings]\r\n"
                            "APPNAME=First\r\n"
                            "appname=Second\r\n"
                            "[SETTINGS]\r\n"
                            "Other=in a later section of the same name\r\n";
    EXPECT_EQ(Read(ini, "Settings", "AppName"), "First");
    EXPECT_EQ(Read(ini, "sEtTiNgS", "appNAME"), "First");
    // Only the first section of a name is searched.
    EXPECT_EQ(Read(ini, "Settings", "Other"), "");
}

TEST(ProfileStrings, ValuesAreTakenAsWritten)
{
    const std::string ini = "[Settings]\n"
                            "  BannerPath1 \t=  C:\\banners\\big.gif  \n"
                            "Escapes=tab\\t newline\\n \\\"quoted\\\"\n"
                            "Comment=value ; not a comment # nor this\n"
                            "List=a, b, c\n"
                            "Continued=first \\\n"
                            "second=line\n"
                            "Quoted=\"  keeps inner blanks  \"\n"
                            "Single='single'\n"
                            "TwoPairs=\"\"double\"\"\n"
                            "Unmatched=\"open only\n"
                            "Mixed=\"a'\n"
                            "JustQuote=\"\n"
                            "Equals=a=b=c\n"
                            "Empty=\n";
    EXPECT_EQ(Read(ini, "Settings", "BannerPath1"), "C:\\banners\\big.gif");
    EXPECT_EQ(Read(ini, "Settings", "Escapes"), "tab\\t newline\\n \\\"quoted\\\"");
    EXPECT_EQ(Read(ini, "Settings", "Comment"), "value ; not a comment # nor this");
    EXPECT_EQ(Read(ini, "Settings", "List"), "a, b, c");
    EXPECT_EQ(Read(ini, "Settings", "Continued"), "first \\");
    EXPECT_EQ(Read(ini, "Settings", "second"), "line");
    EXPECT_EQ(Read(ini, "Settings", "Quoted"), "  keeps inner blanks  ");
    EXPECT_EQ(Read(ini, "Settings", "Single"), "single");
    // One pair of quotes is removed, no more.
    EXPECT_EQ(Read(ini, "Settings", "TwoPairs"), "\"double\"");
    EXPECT_EQ(Read(ini, "Settings", "Unmatched"), "\"open only");
    EXPECT_EQ(Read(ini, "Settings", "Mixed"), "\"a'");
    EXPECT_EQ(Read(ini, "Settings", "JustQuote"), "\"");
    EXPECT_EQ(Read(ini, "Settings", "Equals"), "a=b=c");
    EXPECT_EQ(Read(ini, "Settings", "Empty"), "");
}

TEST(ProfileStrings, LongValuesAreCutAt2047Characters)
{
    const std::string longValue(5000, 'x');
    const std::string ini = "[Settings]\nLong=" + longValue + "\nAfter=still read\n";
    EXPECT_EQ(Read(ini, "Settings", "Long"), std::string(2047, 'x'));
    EXPECT_EQ(Read(ini, "Settings", "After"), "still read");
    const std::string exact(2047, 'y');
    EXPECT_EQ(Read("[S]\nK=" + exact + "\n", "S", "K"), exact);
    // The cut comes after the quotes are removed.
    EXPECT_EQ(Read("[S]\nK=\"" + exact + "\"\n", "S", "K"), exact);
}

TEST(ProfileStrings, MissingThingsReadAsEmpty)
{
    const std::string ini = "Orphan=before any section\n"
                            "; Commented=out\n"
                            "[Settings]\n"
                            "NoEquals\n"
                            "; Hidden=1\n"
                            "[Broken\n"
                            "StillSettings=yes\n"
                            "[Other]\n"
                            "Key=other\n";
    EXPECT_EQ(Read(ini, "", "Orphan"), "");
    EXPECT_EQ(Read(ini, "Settings", "Orphan"), "");
    EXPECT_EQ(Read(ini, "Settings", "NoEquals"), "");
    EXPECT_EQ(Read(ini, "Settings", "Hidden"), "");
    EXPECT_EQ(Read(ini, "Settings", "; Hidden"), "");
    // A header without its bracket is no header.
    EXPECT_EQ(Read(ini, "Settings", "StillSettings"), "yes");
    EXPECT_EQ(Read(ini, "Settings", "Key"), "");
    EXPECT_EQ(Read(ini, "Other", "Key"), "other");
    EXPECT_EQ(Read(ini, "Missing", "Key"), "");
    EXPECT_EQ(Read("", "Settings", "Key"), "");
}

TEST(ProfileStrings, LineEndingsMarksAndEightBitBytes)
{
    EXPECT_EQ(Read("\xEF\xBB\xBF[Settings]\r\nA=1\r\n", "Settings", "A"), "1");
    EXPECT_EQ(Read("[Settings]\rA=cr only\rB=2", "Settings", "A"), "cr only");
    EXPECT_EQ(Read("[Settings]\rA=cr only\rB=2", "Settings", "B"), "2");
    EXPECT_EQ(Read("[ Settings ] trailing text\nA=1\n", "Settings", "A"), "1");
    EXPECT_EQ(Read("[Settings]\nName=Caf\xE9 \xFC\n", "Settings", "Name"), "Caf\xE9 \xFC");
    // Keys are not matched on a prefix.
    EXPECT_EQ(Read("[Settings]\nLink1URLx=1\n", "Settings", "Link1URL"), "");
}

TEST(ProfileStrings, FilesAreReadFromDisk)
{
    TTempAppDir dir;
    dir.Write("twconfig.dat", "[APPLICATION]\r\nVersion=1.02\r\n");
    EXPECT_EQ(ReadProfileString(dir.File("twconfig.dat"), "application", "VERSION"), "1.02");
    EXPECT_EQ(ReadProfileString(dir.File("missing.dat"), "APPLICATION", "Version"), "");
    // A directory is no INI file.
    EXPECT_EQ(ReadProfileString(dir.Path(), "APPLICATION", "Version"), "");
}

TEST(ProfileStrings, OversizedFilesHoldNoKeys)
{
    TTempAppDir dir;
    std::string text = "[Settings]\r\nAppName=Big\r\n";
    text.resize(TProfileFile::MaxFileBytes, ';');
    dir.Write("fits.dat", text);
    EXPECT_EQ(TProfileFile::FromFile(dir.File("fits.dat")).ReadString("Settings", "AppName"), "Big");
    dir.Write("big.dat", text + "\n");
    EXPECT_EQ(TProfileFile::FromFile(dir.File("big.dat")).ReadString("Settings", "AppName"), "");
    // A device that never ends is read to the cap and no further.
    EXPECT_EQ(ReadProfileString(QStringLiteral("/dev/zero"), "Settings", "AppName"), "");
}
