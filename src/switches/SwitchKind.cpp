#include "SwitchKind.h"

std::optional<SwitchKind> switchKindFromComponent(int component)
{
    if (component < 1 || component > 5)
        return std::nullopt;
    return static_cast<SwitchKind>(component);
}

QString switchKindName(SwitchKind kind)
{
    switch (kind) {
    case SwitchKind::Number:
        return QStringLiteral("TCSpinEdit");
    case SwitchKind::OnOff:
        return QStringLiteral("TCheckBox");
    case SwitchKind::Choice:
        return QStringLiteral("TComboBox");
    case SwitchKind::Text:
        return QStringLiteral("TEdit");
    case SwitchKind::Set:
        return QStringLiteral("TCheckListBox");
    }
    return {};
}
