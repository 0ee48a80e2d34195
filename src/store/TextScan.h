#pragma once
// Finding the carets and line breaks of a data file's text sixteen bytes at a
// time: a large database is one long scan, and byte-by-byte tests would be
// most of the cost of loading it.

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Calls `onMark(position)` for every '^', CR and LF in [text, text + size), in order.
template <typename TOnMark>
void ForEachMark(const char* text, size_t size, TOnMark&& onMark)
{
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i caret = _mm_set1_epi8('^');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= size; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, caret), _mm_cmpeq_epi8(block, cr)),
                                          _mm_cmpeq_epi8(block, lf));
        for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits)); mask; mask &= mask - 1)
            onMark(i + static_cast<size_t>(__builtin_ctz(mask)));
    }
#endif
    for (; i < size; ++i)
        if (text[i] == '^' || text[i] == '\r' || text[i] == '\n')
            onMark(i);
}
