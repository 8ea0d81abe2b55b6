#pragma once

#include "BenchPlatform.h"

#include <QStringList>

// Prints registry_startup_read_ms for the registry file and for a Wine prefix
// through the scripted wine stand-in; with `realWine`, and Wine installed,
// also what one real "wine reg" call costs in a new prefix.
void printRegistryFigures(BenchPlatform &platform, bool realWine);

// Runs a Wine program in `prefix`, quiet and without add-on offers, and waits for it.
void runInPrefix(const QString &prefix, const QString &program, const QStringList &arguments);
