#pragma once

#include "BenchPlatform.h"

// Prints registry_startup_read_ms for the registry file and for a Wine prefix
// through the scripted wine stand-in; with `realWine`, and Wine installed,
// also what one real "wine reg" call costs in a new prefix.
void printRegistryFigures(BenchPlatform &platform, bool realWine);
