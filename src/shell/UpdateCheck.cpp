#include "shell/UpdateCheck.h"

#include "store/ProfileStrings.h"
#include "shell/OpenURL.h"
#include "common/UUtils.h"
#include "shell/AppVersion.h"
#include "shell/HttpDownload.h"
#include "toolkit/MessageBox.h"

#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <cmath>
#include <limits>

#ifdef _WIN32
#define NOMINMAX
#include <windows.h>
#include <shellapi.h>
#endif

QString UpdaterFileName()
{
#ifdef _WIN32
    return QStringLiteral("Updater.exe");
#else
    return QStringLiteral("updater");
#endif
}

float VersionValue(std::string_view text, const QLocale& locale)
{
    QLocale reader(locale);
    reader.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = reader.toDouble(ToDisplay(text), &ok);
    // "inf" and "nan" would otherwise offer an update that does not exist.
    if (!ok || !std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        return 0.0f;
    return static_cast<float>(value);
}

bool IsNewerVersion(std::string_view text, const QLocale& locale)
{
    return !(AppVersion >= VersionValue(text, locale));
}

QStringList UpdaterArguments(const QString& updateBaseURL, const QLocale& locale)
{
    QLocale writer(locale);
    writer.setNumberOptions(QLocale::OmitGroupSeparator);
    return {updateBaseURL, writer.toString(static_cast<double>(AppVersion), 'g', 15),
            QString::fromLatin1(UpdaterArg)};
}

bool LaunchDetached(const QString& program, const QStringList& arguments)
{
#ifdef _WIN32
    // Through the shell, so an updater that asks for elevation gets it.
    QString parameters;
    for (const QString& argument : arguments) {
        if (!parameters.isEmpty())
            parameters += QLatin1Char(' ');
        parameters += QString::fromStdString(QuoteCommandLineArgument(argument.toStdString()));
    }
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", reinterpret_cast<LPCWSTR>(program.utf16()),
                      reinterpret_cast<LPCWSTR>(parameters.utf16()), nullptr, SW_SHOWNORMAL));
    return result > 32;
#else
    return QProcess::startDetached(program, arguments);
#endif
}

TUpdateCheck::TUpdateCheck(TUpdateCheckHost host, QObject* parent)
    : QObject(parent)
    , FHost(std::move(host))
{
}

TUpdateCheck::~TUpdateCheck() = default;

bool TUpdateCheck::Waiting() const
{
    return FWaiting;
}

void TUpdateCheck::Request(bool silent)
{
    if (FDeciding)
        return;
    if (Waiting()) {
        FSilent = FSilent && silent;
        return;
    }
    FSilent = silent;
    FWaiting = true;
    if (FHost.UpdateBaseURL.isEmpty()) {
        QMetaObject::invokeMethod(this, [this] { OnDownloaded(false); }, Qt::QueuedConnection);
        return;
    }
    try {
        FDownload = FHost.DownloadFile(FHost.UpdateBaseURL + QLatin1String(UpdateFileName),
                                       FHost.AppDir + QLatin1String(UpdateFileName));
        // Its outcome always comes from the event loop, so connecting now is in time.
        connect(FDownload.get(), &THttpDownload::Finished, this, &TUpdateCheck::OnDownloaded);
    } catch (...) {
        FDownload.reset();
        FWaiting = false;
        throw;
    }
}

void TUpdateCheck::Cancel()
{
    if (!FWaiting)
        return;
    FWaiting = false;
    FDownload.reset();
    emit Finished(TUpdateOutcome::Cancelled);
}

void TUpdateCheck::OnDownloaded(bool ok)
{
    if (!FWaiting)
        return;
    FWaiting = false;
    // The transfer object is inside its own signal: free it afterwards.
    if (FDownload)
        FDownload.release()->deleteLater();
    FDeciding = true;
    TUpdateOutcome outcome = TUpdateOutcome::NoUpdate;
    try {
        outcome = Decide(ok, FSilent);
    } catch (...) {
        FDeciding = false;
        throw;
    }
    FDeciding = false;
    emit Finished(outcome);
}

TUpdateOutcome TUpdateCheck::Decide(bool downloaded, bool silent)
{
    TMessageBox& box = *FHost.MessageBox;
    const QString localPath = FHost.AppDir + QLatin1String(UpdateFileName);
    if (downloaded && QFileInfo::exists(localPath)) {
        const std::string version = ReadProfileString(localPath, "APPLICATION", "Version");
        if (IsNewerVersion(version, QLocale()) && FHost.InstalledByPackage) {
            box.ShowMessageBox(QLatin1String(UpdateTexts::NewUpdateStart) + ToDisplay(version)
                                   + QLatin1String(UpdateTexts::FromPackageEnd),
                               mkInformation, MsgButton::OK);
            return TUpdateOutcome::ThroughPackageManager;
        }
        if (IsNewerVersion(version, QLocale())) {
            const QString question = QLatin1String(UpdateTexts::NewUpdateStart) + ToDisplay(version)
                                     + QLatin1String(UpdateTexts::NewUpdateEnd);
            if (box.ShowMessageBox(question, mkInformation, MsgButton::OK | MsgButton::Cancel) != MsgResult::OK)
                return TUpdateOutcome::Declined;
            const QString updater = (FHost.ProgramDir.isEmpty() ? FHost.AppDir : FHost.ProgramDir)
                                    + UpdaterFileName();
            if (!QFileInfo(updater).isFile()) {
                box.ShowMessageBox(QLatin1String(UpdateTexts::UpdaterMissing), mkWarning, MsgButton::OK);
                return TUpdateOutcome::UpdaterMissing;
            }
            if (box.ShowMessageBox(QLatin1String(UpdateTexts::WillClose), mkInformation,
                                   MsgButton::OK | MsgButton::Cancel)
                != MsgResult::OK)
                return TUpdateOutcome::Declined;
            // An updater that cannot be started is as good as missing: the
            // program stays open rather than close with nothing to update it.
            if (!FHost.LaunchUpdater(updater, UpdaterArguments(FHost.UpdateBaseURL, QLocale()))) {
                box.ShowMessageBox(QLatin1String(UpdateTexts::UpdaterMissing), mkWarning, MsgButton::OK);
                return TUpdateOutcome::UpdaterMissing;
            }
            FHost.CloseMainWindow();
            return TUpdateOutcome::HandedOver;
        }
    }
    if (!silent)
        box.ShowMessageBox(QLatin1String(UpdateTexts::NoUpdates), mkInformation, MsgButton::OK);
    return TUpdateOutcome::NoUpdate;
}
