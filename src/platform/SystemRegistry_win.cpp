#include "SystemRegistry.h"

#include "WinRegistry.h"

std::unique_ptr<Registry> makeSystemRegistry(const QString &, std::function<QString()>)
{
    return std::make_unique<WinRegistry>();
}
