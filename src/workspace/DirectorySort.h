#pragma once
// Sorting the directory list by a column: the comparison each column uses
// and a sort that stays safe with comparisons that are not an ordering.

#include "workspace/DirectoryListModel.h"

#include <algorithm>
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

// A stable bottom-up merge sort of `order` by `less`. Written here because
// the standard sorts require a strict weak ordering and the numeric comparison
// is not one (a text that is not a number equals both 1 and 2): with any
// comparison this one only ever reads and writes inside its two arrays,
// and always ends.
template <typename TLess>
void MergeSortIndices(std::vector<int>& order, TLess less)
{
    const size_t n = order.size();
    std::vector<int> merged(n);
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t low = 0; low < n; low += 2 * width) {
            const size_t middle = std::min(low + width, n);
            const size_t high = std::min(low + 2 * width, n);
            size_t i = low, j = middle, k = low;
            while (i < middle && j < high)
                merged[k++] = less(order[j], order[i]) ? order[j++] : order[i++];
            while (i < middle)
                merged[k++] = order[i++];
            while (j < high)
                merged[k++] = order[j++];
        }
        order.swap(merged);
    }
}

// The new row order for sorting `rows` by the text that `column` shows:
// entry p is the current index of the row that goes to position p. Rows that
// compare equal keep their current order.
std::vector<int> SortedRowOrder(const std::vector<TDirectoryRow>& rows, int column, bool descending);
