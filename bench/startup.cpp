// Start-up and closing with 1,000, 100,000 and 1,000,000 directories: the time
// of LoadAll plus FillDirectories (and the first paint of the list), the
// memory above an empty start, and the time of SaveAll (encrypting and
// writing) when the program closes. Each run is a fresh process so the
// figures do not mix; the median of the runs is printed last.
#include "BenchData.h"
#include "BenchProcess.h"

#include "store/TDDirectories.h"
#include "toolkit/ListView.h"
#include "workspace/DirectoryList.h"
#include "workspace/DirectoryListModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Runs = 5;

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

// One run's figures, passed from the child through shared memory.
struct TFigures {
    double LoadMs, StartMs, CloseMs, PeakMB, HeldMB, ClosePeakMB;
    int Failed;
};

int Measure(int argc, char** argv, const QString& appDir, int count, TFigures& figures)
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
    figures.LoadMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const int rows = list.FillDirectories();
    QCoreApplication::processEvents(); // the first paint of the filled list
    figures.StartMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    figures.PeakMB = (StatusKiB("VmHWM") - residentBefore) / 1024.0;
    figures.HeldMB = (StatusKiB("VmRSS") - residentBefore) / 1024.0;

    // Closing: the database is encrypted and written, as the program does on exit.
    timer.restart();
    directories.SaveAll(appDir);
    figures.CloseMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    figures.ClosePeakMB = (StatusKiB("VmHWM") - residentBefore) / 1024.0;
    figures.Failed = state != TDatabaseState::Intact || rows != count;
    return figures.Failed;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::printf("Start-up: TDDirectories::LoadAll + FillDirectories into the list view + first paint;\n"
                "closing: SaveAll. Memory above the empty start (VmHWM, VmRSS).\n");
    auto* shared = static_cast<TFigures*>(
        ::mmap(nullptr, sizeof(TFigures), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
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
        std::vector<double> load, start, close, peak, held, closePeak;
        for (int run = 1; run <= Runs; ++run) {
            *shared = TFigures{0, 0, 0, 0, 0, 0, 1};
            const int failed = InChild([&] { return Measure(argc, argv, appDir, count, *shared); });
            const TFigures f = *shared;
            if (failed || f.Failed) {
                std::printf("%9d directories, run %d: failed\n", count, run);
                ++failures;
                continue;
            }
            std::printf("%9d directories, run %d: load %7.1f ms, load + fill + paint %7.1f ms, peak %6.1f MB, "
                        "held %6.1f MB; closing %7.1f ms, peak %6.1f MB\n",
                        count, run, f.LoadMs, f.StartMs, f.PeakMB, f.HeldMB, f.CloseMs, f.ClosePeakMB);
            load.push_back(f.LoadMs);
            start.push_back(f.StartMs);
            close.push_back(f.CloseMs);
            peak.push_back(f.PeakMB);
            held.push_back(f.HeldMB);
            closePeak.push_back(f.ClosePeakMB);
        }
        if (!start.empty())
            std::printf("%9d directories, MEDIAN: load %7.1f ms, load + fill + paint %7.1f ms, peak %6.1f MB, "
                        "held %6.1f MB; closing %7.1f ms, peak %6.1f MB\n",
                        count, Median(load), Median(start), Median(peak), Median(held), Median(close),
                        Median(closePeak));
    }
    return failures ? 1 : 0;
}
