#include "workspace/DirectorySort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

std::vector<TDirectoryRow> RowsWith(int column, const std::vector<std::string>& texts)
{
    std::vector<TDirectoryRow> rows;
    for (size_t i = 0; i < texts.size(); ++i) {
        TDirectoryRow row;
        row.Texts[TDirectoryRow::Caption] = "row" + std::to_string(i);
        row.Texts[static_cast<size_t>(column)] = texts[i];
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> InOrder(const std::vector<TDirectoryRow>& rows, const std::vector<int>& order, int column)
{
    std::vector<std::string> out;
    for (int i : order)
        out.push_back(rows[static_cast<size_t>(i)].Texts[static_cast<size_t>(column)]);
    return out;
}

bool IsPermutation(std::vector<int> order)
{
    std::sort(order.begin(), order.end());
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i] != static_cast<int>(i))
            return false;
    return true;
}

} // namespace

TEST(DirectorySort, FormatPerColumn)
{
    const struct {
        int SubItem;
        TSortFormat Expected;
    } cases[] = {
        {-1, ssAlphabetic}, {0, ssAlphaNoCase}, {1, ssAlphaNoCase}, {2, ssNumeric},
        {3, ssNumeric},     {4, ssAlphaNoCase}, {8, ssAlphaNoCase},
    };
    for (const auto& c : cases) {
        TSortFormat format = ssAlphabetic;
        lvwItemsGetFormat(c.SubItem, format);
        EXPECT_EQ(format, c.Expected) << c.SubItem;
    }
    // Any other number keeps the preset.
    for (int subItem : {-2, 9, 100}) {
        TSortFormat format = ssNumeric;
        lvwItemsGetFormat(subItem, format);
        EXPECT_EQ(format, ssNumeric) << subItem;
    }
}

TEST(DirectorySort, NumbersAsTheListReadsThem)
{
    const struct {
        const char* Text;
        char Separator;
        bool IsNumber;
        double Value;
    } cases[] = {
        {"", '.', true, 0},        {"   ", '.', true, 0},      {"7", '.', true, 7},
        {" 12 ", '.', true, 12},   {"1.5", '.', true, 1.5},    {"1,5", ',', true, 1.5},
        {"1.5", ',', true, 1.5},   {"-3", '.', true, -3},      {"+4", '.', true, 4},
        {"1e3", '.', true, 1000},  {".5", '.', true, 0.5},     {"5.", '.', true, 5},
        {"1,5", '.', false, 0},    {"abc", '.', false, 0},     {"1.2.3", '.', false, 0},
        {"inf", '.', false, 0},    {"nan", '.', false, 0},     {"0x10", '.', false, 0},
        {".", '.', false, 0},      {"1e", '.', false, 0},      {"-", '.', false, 0},
        {"12abc", '.', false, 0},  {"1e999", '.', false, 0},   {"1 000", '.', false, 0},
    };
    for (const auto& c : cases) {
        double value = -99;
        EXPECT_EQ(ReadSortNumber(c.Text, c.Separator, value), c.IsNumber) << '"' << c.Text << '"';
        if (c.IsNumber) {
            EXPECT_DOUBLE_EQ(value, c.Value) << c.Text;
        }
    }
}

TEST(DirectorySort, ThreeComparisons)
{
    // Capitals sort before lower case on the 8-bit codes; bytes above 127 after ASCII.
    EXPECT_LT(CompareSortTexts(ssAlphabetic, "Zeta", "alpha"), 0);
    EXPECT_LT(CompareSortTexts(ssAlphabetic, "ab", "abc"), 0);
    EXPECT_LT(CompareSortTexts(ssAlphabetic, "z", "\xE9"), 0);
    EXPECT_EQ(CompareSortTexts(ssAlphabetic, "a", "a"), 0);
    EXPECT_GT(CompareSortTexts(ssAlphaNoCase, "Zeta", "alpha"), 0);
    EXPECT_EQ(CompareSortTexts(ssAlphaNoCase, "ARTS", "arts"), 0);
    EXPECT_LT(CompareSortTexts(ssNumeric, "9", "10"), 0);
    EXPECT_GT(CompareSortTexts(ssNumeric, "10", "9"), 0);
    EXPECT_EQ(CompareSortTexts(ssNumeric, "", "0"), 0);
    EXPECT_LT(CompareSortTexts(ssNumeric, "", "1"), 0);
    EXPECT_EQ(CompareSortTexts(ssNumeric, "n/a", "1"), 0);
    EXPECT_EQ(CompareSortTexts(ssNumeric, "n/a", "1000"), 0);
    EXPECT_EQ(CompareSortTexts(ssNumeric, "2,5", "2.5", ','), 0);
}

