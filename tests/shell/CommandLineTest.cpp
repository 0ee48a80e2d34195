// The program's command line, driven through the built executable.
#include "shell/AppVersion.h"
#include "shell/CommandLine.h"

#include "TestSupport.h"

#include <QFileInfo>
#include <QProcess>

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
