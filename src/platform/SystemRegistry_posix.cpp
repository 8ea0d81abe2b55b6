#include "SystemRegistry.h"

#include "FileRegistry.h"
#include "Paths.h"

std::unique_ptr<Registry> makeSystemRegistry(const QString &programFolder)
{
    return std::make_unique<FileRegistry>(Paths::withTail(programFolder, QStringLiteral("\\registry.reg")));
}
