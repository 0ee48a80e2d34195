#include "store/RecordText.h"

void SplitFields(char separator, std::string_view text, std::vector<std::string>& pieces)
{
    pieces.clear();
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string_view::npos; start = at + 1)
        pieces.emplace_back(text.substr(start, at - start));
    if (start < text.size())
        pieces.emplace_back(text.substr(start));
}

std::vector<std::string> SplitLines(std::string_view text)
{
    if (auto nul = text.find('\0'); nul != std::string_view::npos)
        text = text.substr(0, nul);
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string TrimControl(std::string_view text)
{
    size_t b = 0;
    size_t e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32)
        --e;
    return std::string(text.substr(b, e - b));
}

std::string AsciiUpper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string AsciiLower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}
