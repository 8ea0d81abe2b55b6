#include "Paths.h"

#include <QDir>

#include <algorithm>

namespace Paths {

QString withTail(const QString &folder, const QString &tail)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(folder + tail);
#else
    QString t = tail;
    t.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return folder + t;
#endif
}

static qsizetype lastSeparator(const QString &filePath)
{
    qsizetype slash = filePath.lastIndexOf(QLatin1Char('/'));
#ifdef Q_OS_WIN
    slash =
        std::max({slash, filePath.lastIndexOf(QLatin1Char('\\')), filePath.lastIndexOf(QLatin1Char(':'))});
#endif
    return slash;
}

QString folderOf(const QString &filePath)
{
    const qsizetype slash = lastSeparator(filePath);
    if (slash < 0)
        return QString();
    if (slash == 0)
        return filePath.left(1);
    return filePath.left(slash);
}

QString fileNameOf(const QString &filePath)
{
    return filePath.mid(lastSeparator(filePath) + 1);
}

} // namespace Paths
