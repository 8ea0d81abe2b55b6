#include "SwitchControls.h"

#include "CheckSum.h"
#include "SwitchDefinition.h"
#include "SwitchLayout.h"
#include "SwitchRules.h"
#include "ValueRules.h"
#include "ini/IniSnapshot.h"
#include "ini/IntegerText.h"
#include "ini/TIniFile.h"
#include "platform/Cp1252.h"
#include "platform/DvsError.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QValidator>

#include <algorithm>

namespace {

// Pasted or composed text passes no key filter; what a configuration file
// cannot hold is refused here instead.
class StorableTextValidator final : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return Cp1252::canEncode(input) ? Acceptable : Invalid;
    }
};

SwitchState newDefaultState(const SwitchDefinition &d, SwitchKind kind, bool enabled,
                            SwitchState::Format format)
{
    SwitchState state;
    state.name = d.name;
    state.kind = kind;
    state.enabled = enabled;
    state.format = format;
    return state;
}

int integerValue(const QString &value)
{
    const std::optional<int> number = parseInteger(value);
    if (!number)
        throw DvsError(QStringLiteral("'%1' is not a valid integer value").arg(value));
    return *number;
}

} // namespace

void SwitchControl::attachRules(SwitchRules &) {}

void SwitchControl::applyValueRule(const TIniFile &) {}

bool SwitchControl::acceptsTypedCharacter(QChar, const TIniFile &) const
{
    return true;
}

void SwitchControl::setLook3D(bool on)
{
    m_look3D = on;
    widget()->setProperty("ctl3D", on);
}

void SwitchControl::tag(QWidget *self)
{
    self->setProperty("switchKind", kindName());
}

SwitchState SwitchControl::newState(SwitchState::Format format) const
{
    SwitchState state;
    state.name = name();
    state.kind = kind();
    state.enabled = widget()->isEnabled();
    state.format = format;
    return state;
}

SwitchControl *asSwitchControl(QObject *object)
{
    return dynamic_cast<SwitchControl *>(object);
}

// Number: a spin edit right of its label, kept to its limits and its off value.

void NumberSwitch::readKeys(SwitchDefinition &d, const IniSnapshot &patch)
{
    d.maxValue = patch.ReadInteger(d.name, QStringLiteral("maxvalue"), 0);
    d.minValue = patch.ReadInteger(d.name, QStringLiteral("minvalue"), 0);
    d.value = patch.ReadInteger(d.name, QStringLiteral("value"), 0);
}

QRect NumberSwitch::area(const SwitchDefinition &d, SwitchAreaEstimate &estimate)
{
    return estimate.labelLeft(d);
}

SwitchState NumberSwitch::defaultState(const SwitchDefinition &d, bool enabled)
{
    SwitchState state = newDefaultState(d, Kind, enabled, &configValue);
    state.number = SpinEdit::bounded(d.value, d.minValue, d.maxValue);
    state.text = QString::number(state.number);
    return state;
}

MadeSwitch NumberSwitch::make(QWidget *surface, const SwitchDefinition &d)
{
    QLabel *label = makeSwitchLabel(surface, d, d.caption);
    auto *spin = new NumberSwitch(surface);
    spin->setGeometry(d.left + label->width() + 2, d.top, d.width, spin->sizeHint().height());
    spin->setMaxValue(d.maxValue);
    spin->setMinValue(d.minValue);
    spin->setValue(d.value);
    return {spin, label};
}

QString NumberSwitch::configValue(const SwitchState &state, const IniSnapshot &patch, ConfigVariant variant)
{
    const int offValue = patch.ReadInteger(state.name, QStringLiteral("offvalue"), 0);
    const bool off = variant == ConfigVariant::File
                         ? (state.text == QLatin1String("off") || state.text == QString::number(offValue))
                         : state.number == offValue;
    return off ? QStringLiteral("off") : QString::number(state.number);
}

NumberSwitch::NumberSwitch(QWidget *parent) : SpinEdit(parent)
{
    tag(this);
    // The wheel must not give it the focus on the way to changing its value.
    setFocusPolicy(Qt::StrongFocus);
}

SwitchState NumberSwitch::state() const
{
    SwitchState state = newState(&configValue);
    state.text = text();
    state.number = value();
    return state;
}

