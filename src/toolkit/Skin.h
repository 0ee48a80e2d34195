#pragma once
// Skins of the toolkit. A compressed skin is a little-endian signed 32-bit
// format number, a little-endian unsigned 32-bit length and that many bytes
// of a zlib stream; the inflated bytes are a Qt style sheet in UTF-8, applied
// to the whole application. The built-in skin "main.skn" has the same layout.

#include <QByteArray>
#include <QString>

#include <optional>

namespace CompressedSkin {
inline constexpr int MaxFormat = 3;
// Far above any real sheet (a few kilobytes): the cap stops a stream that
// inflates without end, and a sheet the style would take long to apply.
inline constexpr qsizetype MaxSheetBytes = 1024 * 1024;
// A stream of a sheet within the cap is never larger than this.
inline constexpr qint64 MaxFileBytes = 2 * 1024 * 1024;

// The style sheet that `bytes` hold, or nothing when they hold no usable
// skin: short header, format above MaxFormat, a length past the end, a broken
// or unfinished stream, an over-large, empty or non-UTF-8 sheet.
std::optional<QString> Unpack(const QByteArray& bytes);
} // namespace CompressedSkin

// The skin data of the windows (bsSkinData1): holds the applied sheet.
class TSkinData {
public:
    // Applies the built-in skin (bsCompressedStoredSkin1, "main.skn").
    bool LoadBuiltInSkin();
    // Applies the skin in a compressed skin file. A file that is missing,
    // unreadable or holds no skin changes nothing and returns false.
    bool LoadCompressedSkinFile(const QString& path);

    const QString& StyleSheet() const { return FStyleSheet; }

    // Where the built-in skin is stored.
    static QString BuiltInSkinPath();

private:
    bool Apply(const std::optional<QString>& sheet);

    QString FStyleSheet;
};
