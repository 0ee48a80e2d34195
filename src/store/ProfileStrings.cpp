#include "store/ProfileStrings.h"

#include "store/RecordText.h"

#include <QFile>

namespace {

std::string_view TrimBlanks(std::string_view text)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && AsciiLower(a) == AsciiLower(b);
}

} // namespace

TProfileFile TProfileFile::FromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TProfileFile();
    return TProfileFile(file.readAll().toStdString());
}

std::string TProfileFile::ReadString(std::string_view section, std::string_view key) const
{
    std::string_view text(FText);
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);

    bool inSection = false;
    for (const std::string& rawLine : SplitLines(text)) {
        const std::string_view line = TrimBlanks(rawLine);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const auto close = line.rfind(']');
            if (close == std::string_view::npos)
                continue;
            // Only the first section of a name is searched.
            if (inSection)
                return {};
            inSection = SameName(TrimBlanks(line.substr(1, close - 1)), section);
            continue;
        }
        if (!inSection)
            continue;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || !SameName(TrimBlanks(line.substr(0, equals)), key))
            continue;
        std::string_view value = TrimBlanks(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value.substr(0, MaxValueLength));
    }
    return {};
}

std::string ReadProfileString(const QString& path, std::string_view section, std::string_view key)
{
    return TProfileFile::FromFile(path).ReadString(section, key);
}
