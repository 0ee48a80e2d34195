#include "shell/AppPaths.h"

#include <QCoreApplication>
#include <QDir>

QString ApplicationDirectory()
{
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}
