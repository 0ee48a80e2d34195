#include "store/FileIO.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool FileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

std::string ReadWholeFile(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).isDir())
        throw TFileError("Cannot open file \"" + path.toStdString() + "\". It is a directory.");
    if (!file.open(QIODevice::ReadOnly))
        throw TFileError("Cannot open file \"" + path.toStdString() + "\". "
                         + file.errorString().toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw TFileError("Cannot read file \"" + path.toStdString() + "\". "
                         + file.errorString().toStdString());
    return bytes.toStdString();
}

void WriteWholeFileAtomically(const QString& path, const std::string& bytes, bool ownerOnly)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw TFileError("Cannot create file \"" + path.toStdString() + "\". "
                         + file.errorString().toStdString());
    if (ownerOnly)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())
        || !file.commit())
        throw TFileError("Cannot write file \"" + path.toStdString() + "\". "
                         + file.errorString().toStdString());
}
