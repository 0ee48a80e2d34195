#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <stdexcept>

TTempAppDir::TTempAppDir()
{
    if (!FDir.isValid())
        throw std::runtime_error("cannot create a temporary directory");
}

QString TTempAppDir::Path() const
{
    return FDir.path() + QLatin1Char('/');
}

void TTempAppDir::Write(const QString& name, const std::string& bytes) const
{
    WriteFileBytes(File(name), bytes);
}

std::string TTempAppDir::Read(const QString& name) const
{
    return ReadFileBytes(File(name));
}

bool TTempAppDir::Exists(const QString& name) const
{
    return QFileInfo::exists(File(name));
}

std::string ReadFileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll().toStdString();
}

void WriteFileBytes(const QString& path, const std::string& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write " + path.toStdString());
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

namespace {

QString OpenerDir()
{
    static const QString dir = [] {
        static QTemporaryDir folder;
        const QString path = folder.path() + QLatin1Char('/');
        WriteFileBytes(path + QStringLiteral("xdg-open"),
                       "#!/bin/sh\nprintf '%s\\n' \"$*\" >> \"$(dirname \"$0\")/opened.log\"\n");
        QFile::setPermissions(path + QStringLiteral("xdg-open"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("PATH", QFile::encodeName(folder.path()) + ':' + qgetenv("PATH"));
        return path;
    }();
    return dir;
}

} // namespace

TStandInOpener::TStandInOpener()
{
    WriteFileBytes(OpenerDir() + QStringLiteral("opened.log"), "");
}

std::vector<std::string> TStandInOpener::Received() const
{
    std::vector<std::string> lines;
    std::string text = ReadFileBytes(OpenerDir() + QStringLiteral("opened.log"));
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

bool TStandInOpener::WaitFor(std::size_t count) const
{
    return QTest::qWaitFor([&] { return Received().size() >= count; }, 20000);
}
