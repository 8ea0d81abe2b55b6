#pragma once

#include <QString>

class ProgramWindows;

// The program's whole start behind the splash window: every window created in
// its fixed order, the main window configured, the start counted and the start
// file loaded. `commandTail` is the command line after the program's name,
// taken as one path. Returns false when an error ended the start; its message
// has been shown and no window is left.
bool runStartUp(ProgramWindows &windows, const QString &commandTail);
