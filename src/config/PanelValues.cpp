#include "PanelValues.h"

#include "ini/IniSnapshot.h"
#include "ini/IntegerText.h"
#include "platform/DvsError.h"
#include "switches/CheckSum.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchDefinition.h"
#include "switches/SwitchPanel.h"

namespace {

int integerValue(const QString &value)
{
    const std::optional<int> number = parseInteger(value);
    if (!number)
        throw DvsError(QStringLiteral("'%1' is not a valid integer value").arg(value));
    return *number;
}

// Decodes a sum over the items the database names now, as far as the control
// has them; any further item keeps its check mark.
QList<bool> decodeSum(const SetSwitch &list, qint64 sum, QList<bool> states, const IniSnapshot &patch)
{
    QList<int> weights = readCheckListWeights(patch, list.objectName());
    if (weights.size() > states.size())
        weights.resize(states.size());
    const QList<bool> decoded = decomposeCheckSum(sum, weights, states.first(weights.size()));
    for (qsizetype i = 0; i < decoded.size(); ++i)
        states[i] = decoded[i];
    return states;
}

// What a control made from the definition would show: the switch's state
// while its control is not made yet.
SwitchState defaultState(const SwitchDefinition &d, bool enabled)
{
    SwitchState state;
    state.name = d.name;
    state.kind = d.kind;
    state.enabled = enabled;
    switch (d.kind) {
    case SwitchKind::Number:
        state.number = SpinEdit::bounded(d.value, d.minValue, d.maxValue);
        state.text = QString::number(state.number);
        break;
    case SwitchKind::OnOff:
        state.checked = d.checked;
        break;
    case SwitchKind::Choice:
        state.text = d.items.isEmpty() ? QString() : d.items.constFirst();
        break;
    case SwitchKind::Text:
        state.text = d.text;
        break;
    case SwitchKind::Set:
        state.checks = decomposeCheckSum(d.value, d.weights, QList<bool>(d.weights.size(), false));
        break;
    }
    return state;
}

} // namespace

namespace PanelValues {

QList<SwitchState> read(const SwitchPanel &panel)
{
    QList<SwitchState> states;
    states.reserve(qsizetype(panel.entries().size()));
    for (const SwitchPanel::Entry &entry : panel.entries()) {
        if (!entry.control) {
            states.append(defaultState(*entry.deferred, entry.deferredEnabled));
            continue;
        }
        SwitchControl *control = entry.control;
        SwitchState state;
        state.name = control->name();
        state.kind = control->kind();
        state.enabled = control->widget()->isEnabled();
        switch (control->kind()) {
        case SwitchKind::Number: {
            const auto *number = static_cast<const NumberSwitch *>(control);
            state.text = number->text();
            state.number = number->value();
            break;
        }
        case SwitchKind::OnOff:
            state.checked = static_cast<const OnOffSwitch *>(control)->isChecked();
            break;
        case SwitchKind::Choice:
            state.text = static_cast<const ChoiceSwitch *>(control)->currentText();
            break;
        case SwitchKind::Text:
            state.text = static_cast<const TextSwitch *>(control)->text();
            break;
        case SwitchKind::Set:
            state.checks = static_cast<const SetSwitch *>(control)->checkStates();
            break;
        }
        states.append(state);
    }
    return states;
}

void applyConfigValue(SwitchControl &control, const QString &value, const IniSnapshot &patch)
{
    const QString name = control.name();
    switch (control.kind()) {
    case SwitchKind::Number: {
        auto &number = static_cast<NumberSwitch &>(control);
        if (value != QLatin1String("off")) {
            number.setValue(integerValue(value));
        } else {
            // The off value as the number rule and the writer see it, shown as
            // it stands: "off" comes back as "off", also for an off value just
            // outside the limits or a switch without one.
            number.setText(QString::number(patch.ReadInteger(name, QStringLiteral("offvalue"), 0)));
        }
        break;
    }
    case SwitchKind::Text:
        static_cast<TextSwitch &>(control).setText(value);
        break;
    case SwitchKind::OnOff:
        if (value == QLatin1String("on"))
            static_cast<OnOffSwitch &>(control).setChecked(true);
        else if (value == QLatin1String("off"))
            static_cast<OnOffSwitch &>(control).setChecked(false);
        break;
    case SwitchKind::Choice: {
        auto &choice = static_cast<ChoiceSwitch &>(control);
        const int count = std::min(patch.ReadInteger(name, QStringLiteral("number"), 0), choice.count());
        int selected = -1;
        for (int j = 0; j < count; ++j) {
            if (patch.ReadString(name, QStringLiteral("value%1").arg(j), QStringLiteral("0")) == value)
                selected = j;
        }
        if (selected >= 0)
            choice.setCurrentIndex(selected);
        break;
    }
    case SwitchKind::Set: {
        auto &list = static_cast<SetSwitch &>(control);
        if (value == QLatin1String("off")) {
            list.setCheckStates(QList<bool>(list.count(), false));
            break;
        }
        list.setCheckStates(decodeSum(list, integerValue(value), list.checkStates(), patch));
        break;
    }
    }
}

void applyDefault(SwitchControl &control, const IniSnapshot &patch)
{
    const QString name = control.name();
    switch (control.kind()) {
    case SwitchKind::Number:
        static_cast<NumberSwitch &>(control).setValue(patch.ReadInteger(name, QStringLiteral("value"), 0));
        break;
    case SwitchKind::Text:
        static_cast<TextSwitch &>(control).setText(
            patch.ReadString(name, QStringLiteral("value"), QStringLiteral("0")));
        break;
    case SwitchKind::OnOff:
        static_cast<OnOffSwitch &>(control).setChecked(patch.ReadBool(name, QStringLiteral("value"), true));
        break;
    case SwitchKind::Set: {
        auto &list = static_cast<SetSwitch &>(control);
        const int sum = patch.ReadInteger(name, QStringLiteral("value"), 0);
        list.setCheckStates(decodeSum(list, sum, QList<bool>(list.count(), false), patch));
        break;
    }
    case SwitchKind::Choice: {
        auto &choice = static_cast<ChoiceSwitch &>(control);
        choice.setCurrentIndex(choice.count() > 0 ? 0 : -1);
        break;
    }
    }
}

} // namespace PanelValues
