#pragma once

#include "switches/SwitchKind.h"

#include <QList>
#include <QString>

// What the configuration writer needs of one switch control, read off the
// panel: its name and kind, whether its version knows it, and its value.
struct SwitchState
{
    QString name;
    SwitchKind kind = SwitchKind::OnOff;
    bool enabled = true;
    QString text;   // number: the shown text; choice: the shown item; text: the text
    int number = 0; // number: the control's value (its text as an integer, else its minimum)
    bool checked = false;
    QList<bool> checks; // check list: the check mark of every item
};
