#pragma once

#include "app/ProgramFiles.h"
#include "platform/Platform.h"

#include <memory>

class TformMain;

// Owns every window of the program for as long as it runs, and brings the main
// window up with the stored settings.
class ProgramWindows final
{
public:
    ProgramWindows(ProgramFiles files, Platform platform);
    ~ProgramWindows();

    // Configures the main window from settings.ini and the data files. Returns
    // false when an error ended the start; its message has been shown.
    bool start();

    TformMain &formMain() { return *m_formMain; }

private:
    void placeMainWindow();

    ProgramFiles m_files;
    Platform m_platform;
    std::unique_ptr<TformMain> m_formMain;
};
