// Test entry: a real QApplication (offscreen) around GoogleTest. Any modal
// window that a test did not script fails that test instead of hanging.
#include "shell/TApplication.h"
#include "toolkit/ModalHook.h"

#include <QDialog>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv);
    SetModalHook([](QDialog& dialog) {
        ADD_FAILURE() << "Unexpected modal window: " << dialog.windowTitle().toStdString();
        return static_cast<int>(QDialog::Rejected);
    });
    return RUN_ALL_TESTS();
}
