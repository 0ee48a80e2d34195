#include "store/RecordLine.h"

#include "store/RecordText.h"

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

void ForEachRecordLine(std::string_view text, std::size_t fieldCount,
                       const std::function<void(std::vector<std::string>&, const TRecordLineShape&)>& onRecord)
{
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
