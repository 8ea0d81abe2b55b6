#include "SwitchRules.h"

#include "SwitchControls.h"
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
    control->attachRules(*this);
}

void SwitchRules::TCSpinEditChange(NumberSwitch *control)
{
    control->applyValueRule(TIniFile(m_files.patchIni()));
}

void SwitchRules::valueSet(SwitchControl *control)
{
    control->applyValueRule(TIniFile(m_files.patchIni()));
}

bool SwitchRules::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    SwitchControl *control = asSwitchControl(watched);
    if (!control || !isTypedCharacter(*key))
        return false;
    // A discarded character goes nowhere: not to the control, not to its parents.
    return !control->acceptsTypedCharacter(key->text().front(), TIniFile(m_files.patchIni()));
}
