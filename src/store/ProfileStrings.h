#pragma once
// INI files read the way the Windows profile-string reader reads them, which
// is how resellers and the update site write them. QSettings (escapes, comma
// lists, case-sensitive keys) and inih (200-character lines, inline comments,
// quotes kept) both read such files differently, hence this small reader.
//
// Rules: section and key names match without regard to ASCII case; the first
// section of a name and the first of duplicate keys win; names and values are
// trimmed of blanks and tabs; one pair of matching surrounding quotes (" or ')
// is removed; a value is cut to 2,047 characters; no escapes, no inline
// comments, no continuation lines; a line starting with ';' is a comment; a
// missing file, section or key reads as empty text. Bytes are kept as they are.

#include <string>
#include <string_view>

class QString;

class TProfileFile {
public:
    static constexpr std::size_t MaxValueLength = 2047;

    TProfileFile() = default;
    explicit TProfileFile(std::string text)
        : FText(std::move(text))
    {
    }
    // A file that is missing or cannot be read holds no keys.
    static TProfileFile FromFile(const QString& path);

    std::string ReadString(std::string_view section, std::string_view key) const;

private:
    std::string FText;
};

// One key of one INI file: the file is read for this look-up alone.
std::string ReadProfileString(const QString& path, std::string_view section, std::string_view key);
