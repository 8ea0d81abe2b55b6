#include "SwitchFactory.h"

namespace {

template <class Control>
constexpr SwitchType typeOf{Control::HasLabel, &Control::readKeys, &Control::area, &Control::defaultState,
                            &Control::make};

} // namespace

const SwitchType &switchType(SwitchKind kind)
{
    switch (kind) {
    case SwitchKind::Number:
        return typeOf<NumberSwitch>;
    case SwitchKind::OnOff:
        return typeOf<OnOffSwitch>;
    case SwitchKind::Choice:
        return typeOf<ChoiceSwitch>;
    case SwitchKind::Text:
        return typeOf<TextSwitch>;
    case SwitchKind::Set:
        return typeOf<SetSwitch>;
    }
    Q_UNREACHABLE();
    return typeOf<OnOffSwitch>;
}

std::optional<SwitchDefinition> readSwitch(const IniSnapshot &patch, const QString &section)
{
    std::optional<SwitchDefinition> definition = SwitchDefinition::readCommonKeys(patch, section);
    if (definition)
        switchType(definition->kind).readKeys(*definition, patch);
    return definition;
}

MadeSwitch makeSwitch(QWidget *surface, const SwitchDefinition &d)
{
    const MadeSwitch made = switchType(d.kind).make(surface, d);
    made.control->widget()->setObjectName(d.name);
    made.control->widget()->setStatusTip(d.hint);
    return made;
}
