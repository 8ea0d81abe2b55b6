#pragma once

#include "Registry.h"

#include <functional>
#include <memory>

class EventWait;

// The registry of the system we run on. Where there is none, the game's
// settings go to the registry of its Wine prefix (found from `gameFolder`,
// asked at every opening) when Wine is installed, and otherwise to a registry
// file in the program folder.
// `wait` keeps the program's events flowing while Wine answers.
std::unique_ptr<Registry> makeSystemRegistry(const QString &programFolder,
                                             std::function<QString()> gameFolder, EventWait &wait);
