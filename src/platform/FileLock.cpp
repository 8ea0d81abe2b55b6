#include "FileLock.h"

#include <QFileInfo>

QString FileLock::lockFileOf(const QString &file)
{
    // A file named by nothing has no folder to lock in.
    if (file.isEmpty())
        return QString();
    const QFileInfo info(file);
    return info.absolutePath() + QLatin1String("/.") + info.fileName() + QLatin1String(".lock");
}
