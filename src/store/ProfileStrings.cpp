#include "store/ProfileStrings.h"

#include "store/RecordText.h"

#include <QFile>

#include <set>

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

// The next line of `text` (CR LF, LF and CR end a line), removed from it.
std::string_view NextLine(std::string_view& text)
{
    const auto end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        const std::string_view line = text;
        text = {};
        return line;
    }
    const std::string_view line = text.substr(0, end);
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
    return line;
}

} // namespace

TProfileFile::TProfileFile(std::string_view text)
{
    // A NUL byte ends the text.
    text = text.substr(0, text.find('\0'));
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);

    std::set<std::string> seen;
    std::map<std::string, std::string>* current = nullptr; // null outside a first section
    while (!text.empty()) {
        const std::string_view line = TrimBlanks(NextLine(text));
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const auto close = line.rfind(']');
            if (close == std::string_view::npos)
                continue;
            // Only the first section of a name is searched.
            std::string name = AsciiLower(TrimBlanks(line.substr(1, close - 1)));
            current = seen.insert(name).second ? &FSections[name] : nullptr;
            continue;
        }
        if (!current)
            continue;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        std::string key = AsciiLower(TrimBlanks(line.substr(0, equals)));
        if (current->count(key))
            continue;
        std::string_view value = TrimBlanks(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        current->emplace(std::move(key), std::string(value.substr(0, MaxValueLength)));
    }
}

TProfileFile TProfileFile::FromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return TProfileFile();
    // Read to the cap and no further, whatever the size said (a device or a
    // file that grows).
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (bytes.size() > MaxFileBytes || file.error() != QFileDevice::NoError)
        return TProfileFile();
    return TProfileFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::string TProfileFile::ReadString(std::string_view section, std::string_view key) const
{
    const auto s = FSections.find(AsciiLower(section));
    if (s == FSections.end())
        return {};
    const auto k = s->second.find(AsciiLower(key));
    return k == s->second.end() ? std::string() : k->second;
}

std::string ReadProfileString(const QString& path, std::string_view section, std::string_view key)
{
    return TProfileFile::FromFile(path).ReadString(section, key);
}
