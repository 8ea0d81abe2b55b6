#include "Paths.h"

#include <QDir>
#include <QStandardPaths>

namespace Paths {

QString withTail(const QString &folder, const QString &tail)
{
    return QDir::toNativeSeparators(folder + tail);
}

QString userDataHome()
{
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

} // namespace Paths
