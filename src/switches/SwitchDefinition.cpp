#include "SwitchDefinition.h"

#include "ini/IniSnapshot.h"

#include <algorithm>

namespace {

// "number" of a check list is its last index M, unlike a choice's count N.
int checkListCount(const IniSnapshot &patch, const QString &section)
{
    const qint64 last = patch.ReadInteger(section, QStringLiteral("number"), 0);
    return int(std::clamp<qint64>(last + 1, 0, SwitchDefinition::MaxItems));
}

QStringList readItems(const IniSnapshot &patch, const QString &section, int count)
{
    QStringList items;
    items.reserve(count);
    for (int i = 0; i < count; ++i)
        items.append(patch.ReadString(section, QStringLiteral("number%1").arg(i), QStringLiteral("0")));
    return items;
}

} // namespace

int SwitchDefinition::bounded(int value, int high)
{
    return std::clamp(value, 0, high);
}

QStringList readChoiceItems(const IniSnapshot &patch, const QString &section)
{
    return readItems(patch, section,
                     SwitchDefinition::bounded(patch.ReadInteger(section, QStringLiteral("number"), 0),
                                               SwitchDefinition::MaxItems));
}

QStringList readCheckListItems(const IniSnapshot &patch, const QString &section)
{
    return readItems(patch, section, checkListCount(patch, section));
}

QList<int> readCheckListWeights(const IniSnapshot &patch, const QString &section)
{
    const int count = checkListCount(patch, section);
    QList<int> weights;
    weights.reserve(count);
    for (int i = 0; i < count; ++i)
        weights.append(patch.ReadInteger(section, QStringLiteral("value%1").arg(i), 0));
    return weights;
}

std::optional<SwitchDefinition> SwitchDefinition::readCommonKeys(const IniSnapshot &patch,
                                                                 const QString &section)
{
    const std::optional<SwitchKind> kind =
        switchKindFromComponent(patch.ReadInteger(section, QStringLiteral("component"), 0));
    if (!kind)
        return std::nullopt;

    SwitchDefinition d;
    d.name = section;
    d.kind = *kind;
    d.caption = patch.ReadString(section, QStringLiteral("caption"), QStringLiteral("0"));
    d.hint = patch.ReadString(section, QStringLiteral("hint"), QStringLiteral("0"));
    d.left = bounded(patch.ReadInteger(section, QStringLiteral("left"), 0), MaxCoordinate);
    d.top = bounded(patch.ReadInteger(section, QStringLiteral("top"), 0), MaxCoordinate);
    d.width = bounded(patch.ReadInteger(section, QStringLiteral("width"), 0), MaxExtent);
    return d;
}
