#include "Availability.h"

#include "ini/IniSnapshot.h"
#include "ini/IntegerText.h"
#include "ini/NumberedKeys.h"

#include <algorithm>

int versionCount(const IniSnapshot &versions)
{
    const QString section = QStringLiteral("version");
    // The first entry is offered even without its keys, as a list without
    // "number" has it; every later one needs keys of its own in the file.
    const int present = std::max(
        1, lastNumberedKey(versions, section, {QStringLiteral("display"), QStringLiteral("number")}));
    return std::clamp(versions.ReadInteger(section, QStringLiteral("number"), 1), 0,
                      std::min(present, MaxVersions));
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
