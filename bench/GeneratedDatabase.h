#pragma once

#include <QString>

// A switch database of `switches` switches of every kind, with the keys a real
// database carries (caption, hint, place, version, limits, items), laid out in
// three columns, and a version list of five versions.
QString generatedPatchIni(int switches);
QString generatedVersionIni();
