#pragma once
// Every change to the projects or the directories reaches its file soon
// after it is made, so a killed program loses at most the last moments.
// Changes are gathered for a short while and written together, atomically as
// every save is; the directory database is encrypted and written on a thread
// of its own, so a large one never stalls the window.

#include <QObject>
#include <QTimer>

#include <future>

class TDataSession;

class TAutoSave : public QObject {
    Q_OBJECT
public:
    // Well within a second of the first change, the file is written.
    static constexpr int DelayMs = 400;

    explicit TAutoSave(TDataSession& session, QObject* parent = nullptr);
    // Waits for a write in progress.
    ~TAutoSave() override;

    void ProjectsChanged();
    void DirectoriesChanged();
    // Waits for a write in progress and drops what is pending: the close's
    // own save comes next and writes everything.
    void Finish();

signals:
    // A file was written (the directories: once their thread is done).
    void Saved();
    void Failed(const QString& why);

private:
    void Run();

    TDataSession& FSession;
    QTimer FTimer;
    bool FProjects = false;
    bool FDirectories = false;
    std::future<void> FWriting;
};
