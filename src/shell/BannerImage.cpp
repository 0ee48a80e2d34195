#include "shell/BannerImage.h"

#include "store/RecordText.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QMovie>

#include <memory>
#include <optional>

namespace BannerImage {

namespace {

std::optional<QByteArray> ReadData(const QString& dataPath, qint64 maxBytes)
{
    QFile file(dataPath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxBytes)
        return std::nullopt;
    // Never more than the cap, whatever the size said (a device, a growing file).
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// A movie that reads its own copy of the data and refuses, frame by frame, a
// frame larger than the caps the header promised (a stream can lie later on).
class TBoundedMovie : public QMovie {
public:
    explicit TBoundedMovie(const QByteArray& bytes)
    {
        auto* buffer = new QBuffer(this);
        buffer->setData(bytes);
        buffer->open(QIODevice::ReadOnly);
        setFormat("gif");
        setDevice(buffer);
        // Frames are decoded as they are shown: caching them all is what let a
        // small file with thousands of large frames fill the memory.
        setCacheMode(QMovie::CacheNone);
        connect(this, &QMovie::frameChanged, this, [this] {
            if (!WithinCaps(currentImage().size()))
                stop();
        });
    }
};

} // namespace

bool IsAnimatedName(std::string_view fileName)
{
    return AsciiLower(fileName).find(".gif") != std::string::npos;
}

QByteArray PictureFormatFor(std::string_view fileName)
{
    const auto dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return {};
    QByteArray suffix = QByteArray::fromStdString(AsciiLower(fileName.substr(dot + 1)));
    if (suffix == "jpg" || suffix == "jpe" || suffix == "jfif")
        suffix = "jpeg";
    if (suffix.isEmpty() || !QImageReader::supportedImageFormats().contains(suffix))
        return {};
    return suffix;
}

bool WithinCaps(QSize size)
{
    return size.isValid() && !size.isEmpty() && size.width() <= MaxWidth && size.height() <= MaxHeight;
}

QImage DecodePicture(const QByteArray& bytes, const QByteArray& format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    // The name chose the decoder; data of another type is not guessed at.
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    if (!reader.canRead() || !WithinCaps(reader.size()))
        return {};
    QImage image = reader.read();
    return WithinCaps(image.size()) ? image : QImage();
}

QPixmap LoadPicture(const QString& dataPath, std::string_view fileName)
{
    const QByteArray format = PictureFormatFor(fileName);
    if (format.isEmpty())
        return {};
    const std::optional<QByteArray> bytes = ReadData(dataPath, MaxDataBytes);
    if (!bytes)
        return {};
    const QImage image = DecodePicture(*bytes, format);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QMovie* OpenAnimation(const QByteArray& bytes, QObject* parent)
{
    {
        // The header and the frame count first, without decoding a pixel.
        QBuffer probe;
        probe.setData(bytes);
        probe.open(QIODevice::ReadOnly);
        QImageReader reader(&probe, "gif");
        reader.setAutoDetectImageFormat(false);
        if (!reader.canRead() || !WithinCaps(reader.size()))
            return nullptr;
        const int frames = reader.imageCount();
        if (frames < 1 || frames > MaxFrames)
            return nullptr;
    }
    auto movie = std::make_unique<TBoundedMovie>(bytes);
    if (!movie->isValid() || !movie->jumpToFrame(0) || movie->currentImage().isNull()
        || !WithinCaps(movie->currentImage().size()))
        return nullptr;
    // Whatever loop count the file sets, the banner plays without end.
    QObject::connect(movie.get(), &QMovie::finished, movie.get(), &QMovie::start, Qt::QueuedConnection);
    movie->setParent(parent);
    return movie.release();
}

QMovie* LoadAnimation(const QString& dataPath, QObject* parent)
{
    const std::optional<QByteArray> bytes = ReadData(dataPath, MaxDataBytes);
    return bytes ? OpenAnimation(*bytes, parent) : nullptr;
}

QIcon DecodeIcon(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!reader.canRead())
        return {};
    const int count = std::max(reader.imageCount(), 1);
    if (count > MaxIconImages)
        return {};
    QIcon icon;
    for (int n = 0; n < count; ++n) {
        if (n > 0 && !reader.jumpToImage(n))
            break;
        const QSize size = reader.size();
        if (!size.isValid() || size.width() > MaxIconSide || size.height() > MaxIconSide)
            return {};
        const QImage image = reader.read();
        if (image.isNull() || image.width() > MaxIconSide || image.height() > MaxIconSide)
            break;
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QIcon LoadIcon(const QString& path)
{
    const std::optional<QByteArray> bytes = ReadData(path, MaxDataBytes);
    return bytes ? DecodeIcon(*bytes) : QIcon();
}

} // namespace BannerImage
