// A change reaches its file soon after it is made: a program killed outright
// (kill -9, a power cut) keeps what was added before.
#include "../workspace/WorkspaceTestSupport.h"

#include "store/TDDirectories.h"
#include "store/TDProjects.h"
#include "workspace/FDirectory.h"
#include "workspace/FProject.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>

#include <cstdio>

namespace {

const char* const ChildDirVariable = "TARNWICK_AUTOSAVE_CHILD_DIR";

bool Holds(const QString& dir, const char* project, const char* directory)
{
    TDProjects projects;
    TDDirectories directories;
    try {
        projects.LoadAll(dir);
        if (directories.LoadAll(dir) != TDatabaseState::Intact)
            return false;
    } catch (const std::exception&) {
        return false;
    }
    return projects.FindKey(AsciiUpper(project)) >= 0 && directories.FindKey(AsciiUpper(directory)) >= 0;
}

} // namespace

// The program the test below kills: adds a project and a directory through
// the window's own commands, says so, and waits to be killed.
TEST(AutoSaveChild, DISABLED_AddsAndWaits)
{
    const QString dir = qEnvironmentVariable(ChildDirVariable);
    if (dir.isEmpty())
        GTEST_SKIP();
    TMainOptions options;
    options.AppDir = dir;
    options.ArmStartupTimer = false;
    TfrmMain main(options);
    {
        TScriptedDialog<TfrmProject> script([](TfrmProject& d) {
            TypeInto(d.edtProjName, QStringLiteral("Killed Co"));
            EXPECT_TRUE(PressOk(d));
        });
        main.btnAddProjectClick();
        ASSERT_EQ(script.Runs(), 1);
    }
    {
        TScriptedDialog<TfrmDirectory> script([](TfrmDirectory& d) {
            TypeInto(d.edtTitle, QStringLiteral("Kept Directory"));
            TypeInto(d.edtURL, QStringLiteral("http://kept.example/"));
            EXPECT_TRUE(PressOk(d));
        });
        main.btnAddDirectoryClick();
        ASSERT_EQ(script.Runs(), 1);
    }
    std::puts("added");
    std::fflush(stdout);
    QEventLoop().exec();
}

TEST(AutoSave, AKilledProgramKeepsWhatWasAdded)
{
    TTempAppDir dir;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(ChildDirVariable), dir.Path());
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=AutoSaveChild.DISABLED_AddsAndWaits"),
                 QStringLiteral("--gtest_also_run_disabled_tests"), QStringLiteral("--webEngineArgs"),
                 QStringLiteral("--disable-gpu")});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray said;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        said += child.readAllStandardOutput();
        return said.contains("added") || child.state() == QProcess::NotRunning;
    }, 120000));
    ASSERT_EQ(child.state(), QProcess::Running) << "the child ended before it was killed";
    // Both files are written while the program runs, without a close.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Holds(dir.Path(), "Killed Co", "Kept Directory"); }, 20000));
    child.kill();
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    EXPECT_TRUE(Holds(dir.Path(), "Killed Co", "Kept Directory"));
}
