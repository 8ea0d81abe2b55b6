#pragma once

#include "SwitchControls.h"
#include "SwitchDefinition.h"

#include <optional>

// What the panel does with a switch of one kind, taken from the static members
// of the kind's control class (see SwitchControl): also for a switch whose
// control is not made yet.
struct SwitchType
{
    bool hasLabel;
    void (*readKeys)(SwitchDefinition &d, const IniSnapshot &patch);
    QRect (*area)(const SwitchDefinition &d, SwitchAreaEstimate &estimate);
    SwitchState (*defaultState)(const SwitchDefinition &d, bool enabled);
    MadeSwitch (*make)(QWidget *surface, const SwitchDefinition &d);
};

// The control class of a kind; the one place that chooses by the kind.
const SwitchType &switchType(SwitchKind kind);

// The switch of `section` with every key of its kind, or nothing when its
// "component" is not 1-5.
std::optional<SwitchDefinition> readSwitch(const IniSnapshot &patch, const QString &section);

// Makes the control of a switch, named after it and bearing its hint, and its
// caption label.
MadeSwitch makeSwitch(QWidget *surface, const SwitchDefinition &d);
