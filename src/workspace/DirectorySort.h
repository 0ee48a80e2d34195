#pragma once
// Sorting the directory list by a column: the comparison each column uses
// and a sort that stays safe with comparisons that are not an ordering.

#include "store/LargeBlocks.h"
#include "workspace/DirectoryListModel.h"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum TSortFormat { ssAlphabetic, ssAlphaNoCase, ssNumeric };

// The list's sort-format request: `SubItem` is the sub-item the sort column
// shows, -1 for the caption; `Format` comes preset to ssAlphabetic.
void lvwItemsGetFormat(int SubItem, TSortFormat& Format);

// Reads a PR or Alexa text as a number: surrounding spaces, a sign, a decimal
// point (or `decimalSeparator`) and an exponent are accepted; the empty text
// is 0. False when the text is not a number.
bool ReadSortNumber(std::string_view text, char decimalSeparator, double& value);

// The user's decimal separator, when it is one byte; else '.'.
char UserDecimalSeparator();

// <0, 0 or >0. ssAlphabetic compares the 8-bit codes; ssAlphaNoCase does so
// after upper-casing a to z; ssNumeric compares the numbers, and a text that
// is not a number is equal to everything.
int CompareSortTexts(TSortFormat format, const std::string& a, const std::string& b,
                     char decimalSeparator = '.');

// A stable bottom-up merge sort of `items` by `less`. Written here because
// the standard sorts require a strict weak ordering and the numeric comparison
// is not one (a text that is not a number equals both 1 and 2): with any
// comparison this one only ever reads and writes inside its two arrays,
// and always ends.
template <typename TVector, typename TLess>
void MergeSortStable(TVector& items, TLess less)
{
    const size_t n = items.size();
    TVector merged(n);
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t low = 0; low < n; low += 2 * width) {
            const size_t middle = std::min(low + width, n);
            const size_t high = std::min(low + 2 * width, n);
            size_t i = low, j = middle, k = low;
            while (i < middle && j < high) {
                // Without a branch on the comparison: its outcome is unpredictable.
                const bool right = less(items[j], items[i]);
                merged[k++] = right ? items[j] : items[i];
                j += right;
                i += !right;
            }
            while (i < middle)
                merged[k++] = items[i++];
            while (j < high)
                merged[k++] = items[j++];
        }
        items.swap(merged);
    }
}

// The same sort over row indexes.
template <typename TLess>
void MergeSortIndices(std::vector<int>& order, TLess less)
{
    MergeSortStable(order, less);
}

// The text row `row` shows in the sort column.
using TSortTextOf = std::function<std::string_view(int row)>;

// The new row order for sorting `count` rows by the text that `column`
// shows, read through `textOf`: entry p is the current index of the row that
// goes to position p. Rows that compare equal keep their current order.
TLargeVector<int> SortedRowOrder(int count, int column, bool descending, const TSortTextOf& textOf);
// The same for rows holding their texts.
std::vector<int> SortedRowOrder(const std::vector<TDirectoryRow>& rows, int column, bool descending);
