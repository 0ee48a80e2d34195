// Program entry.
#include "shell/AppPaths.h"
#include "shell/CommandLine.h"
#include "shell/FMain.h"
#include "shell/SignalCloser.h"
#include "shell/TApplication.h"
#include "shell/VendorAddresses.h"
#include "workspace/FProject.h"

#include <QDialog>
#include <QIcon>
#include <QPointer>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <unistd.h>

namespace {

// The desktop entry's and the icon's name.
constexpr char DesktopId[] = "com.tarnwick.tarnwick";

QStringList Arguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char** argv)
{
    // Before the application object, which needs a display: --help and --version do not.
    const TCommandLine commandLine = ReadCommandLine(Arguments(argc, argv));
    if (commandLine.Exit) {
        std::fputs(commandLine.Output.toLocal8Bit().constData(), stdout);
        std::fputs(commandLine.Errors.toLocal8Bit().constData(), stderr);
        return commandLine.ExitCode;
    }

    // Chromium refuses to start its sandbox as root; run without it rather than fail silently.
    if (::geteuid() == 0 && !std::getenv("QTWEBENGINE_DISABLE_SANDBOX")) {
        std::fprintf(stderr, "tarnwick: running as root, so the web browser's sandbox is switched off.\n");
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QLatin1String(DesktopId));
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QLatin1String(DesktopId)));

    // From here on a termination signal closes the window in the ordinary way,
    // even one that comes before the window exists.
    TSignalCloser closer;
    QPointer<TfrmMain> window;
    bool closeRequested = false;
    QObject::connect(&closer, &TSignalCloser::CloseRequested, &app, [&window, &closeRequested] {
        closeRequested = true;
        if (window)
            window->close();
    });

    TMainOptions options;
    options.ProgramDir = ApplicationDirectory();
    options.SharedDir = SharedDataDirectory(options.ProgramDir);
    options.InstalledByPackage = InstalledByPackage(options.SharedDir);
    const TDataFolder dataFolder = ChooseDataFolder(options.ProgramDir, commandLine.DataDir);
    options.AppDir = dataFolder.Path;
    try {
        PrepareDataFolder(options.AppDir, options.SharedDir);
    } catch (const std::exception& error) {
        // Nothing was replaced; without a folder to save in, the program cannot start.
        TApplication::ReportError(QString::fromLocal8Bit(error.what()));
        return 1;
    }
    options.UpdateBaseURL = QString::fromLatin1(UpdateBaseURL);
    TfrmMain frmMain(options);
    window = &frmMain;
    // One project dialog exists from start-up on and stays hidden; the commands use their own.
    TfrmProject frmProject(*frmMain.FProjects, frmMain.msgMain);

    frmMain.show();
    if (closeRequested)
        QMetaObject::invokeMethod(&frmMain, &QWidget::close, Qt::QueuedConnection);
    return app.exec();
}
