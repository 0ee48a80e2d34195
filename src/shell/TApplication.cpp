#include "shell/TApplication.h"

#include "toolkit/Accessibility.h"
#include "toolkit/MessageBox.h"

#include <cstdio>
#include <exception>

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Tarnwick"));
    setApplicationDisplayName(QStringLiteral("Tarnwick"));
    setApplicationVersion(QStringLiteral("1.01"));
    // Type-ahead in opened drop-down lists joins letters typed within half a second.
    setKeyboardInputInterval(500);
    // Screen readers get the main window as a frame, links as links, and no hidden controls.
    InstallAccessibility();
    // The windows are laid out in fixed pixel positions for an 8-point (11-pixel) font.
    QFont designFont = font();
    designFont.setPixelSize(11);
    setFont(designFont);
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ReportError(QStringLiteral("An unknown error occurred."));
    }
    return false;
}

void TApplication::ReportError(const QString& text)
{
    std::fprintf(stderr, "tarnwick: %s\n", text.toLocal8Bit().constData());
    TMessageBox box;
    box.ShowMessageBox(text, mkError, MsgButton::OK);
}
