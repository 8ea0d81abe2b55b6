#include "SwitchRules.h"

#include "SwitchControls.h"
#include "ValueRules.h"
#include "ini/TIniFile.h"

#include <QKeyEvent>

namespace {

// A character typed into a field, as opposed to a key that moves, deletes or
// triggers a shortcut.
bool isTypedCharacter(const QKeyEvent &key)
{
    if (key.text().size() != 1 ||
        (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QChar c = key.text().front();
    return c == QLatin1Char('\b') || c == QLatin1Char('\r') || (c >= QLatin1Char(' ') && c != QChar(0x7F));
}

} // namespace

SwitchRules::SwitchRules(ProgramFiles files, QObject *parent) : QObject(parent), m_files(std::move(files)) {}

void SwitchRules::attach(SwitchControl *control)
{
    switch (control->kind()) {
    case SwitchKind::Number: {
        auto *number = static_cast<NumberSwitch *>(control);
        connect(number, &SpinEdit::textChanged, this, [this, number] { TCSpinEditChange(number); });
        number->installEventFilter(this);
        break;
    }
    case SwitchKind::Choice:
    case SwitchKind::Text:
        control->widget()->installEventFilter(this);
        break;
    case SwitchKind::OnOff:
    case SwitchKind::Set:
        break;
    }
}

void SwitchRules::TCSpinEditChange(NumberSwitch *control)
{
    const QString shown =
        numberRuleText(control->text(), TIniFile(m_files.patchIni()).snapshot(), control->objectName());
    if (shown != control->text())
        control->setText(shown);
}

void SwitchRules::valueSet(SwitchControl *control)
{
    if (control->kind() == SwitchKind::Number)
        TCSpinEditChange(static_cast<NumberSwitch *>(control));
}

bool SwitchRules::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    SwitchControl *control = asSwitchControl(watched);
    if (!control || !isTypedCharacter(*key))
        return false;
    QString textType;
    if (control->kind() == SwitchKind::Text)
        textType = TIniFile(m_files.patchIni())
                       .ReadString(control->name(), QStringLiteral("type"), QStringLiteral("text"));
    // A discarded character goes nowhere: not to the control, not to its parents.
    return !acceptsTypedCharacter(control->kind(), key->text().front(), textType);
}
