#include "FileLock.h"

#include <QFileInfo>

QString FileLock::lockFileOf(const QString &file)
{
    const QFileInfo info(file);
    return info.absolutePath() + QLatin1String("/.") + info.fileName() + QLatin1String(".lock");
}
