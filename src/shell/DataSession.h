#pragma once
// The two data files of a session: loaded at start, saved at close. A file
// that exists but cannot be read is never written over, and a database that
// failed its checks is kept under a name of its own before a new one is
// written. The window shows what this reports.

#include "store/TDDirectories.h"
#include "store/TDProjects.h"
#include "toolkit/MessageBox.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

struct TSessionMessage {
    QString Text;
    TMsgKind Kind;
};

class TDataSession {
public:
    // `appDir`: the data folder, with its trailing separator.
    explicit TDataSession(QString appDir);

    TDProjects& Projects() { return *FProjects; }
    TDDirectories& Directories() { return *FDirectories; }

    // Loads both files into the (empty) collections; returns what the user must be told.
    std::vector<TSessionMessage> Load();
    // Saves each file on its own, so one failing does not keep the other
    // from being written; returns why each failed.
    QStringList Save();

private:
    TSessionMessage LoadFailure(const char* fileName, const std::exception& error) const;
    TSessionMessage DamagedDirectories(TDatabaseState state) const;

    QString FAppDir;
    std::unique_ptr<TDProjects> FProjects = std::make_unique<TDProjects>();
    std::unique_ptr<TDDirectories> FDirectories = std::make_unique<TDDirectories>();
    bool FProjectsUnreadable = false;
    bool FDirectoriesUnreadable = false;
    bool FDirectoriesDamaged = false;
};
