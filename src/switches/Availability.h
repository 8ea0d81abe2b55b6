#pragma once

#include <QString>

class IniSnapshot;

// How many versions version.ini lists: its "number" (1 when absent), never
// below 0 and, however damaged the file, no further than the last version
// whose keys are present nor more than a menu can hold.
constexpr int MaxVersions = 500;
int versionCount(const IniSnapshot &versions);

// The selected patch version's number from its stored form "ver" + number; a
// stored text that holds no number gives 0.
int selectedVersionNumber(const QString &storedVersion);

// Whether a switch exists in patch version `current`: introduced no later than
// it and not yet obsolete. Short names that version.ini does not know count as
// version 0, so an unknown "version" is always met and an unknown "obsolete"
// never is.
bool isSwitchAvailable(const IniSnapshot &patch, const IniSnapshot &versions, const QString &switchName,
                       int current);
