#pragma once

#include "Registry.h"

#include <memory>

// The registry of the system we run on; where there is none, a registry file
// in the program folder stands in for it.
std::unique_ptr<Registry> makeSystemRegistry(const QString &programFolder);
