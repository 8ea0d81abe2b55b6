#pragma once

#include "switches/SwitchState.h"

#include <QList>

class SwitchPanel;

namespace PanelValues {

// Every switch's state, in panel order; a switch whose control is not made
// yet reads as its default, and no control is made.
QList<SwitchState> read(const SwitchPanel &panel);

} // namespace PanelValues
