#pragma once

#include <optional>

// The five kinds of switch, numbered as the database's "component" key.
enum class SwitchKind
{
    Number = 1,
    OnOff = 2,
    Choice = 3,
    Text = 4,
    Set = 5
};

std::optional<SwitchKind> switchKindFromComponent(int component);
