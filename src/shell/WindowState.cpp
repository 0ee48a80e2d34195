#include "shell/WindowState.h"

#include <QFileInfo>
#include <QSettings>
#include <QSplitter>
#include <QWidget>

namespace {
constexpr char GeometryKey[] = "MainWindow/Geometry";
constexpr char SplitterKey[] = "MainWindow/Splitter";
} // namespace

TWindowState::TWindowState(const QString& dataDir)
    : FPath(dataDir + QLatin1String(FileName))
{
}

bool TWindowState::Restore(QWidget& window, QSplitter& splitter) const
{
    const QSettings settings(FPath, QSettings::IniFormat);
    const QByteArray geometry = settings.value(QLatin1String(GeometryKey)).toByteArray();
    // Qt checks the saved bytes and moves a window whose screen is gone back onto one.
    if (geometry.isEmpty() || !window.restoreGeometry(geometry))
        return false;
    const QByteArray sizes = settings.value(QLatin1String(SplitterKey)).toByteArray();
    if (!sizes.isEmpty())
        splitter.restoreState(sizes);
    return true;
}

bool TWindowState::Save(const QWidget& window, const QSplitter& splitter) const
{
    // QSettings would create a data folder that has gone; the session's own save reports that.
    if (!QFileInfo(QFileInfo(FPath).path()).isDir())
        return false;
    QSettings settings(FPath, QSettings::IniFormat);
    settings.setValue(QLatin1String(GeometryKey), window.saveGeometry());
    settings.setValue(QLatin1String(SplitterKey), splitter.saveState());
    settings.sync();
    return settings.status() == QSettings::NoError;
}
