// `tarnwick-db check` of 100,000 and 1,000,000 directories: wall time and
// peak memory of the tool's own process, beside an independent archiver
// (7-Zip's `7zz t`) testing the same plain text stored as an AES-128 zip
// entry, which is the same cipher and code. The archiver part is skipped
// when 7zz is not installed.
#include "BenchData.h"

#include "store/DataFileCipher.h"
#include "store/TDDirectories.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Runs = 7;

struct TChildRun {
    double Ms = 0;
    double PeakMB = 0;
    int Code = -1;
};

// The spawner: runs argv[0] with the rest of argv, output discarded, and
// prints the wall time, the child's peak resident memory and its exit code.
// A process of its own, started fresh, so the child's peak starts from
// nothing: a child forked straight from this large benchmark would count the
// benchmark's memory as its own.
int Spawn(char** argv)
{
    timespec start{}, end{};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!std::getenv("BENCH_VERBOSE")) {
            std::freopen("/dev/null", "w", stdout);
            std::freopen("/dev/null", "w", stderr);
        }
        ::execv(argv[0], argv);
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    ::clock_gettime(CLOCK_MONOTONIC, &end);
    const double ms = static_cast<double>(end.tv_sec - start.tv_sec) * 1e3
                      + static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e6;
    std::printf("%f %ld %d\n", ms, static_cast<long>(usage.ru_maxrss),
                WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return 0;
}

// Runs `program` with `args` through the spawner.
TChildRun Run(const std::string& program, const std::vector<std::string>& args)
{
    QStringList spawnArgs{QStringLiteral("--spawn"), QString::fromStdString(program)};
    for (const std::string& a : args)
        spawnArgs << QString::fromStdString(a);
    QProcess spawner;
    spawner.start(QCoreApplication::applicationFilePath(), spawnArgs);
    TChildRun run;
    if (!spawner.waitForFinished(600000))
        return run;
    long kib = 0;
    if (std::sscanf(spawner.readAllStandardOutput().constData(), "%lf %ld %d", &run.Ms, &kib, &run.Code) != 3)
        run.Code = -1;
    run.PeakMB = static_cast<double>(kib) / 1024.0;
    return run;
}

// Median time and peak over several runs; false when a run failed.
bool Median(const std::string& program, const std::vector<std::string>& args, double& ms, double& peakMB)
{
    std::vector<double> times, peaks;
    Run(program, args); // warms the page cache
    for (int i = 0; i < Runs; ++i) {
        const TChildRun run = Run(program, args);
        if (run.Code != 0)
            return false;
        times.push_back(run.Ms);
        peaks.push_back(run.PeakMB);
    }
    std::sort(times.begin(), times.end());
    std::sort(peaks.begin(), peaks.end());
    ms = times[times.size() / 2];
    peakMB = peaks[peaks.size() / 2];
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::string(argv[1]) == "--spawn")
        return Spawn(argv + 2);
    QCoreApplication app(argc, argv);
    const std::string tool = (QCoreApplication::applicationDirPath() + "/tarnwick-db").toStdString();
    const QString archiver = QStandardPaths::findExecutable(QStringLiteral("7zz"));
    std::printf("tarnwick-db check, median of %d runs (wall time, peak resident memory of the process)\n", Runs);
    int failures = 0;
    for (int count : {100000, 1000000}) {
        QTemporaryDir dir;
        const QString database = dir.filePath(QStringLiteral("Directories.dat"));
        {
            TDDirectories directories;
            FillSampleDirectories(directories, count);
            directories.SaveFile(database);
        }
        const double megabytes = static_cast<double>(QFileInfo(database).size()) / 1e6;
        double ms = 0, peak = 0;
        if (!Median(tool, {"check", database.toStdString()}, ms, peak)) {
            std::printf("%9d directories: tarnwick-db check failed\n", count);
            ++failures;
            continue;
        }
        std::printf("%9d directories (%.1f MB): tarnwick-db check %7.1f ms, %5.1f MB\n", count, megabytes, ms,
                    peak);
        if (archiver.isEmpty()) {
            std::printf("%9s  7zz not found: no archiver comparison\n", "");
            continue;
        }
        // The same plain text as the one entry of an AES-128 zip, stored
        // without compression, under the same password.
        const QString plain = dir.filePath(QStringLiteral("Directories.txt"));
        const QString zip = dir.filePath(QStringLiteral("Directories.zip"));
        const std::string password = "-p" + std::string(DataFilePassword);
        if (!DecryptDataFile(database, plain)
            || Run(archiver.toStdString(), {"a", "-tzip", "-mx0", "-mem=AES128", password, zip.toStdString(),
                                            plain.toStdString()})
                       .Code
                   != 0) {
            std::printf("%9s  could not build the zip\n", "");
            ++failures;
            continue;
        }
        QFile::remove(plain);
        double zipMs = 0, zipPeak = 0;
        if (!Median(archiver.toStdString(), {"t", password, zip.toStdString()}, zipMs, zipPeak)) {
            std::printf("%9s  7zz t failed\n", "");
            ++failures;
            continue;
        }
        std::printf("%9s  7zz t of the same data as an AES-128 zip entry %7.1f ms, %5.1f MB; "
                    "check / archiver %.2f\n",
                    "", zipMs, zipPeak, ms / zipMs);
    }
    return failures ? 1 : 0;
}
