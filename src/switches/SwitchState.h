#pragma once

#include "SwitchKind.h"

#include <QList>
#include <QString>

class IniSnapshot;

// The three variants of configuration text. The file variant compares a
// number's text with its off value and writes a choice's value as stored; the
// notepad and run variants compare the number's value and write a choice's
// value as an integer; the run variant has a short header and no comment lines.
enum class ConfigVariant
{
    File,
    Notepad,
    Run
};

// What the configuration writer needs of one switch control, read off the
// panel: its name and kind, whether its version knows it, its value, and how
// its kind writes that value.
struct SwitchState
{
    // The value a state of one kind is written with, reading the switch's
    // section of patch.ini; empty when it gives no line.
    using Format = QString (*)(const SwitchState &state, const IniSnapshot &patch, ConfigVariant variant);

    QString name;
    SwitchKind kind = SwitchKind::OnOff;
    bool enabled = true;
    QString text;   // number: the shown text; choice: the shown item; text: the text
    int number = 0; // number: the control's value (its text as an integer, else its minimum)
    bool checked = false;
    QList<bool> checks;      // check list: the check mark of every item
    Format format = nullptr; // given by the kind's control class

    QString configValue(const IniSnapshot &patch, ConfigVariant variant) const
    {
        return format(*this, patch, variant);
    }
};
