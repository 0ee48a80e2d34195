#include "workspace/DirectorySort.h"

#include "store/RecordText.h"

#include <QLocale>

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>

void lvwItemsGetFormat(int SubItem, TSortFormat& Format)
{
    if (SubItem >= 0 && SubItem <= 1)
        Format = ssAlphaNoCase;
    else if (SubItem >= 2 && SubItem <= 3)
        Format = ssNumeric;
    else if (SubItem >= 4 && SubItem <= 8)
        Format = ssAlphaNoCase;
}

bool ReadSortNumber(std::string_view text, char decimalSeparator, double& value)
{
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32)
        --e;
    text = text.substr(b, e - b);
    if (text.empty()) {
        value = 0;
        return true;
    }
    // Check the shape by hand (from_chars would also take "inf", "nan" and
    // hexadecimal), writing a normalised copy with a point for from_chars.
    std::string plain;
    plain.reserve(text.size());
    size_t i = 0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-')
        negative = text[i++] == '-';
    size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        plain.push_back(text[i++]), ++digits;
    if (i < text.size() && (text[i] == '.' || text[i] == decimalSeparator)) {
        plain.push_back('.');
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            plain.push_back(text[i++]), ++digits;
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        plain.push_back('e');
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            plain.push_back(text[i++]);
        size_t exponentDigits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            plain.push_back(text[i++]), ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    if (i != text.size())
        return false;
    double read = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), read);
    if (end != plain.data() + plain.size() || (error != std::errc() && error != std::errc::result_out_of_range))
        return false;
    if (error == std::errc::result_out_of_range)
        return false; // beyond a double: not a number this list can compare
    value = negative ? -read : read;
    return true;
}

char UserDecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 128 ? static_cast<char>(point[0].unicode()) : '.';
}