void NumberSwitch::applyConfigValue(const QString &value, const IniSnapshot &patch)
{
    if (value != QLatin1String("off")) {
        setValue(integerValue(value));
    } else {
        // The off value as the number rule and the writer see it, shown as it
        // stands: "off" comes back as "off", also for an off value just
        // outside the limits or a switch without one.
        setText(QString::number(patch.ReadInteger(name(), QStringLiteral("offvalue"), 0)));
    }
}

void NumberSwitch::applyDefault(const IniSnapshot &patch)
{
    setValue(patch.ReadInteger(name(), QStringLiteral("value"), 0));
}

void NumberSwitch::attachRules(SwitchRules &rules)
{
    connect(this, &SpinEdit::textChanged, &rules, [this, &rules] { rules.TCSpinEditChange(this); });
    installEventFilter(&rules);
}

void NumberSwitch::applyValueRule(const TIniFile &patch)
{
    const QString shown = numberRuleText(text(), patch.snapshot(), objectName());
    if (shown != text())
        setText(shown);
}

bool NumberSwitch::acceptsTypedCharacter(QChar typed, const TIniFile &) const
{
    return isNumberCharacter(typed);
}

void NumberSwitch::setLook3D(bool on)
{
    SwitchControl::setLook3D(on);
    setFrame(on);
}

// On/off: a check box carrying its own caption.

void OnOffSwitch::readKeys(SwitchDefinition &d, const IniSnapshot &patch)
{
    d.checked = patch.ReadBool(d.name, QStringLiteral("value"), false);
}

QRect OnOffSwitch::area(const SwitchDefinition &d, SwitchAreaEstimate &estimate)
{
    return estimate.alone(d);
}

SwitchState OnOffSwitch::defaultState(const SwitchDefinition &d, bool enabled)
{
    SwitchState state = newDefaultState(d, Kind, enabled, &configValue);
    state.checked = d.checked;
    return state;
}

MadeSwitch OnOffSwitch::make(QWidget *surface, const SwitchDefinition &d)
{
    auto *box = new OnOffSwitch(surface);
    box->setGeometry(d.left, d.top, d.width, box->sizeHint().height());
    box->setText(d.caption);
    box->setChecked(d.checked);
    return {box, nullptr};
}

QString OnOffSwitch::configValue(const SwitchState &state, const IniSnapshot &, ConfigVariant)
{
    return state.checked ? QStringLiteral("on") : QStringLiteral("off");
}

OnOffSwitch::OnOffSwitch(QWidget *parent) : QCheckBox(parent)
{
    tag(this);
}

SwitchState OnOffSwitch::state() const
{
    SwitchState state = newState(&configValue);
    state.checked = isChecked();
    return state;
}

void OnOffSwitch::applyConfigValue(const QString &value, const IniSnapshot &)
{
    if (value == QLatin1String("on"))
        setChecked(true);
    else if (value == QLatin1String("off"))
        setChecked(false);
}

void OnOffSwitch::applyDefault(const IniSnapshot &patch)
{
    setChecked(patch.ReadBool(name(), QStringLiteral("value"), true));
}

// Choice: a drop-down list below its label, chosen from but never typed into.

void ChoiceSwitch::readKeys(SwitchDefinition &d, const IniSnapshot &patch)
{
    d.items = readChoiceItems(patch, d.name);
    d.droppedWidth = SwitchDefinition::bounded(
        patch.ReadInteger(d.name, QStringLiteral("expandwidth"), d.width + 30), SwitchDefinition::MaxExtent);
}

QRect ChoiceSwitch::area(const SwitchDefinition &d, SwitchAreaEstimate &estimate)
{
    return estimate.labelAbove(d);
}

SwitchState ChoiceSwitch::defaultState(const SwitchDefinition &d, bool enabled)
{
    SwitchState state = newDefaultState(d, Kind, enabled, &configValue);
    state.text = d.items.isEmpty() ? QString() : d.items.constFirst();
    return state;
}

MadeSwitch ChoiceSwitch::make(QWidget *surface, const SwitchDefinition &d)
{
    QLabel *label = makeSwitchLabel(surface, d, d.caption + QLatin1Char(':'));
    auto *combo = new ChoiceSwitch(surface);
    combo->setGeometry(d.left, d.top + label->height(), d.width, combo->sizeHint().height());
    combo->addItems(d.items);
    combo->setCurrentIndex(d.items.isEmpty() ? -1 : 0);
    combo->setDroppedWidth(d.droppedWidth);
    return {combo, label};
}

