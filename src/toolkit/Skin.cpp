#include "toolkit/Skin.h"

#include <QApplication>
#include <QFile>
#include <QStringDecoder>
#include <QtEndian>

#include <zlib.h>

namespace CompressedSkin {

namespace {

constexpr qsizetype HeaderBytes = 8;

std::optional<QByteArray> Inflate(const char* data, qsizetype size)
{
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return std::nullopt;
    QByteArray out;
    char chunk[16384];
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream.avail_in = static_cast<uInt>(size);
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END)
            break;
        out.append(chunk, static_cast<qsizetype>(sizeof chunk - stream.avail_out));
        if (out.size() > MaxSheetBytes) {
            status = Z_MEM_ERROR;
            break;
        }
        // Input used up before the stream's end: the stream is cut short.
        if (status == Z_OK && stream.avail_in == 0 && stream.avail_out != 0) {
            status = Z_BUF_ERROR;
            break;
        }
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END)
        return std::nullopt;
    return out;
}

} // namespace

std::optional<QString> Unpack(const QByteArray& bytes)
{
    if (bytes.size() < HeaderBytes)
        return std::nullopt;
    const auto* header = reinterpret_cast<const uchar*>(bytes.constData());
    const qint32 format = qFromLittleEndian<qint32>(header);
    const quint32 length = qFromLittleEndian<quint32>(header + 4);
    if (format > MaxFormat)
        return std::nullopt;
    if (length > static_cast<quint64>(bytes.size() - HeaderBytes))
        return std::nullopt;
    const std::optional<QByteArray> inflated = Inflate(bytes.constData() + HeaderBytes, length);
    if (!inflated || inflated->isEmpty() || inflated->contains('\0'))
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString sheet = decoder(*inflated);
    if (decoder.hasError())
        return std::nullopt;
    return sheet;
}

} // namespace CompressedSkin

// The resource lives in a static library, so it is registered by hand (and
// outside any namespace, as the macro requires).
static void RegisterSkinResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(Skins);
        return true;
    }();
    (void)registered;
}

QString TSkinData::BuiltInSkinPath()
{
    return QStringLiteral(":/skins/main.skn");
}

bool TSkinData::LoadBuiltInSkin()
{
    RegisterSkinResources();
    return LoadCompressedSkinFile(BuiltInSkinPath());
}

bool TSkinData::LoadCompressedSkinFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > CompressedSkin::MaxFileBytes)
        return false;
    // Never more than the cap, whatever the size said (a device, a growing file).
    const QByteArray bytes = file.read(CompressedSkin::MaxFileBytes + 1);
    if (bytes.size() > CompressedSkin::MaxFileBytes || file.error() != QFileDevice::NoError)
        return false;
    return Apply(CompressedSkin::Unpack(bytes));
}

bool TSkinData::Apply(const std::optional<QString>& sheet)
{
    if (!sheet)
        return false;
    FStyleSheet = *sheet;
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        app->setStyleSheet(FStyleSheet);
    return true;
}
