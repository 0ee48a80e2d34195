#include "TestSupport.h"

#include <QFile>
#include <QFileInfo>

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
