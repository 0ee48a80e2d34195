#pragma once
// Decoding a banner's data file. The decoder is the one the banner's own file
// name selects; the data file itself is read under its own name and never
// renamed, so the directory holds the same files whatever happens and a
// stray file of the banner's name is never read by mistake.

#include <QByteArray>
#include <QPixmap>

#include <string_view>

class QMovie;
class QObject;
class QString;

namespace BannerImage {

// Far above any banner: larger data files are not decoded.
inline constexpr qint64 MaxDataBytes = 32 * 1024 * 1024;

// A file name holding ".gif" anywhere, in any case, goes to the animated control.
bool IsAnimatedName(std::string_view fileName);

// The picture decoder the file name's extension selects: "bmp", "jpeg",
// "ico" and the like, or empty when no decoder of the toolkit reads that type
// (a metafile, for one).
QByteArray PictureFormatFor(std::string_view fileName);

// The picture in `dataPath`, decoded as `fileName` announces; a null pixmap
// when the data is missing, too large or not of that type.
QPixmap LoadPicture(const QString& dataPath, std::string_view fileName);

// An animated GIF from `dataPath` that plays in an endless loop, owned by
// `parent` and not yet started; nullptr when the data is no readable GIF.
QMovie* LoadAnimation(const QString& dataPath, QObject* parent);

} // namespace BannerImage
