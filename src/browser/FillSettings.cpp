#include "browser/FillSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString ModeKey = QStringLiteral("Fill/Mode");

} // namespace

TFillSettings::TFillSettings(QString dataFolder)
    : FPath(dataFolder.isEmpty() ? QString() : dataFolder + QLatin1String(FileName))
{
    if (FPath.isEmpty())
        return;
    const QSettings settings(FPath, QSettings::IniFormat);
    const QString mode = settings.value(ModeKey).toString().trimmed();
    if (mode.compare(QLatin1String("rules"), Qt::CaseInsensitive) == 0)
        FMode = TFillMode::Rules;
}

bool TFillSettings::SetMode(TFillMode mode, QString& error)
{
    FMode = mode;
    if (FPath.isEmpty())
        return true;
    // QSettings would create a data folder that has gone; it keeps every
    // other section and key of the file.
    const QString folder = QFileInfo(FPath).path();
    if (!QFileInfo(folder).isDir()) {
        error = QStringLiteral("The Fill mode could not be saved in %1: the data folder %2 is missing; "
                               "the mode holds until the program closes.").arg(FPath, folder);
        return false;
    }
    QSettings settings(FPath, QSettings::IniFormat);
    settings.setValue(ModeKey, mode == TFillMode::Rules ? QStringLiteral("rules") : QStringLiteral("smart"));
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    error = QStringLiteral("The Fill mode could not be saved in %1; it holds until the program closes.").arg(FPath);
    return false;
}
