#include "Paths.h"

namespace Paths {

QString withTail(const QString &folder, const QString &tail)
{
    QString native = tail;
    native.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return folder + native;
}

} // namespace Paths
