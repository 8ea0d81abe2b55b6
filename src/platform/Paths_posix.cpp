#include "Paths.h"

#include <QDir>

namespace Paths {

QString withTail(const QString &folder, const QString &tail)
{
    QString native = tail;
    native.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return folder + native;
}

QString userDataHome()
{
    // A relative value is to be ignored: it would depend on the folder the program starts in.
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::homePath() + QStringLiteral("/.local/share");
}

} // namespace Paths
