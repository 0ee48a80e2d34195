// The file cipher applied to data files and to data in memory, with the
// password built into the program.
#include "common/UUtils.h"

#include "store/AesLib.h"
#include "store/FileIO.h"

#include <QBuffer>
#include <QFile>
#include <QIODevice>
#include <QString>

namespace {

// Write-only device that appends to a std::string, so an in-memory
// encryption or decryption costs no extra copy of its result.
class TStringSink : public QIODevice {
public:
    explicit TStringSink(std::string& into)
        : FInto(into)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        FInto.append(data, static_cast<size_t>(length));
        return length;
    }

private:
    std::string& FInto;
};

QFile& OpenSource(QFile& file)
{
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw TFileError("Cannot open file \"" + file.fileName().toStdString() + "\". "
                         + file.errorString().toStdString());
    return file;
}

QFile& CreateDestination(QFile& file)
{
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw TFileError("Cannot create file \"" + file.fileName().toStdString() + "\". "
                         + file.errorString().toStdString());
    return file;
}

} // namespace

bool DecryptDataFile(const QString& source, const QString& destination)
{
    QFile in(source);
    QFile out(destination);
    OpenSource(in);
    CreateDestination(out);
    TEncryption cipher{std::string(DataFilePassword), DataFileBufferSize};
    const bool ok = cipher.DecryptStream(in, out, in.size());
    out.close();
    return ok && out.error() == QFileDevice::NoError;
}

bool EncryptDataFile(const QString& source, const QString& destination)
{
    QFile in(source);
    QFile out(destination);
    OpenSource(in);
    CreateDestination(out);
    TEncryption cipher{std::string(DataFilePassword), DataFileBufferSize};
    const bool ok = cipher.EncryptStream(in, out);
    out.close();
    return ok && out.error() == QFileDevice::NoError;
}

bool DecryptData(std::string_view encrypted, std::string& plain, TCryptFailure* failure)
{
    plain.clear();
    TEncryption cipher{std::string(DataFilePassword), DataFileBufferSize};
    if (encrypted.size() >= cipher.Overhead())
        plain.reserve(encrypted.size() - cipher.Overhead());
    QByteArray raw = QByteArray::fromRawData(encrypted.data(), static_cast<qsizetype>(encrypted.size()));
    QBuffer in(&raw);
    in.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    TStringSink out(plain);
    const bool ok = cipher.DecryptStream(in, out, static_cast<int64_t>(encrypted.size()));
    if (failure)
        *failure = cipher.LastFailure();
    return ok;
}

std::string EncryptData(std::string_view plain)
{
    TEncryption cipher{std::string(DataFilePassword), DataFileBufferSize};
    std::string encrypted;
    encrypted.reserve(plain.size() + cipher.Overhead());
    QByteArray raw = QByteArray::fromRawData(plain.data(), static_cast<qsizetype>(plain.size()));
    QBuffer in(&raw);
    in.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    TStringSink out(encrypted);
    if (!cipher.EncryptStream(in, out))
        throw TFileError("The data could not be encrypted.");
    return encrypted;
}
