#include "shell/DataSession.h"

#include "store/DataFileCipher.h"
#include "store/FileIO.h"

#include <QDir>
#include <QLoggingCategory>

// Off unless asked for (QT_LOGGING_RULES="tarnwick.startup.info=true"): a
// trace of what start-up is about to tell, for whoever watches the process.
Q_LOGGING_CATEGORY(StartupLog, "tarnwick.startup", QtWarningMsg)

TDataSession::TDataSession(QString appDir)
    : FAppDir(std::move(appDir))
{
}

std::vector<TSessionMessage> TDataSession::Load()
{
    std::vector<TSessionMessage> messages;
    try {
        FProjects->LoadAll(FAppDir);
        if (FProjects->Damage().Any()) {
            FProjectsDamaged = true;
            messages.push_back(DamagedProjects());
        }
    } catch (const std::exception& error) {
        FProjects->Clear();
        FProjectsUnreadable = true;
        messages.push_back(LoadFailure(TDProjects::FileName, error));
    }
    try {
        const TDatabaseState state = FDirectories->LoadAll(FAppDir);
        if (state != TDatabaseState::Missing && state != TDatabaseState::Intact) {
            FDirectoriesDamaged = true;
            messages.push_back(DamagedDirectories(state));
        }
    } catch (const std::exception& error) {
        FDirectories->Clear();
        FDirectoriesUnreadable = true;
        messages.push_back(LoadFailure(TDDirectories::FileName, error));
    }
    for (const TSessionMessage& message : messages)
        qCInfo(StartupLog).noquote() << "start-up message:" << message.Text;
    return messages;
}

QStringList TDataSession::Save()
{
    QStringList failures;
    const QString projects = SaveProjects();
    if (!projects.isEmpty())
        failures << projects;
    try {
        // On this thread, nothing changes the collection meanwhile: no snapshot.
        if (ReadyToSaveDirectories())
            FDirectories->SaveAll(FAppDir);
    } catch (const std::exception& error) {
        failures << QString::fromLocal8Bit(error.what());
    }
    return failures;
}

QString TDataSession::SaveProjects()
{
    if (FProjectsUnreadable)
        return {};
    try {
        // The damaged file is copied aside first, once; if that fails, nothing replaces it.
        if (FProjectsDamaged && FileExists(FAppDir + TDProjects::FileName))
            TDProjects::KeepDamagedCopy(FAppDir);
        FProjectsDamaged = false;
        FProjects->SaveAll(FAppDir);
    } catch (const std::exception& error) {
        return QString::fromLocal8Bit(error.what());
    }
    return {};
}

bool TDataSession::ReadyToSaveDirectories()
{
    if (FDirectoriesUnreadable)
        return false;
    // The damaged file is copied aside first, once; if that fails, nothing replaces it.
    if (FDirectoriesDamaged && FileExists(FAppDir + TDDirectories::FileName))
        TDDirectories::KeepDamagedCopy(FAppDir);
    FDirectoriesDamaged = false;
    return true;
}

std::function<void()> TDataSession::DirectoriesSaveJob()
{
    if (!ReadyToSaveDirectories())
        return {};
    // The job may outlive this call on another thread: it saves a snapshot.
    return [snapshot = std::shared_ptr<const TDDirectories>(FDirectories->Snapshot()),
            path = FAppDir + TDDirectories::FileName] { snapshot->SaveFile(path); };
}

TSessionMessage TDataSession::LoadFailure(const char* fileName, const std::exception& error) const
{
    return {QStringLiteral("%1 could not be read:\r\n%2\r\n\r\nThe program starts without its contents "
                           "and leaves the file as it is: changes made in this session to what it holds "
                           "will not be saved.")
                .arg(QString::fromLatin1(fileName), QString::fromLocal8Bit(error.what())),
            mkError};
}

TSessionMessage TDataSession::DamagedDirectories(TDatabaseState state) const
{
    QString what;
    QString listed;
    switch (state) {
    case TDatabaseState::TooShort:
        what = QStringLiteral("The directory database Directories.dat is too short to hold any data, "
                              "so it is empty or was cut short.");
        listed = QStringLiteral("The program starts with an empty directory list.");
        break;
    case TDatabaseState::NotReadable:
        what = QStringLiteral("The directory database Directories.dat cannot be opened: it fails its "
                              "password check, so its header is damaged or it was not written by "
                              "this program.");
        listed = QStringLiteral("The program starts with an empty directory list.");
        break;
    default:
        what = QStringLiteral("The directory database Directories.dat is damaged or cut short: its "
                              "contents do not match their authentication code.");
        listed = QStringLiteral("The %1 directories that could be read are listed; some of them may "
                                "be wrong or missing.")
                     .arg(FDirectories->Count());
        break;
    }
    return {what + QStringLiteral("\r\n\r\n") + listed
                + QStringLiteral("\r\n\r\nThe file is not lost: when you close the program it is kept "
                                 "as \"%1\" in the data folder %2, and a new Directories.dat is "
                                 "written with the directories listed then.")
                      .arg(TDDirectories::DamagedCopyName(FAppDir), QDir::toNativeSeparators(FAppDir)),
            mkWarning};
}

TSessionMessage TDataSession::DamagedProjects() const
{
    const TProjectsDamage& damage = FProjects->Damage();
    QStringList found;
    if (damage.Utf16)
        found << QStringLiteral("it was saved as UTF-16 text, not as 8-bit text");
    if (damage.NulBytes)
        found << QStringLiteral("it holds a NUL byte, and nothing after it can be read");
    if (damage.LinesNotRecords > 0)
        found << QStringLiteral("%1 of its lines hold text outside the project fields").arg(damage.LinesNotRecords);
    return {QStringLiteral("The projects file Projects.dat is damaged: %1.\r\n\r\nThe %2 projects that could "
                           "be read are listed.\r\n\r\nThe file is not lost: before it is first saved "
                           "over, it is kept as \"%3\" beside the program.")
                .arg(found.join(QStringLiteral("; ")))
                .arg(FProjects->Count())
                .arg(TDProjects::DamagedCopyName(FAppDir)),
            mkWarning};
}
