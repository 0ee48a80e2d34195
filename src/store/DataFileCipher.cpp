// The file cipher applied to data files and to data in memory, with the
// password built into the program.
#include "store/DataFileCipher.h"

#include "store/AesLib.h"
#include "store/FileIO.h"

#include <QFile>
#include <QIODevice>
#include <QString>

namespace {

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
    TEncryption cipher{std::string(DataFilePassword), DataFileBufferSize};
    const bool ok = cipher.DecryptBytes(encrypted, plain);
    if (failure)
        *failure = cipher.LastFailure();
    return ok;
}

void EncryptData(std::string_view plain, std::string& encrypted)
{
    TEncryption cipher{std::string(DataFilePassword), DataFileBufferSize};
    cipher.EncryptBytes(plain, encrypted);
}

std::string EncryptData(std::string_view plain)
{
    std::string encrypted;
    EncryptData(plain, encrypted);
    return encrypted;
}
