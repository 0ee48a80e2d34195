#include "workspace/DirectorySort.h"

#include "store/RecordText.h"

#include <QLocale>

#include <charconv>
#include <cstring>

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

std::vector<int> SortedRowOrder(const std::vector<TDirectoryRow>& rows, int column, bool descending)
{
    std::vector<int> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    if (column < 0 || column >= TDirectoryListModel::ColumnCount)
        return order;
    const size_t text = static_cast<size_t>(TDirectoryListModel::TextOfColumn(column));
    TSortFormat format = ssAlphabetic;
    lvwItemsGetFormat(column - 1, format);

    // Each row's key is worked out once, not at every comparison.
    const auto sortWith = [&](auto compare) {
        MergeSortIndices(order, [&](int a, int b) {
            const int c = compare(a, b);
            return descending ? c > 0 : c < 0;
        });
    };
    switch (format) {
    case ssNumeric: {
        const char separator = UserDecimalSeparator();
        std::vector<TNumberKey> keys(rows.size());
        for (size_t i = 0; i < rows.size(); ++i)
            keys[i] = NumberKey(rows[i].Texts[text], separator);
        sortWith([&](int a, int b) { return CompareNumbers(keys[size_t(a)], keys[size_t(b)]); });
        break;
    }
    case ssAlphaNoCase: {
        std::vector<std::string> keys(rows.size());
        for (size_t i = 0; i < rows.size(); ++i)
            keys[i] = AsciiUpper(rows[i].Texts[text]);
        sortWith([&](int a, int b) { return CompareBytes(keys[size_t(a)], keys[size_t(b)]); });
        break;
    }
    case ssAlphabetic:
        sortWith([&](int a, int b) { return CompareBytes(rows[size_t(a)].Texts[text], rows[size_t(b)].Texts[text]); });
        break;
    }
    return order;
}
