#include "shell/DataSession.h"

#include "store/FileIO.h"

#include <QDir>

TDataSession::TDataSession(QString appDir)
    : FAppDir(std::move(appDir))
{
}

std::vector<TSessionMessage> TDataSession::Load()
{
    std::vector<TSessionMessage> messages;
    try {
        FProjects->LoadAll(FAppDir);
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
    return messages;
}

QStringList TDataSession::Save()
{
    QStringList failures;
    if (!FProjectsUnreadable) {
        try {
            FProjects->SaveAll(FAppDir);
        } catch (const std::exception& error) {
            failures << QString::fromLocal8Bit(error.what());
        }
    }
    if (!FDirectoriesUnreadable) {
        try {
            // The damaged file is copied aside first; if that fails, nothing replaces it.
            if (FDirectoriesDamaged && FileExists(FAppDir + TDDirectories::FileName))
                TDDirectories::KeepDamagedCopy(FAppDir);
            FDirectories->SaveAll(FAppDir);
        } catch (const std::exception& error) {
            failures << QString::fromLocal8Bit(error.what());
        }
    }
    return failures;
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
