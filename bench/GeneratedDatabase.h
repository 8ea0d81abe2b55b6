#pragma once

#include "base/ProgramFiles.h"

#include <QString>

// A switch database of `switches` switches of every kind, with the keys a real
// database carries (caption, hint, place, version, limits, items), laid out in
// three columns, and a version list of five versions.
QString generatedPatchIni(int switches);
QString generatedVersionIni();

// A switch database of about `bytes` bytes as a large one is made: the
// 1,000 switches above followed by five drop-down switches whose item lists
// (every entry of a long game table) fill the rest.
QByteArray generatedLargePatchIni(qsizetype bytes);

// Makes `folder` a program folder holding a generated database of `switches`
// switches, the version list and settings that choose version `version`.
ProgramFiles writeGeneratedProgram(const QString &folder, int switches, int version);
