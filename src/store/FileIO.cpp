#include "store/FileIO.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

bool FileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

void ThrowFileTooLarge(const QString& path, long long maxBytes)
{
    throw TFileError("File \"" + path.toStdString() + "\" is larger than "
                     + std::to_string(maxBytes / (1024 * 1024))
                     + " MB, far past any data file of this program; it is not read.");
}

void SyncFolderOf(const QString& path)
{
#ifndef _WIN32
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
#else
    (void)path;
#endif
}

std::string ReadWholeFile(const QString& path, long long maxBytes)
{
    QFile file(path);
    if (QFileInfo(path).isDir())
        throw TFileError("Cannot open file \"" + path.toStdString() + "\". It is a directory.");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw TFileError("Cannot open file \"" + path.toStdString() + "\". "
                         + file.errorString().toStdString());
    if (file.size() > maxBytes)
        ThrowFileTooLarge(path, maxBytes);
    // Read straight into the result: a large database is not held twice.
    std::string bytes(static_cast<size_t>(std::max<qint64>(file.size(), 0)), '\0');
    qint64 have = 0;
    const auto fail = [&] {
        throw TFileError("Cannot read file \"" + path.toStdString() + "\". "
                         + file.errorString().toStdString());
    };
    while (have < static_cast<qint64>(bytes.size())) {
        const qint64 got = file.read(bytes.data() + have, static_cast<qint64>(bytes.size()) - have);
        if (got < 0)
            fail();
        if (got == 0)
            break; // the file shrank meanwhile
        have += got;
    }
    bytes.resize(static_cast<size_t>(have));
    // Whatever the file grew by meanwhile, or all of a file with no size.
    char chunk[65536];
    for (qint64 got; (got = file.read(chunk, sizeof chunk)) != 0;) {
        if (got < 0)
            fail();
        bytes.append(chunk, static_cast<size_t>(got));
        if (static_cast<long long>(bytes.size()) > maxBytes)
            ThrowFileTooLarge(path, maxBytes);
    }
    return bytes;
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
    SyncFolderOf(path);
}

QString DamagedCopyNameOf(const QString& appDir, const QString& fileName)
{
    QString stem = fileName;
    stem.chop(4); // ".dat"
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? stem + QStringLiteral(".damaged.dat")
                                    : stem + QStringLiteral(".damaged-%1.dat").arg(n);
        if (!FileExists(appDir + name))
            return name;
    }
}

QString KeepDamagedCopyOf(const QString& appDir, const QString& fileName)
{
    const QString name = DamagedCopyNameOf(appDir, fileName);
    // QFile::copy never replaces an existing file.
    QFile original(appDir + fileName);
    if (!original.copy(appDir + name))
        throw TFileError("Cannot copy \"" + (appDir + fileName).toStdString() + "\" to \""
                         + name.toStdString() + "\". " + original.errorString().toStdString());
    return name;
}
