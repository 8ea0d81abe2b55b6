#pragma once

#include <QString>

// The two sections of settings.ini: the program's own settings, and the facts
// about the game installation.
inline const QString kDvs = QStringLiteral("dvs");
inline const QString kZvt = QStringLiteral("zvt");
