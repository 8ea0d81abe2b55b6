#include "Availability.h"

#include "app/IniSnapshot.h"
#include "app/IntegerText.h"

#include <algorithm>

int versionCount(const IniSnapshot &versions)
{
    return std::clamp(versions.ReadInteger(QStringLiteral("version"), QStringLiteral("number"), 1), 0,
                      MaxVersions);
}

int selectedVersionNumber(const QString &storedVersion)
{
    return parseInteger(QStringView(storedVersion).mid(3)).value_or(0);
}

bool isSwitchAvailable(const IniSnapshot &patch, const IniSnapshot &versions, const QString &switchName,
                       int current)
{
    const QString introducedIn = patch.ReadString(switchName, QStringLiteral("version"), QStringLiteral("0"));
    const int introduced = versions.ReadInteger(QStringLiteral("version"), introducedIn, 0);
    qint64 obsolete = qint64(current) + 1;
    if (patch.ValueExists(switchName, QStringLiteral("obsolete"))) {
        const QString goneIn = patch.ReadString(switchName, QStringLiteral("obsolete"), QStringLiteral("0"));
        obsolete = versions.ReadInteger(QStringLiteral("version"), goneIn, 0);
    }
    return introduced <= current && current < obsolete;
}