QString ChoiceSwitch::configValue(const SwitchState &state, const IniSnapshot &patch, ConfigVariant variant)
{
    const QString &name = state.name;
    QString value;
    const int count =
        std::min(patch.ReadInteger(name, QStringLiteral("number"), 0), SwitchDefinition::MaxItems);
    for (int j = 0; j < count; ++j) {
        if (patch.ReadString(name, QStringLiteral("number%1").arg(j), QStringLiteral("0")) != state.text)
            continue;
        if (variant == ConfigVariant::File)
            value = patch.ReadString(name, QStringLiteral("value%1").arg(j), QStringLiteral("0"));
        else
            value = QString::number(patch.ReadInteger(name, QStringLiteral("value%1").arg(j), 0));
    }
    return value;
}

ChoiceSwitch::ChoiceSwitch(QWidget *parent) : QComboBox(parent)
{
    tag(this);
    setEditable(false);
    setFocusPolicy(Qt::StrongFocus);
}

SwitchState ChoiceSwitch::state() const
{
    SwitchState state = newState(&configValue);
    state.text = currentText();
    return state;
}

void ChoiceSwitch::applyConfigValue(const QString &value, const IniSnapshot &patch)
{
    const int count = std::min(patch.ReadInteger(name(), QStringLiteral("number"), 0), this->count());
    int selected = -1;
    for (int j = 0; j < count; ++j) {
        if (patch.ReadString(name(), QStringLiteral("value%1").arg(j), QStringLiteral("0")) == value)
            selected = j;
    }
    if (selected >= 0)
        setCurrentIndex(selected);
}

void ChoiceSwitch::applyDefault(const IniSnapshot &)
{
    setCurrentIndex(count() > 0 ? 0 : -1);
}

void ChoiceSwitch::attachRules(SwitchRules &rules)
{
    installEventFilter(&rules);
}

bool ChoiceSwitch::acceptsTypedCharacter(QChar, const TIniFile &) const
{
    return false;
}

void ChoiceSwitch::setDroppedWidth(int width)
{
    // The list is made when first opened, not with every drop-down list.
    m_droppedWidth = width;
}

void ChoiceSwitch::showPopup()
{
    view()->setMinimumWidth(m_droppedWidth);
    QComboBox::showPopup();
}

// Text: a text field right of its label, free or digits only by its "type".

void TextSwitch::readKeys(SwitchDefinition &d, const IniSnapshot &patch)
{
    d.text = patch.ReadString(d.name, QStringLiteral("value"), QStringLiteral("0"));
}

QRect TextSwitch::area(const SwitchDefinition &d, SwitchAreaEstimate &estimate)
{
    return estimate.labelLeft(d);
}

SwitchState TextSwitch::defaultState(const SwitchDefinition &d, bool enabled)
{
    SwitchState state = newDefaultState(d, Kind, enabled, &configValue);
    state.text = d.text;
    return state;
}

MadeSwitch TextSwitch::make(QWidget *surface, const SwitchDefinition &d)
{
    QLabel *label = makeSwitchLabel(surface, d, d.caption);
    auto *edit = new TextSwitch(surface);
    edit->setGeometry(d.left + label->width() + 2, d.top, d.width, edit->sizeHint().height());
    edit->setText(d.text);
    return {edit, label};
}

QString TextSwitch::configValue(const SwitchState &state, const IniSnapshot &, ConfigVariant)
{
    return state.text;
}

TextSwitch::TextSwitch(QWidget *parent) : QLineEdit(parent)
{
    tag(this);
    setValidator(new StorableTextValidator(this));
}

SwitchState TextSwitch::state() const
{
    SwitchState state = newState(&configValue);
    state.text = text();
    return state;
}

void TextSwitch::applyConfigValue(const QString &value, const IniSnapshot &)
{
    setText(value);
}

void TextSwitch::applyDefault(const IniSnapshot &patch)
{
    setText(patch.ReadString(name(), QStringLiteral("value"), QStringLiteral("0")));
}

void TextSwitch::attachRules(SwitchRules &rules)
{
    installEventFilter(&rules);
}

