// A second process on a submission log, for the tests of a killed program
// and of a log held by another running copy.
//   log_writer PATH write  records a step for directory 1, 2, 3, ... and
//                          prints each number once its change is committed
//   log_writer PATH hold   records one step, prints "ready" and keeps the log
//                          open until its standard input closes
#include "store/SubmissionLog.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    TSubmissionLog log;
    log.Open(QString::fromLocal8Bit(argv[1]));
    if (!log.IsOpen()) {
        std::fprintf(stderr, "%s\n", log.Problem().toLocal8Bit().constData());
        return 1;
    }
    const std::string mode = argv[2];
    if (mode == "hold") {
        if (!log.RecordStep("Held", "Held directory", "http://held.example/", TSubmissionStep::Opened))
            return 1;
        std::printf("ready\n");
        std::fflush(stdout);
        while (std::fgetc(stdin) != EOF) {
        }
        return 0;
    }
    // Bounded, in case the test that should kill it does not.
    for (int i = 1; i <= 100000; ++i) {
        const std::string title = "Directory " + std::to_string(i);
        if (!log.RecordStep("Killed", title, "http://d" + std::to_string(i) + ".example/",
                            i % 2 ? TSubmissionStep::Filled : TSubmissionStep::Submitted))
            return 1;
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
    return 0;
}
