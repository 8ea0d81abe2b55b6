#include "Paths.h"

#include <QDir>

namespace Paths {

QString withTail(const QString &folder, const QString &tail)
{
    return QDir::toNativeSeparators(folder + tail);
}

} // namespace Paths
