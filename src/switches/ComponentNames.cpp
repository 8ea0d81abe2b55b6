#include "ComponentNames.h"

namespace {

bool isIdentStart(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('_');
}

} // namespace

bool isValidComponentName(const QString &name)
{
    if (name.isEmpty() || !isIdentStart(name.front()))
        return false;
    for (const QChar c : name) {
        if (!isIdentStart(c) && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            return false;
    }
    return true;
}

QString invalidComponentNameMessage(const QString &name)
{
    return QStringLiteral("''%1'' is not a valid component name").arg(name);
}

QString duplicateComponentNameMessage(const QString &name)
{
    return QStringLiteral("A component named %1 already exists").arg(name);
}
