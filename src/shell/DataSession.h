#pragma once
// The two data files of a session: loaded at start, saved at close. A file
// that exists but cannot be read is never written over, and a database that
// failed its checks, or a projects file holding what its projects cannot
// (NUL bytes, UTF-16, lines that are no records), is kept under a name of its
// own before the first save writes over it. The window shows what this reports.

#include "store/TDDirectories.h"
#include "store/TDProjects.h"
#include "toolkit/MessageBox.h"

#include <QString>
#include <QStringList>

#include <functional>
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

    // The projects file alone; why it failed, or an empty text.
    QString SaveProjects();
    // The directory database's save in two steps: the damaged copy is made
    // and a snapshot taken now; the job returned encrypts and writes it, on
    // any thread (it throws TFileError on failure). An empty job when the
    // database must not be written.
    std::function<void()> DirectoriesSaveJob();

private:
    // Keeps a damaged database aside before its first save; false when the
    // database must not be written.
    bool ReadyToSaveDirectories();
    TSessionMessage LoadFailure(const char* fileName, const std::exception& error) const;
    TSessionMessage DamagedDirectories(TDatabaseState state) const;
    TSessionMessage DamagedProjects() const;

    QString FAppDir;
    std::unique_ptr<TDProjects> FProjects = std::make_unique<TDProjects>();
    std::unique_ptr<TDDirectories> FDirectories = std::make_unique<TDDirectories>();
    bool FProjectsUnreadable = false;
    bool FDirectoriesUnreadable = false;
    bool FDirectoriesDamaged = false;
    bool FProjectsDamaged = false;
};
