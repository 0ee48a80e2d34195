#include "shell/AutoSave.h"

#include "shell/DataSession.h"


TAutoSave::TAutoSave(TDataSession& session, QObject* parent)
    : QObject(parent)
    , FSession(session)
{
    FTimer.setSingleShot(true);
    FTimer.setInterval(DelayMs);
    connect(&FTimer, &QTimer::timeout, this, &TAutoSave::Run);
}

TAutoSave::~TAutoSave()
{
    Finish();
}

void TAutoSave::ProjectsChanged()
{
    FProjects = true;
    // Not restarted by later changes: a stream of edits still reaches the file.
    if (!FTimer.isActive())
        FTimer.start();
}

void TAutoSave::DirectoriesChanged()
{
    FDirectories = true;
    if (!FTimer.isActive())
        FTimer.start();
}

void TAutoSave::Finish()
{
    FTimer.stop();
    FProjects = false;
    FDirectories = false;
    if (FWriting.valid())
        FWriting.wait();
}

void TAutoSave::Run()
{
    if (FProjects) {
        FProjects = false;
        const QString failure = FSession.SaveProjects();
        if (failure.isEmpty())
            emit Saved();
        else
            emit Failed(failure);
    }
    if (!FDirectories)
        return;
    // One write of the database at a time: the next waits for this one.
    if (FWriting.valid() && FWriting.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        FTimer.start();
        return;
    }
    FDirectories = false;
    std::function<void()> job;
    try {
        job = FSession.DirectoriesSaveJob();
    } catch (const std::exception& error) {
        emit Failed(QString::fromLocal8Bit(error.what()));
        return;
    }
    if (!job)
        return;
    // The destructor waits for this thread, so `this` outlives it; what it
    // posts to a window that is gone meanwhile is dropped with it.
    FWriting = std::async(std::launch::async, [this, job = std::move(job)] {
        QString failure;
        try {
            job();
        } catch (const std::exception& error) {
            failure = QString::fromLocal8Bit(error.what());
        }
        QMetaObject::invokeMethod(
            this,
            [this, failure] {
                if (failure.isEmpty())
                    emit Saved();
                else
                    emit Failed(failure);
            },
            Qt::QueuedConnection);
    });
}
