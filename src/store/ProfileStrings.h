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
//
// The text is read once, when the object is made, into a table of the values
// found; a file larger than MaxFileBytes is not read at all (it holds no keys),
// so a huge or endless file costs neither time nor memory.

#include <map>
#include <string>
#include <string_view>

class QString;

class TProfileFile {
public:
    static constexpr std::size_t MaxValueLength = 2047;
    // Far above any configuration file: larger files hold no keys.
    static constexpr long long MaxFileBytes = 1024 * 1024;

    TProfileFile() = default;
    explicit TProfileFile(std::string_view text);
    // A file that is missing, cannot be read or is larger than MaxFileBytes
    // holds no keys.
    static TProfileFile FromFile(const QString& path);

    std::string ReadString(std::string_view section, std::string_view key) const;

private:
    // Lower-cased section name -> lower-cased key -> value.
    std::map<std::string, std::map<std::string, std::string>> FSections;
};

// One key of one INI file.
std::string ReadProfileString(const QString& path, std::string_view section, std::string_view key);
