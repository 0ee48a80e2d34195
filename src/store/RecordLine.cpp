#include "store/RecordLine.h"

#include "store/RecordText.h"
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void AppendRecordField(std::string& line, const std::string& field)
{
    for (char c : field)
        line.push_back(c == '^' || c == '\r' || c == '\n' || c == '\0' ? ' ' : c);
    line.push_back('^');
}

namespace {

bool IsBlank(std::string_view line)
{
    for (char c : line)
        if (static_cast<unsigned char>(c) > 32)
            return false;
    return true;
}

// Splits `line` at "^" as SplitFields does, keeping `keep` pieces at most;
// true when text (other than blanks and carets) lies outside the kept fields.
bool SplitKeeping(std::string_view line, std::size_t keep, std::vector<std::string>& pieces)
{
    pieces.clear();
    std::size_t start = 0;
    while (pieces.size() < keep) {
        const std::size_t at = line.find('^', start);
        if (at == std::string_view::npos) {
            if (start < line.size())
                pieces.emplace_back(line.substr(start));
            start = line.size();
            break;
        }
        pieces.emplace_back(line.substr(start, at - start));
        start = at + 1;
    }
    bool outside = !pieces.empty() && !IsBlank(pieces.front());
    for (std::size_t i = start; i < line.size() && !outside; ++i)
        outside = line[i] != '^' && static_cast<unsigned char>(line[i]) > 32;
    return outside;
}

} // namespace

void ForEachRecordLine(std::string_view text, std::size_t fieldCount,
                       const std::function<void(std::vector<std::string>&, const TRecordLineShape&)>& onRecord)
{
    // The line rules of SplitLines, without holding every line of a large
    // database in memory at once.
    if (auto nul = text.find('\0'); nul != std::string_view::npos)
        text = text.substr(0, nul);
    std::vector<std::string> pieces;
    TRecordLineShape shape;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        ++shape.LineNumber;
        if (!IsBlank(line)) {
            shape.TextOutside = SplitKeeping(line, fieldCount + 1, pieces);
            onRecord(pieces, shape);
        }
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n')
            ++start;
    }
}

void TRecordLineCounter::Feed(std::string_view piece)
{
    if (FEnded)
        return;
    if (const void* nul = std::memchr(piece.data(), '\0', piece.size())) {
        piece = piece.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - piece.data()));
        FEnded = true;
    }
    // CR LF is two line breaks around an empty line, which counts for nothing.
    // The state is kept in locals while the piece is scanned: written to
    // members, it would be stored and reloaded at every line.
    bool lineHasText = FLineHasText;
    int64_t count = FCount;
    const char* const text = piece.data();
    const size_t size = piece.size();
    size_t i = 0;
#if defined(__SSE2__)
    // 64 bytes at a time: a mask of the line breaks and one of the bytes
    // above 32; a line counts when a text bit lies between its start and its break.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i above32 = _mm_set1_epi8(33);
    for (; i + 64 <= size; i += 64) {
        uint64_t breaks = 0, texts = 0;
        for (int k = 0; k < 4; ++k) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + 16 * k));
            const auto lineEnds = static_cast<uint32_t>(
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
            const auto printable = static_cast<uint32_t>(
                _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(block, above32), block)));
            breaks |= static_cast<uint64_t>(lineEnds) << (16 * k);
            texts |= static_cast<uint64_t>(printable) << (16 * k);
        }
        uint64_t lineStart = ~uint64_t(0); // the bits of the current line in this block
        for (; breaks; breaks &= breaks - 1) {
            const auto at = static_cast<unsigned>(__builtin_ctzll(breaks));
            const uint64_t before = (uint64_t(1) << at) - 1;
            count += lineHasText || (texts & before & lineStart) != 0;
            lineHasText = false;
            lineStart = ~((uint64_t(2) << at) - 1);
        }
        lineHasText = lineHasText || (texts & lineStart) != 0;
    }
#endif
    for (; i < size; ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            count += lineHasText;
            lineHasText = false;
        } else if (static_cast<unsigned char>(c) > 32) {
            lineHasText = true;
        }
    }
    FLineHasText = lineHasText;
    FCount = count;
}

int64_t TRecordLineCounter::Finish()
{
    FCount += FLineHasText;
    FLineHasText = false;
    return FCount;
}