TEST(DirectorySort, RowOrderByColumn)
{
    const int pr = TDirectoryRow::PageRank;
    const auto rows = RowsWith(pr, {"10", "9", "", "0", "2"});
    EXPECT_EQ(InOrder(rows, SortedRowOrder(rows, pr, false), pr),
              (std::vector<std::string>{"", "0", "2", "9", "10"}));
    // Descending: equal rows ("" and "0") keep their current order.
    EXPECT_EQ(InOrder(rows, SortedRowOrder(rows, pr, true), pr),
              (std::vector<std::string>{"10", "9", "2", "", "0"}));

    const auto titles = RowsWith(TDirectoryRow::Caption, {"alpha", "Zeta", "beta", "Alpha"});
    EXPECT_EQ(InOrder(titles, SortedRowOrder(titles, 0, false), 0),
              (std::vector<std::string>{"Alpha", "Zeta", "alpha", "beta"}));
    const int category = TDirectoryRow::Category;
    const auto categories = RowsWith(category, {"news", "Arts", "ARTS", "business"});
    EXPECT_EQ(InOrder(categories, SortedRowOrder(categories, 1, false), category),
              (std::vector<std::string>{"Arts", "ARTS", "business", "news"}));
    // The Alexa column (column 4) is numeric too.
    const int alexa = TDirectoryRow::AlexaRank;
    const auto ranks = RowsWith(alexa, {"100000", "20000", "3"});
    EXPECT_EQ(InOrder(ranks, SortedRowOrder(ranks, 4, false), alexa),
              (std::vector<std::string>{"3", "20000", "100000"}));
    // A column outside the list leaves the order.
    EXPECT_EQ(SortedRowOrder(ranks, 7, false), (std::vector<int>{0, 1, 2}));
}

TEST(DirectorySort, HundredThousandRowsOfMixedJunkSortSafely)
{
    std::mt19937 random(42);
    const char* junk[] = {"n/a", "-", "abc", "1.2.3", "", " ", "\xff\xfe", "1e999", "++1", "?"};
    std::vector<std::string> texts;
    for (int i = 0; i < 100000; ++i)
        texts.push_back(random() % 3 == 0 ? junk[random() % 10] : std::to_string(random() % 1000));
    const int pr = TDirectoryRow::PageRank;
    const auto rows = RowsWith(pr, texts);
    for (bool descending : {false, true}) {
        const std::vector<int> order = SortedRowOrder(rows, pr, descending);
        ASSERT_EQ(order.size(), rows.size());
        EXPECT_TRUE(IsPermutation(order));
    }
    // Without junk the same sort is a true numeric sort.
    std::vector<std::string> numbers;
    for (int i = 0; i < 100000; ++i)
        numbers.push_back(std::to_string(random() % 100000));
    const auto clean = RowsWith(pr, numbers);
    const std::vector<std::string> sorted = InOrder(clean, SortedRowOrder(clean, pr, false), pr);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                               [](const std::string& a, const std::string& b) { return std::stod(a) < std::stod(b); }));

    // Even a comparison that answers at random never leaves the arrays.
    std::vector<int> order(10000);
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    MergeSortIndices(order, [&](int, int) { return random() % 2 == 0; });
    EXPECT_TRUE(IsPermutation(order));
}

TEST(DirectorySort, ColumnOrdersAreThoseOfTheComparisonsThemselves)
{
    // Texts that share long beginnings, differ in case or only in length
    // around eight and sixteen bytes, and hold 8-bit bytes; many are equal.
    std::mt19937 random(7);
    const char* stems[] = {"", "a", "A", "ab", "AB", "Directory", "directory", "Directory 1", "DIRECTORY 12345678",
                           "Directory 12345678 Web", "\xE9t\xE9", "~", " ", "abcdefgh", "ABCDEFGH", "abcdefghi",
                           "ABCDEFGHIJKLMNOP", "abcdefghijklmnopq"};
    const std::string tails = "aAzZ9 \xFF";
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i) {
        std::string text = stems[random() % std::size(stems)];
        for (unsigned n = random() % 4; n > 0; --n)
            text += tails[random() % tails.size()];
        texts.push_back(text);
    }
    for (const auto& [column, format] : {std::pair{0, ssAlphabetic}, std::pair{1, ssAlphaNoCase}}) {
        const auto rows = RowsWith(column, texts);
        for (bool descending : {false, true}) {
            std::vector<int> expected(rows.size());
            for (size_t i = 0; i < expected.size(); ++i)
                expected[i] = static_cast<int>(i);
            std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
                const int c = CompareSortTexts(format, texts[size_t(a)], texts[size_t(b)]);
                return descending ? c > 0 : c < 0;
            });
            EXPECT_EQ(SortedRowOrder(rows, column, descending), expected) << column << " " << descending;
        }
    }

    // The numeric comparison is no ordering, so the order is the merge
    // sort's own: the same merges of the same comparisons, junk and all.
    const char* numbers[] = {"n/a", "", " 7", "7", "-1", "1e3", "10", "9", "0.5", "x", "3,5", "100000"};
    std::vector<std::string> ranks;
    for (int i = 0; i < 3000; ++i)
        ranks.push_back(numbers[random() % std::size(numbers)]);
    const int pr = TDirectoryRow::PageRank;
    const auto rows = RowsWith(pr, ranks);
    const char separator = UserDecimalSeparator();
    for (bool descending : {false, true}) {
        std::vector<int> expected(rows.size());
        for (size_t i = 0; i < expected.size(); ++i)
            expected[i] = static_cast<int>(i);
        MergeSortIndices(expected, [&](int a, int b) {
            const int c = CompareSortTexts(ssNumeric, ranks[size_t(a)], ranks[size_t(b)], separator);
            return descending ? c > 0 : c < 0;
        });
        EXPECT_EQ(SortedRowOrder(rows, pr, descending), expected) << descending;
    }
}
