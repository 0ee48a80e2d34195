#pragma once
// The update check: fetch mainappupdate.inf from the update site, compare
// its version with the program's own, and with the user's consent hand over
// to the updater and close the main window. The transfer runs while the
// event loop goes on; the check continues when it ends.

#include <QLocale>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <string_view>

class THttpDownload;
class TMessageBox;

namespace UpdateTexts {
inline constexpr char NewUpdateStart[] = "There is a new update: (version ";
inline constexpr char NewUpdateEnd[] = ") available for your application!. Do you want download this update now?";
inline constexpr char UpdaterMissing[] = "The updater module is missing. Please reinstall again the current version!";
inline constexpr char WillClose[] =
    "To update your software the application will close to\n\rreplace some files. Do you want to update now?";
inline constexpr char NoUpdates[] = "There's no new updates for this application!";
// Installed from a package: the package manager brings the new version.
inline constexpr char FromPackageEnd[] =
    ") available for your application. It was installed from a package, so the new version comes "
    "through your package manager: update it there.";
} // namespace UpdateTexts

// The update file, on the site and in the application directory.
inline constexpr char UpdateFileName[] = "mainappupdate.inf";

// The updater in the program's folder: "Updater.exe" on Windows, "updater"
// (an executable file) elsewhere.
QString UpdaterFileName();

// The version in `text` as a 32-bit value, read as a decimal number with
// `locale`'s decimal separator; anything that is not a finite number in the
// 32-bit range counts as 0.
float VersionValue(std::string_view text, const QLocale& locale);
// A newer version only when strictly greater than AppVersion as 32-bit values.
bool IsNewerVersion(std::string_view text, const QLocale& locale);
// The updater's three arguments: the update folder's address, AppVersion with
// 15 significant digits and `locale`'s decimal separator, and UpdaterArg.
QStringList UpdaterArguments(const QString& updateBaseURL, const QLocale& locale);

// Starts a detached program without a shell; true when it started.
bool LaunchDetached(const QString& program, const QStringList& arguments);

// What a check needs from the window that runs it.
struct TUpdateCheckHost {
    QString AppDir;        // the data folder, where the update file goes; with its trailing separator
    QString ProgramDir;    // where the updater is; empty: AppDir
    bool InstalledByPackage = false; // no updater: the package manager brings new versions
    QString UpdateBaseURL; // ends in "/"; empty: no update site, nothing is fetched
    TMessageBox* MessageBox = nullptr;
    // Creates and starts the transfer of SourceURL into LocalPath (THttpDownload::Start).
    std::function<std::unique_ptr<THttpDownload>(const QString& SourceURL, const QString& LocalPath)> DownloadFile;
    std::function<bool(const QString& program, const QStringList& arguments)> LaunchUpdater;
    std::function<void()> CloseMainWindow;
};

enum class TUpdateOutcome { NoUpdate, Declined, UpdaterMissing, HandedOver, Cancelled, ThroughPackageManager };

class TUpdateCheck : public QObject {
    Q_OBJECT
public:
    explicit TUpdateCheck(TUpdateCheckHost host, QObject* parent = nullptr);
    ~TUpdateCheck() override;

    // Starts a check. While one waits for the site a further request starts
    // no second transfer: it joins the waiting one, and when any of the
    // joined requests is not silent the answer is shown. A file that cannot
    // be created throws TFileError (see THttpDownload::Start).
    void Request(bool silent);
    bool Waiting() const;
    // Drops a waiting check without a word (the window is closing).
    void Cancel();

signals:
    void Finished(TUpdateOutcome outcome);

private:
    void OnDownloaded(bool ok);
    TUpdateOutcome Decide(bool downloaded, bool silent);
    void End(TUpdateOutcome outcome);

    TUpdateCheckHost FHost;
    std::unique_ptr<THttpDownload> FDownload;
    bool FWaiting = false;
    bool FSilent = true;
    bool FDeciding = false;
};
