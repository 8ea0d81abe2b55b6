#include "SystemRegistry.h"

#include "FileRegistry.h"
#include "Paths.h"
#include "WinePrefix.h"
#include "WineRegistry.h"

std::unique_ptr<Registry> makeSystemRegistry(const QString &programFolder,
                                             std::function<QString()> gameFolder, EventWait &wait)
{
    auto file =
        std::make_unique<FileRegistry>(Paths::withTail(programFolder, QStringLiteral("\\registry.reg")));
    if (!gameFolder)
        return file;
    return std::make_unique<GameRegistry>(
        std::move(file), std::move(gameFolder),
        [](const QString &folder) { return WinePrefix::find(folder); }, wait);
}
