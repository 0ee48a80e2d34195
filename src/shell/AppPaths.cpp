#include "shell/AppPaths.h"

#include "store/FileIO.h"
#include "store/TDDirectories.h"
#include "store/TDProjects.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace {

QString WithSeparator(QString dir)
{
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

void CopyNewFile(const QString& source, const QString& target)
{
    if (QFileInfo::exists(target))
        return;
    if (!QFile::copy(source, target))
        throw TFileError("Cannot copy " + source.toStdString() + " to " + target.toStdString());
    // Installed files are read-only; the user's copies are theirs to change.
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}

} // namespace

QString ApplicationDirectory()
{
    return WithSeparator(QCoreApplication::applicationDirPath());
}

QString SharedDataDirectory(const QString& programDir)
{
    const QFileInfo shared(programDir + QStringLiteral("../share/tarnwick"));
    return shared.isDir() ? WithSeparator(shared.canonicalFilePath()) : QString();
}

TDataFolder ChooseDataFolder(const QString& programDir, const QString& chosen)
{
    if (!chosen.isEmpty())
        return {WithSeparator(QDir::cleanPath(QFileInfo(chosen).absoluteFilePath())), TDataFolderKind::Chosen};
    if (QFileInfo::exists(programDir + QLatin1String(TDProjects::FileName))
        || QFileInfo::exists(programDir + QLatin1String(TDDirectories::FileName)))
        return {WithSeparator(programDir), TDataFolderKind::Portable};
    const QString userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return {WithSeparator(userData) + QStringLiteral("tarnwick/"), TDataFolderKind::User};
}

bool PrepareDataFolder(const QString& dataDir, const QString& sharedDir)
{
    if (QFileInfo(dataDir).exists() && !QFileInfo(dataDir).isDir())
        throw TFileError("The data folder " + dataDir.toStdString() + " is a file, not a folder");
    if (!QDir().mkpath(dataDir))
        throw TFileError("Cannot create the data folder " + dataDir.toStdString());
    const QString projects = QLatin1String(TDProjects::FileName);
    const QString directories = QLatin1String(TDDirectories::FileName);
    if (QFileInfo::exists(dataDir + projects) || QFileInfo::exists(dataDir + directories))
        return false;
    if (sharedDir.isEmpty() || !QFileInfo::exists(sharedDir + directories))
        return false;

    const QDir demo(sharedDir + QStringLiteral("demo"));
    if (demo.exists()) {
        if (!QDir().mkpath(dataDir + QStringLiteral("demo")))
            throw TFileError("Cannot create " + dataDir.toStdString() + "demo");
        for (const QFileInfo& page : demo.entryInfoList(QDir::Files))
            CopyNewFile(page.filePath(), dataDir + QStringLiteral("demo/") + page.fileName());
    }

    // The database is written before the projects: a start that stops half
    // way leaves no Projects.dat, and the next start seeds again.
    TDDirectories starter;
    if (starter.LoadFile(sharedDir + directories) != TDatabaseState::Intact)
        throw TFileError("The starter directory database " + (sharedDir + directories).toStdString()
                         + " is damaged");
    const QUrl base = QUrl::fromLocalFile(dataDir);
    for (int i = 0; i < starter.Count(); ++i) {
        TDDirectory entry = starter.RecordAt(i);
        const QUrl address(QString::fromLatin1(entry.URL));
        if (!entry.URL.empty() && address.isRelative()) {
            entry.URL = base.resolved(address).toEncoded().toStdString();
            starter.SetRecord(i, std::move(entry));
        }
    }
    starter.SaveAll(dataDir);
    if (QFileInfo::exists(sharedDir + projects))
        CopyNewFile(sharedDir + projects, dataDir + projects);
    return true;
}

QString FindProgramFile(const QString& dataDir, const QString& sharedDir, const QString& name)
{
    if (QFileInfo(dataDir + name).isFile() || sharedDir.isEmpty())
        return dataDir + name;
    if (QFileInfo(sharedDir + name).isFile())
        return sharedDir + name;
    return dataDir + name;
}

bool InstalledByPackage(const QString& sharedDir)
{
    return !sharedDir.isEmpty() && QFileInfo::exists(sharedDir + QLatin1String(PackageMarkerFileName));
}
