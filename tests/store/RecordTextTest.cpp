#include "store/RecordText.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Split(std::string_view text)
{
    std::vector<std::string> pieces{"stale"};
    SplitFields('^', text, pieces);
    return pieces;
}

} // namespace

TEST(SplitFields, PiecesAroundCarets)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(Split(""), V{});
    EXPECT_EQ(Split("^"), V{""});
    EXPECT_EQ(Split("^a^^b^"), (V{"", "a", "", "b"}));
    // A line of N fields holds N + 1 pieces; an empty last field still counts.
    EXPECT_EQ(Split("^a^b^^"), (V{"", "a", "b", ""}));
    // A missing final caret loses nothing: the trailing piece is kept when not empty.
    EXPECT_EQ(Split("^a^b"), (V{"", "a", "b"}));
    EXPECT_EQ(Split("lead^a^tail"), (V{"lead", "a", "tail"}));
    EXPECT_EQ(Split("no caret"), V{"no caret"});
}

TEST(SplitLines, AllLineEndsAndNul)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitLines(""), V{});
    EXPECT_EQ(SplitLines("a"), V{"a"});
    EXPECT_EQ(SplitLines("a\r\n"), V{"a"});
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("\r\n\r\n"), (V{"", ""}));
    EXPECT_EQ(SplitLines("a\n\rb"), (V{"a", "", "b"}));
    EXPECT_EQ(SplitLines(std::string_view("a\r\nb\0c\r\nd", 10)), (V{"a", "b"}));
}

TEST(TextRoutines, TrimAndAsciiCase)
{
    EXPECT_EQ(TrimControl(" \t\x01 a b \r\n"), "a b");
    EXPECT_EQ(TrimControl(" \x1f "), "");
    EXPECT_EQ(AsciiUpper("my site \xe9z"), "MY SITE \xe9Z");
    EXPECT_EQ(AsciiLower("WebsiteNAME \xc9"), "websitename \xc9");
}
