#pragma once

// The start measured in a process of its own: from the start of the entry
// point's work to the end of the main window's first paint, and the process's
// peak resident memory.

// Runs one measured start when the arguments ask for one, prints its figures
// for the parent and returns true; otherwise returns false.
bool runStartupChild(int argc, char *argv[]);

// Starts the children (a bare main window, the program on a generated
// 1,000-switch database, the program on a 50 MB database) and prints the figures.
void printStartupFigures(const char *benchExecutable);

// The same start on a Windows edition in a real Wine prefix, with Wine on the
// PATH (its server stopped before each start) and without: how much later the
// window appears, and how long the start waits for the game's settings.
void printWineStartupFigures(const char *benchExecutable);
