#pragma once

#include "base/ProgramFiles.h"

#include <QObject>

class NumberSwitch;
class SwitchControl;

// The handlers of the rules that keep switch controls within what the
// database allows: the number rule on every change of a number switch, and
// the filters of typed characters of number, choice and text switches. Each
// control keeps the rules of its kind, reading the switch's section of
// patch.ini as they run.
class SwitchRules final : public QObject
{
    Q_OBJECT

public:
    explicit SwitchRules(ProgramFiles files, QObject *parent = nullptr);

    // Attaches the handlers of its kind to a control whose default is set.
    void attach(SwitchControl *control);

    // Runs the number rule on every change of a number switch's text.
    void TCSpinEditChange(NumberSwitch *control);

    // A value set by the program counts as a change even when the text stays
    // the same, so a number at its off value always ends up showing "off".
    void valueSet(SwitchControl *control);

protected:
    // TCSpinEditOnKeyPress, DropDownListOnKeyPress and TEditOnKeyPress.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ProgramFiles m_files;
};
