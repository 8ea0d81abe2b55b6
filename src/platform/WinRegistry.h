#pragma once

#include "Registry.h"

// The real registry, under HKEY_LOCAL_MACHINE.
class WinRegistry final : public Registry
{
public:
    std::unique_ptr<RegistryKey> openKey(const QString &path, bool create) override;
};
