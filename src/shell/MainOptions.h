#pragma once
// How the main window is started; tests change what they need.

#include <QString>
#include <QStringList>

#include <functional>
#include <string>

struct TMainOptions {
    QString AppDir;              // data folder: every file the program reads and writes; trailing separator
    QString ProgramDir;          // the executable's folder (the updater's); empty: AppDir
    QString SharedDir;           // installed read-only files, branding fallback; empty: none
    bool InstalledByPackage = false; // new versions come through the package manager
    bool ArmStartupTimer = true; // the one-shot timer that runs the silent update check

    // The update folder's address. Empty (the default) means no update site,
    // so a window made by a test never reaches the network; the program entry
    // sets the vendor's.
    QString UpdateBaseURL;
    int UpdateTimeoutMs = 60000; // the whole transfer of the update file
    // Starting the updater (program, arguments; true when started), opening an
    // address in the user's browser, and opening a link label's address.
    // Empty: the platform's own (LaunchDetached, OpenURL, ShellOpen).
    std::function<bool(const QString&, const QStringList&)> LaunchUpdater;
    std::function<bool(const std::string&)> OpenURL;
    std::function<bool(const std::string&)> OpenLink;
};
