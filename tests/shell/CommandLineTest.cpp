// The program's command line, driven through the built executable.
#include "shell/AppVersion.h"
#include "shell/CommandLine.h"

#include "TestSupport.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>

#include <csignal>

#include <gtest/gtest.h>

namespace {

struct TRun {
    int ExitCode = -1;
    QString Output;
    QString Errors;
};

// Runs the program without any display: what it prints must not need one.
TRun RunProgram(const QStringList& arguments)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TARNWICK_PROGRAM), arguments);
    TRun run;
    if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit) {
        program.kill();
        program.waitForFinished();
        ADD_FAILURE() << "tarnwick " << arguments.join(' ').toStdString() << " did not end by itself";
        return run;
    }
    run.ExitCode = program.exitCode();
    run.Output = QString::fromLocal8Bit(program.readAllStandardOutput());
    run.Errors = QString::fromLocal8Bit(program.readAllStandardError());
    return run;
}

} // namespace

TEST(CommandLine, VersionAndHelpPrintAndEndWithoutADisplay)
{
    ASSERT_TRUE(QFileInfo(QStringLiteral(TARNWICK_PROGRAM)).isExecutable());
    for (const char* option : {"--version", "-v"}) {
        const TRun run = RunProgram({QLatin1String(option)});
        EXPECT_EQ(run.ExitCode, 0) << option;
        EXPECT_EQ(run.Output, QStringLiteral("Tarnwick %1\n").arg(QLatin1String(AppVersionText)));
        EXPECT_EQ(run.Errors, "");
    }
    for (const char* option : {"--help", "-h"}) {
        const TRun run = RunProgram({QLatin1String(option)});
        EXPECT_EQ(run.ExitCode, 0) << option;
        EXPECT_TRUE(run.Output.startsWith("Usage: tarnwick [options]\n")) << run.Output.toStdString();
        EXPECT_TRUE(run.Output.contains("--data-dir <folder>"));
        EXPECT_TRUE(run.Output.contains("--version"));
        // Qt's own options are accepted but not advertised.
        EXPECT_FALSE(run.Output.contains("platform"));
        EXPECT_EQ(run.Errors, "");
    }
    // Qt's options may come first; they are Qt's business.
    EXPECT_EQ(RunProgram({"-platform", "offscreen", "-reverse", "--version"}).ExitCode, 0);
}

TEST(CommandLine, AnythingUnknownPrintsTheUsageToStandardErrorAndFails)
{
    for (const QStringList& arguments : {QStringList{"--bogus"}, QStringList{"-x"}, QStringList{"stray.txt"},
                                         QStringList{"--data-dir"}, QStringList{"--data-dir="}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const TRun run = RunProgram(arguments);
        EXPECT_EQ(run.ExitCode, 1);
        EXPECT_EQ(run.Output, "");
        EXPECT_TRUE(run.Errors.startsWith("tarnwick: ")) << run.Errors.toStdString();
        EXPECT_TRUE(run.Errors.contains("Usage: tarnwick [options]"));
    }
    EXPECT_TRUE(RunProgram({"--bogus"}).Errors.contains("Unknown option 'bogus'"));
}

TEST(CommandLine, TheDataFolderIsTakenAndChromiumSwitchesAreLeftAlone)
{
    TCommandLine line = ReadCommandLine({"/usr/bin/tarnwick", "--data-dir", "/srv/tarnwick data"});
    EXPECT_FALSE(line.Exit);
    EXPECT_EQ(line.DataDir, "/srv/tarnwick data");
    line = ReadCommandLine({"tarnwick", "-data-dir=relative", "--webEngineArgs", "--disable-gpu", "--bogus"});
    EXPECT_FALSE(line.Exit) << line.Errors.toStdString();
    EXPECT_EQ(line.DataDir, "relative");
    line = ReadCommandLine({"tarnwick"});
    EXPECT_FALSE(line.Exit);
    EXPECT_EQ(line.DataDir, "");
}

TEST(Program, ATerminationSignalDuringAStartUpWarningClosesAndSaves)
{
    TTempAppDir dir;
    // The NUL byte makes the projects file damaged: a warning opens at start-up.
    const std::string damaged = std::string("^Alpha^^^^^^^^^^^^^^^^\r\n") + '\0' + "^Beta^^^^^^^^^^^^^^^^\r\n";
    dir.Write("Projects.dat", damaged);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("tarnwick.startup.info=true"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(TARNWICK_PROGRAM),
                  {QStringLiteral("--data-dir"), dir.Path(), QStringLiteral("--webEngineArgs"), QStringLiteral("--disable-gpu")});
    ASSERT_TRUE(program.waitForStarted());
    QByteArray output;
    QDeadlineTimer deadline(120000);
    while (!output.contains("start-up message:") && program.state() == QProcess::Running && !deadline.hasExpired()) {
        program.waitForReadyRead(1000);
        output += program.readAll();
    }
    if (!output.contains("start-up message:")) {
        program.kill();
        program.waitForFinished();
        FAIL() << "no start-up warning was shown:\n" << output.toStdString();
    }
    ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), SIGTERM), 0);
    const bool finished = program.waitForFinished(60000);
    if (!finished)
        program.kill();
    ASSERT_TRUE(finished) << "the warning held the program open";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "killed by the signal";
    EXPECT_EQ(program.exitCode(), 0);
    // The close saved as it does: the damaged original kept aside, the rest written.
    ASSERT_TRUE(dir.Exists("Projects.damaged.dat"));
    EXPECT_EQ(dir.Read("Projects.damaged.dat"), damaged);
    EXPECT_EQ(dir.Read("Projects.dat").find('\0'), std::string::npos);
    EXPECT_TRUE(dir.Exists("Tarnwick.ini"));
}
