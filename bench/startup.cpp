// Start-up with 1,000, 100,000 and 1,000,000 directories: the time of
// LoadAll plus FillDirectories (and the first paint of the list), and the
// peak memory above an empty start. Each size runs in a fresh process so
// the figures do not mix.
#include "BenchData.h"

#include "store/TDDirectories.h"
#include "toolkit/ListView.h"
#include "workspace/DirectoryList.h"
#include "workspace/DirectoryListModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Resident and peak resident memory of this process, in KiB.
long StatusKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0)
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    return -1;
}

// Runs `body` in a child process and waits for it.
template <typename TBody>
int InChild(TBody body)
{
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int code = body();
        std::fflush(stdout);
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

int Measure(int argc, char** argv, const QString& appDir, int count, int run)
{
    QApplication app(argc, argv);
    TDDirectories directories;
    TDirectoryListModel model;
    TListView view;
    view.setModel(&model);
    view.resize(900, 250);
    view.show();
    TDirectoryList list(view, model, directories);
    QCoreApplication::processEvents();
    const long residentBefore = StatusKiB("VmRSS");

    QElapsedTimer timer;
    timer.start();
    const TDatabaseState state = directories.LoadAll(appDir);
    const qint64 loadMs = timer.elapsed();
    const int rows = list.FillDirectories();
    QCoreApplication::processEvents(); // the first paint of the filled list
    const qint64 totalMs = timer.elapsed();

    const long peak = StatusKiB("VmHWM");
    const long residentAfter = StatusKiB("VmRSS");
    if (state != TDatabaseState::Intact || rows != count) {
        std::printf("%9d directories: load failed\n", count);
        return 1;
    }
    std::printf("%9d directories, run %d: load %5lld ms, load + fill + paint %5lld ms, peak %6.1f MB above "
                "the empty start, %6.1f MB held after\n",
                count, run, static_cast<long long>(loadMs), static_cast<long long>(totalMs),
                (peak - residentBefore) / 1024.0, (residentAfter - residentBefore) / 1024.0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::printf("Start-up: TDDirectories::LoadAll + FillDirectories into the list view\n");
    int failures = 0;
    for (int count : {1000, 100000, 1000000}) {
        QTemporaryDir dir;
        const QString appDir = dir.path() + "/";
        // The database is written by a process of its own, so the measuring
        // process starts clean.
        failures += InChild([&] {
            TDDirectories directories;
            FillSampleDirectories(directories, count);
            directories.SaveAll(appDir);
            return 0;
        });
        // Three fresh processes each: on a shared machine the best run is the
        // program's own cost, the others show what other work adds.
        for (int run = 1; run <= 3; ++run)
            failures += InChild([&] { return Measure(argc, argv, appDir, count, run); });
    }
    return failures ? 1 : 0;
}
