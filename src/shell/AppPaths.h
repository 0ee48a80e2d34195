#pragma once
// Where the program's files are: the executable's folder, the read-only files
// installed beside it (../share/tarnwick), and the data folder that holds
// every file the program reads and writes.

#include <QString>

// The directory of the running executable, with its trailing separator.
QString ApplicationDirectory();

// `programDir`/../share/tarnwick/ with its trailing separator, or empty when
// that folder does not exist (a build folder, for one). Relative to the
// executable, so a moved or unpacked tree finds its own files.
QString SharedDataDirectory(const QString& programDir);

enum class TDataFolderKind {
    Portable, // beside the executable, which already holds the data files
    Chosen,   // named on the command line
    User,     // $XDG_DATA_HOME/tarnwick
};

struct TDataFolder {
    QString Path; // absolute, with its trailing separator
    TDataFolderKind Kind = TDataFolderKind::User;
};

// The folder named by `chosen` when it is not empty; else `programDir` when
// it holds Projects.dat or Directories.dat, so existing portable copies keep
// working; else "tarnwick" in the user's data folder ($XDG_DATA_HOME, by
// default ~/.local/share).
TDataFolder ChooseDataFolder(const QString& programDir, const QString& chosen);

// Creates `dataDir` when it is missing. When it holds neither data file (a
// first start), lays the starter data of `sharedDir` in it: the sample
// projects, the demo pages, and the directory database with every relative
// address resolved against `dataDir`, so the demo entries open the copied
// pages. Returns true when it seeded the folder; false when nothing was
// needed or `sharedDir` has no starter data. Throws TFileError when the
// folder cannot be created or written; what the user had is never replaced.
bool PrepareDataFolder(const QString& dataDir, const QString& sharedDir);

// A file the user may override: `dataDir` + `name` when that is a file,
// else `sharedDir` + `name` when that is one, else `dataDir` + `name`.
QString FindProgramFile(const QString& dataDir, const QString& sharedDir, const QString& name);

// The marker a package build lays in the shared folder: the package manager,
// not the program's updater, brings new versions.
inline constexpr char PackageMarkerFileName[] = "installed-by-package";
bool InstalledByPackage(const QString& sharedDir);
