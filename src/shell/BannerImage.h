#pragma once
// Decoding a banner's data file. The decoder is the one the banner's own file
// name selects; the data file itself is read under its own name and never
// renamed, so the directory holds the same files whatever happens and a
// stray file of the banner's name is never read by mistake.
//
// Banners and icons come from a reseller's files, so their headers are read
// before any pixels: pictures larger than the caps below, and animations with
// more frames, are refused, and an animation's frames are decoded as they are
// shown and never kept, so a small file cannot make the program grow.

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>

#include <string_view>

class QMovie;
class QObject;
class QString;

namespace BannerImage {

// Far above any banner: larger data files are not read.
inline constexpr qint64 MaxDataBytes = 8 * 1024 * 1024;
// A banner is a strip some hundreds of pixels wide: larger pictures are refused.
inline constexpr int MaxWidth = 2048;
inline constexpr int MaxHeight = 1024;
inline constexpr int MaxFrames = 500;
// An icon file holds a few sizes, none above 256 pixels a side.
inline constexpr int MaxIconSide = 512;
inline constexpr int MaxIconImages = 16;

// A file name holding ".gif" anywhere, in any case, goes to the animated control.
bool IsAnimatedName(std::string_view fileName);

// The picture decoder the file name's extension selects: "bmp", "jpeg",
// "ico" and the like, or empty when no decoder of the toolkit reads that type
// (a metafile, for one).
QByteArray PictureFormatFor(std::string_view fileName);

// True when a picture of `size` may be decoded (a size the header does not
// tell is refused).
bool WithinCaps(QSize size);

// The picture in `bytes` as `format` decodes it; a null image when the data is
// not of that type or its header announces a size past the caps.
QImage DecodePicture(const QByteArray& bytes, const QByteArray& format);

// The picture in `dataPath`, decoded as `fileName` announces; a null pixmap
// when the data is missing, too large or not of that type.
QPixmap LoadPicture(const QString& dataPath, std::string_view fileName);

// An animated GIF of `bytes` that plays in an endless loop, owned by `parent`
// and not yet started; nullptr when the data is no readable GIF, its size is
// past the caps or it has more than MaxFrames frames.
QMovie* OpenAnimation(const QByteArray& bytes, QObject* parent);
// The same for the data file `dataPath`.
QMovie* LoadAnimation(const QString& dataPath, QObject* parent);

// The icon in the file `path` (every size it holds); a null icon when the
// file is missing, too large, no picture, or holds too many or too large images.
QIcon LoadIcon(const QString& path);
// The same for the file's bytes.
QIcon DecodeIcon(const QByteArray& bytes);

} // namespace BannerImage
