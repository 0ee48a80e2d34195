// Program entry.
#include "shell/AppPaths.h"
#include "shell/CommandLine.h"
#include "shell/FMain.h"
#include "shell/SignalCloser.h"
#include "shell/TApplication.h"
#include "shell/VendorAddresses.h"
#include "toolkit/ModalHook.h"
#include "workspace/FProject.h"

#include <QApplication>
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

    // From the first moment, SIGTERM, SIGINT and SIGHUP end the program as a
    // close does: a start-up warning that is open is answered as by its close
    // button, the ones after it are not shown, and the data is saved.
    TSignalCloser closer;
    bool closeRequested = false;
    QPointer<TfrmMain> window;
    QObject::connect(&closer, &TSignalCloser::CloseRequested, &app, [&closeRequested, &window] {
        closeRequested = true;
        SetModalHook([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
        if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            open->reject();
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
    if (closeRequested) {
        frmMain.close();
        return 0;
    }

    frmMain.show();
    return app.exec();
}
