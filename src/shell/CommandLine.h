#pragma once
// The program's command line, read before the application object exists so
// that --help and --version need no display.

#include <QString>
#include <QStringList>

struct TCommandLine {
    bool Exit = false; // print Output and Errors, then end with ExitCode
    int ExitCode = 0;
    QString Output; // for standard output
    QString Errors; // for standard error
    QString DataDir; // --data-dir, empty when not given
};

// `arguments` as in argv, the program's path first. Qt's own window-system
// options (-platform, -style, ...) and everything from --webEngineArgs on
// are left for Qt.
TCommandLine ReadCommandLine(const QStringList& arguments);
