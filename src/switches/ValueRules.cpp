#include "ValueRules.h"

#include "ini/IniSnapshot.h"
#include "ini/IntegerText.h"

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

bool isNumberCharacter(QChar typed)
{
    return (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) || typed == QLatin1Char('.') ||
           typed == QLatin1Char('\b');
}
