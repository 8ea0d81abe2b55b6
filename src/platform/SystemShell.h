#pragma once

#include "Shell.h"

// The desktop's way of opening things. On Windows the shell's "open" verb; on
// other systems addresses, documents and folders go to the desktop's default
// handler, native programs start directly, and .exe/.bat/.com files through
// wine when it is installed, in the Wine prefix of their folder (see
// WinePrefix.h); without wine they, like missing files, start nothing.
class SystemShell final : public Shell
{
public:
    ShellStart open(const QString &file, const QString &parameters, const QString &workingFolder) override;
};
