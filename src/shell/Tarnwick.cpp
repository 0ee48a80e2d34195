// Program entry.
#include "shell/AppPaths.h"
#include "shell/FMain.h"
#include "shell/SignalCloser.h"
#include "shell/TApplication.h"
#include "shell/VendorAddresses.h"
#include "workspace/FProject.h"

#include <QDialog>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv)
{
    // Chromium refuses to start its sandbox as root; run without it rather than fail silently.
    if (::geteuid() == 0 && !std::getenv("QTWEBENGINE_DISABLE_SANDBOX")) {
        std::fprintf(stderr, "tarnwick: running as root, so the web browser's sandbox is switched off.\n");
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TApplication app(argc, argv);

    TMainOptions options;
    options.AppDir = ApplicationDirectory();
    options.UpdateBaseURL = QString::fromLatin1(UpdateBaseURL);
    TfrmMain frmMain(options);
    // One project dialog exists from start-up on and stays hidden; the commands use their own.
    TfrmProject frmProject(*frmMain.FProjects, frmMain.msgMain);

    TSignalCloser closer;
    QObject::connect(&closer, &TSignalCloser::CloseRequested, &frmMain, [&frmMain] { frmMain.close(); });

    frmMain.show();
    return app.exec();
}