bool TextSwitch::acceptsTypedCharacter(QChar typed, const TIniFile &patch) const
{
    if (patch.ReadString(name(), QStringLiteral("type"), QStringLiteral("text")) == QLatin1String("numbers"))
        return isNumberCharacter(typed);
    // The patch reads 8-bit text, so a character it cannot read is kept out.
    return Cp1252::canEncode(QStringView(&typed, 1));
}

void TextSwitch::setLook3D(bool on)
{
    SwitchControl::setLook3D(on);
    setFrame(on);
}

// Set: a list of check boxes below its label, whose value is the sum of the
// weights of the checked items.

void SetSwitch::readKeys(SwitchDefinition &d, const IniSnapshot &patch)
{
    d.height = SwitchDefinition::bounded(patch.ReadInteger(d.name, QStringLiteral("height"), 0),
                                         SwitchDefinition::MaxExtent);
    d.items = readCheckListItems(patch, d.name);
    d.weights = readCheckListWeights(patch, d.name);
    d.value = patch.ReadInteger(d.name, QStringLiteral("value"), 0);
}

QRect SetSwitch::area(const SwitchDefinition &d, SwitchAreaEstimate &estimate)
{
    return estimate.labelAbove(d, d.height);
}

SwitchState SetSwitch::defaultState(const SwitchDefinition &d, bool enabled)
{
    SwitchState state = newDefaultState(d, Kind, enabled, &configValue);
    state.checks = decomposeCheckSum(d.value, d.weights, QList<bool>(d.weights.size(), false));
    return state;
}

MadeSwitch SetSwitch::make(QWidget *surface, const SwitchDefinition &d)
{
    QLabel *label = makeSwitchLabel(surface, d, d.caption + QLatin1Char(':'));
    auto *list = new SetSwitch(surface);
    list->setGeometry(d.left, d.top + label->height(), d.width, d.height);
    list->setItems(d.items);
    list->setCheckStates(decomposeCheckSum(d.value, d.weights, QList<bool>(d.weights.size(), false)));
    return {list, label};
}

QString SetSwitch::configValue(const SwitchState &state, const IniSnapshot &patch, ConfigVariant)
{
    // The patch reads a 32-bit number; a larger sum wraps as it would there.
    return QString::number(static_cast<qint32>(
        static_cast<quint32>(checkedSum(readCheckListWeights(patch, state.name), state.checks))));
}

SetSwitch::SetSwitch(QWidget *parent) : QListWidget(parent)
{
    tag(this);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusPolicy(Qt::StrongFocus);
}

SwitchState SetSwitch::state() const
{
    SwitchState state = newState(&configValue);
    state.checks = checkStates();
    return state;
}

void SetSwitch::applyConfigValue(const QString &value, const IniSnapshot &patch)
{
    if (value == QLatin1String("off"))
        setCheckStates(QList<bool>(count(), false));
    else
        setCheckStates(decodeSum(integerValue(value), checkStates(), patch));
}

void SetSwitch::applyDefault(const IniSnapshot &patch)
{
    const int sum = patch.ReadInteger(name(), QStringLiteral("value"), 0);
    setCheckStates(decodeSum(sum, QList<bool>(count(), false), patch));
}

QList<bool> SetSwitch::decodeSum(qint64 sum, QList<bool> states, const IniSnapshot &patch) const
{
    QList<int> weights = readCheckListWeights(patch, name());
    if (weights.size() > states.size())
        weights.resize(states.size());
    const QList<bool> decoded = decomposeCheckSum(sum, weights, states.first(weights.size()));
    for (qsizetype i = 0; i < decoded.size(); ++i)
        states[i] = decoded[i];
    return states;
}

void SetSwitch::setLook3D(bool on)
{
    SwitchControl::setLook3D(on);
    setFrameShape(on ? QFrame::StyledPanel : QFrame::Box);
    setFrameShadow(on ? QFrame::Sunken : QFrame::Plain);
}

void SetSwitch::setItems(const QStringList &texts)
{
    clear();
    for (const QString &text : texts) {
        auto *item = new QListWidgetItem(text, this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

QList<bool> SetSwitch::checkStates() const
{
    QList<bool> states;
    states.reserve(count());
    for (int i = 0; i < count(); ++i)
        states.append(item(i)->checkState() == Qt::Checked);
    return states;
}

void SetSwitch::setCheckStates(const QList<bool> &states)
{
    for (int i = 0; i < count() && i < states.size(); ++i)
        item(i)->setCheckState(states[i] ? Qt::Checked : Qt::Unchecked);
}
