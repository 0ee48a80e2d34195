// Autosave of a large directory database: how long the window's thread is
// held from a change until the file is written. The event loop ticks every
// millisecond; the longest gap between ticks is the longest stall a user
// could feel. The synchronous save (what a close does) is timed beside it.
#include "BenchData.h"

#include "shell/AutoSave.h"
#include "shell/DataSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

struct TFigures {
    qint64 LongestStallMs = 0;
    qint64 ChangeToFileMs = 0;
    qint64 SynchronousSaveMs = 0;
};

TFigures Measure(int count)
{
    QTemporaryDir dir;
    const QString appDir = dir.path() + QLatin1Char('/');
    {
        TDDirectories directories;
        LoadSampleDirectories(directories, count);
        directories.SaveAll(appDir);
    }
    TDataSession session(appDir);
    session.Load();
    TFigures figures;

    QElapsedTimer clock;
    clock.start();
    session.Save();
    figures.SynchronousSaveMs = clock.elapsed();

    TAutoSave autoSave(session);
    QEventLoop loop;
    QObject::connect(&autoSave, &TAutoSave::Saved, &loop, &QEventLoop::quit);
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    qint64 last = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        figures.LongestStallMs = std::max(figures.LongestStallMs, now - last);
        last = now;
    });
    clock.restart();
    tick.start();
    autoSave.DirectoriesChanged();
    loop.exec();
    figures.ChangeToFileMs = clock.elapsed();
    const qint64 now = clock.elapsed();
    figures.LongestStallMs = std::max(figures.LongestStallMs, now - last);
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::printf("autosave of the directory database (longest stall of the window's thread; "
                "change to file, including the %d ms gathering delay; the close's own save)\n",
                TAutoSave::DelayMs);
    for (const int count : {100000, 1000000}) {
        std::vector<TFigures> runs;
        for (int run = 0; run < 3; ++run)
            runs.push_back(Measure(count));
        std::sort(runs.begin(), runs.end(),
                  [](const TFigures& a, const TFigures& b) { return a.LongestStallMs < b.LongestStallMs; });
        const TFigures& median = runs[1];
        std::printf("  %8d directories: longest stall %4lld ms, change to file %5lld ms, close save %5lld ms\n",
                    count, static_cast<long long>(median.LongestStallMs),
                    static_cast<long long>(median.ChangeToFileMs), static_cast<long long>(median.SynchronousSaveMs));
    }
    return 0;
}
