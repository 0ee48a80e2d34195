// The file cipher applied to data files and to data in memory, with the
// password built into the program.
#include "store/DataFileCipher.h"

#include "store/AesLib.h"
#include "store/FileIO.h"

#include <QFile>
#include <QIODevice>
#include <QString>

// The built-in password takes the AES-128 mode: 8 bytes of salt.
static_assert(DataFilePassword.size() < 32 && DataFilePlainOffset == 8 + TCrypt::VerifierSize
              && DataFileOverhead == DataFilePlainOffset + TCrypt::CodeSize);

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

bool EncryptData(const TPlainSource& source, QIODevice& destination, const TCrypt::TWriteProgress& onWritten)
{
    TEncryption cipher{std::string(DataFilePassword), DataFileBufferSize};
    return cipher.EncryptSource(source, destination, onWritten);
}

bool DecryptDataInPlace(char* data, size_t size, std::string_view& plain, TCryptFailure* failure,
                        const TCrypt::TDecryptProgress& onDecrypted)
{
    TEncryption cipher{std::string(DataFilePassword), DataFileBufferSize};
    size_t length = 0;
    const bool ok = cipher.DecryptInPlace(reinterpret_cast<uint8_t*>(data), size, length, onDecrypted);
    plain = std::string_view(data + (length ? cipher.PlainOffset() : 0), length);
    if (failure)
        *failure = cipher.LastFailure();
    return ok;
}
