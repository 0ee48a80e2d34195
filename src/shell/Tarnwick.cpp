// Program entry.
#include "shell/AppPaths.h"
#include "shell/FMain.h"
#include "shell/SignalCloser.h"
#include "shell/TApplication.h"
#include "shell/VendorAddresses.h"
#include "toolkit/ModalHook.h"
#include "workspace/FProject.h"

#include <QApplication>
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

    // From the first moment, SIGTERM, SIGINT and SIGHUP end the program as a
    // close does: a start-up warning that is open is answered as by its close
    // button, the ones after it are not shown, and the data is saved.
    TSignalCloser closer;
    bool closeRequested = false;
    TfrmMain* window = nullptr;
    QObject::connect(&closer, &TSignalCloser::CloseRequested, &app, [&closeRequested, &window] {
        closeRequested = true;
        SetModalHook([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
        if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            open->reject();
        if (window)
            window->close();
    });

    TMainOptions options;
    options.AppDir = ApplicationDirectory();
    options.UpdateBaseURL = QString::fromLatin1(UpdateBaseURL);
    TfrmMain frmMain(options);
    // One project dialog exists from start-up on and stays hidden; the commands use their own.
    TfrmProject frmProject(*frmMain.FProjects, frmMain.msgMain);
    window = &frmMain;
    if (closeRequested) {
        frmMain.close();
        return 0;
    }

    frmMain.show();
    return app.exec();
}
