#include "SystemRegistry.h"

#include "WinRegistry.h"

std::unique_ptr<Registry> makeSystemRegistry(const QString &, std::function<QString()>, EventWait &)
{
    return std::make_unique<WinRegistry>();
}
