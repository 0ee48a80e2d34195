#include "store/RecordLine.h"

#include "store/RecordText.h"
#include "store/TextScan.h"

#include <cstring>

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

} // namespace

void ForEachRecordLine(std::string_view text,
                       const std::function<void(std::vector<std::string>&)>& onRecord)
{
    // The line rules of SplitLines, without holding every line of a large
    // database in memory at once.
    if (auto nul = text.find('\0'); nul != std::string_view::npos)
        text = text.substr(0, nul);
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        if (!IsBlank(line)) {
            SplitFields('^', line, pieces);
            onRecord(pieces);
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
    ForEachLineBreak(piece.data(), piece.size(), [&](size_t start, size_t end) {
        if (!FLineHasText)
            FLineHasText = !IsBlank(piece.substr(start, end - start));
        if (end < piece.size()) {
            FCount += FLineHasText;
            FLineHasText = false;
        }
    });
}

int64_t TRecordLineCounter::Finish()
{
    FCount += FLineHasText;
    FLineHasText = false;
    return FCount;
}
