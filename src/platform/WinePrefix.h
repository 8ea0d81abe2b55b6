#pragma once

#include <QString>

#include <optional>

// The Wine prefix a Windows program in a folder runs in: the nearest folder
// at or above it that holds a registry ("system.reg") and a drive C
// ("drive_c"); else the prefix named by $WINEPREFIX when it exists (none
// when it does not); else ~/.wine when it exists. The game, its patch and
// its registry settings all use this one.
namespace WinePrefix {

// `environmentPrefix` and `home` stand for $WINEPREFIX and the home folder.
std::optional<QString> find(const QString &folder, const QString &environmentPrefix, const QString &home);
// The same, with this process's environment and home folder.
std::optional<QString> find(const QString &folder);

} // namespace WinePrefix
