#pragma once

#include <QChar>
#include <QString>

class IniSnapshot;

// The number rule: what a number switch shows after its text changed to
// `text`. A text that is no integer means off; the off value shows as "off";
// any other number is clamped to the database's limits, the upper one first.
QString numberRuleText(const QString &text, int offValue, int minValue, int maxValue);

// The same, with the limits and off value read from the switch's section now.
QString numberRuleText(const QString &text, const IniSnapshot &patch, const QString &switchName);

// Whether a typed character is one a number field takes: a digit, "." or
// backspace.
bool isNumberCharacter(QChar typed);
