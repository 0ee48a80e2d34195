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

std::optional<QByteArray> ReadData(const QString& dataPath)
{
    QFile file(dataPath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxDataBytes)
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

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

QPixmap LoadPicture(const QString& dataPath, std::string_view fileName)
{
    const QByteArray format = PictureFormatFor(fileName);
    if (format.isEmpty())
        return {};
    std::optional<QByteArray> bytes = ReadData(dataPath);
    if (!bytes)
        return {};
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    // The name chose the decoder; data of another type is not guessed at.
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QMovie* LoadAnimation(const QString& dataPath, QObject* parent)
{
    std::optional<QByteArray> bytes = ReadData(dataPath);
    if (!bytes)
        return nullptr;
    auto movie = std::make_unique<QMovie>();
    auto* buffer = new QBuffer(movie.get());
    buffer->setData(*bytes);
    buffer->open(QIODevice::ReadOnly);
    movie->setFormat("gif");
    movie->setDevice(buffer);
    movie->setCacheMode(QMovie::CacheAll);
    if (!movie->isValid() || !movie->jumpToFrame(0) || movie->currentImage().isNull())
        return nullptr;
    // Whatever loop count the file sets, the banner plays without end.
    QObject::connect(movie.get(), &QMovie::finished, movie.get(), &QMovie::start, Qt::QueuedConnection);
    movie->setParent(parent);
    return movie.release();
}

} // namespace BannerImage
