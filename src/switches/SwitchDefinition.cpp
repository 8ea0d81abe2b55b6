#include "SwitchDefinition.h"

#include "ini/IniSnapshot.h"

#include <algorithm>

namespace {

int bounded(int value, int low, int high)
{
    return std::clamp(value, low, high);
}

// "number" of a choice is a count N; of a check list the last index M.
int choiceCount(const IniSnapshot &patch, const QString &section)
{
    return bounded(patch.ReadInteger(section, QStringLiteral("number"), 0), 0, SwitchDefinition::MaxItems);
}

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

QList<int> readCheckListWeights(const IniSnapshot &patch, const QString &section)
{
    const int count = checkListCount(patch, section);
    QList<int> weights;
    weights.reserve(count);
    for (int i = 0; i < count; ++i)
        weights.append(patch.ReadInteger(section, QStringLiteral("value%1").arg(i), 0));
    return weights;
}

std::optional<SwitchDefinition> SwitchDefinition::read(const IniSnapshot &patch, const QString &section)
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
    d.left = bounded(patch.ReadInteger(section, QStringLiteral("left"), 0), 0, MaxCoordinate);
    d.top = bounded(patch.ReadInteger(section, QStringLiteral("top"), 0), 0, MaxCoordinate);
    d.width = bounded(patch.ReadInteger(section, QStringLiteral("width"), 0), 0, MaxExtent);

    switch (d.kind) {
    case SwitchKind::Number:
        d.maxValue = patch.ReadInteger(section, QStringLiteral("maxvalue"), 0);
        d.minValue = patch.ReadInteger(section, QStringLiteral("minvalue"), 0);
        d.value = patch.ReadInteger(section, QStringLiteral("value"), 0);
        break;
    case SwitchKind::OnOff:
        d.checked = patch.ReadBool(section, QStringLiteral("value"), false);
        break;
    case SwitchKind::Choice:
        d.items = readItems(patch, section, choiceCount(patch, section));
        d.droppedWidth =
            bounded(patch.ReadInteger(section, QStringLiteral("expandwidth"), d.width + 30), 0, MaxExtent);
        break;
    case SwitchKind::Text:
        d.text = patch.ReadString(section, QStringLiteral("value"), QStringLiteral("0"));
        break;
    case SwitchKind::Set:
        d.height = bounded(patch.ReadInteger(section, QStringLiteral("height"), 0), 0, MaxExtent);
        d.items = readItems(patch, section, checkListCount(patch, section));
        d.weights = readCheckListWeights(patch, section);
        d.value = patch.ReadInteger(section, QStringLiteral("value"), 0);
        break;
    }
    return d;
}
