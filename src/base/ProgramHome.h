#pragma once

#include "ProgramFiles.h"

#include <optional>

class MessageBoxes;

// The folders among which the start chooses the home of the program's files.
struct ProgramPlaces
{
    // The executable's own folder.
    QString programFolder;
    // The Data folder that an installation ships, read only.
    QString installedData;
    // The user's own folder for the program's files.
    QString userFolder;
};

// Decides once, at start, where the program's files live. A program folder
// that holds Data and takes new files is portable: every file stays beside the
// executable. Otherwise the program is installed: its files live in the
// user's folder, which the first start makes and gives a copy of the shipped
// Data, so that the editors and the update change the user's own copy; a
// later start copies only the shipped files that copy lacks.
// Returns nothing, after an error box saying why, when the user's folder
// cannot be made, written or given its Data (an installation without its
// Data included): the program does not start.
std::optional<ProgramFiles> openProgramHome(const ProgramPlaces &places, MessageBoxes &messages);