namespace {

int CompareBytes(const std::string& a, const std::string& b)
{
    // std::string compares as unsigned bytes, shorter prefix first.
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

struct TNumberKey {
    bool IsNumber;
    double Value;
};

int CompareNumbers(const TNumberKey& a, const TNumberKey& b)
{
    if (!a.IsNumber || !b.IsNumber)
        return 0;
    return a.Value < b.Value ? -1 : (a.Value > b.Value ? 1 : 0);
}

TNumberKey NumberKey(const std::string& text, char separator)
{
    TNumberKey key{};
    key.IsNumber = ReadSortNumber(text, separator, key.Value);
    return key;
}

} // namespace

int CompareSortTexts(TSortFormat format, const std::string& a, const std::string& b, char decimalSeparator)
{
    switch (format) {
    case ssAlphaNoCase: return CompareBytes(AsciiUpper(a), AsciiUpper(b));
    case ssNumeric: return CompareNumbers(NumberKey(a, decimalSeparator), NumberKey(b, decimalSeparator));
    case ssAlphabetic:
    default: return CompareBytes(a, b);
    }
}

namespace {

// A row's sort number: NaN for a text that is not a number, so that every
// comparison with it is false, which is CompareNumbers' "equal to everything".
double SortNumber(std::string_view text, char separator)
{
    // Most ranks are plain digits: read those at once (exact up to 15 digits,
    // as from_chars would read them).
    if (!text.empty() && text.size() <= 15) {
        uint64_t value = 0;
        size_t i = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            value = value * 10 + static_cast<uint64_t>(text[i] - '0');
        if (i == text.size())
            return static_cast<double>(value);
    }
    double value = 0;
    return ReadSortNumber(text, separator, value) ? value : std::numeric_limits<double>::quiet_NaN();
}

TLargeVector<int> NumericOrder(const TLargeVector<std::string_view>& texts, bool descending)
{
    struct TNumbered {
        double Value;
        int Row;
    };
    const char separator = UserDecimalSeparator();
    TLargeVector<TNumbered> items(texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        items[i] = {SortNumber(texts[i], separator), static_cast<int>(i)};
    // The keys travel with the rows through the merge, so each pass reads one array in order.
    if (descending)
        MergeSortStable(items, [](const TNumbered& a, const TNumbered& b) { return a.Value > b.Value; });
    else
        MergeSortStable(items, [](const TNumbered& a, const TNumbered& b) { return a.Value < b.Value; });
    TLargeVector<int> order(items.size());
    for (size_t p = 0; p < items.size(); ++p)
        order[p] = items[p].Row;
    return order;
}

// Eight bytes of a text from `depth` on, most significant first and padded
// with zero bytes, and how many bytes the text has from `depth` on (9 for
// "more than eight"). Two texts compare as their (Chunk, Rest) pairs do,
// when they agree before `depth`: a shorter text that matches the chunk is a
// prefix of the other and sorts first.
struct TTextKey {
    uint64_t Chunk;
    uint32_t Row;
    uint32_t Rest;
};

// Upper-cases the ASCII letters a to z among eight bytes at once; bytes
// above 127 are left alone.
uint64_t FoldEight(uint64_t x)
{
    constexpr uint64_t Ones = 0x0101010101010101ull;
    const uint64_t heptets = x & (0x7F * Ones);
    const uint64_t atLeastA = heptets + (0x80 - 'a') * Ones;
    const uint64_t aboveZ = heptets + (0x80 - 'z' - 1) * Ones;
    const uint64_t lower = atLeastA & ~aboveZ & ~x & (0x80 * Ones);
    return x ^ (lower >> 2);
}

void SetChunk(TTextKey& key, std::string_view text, size_t depth, bool fold)
{
    const size_t left = text.size() > depth ? text.size() - depth : 0;
    uint64_t bytes = 0; // in text order in memory
    if (left >= 8)
        std::memcpy(&bytes, text.data() + depth, 8);
    else if (left > 0)
        std::memcpy(&bytes, text.data() + depth, left);
    if (fold)
        bytes = FoldEight(bytes);
    // Most significant first, so the chunks compare as the bytes do.
    key.Chunk = std::endian::native == std::endian::little ? __builtin_bswap64(bytes) : bytes;
    key.Rest = static_cast<uint32_t>(std::min<size_t>(left, 9));
}

// Byte order (upper-cased a to z with `fold`), stable: a most-significant-
// first sort eight bytes at a time. Rows are sorted by their first eight
// bytes; each run of rows that agree on them and go on is then sorted by the
// next eight, and so on. Ties are broken by the current row index, so the
// order is the stable one, and only the bytes that decide are ever read.
TLargeVector<int> TextOrder(const TLargeVector<std::string_view>& texts, bool descending, bool fold)
{
    const auto sameKey = [](const TTextKey& a, const TTextKey& b) { return a.Chunk == b.Chunk && a.Rest == b.Rest; };
    const auto before = [descending](const TTextKey& a, const TTextKey& b) {
        if (a.Chunk != b.Chunk)
            return descending ? a.Chunk > b.Chunk : a.Chunk < b.Chunk;
        if (a.Rest != b.Rest)
            return descending ? a.Rest > b.Rest : a.Rest < b.Rest;
        return a.Row < b.Row;
    };

    TLargeVector<TTextKey> keys(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        keys[i].Row = static_cast<uint32_t>(i);
        SetChunk(keys[i], texts[i], 0, fold);
    }
    struct TRun {
        size_t Begin, End, Depth;
    };
    std::vector<TRun> runs{{0, keys.size(), 0}};
    while (!runs.empty()) {
        const TRun run = runs.back();
        runs.pop_back();
        const auto first = keys.begin() + static_cast<std::ptrdiff_t>(run.Begin);
        const auto last = keys.begin() + static_cast<std::ptrdiff_t>(run.End);
        if (run.Depth > 0)
            for (auto k = first; k != last; ++k)
                SetChunk(*k, texts[k->Row], run.Depth, fold);
        // A run's rows are in row order already: when they all agree, nothing moves.
        if (std::all_of(first, last, [&](const TTextKey& k) { return sameKey(k, *first); })) {
            if (first != last && first->Rest > 8 && run.End - run.Begin > 1)
                runs.push_back({run.Begin, run.End, run.Depth + 8});
            continue;
        }
        std::sort(first, last, before);
        for (size_t b = run.Begin; b < run.End;) {
            size_t e = b + 1;
            while (e < run.End && sameKey(keys[e], keys[b]))
                ++e;
            if (e - b > 1 && keys[b].Rest > 8)
                runs.push_back({b, e, run.Depth + 8});
            b = e;
        }
    }
    TLargeVector<int> order(keys.size());
    for (size_t p = 0; p < keys.size(); ++p)
        order[p] = static_cast<int>(keys[p].Row);
    return order;
}

} // namespace

TLargeVector<int> SortedRowOrder(int count, int column, bool descending, const TSortTextOf& textOf)
{
    const size_t n = static_cast<size_t>(std::max(count, 0));
    if (column < 0 || column >= TDirectoryListModel::ColumnCount) {
        TLargeVector<int> order(n);
        for (size_t i = 0; i < n; ++i)
            order[i] = static_cast<int>(i);
        return order;
    }
    TSortFormat format = ssAlphabetic;
    lvwItemsGetFormat(column - 1, format);
    // Each row's text is looked up once, not at every comparison.
    TLargeVector<std::string_view> texts(n);
    for (size_t i = 0; i < n; ++i)
        texts[i] = textOf(static_cast<int>(i));
    switch (format) {
    case ssNumeric: return NumericOrder(texts, descending);
    case ssAlphaNoCase: return TextOrder(texts, descending, true);
    case ssAlphabetic:
    default: return TextOrder(texts, descending, false);
    }
}

std::vector<int> SortedRowOrder(const std::vector<TDirectoryRow>& rows, int column, bool descending)
{
    // Rows holding their own texts have no status: that column keeps their order.
    const bool shown = column >= 0 && column < TDirectoryListModel::StatusColumn;
    const size_t text = shown ? static_cast<size_t>(TDirectoryListModel::TextOfColumn(column)) : 0;
    const TLargeVector<int> order =
        SortedRowOrder(static_cast<int>(rows.size()), column, descending, [&](int row) {
            return shown ? std::string_view(rows[static_cast<size_t>(row)].Texts[text]) : std::string_view();
        });
    return std::vector<int>(order.begin(), order.end());
}
