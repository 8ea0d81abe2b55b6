#include "ValueRules.h"

#include "ini/IniSnapshot.h"
#include "ini/IntegerText.h"
#include "platform/Cp1252.h"

#include <algorithm>

QString numberRuleText(const QString &text, int offValue, int minValue, int maxValue)
{
    const QString off = QString::number(offValue);
    const std::optional<int> number = parseInteger(text);
    const QString shown = number ? text : off;
    if (shown == off)
        return QStringLiteral("off");
    const int value = parseInteger(shown).value_or(offValue);
    return QString::number(std::max(std::min(value, maxValue), minValue));
}

QString numberRuleText(const QString &text, const IniSnapshot &patch, const QString &switchName)
{
    return numberRuleText(text, patch.ReadInteger(switchName, QStringLiteral("offvalue"), 0),
                          patch.ReadInteger(switchName, QStringLiteral("minvalue"), 0),
                          patch.ReadInteger(switchName, QStringLiteral("maxvalue"), 0));
}

bool acceptsTypedCharacter(SwitchKind kind, QChar typed, const QString &textType)
{
    const bool digitLike = (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) ||
                           typed == QLatin1Char('.') || typed == QLatin1Char('\b');
    switch (kind) {
    case SwitchKind::Number:
        return digitLike;
    case SwitchKind::Choice:
        return false;
    case SwitchKind::Text:
        // The patch reads 8-bit text, so a character it cannot read is kept out.
        return textType != QLatin1String("numbers") ? Cp1252::canEncode(QStringView(&typed, 1)) : digitLike;
    case SwitchKind::OnOff:
    case SwitchKind::Set:
        return true;
    }
    return true;
}
