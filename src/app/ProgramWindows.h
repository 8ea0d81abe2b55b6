#pragma once

#include "app/ProgramFiles.h"
#include "platform/Platform.h"

#include <memory>

class TformAbout;
class TformMain;

// Owns every window of the program for as long as it runs, and brings them up
// in their fixed order behind the splash window.
class ProgramWindows final
{
public:
    ProgramWindows(ProgramFiles files, Platform platform);
    ~ProgramWindows();

    // The whole start, with its splash window. `commandTail` is the command
    // line after the program's name, taken as one path. Returns false when an
    // error ended the start; its message has been shown.
    bool start(const QString &commandTail);

    TformMain &formMain() { return *m_formMain; }
    TformAbout &formAbout() { return *m_formAbout; }

    // Size and place the main window from the stored placement.
    void placeMainWindow();

private:
    ProgramFiles m_files;
    Platform m_platform;
    std::unique_ptr<TformMain> m_formMain;
    TformAbout *m_formAbout = nullptr; // a dialog of the main window, deleted with it
};
