#pragma once

#include "SwitchState.h"

#include <QList>

class SwitchControl;
class SwitchPanel;
class IniSnapshot;

// Moving values between the switch controls and the rules that read and write
// them, so the rules themselves never touch a widget.
namespace PanelValues {

// Every switch control's state, in panel order.
QList<SwitchState> read(const SwitchPanel &panel);

// Sets a control from a configuration file's value. Raises DvsError
// "'<value>' is not a valid integer value" for a number or check list whose
// value is no integer.
void applyConfigValue(SwitchControl &control, const QString &value, const IniSnapshot &patch);

// Puts a control back to its database default.
void applyDefault(SwitchControl &control, const IniSnapshot &patch);

} // namespace PanelValues
