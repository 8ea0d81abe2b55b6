#include "SwitchKind.h"

std::optional<SwitchKind> switchKindFromComponent(int component)
{
    if (component < 1 || component > 5)
        return std::nullopt;
    return static_cast<SwitchKind>(component);
}
