#pragma once

#include "base/ProgramFiles.h"
#include "platform/Platform.h"

#include <memory>

class TformAbout;
class TformMain;
class TformLinks;
class TformPrograms;
class TformSwitches;
class TformVersion;
class TformUpdate;

// Owns every window of the program for as long as it runs. The start-up
// sequence asks it for each window in turn.
class ProgramWindows final
{
public:
    ProgramWindows(ProgramFiles files, Platform platform);
    ~ProgramWindows();

    const ProgramFiles &files() const { return m_files; }
    Platform &platform() { return m_platform; }

    TformMain &createMainWindow();
    TformAbout &createAbout();
    TformSwitches &createSwitchesEditor();
    TformVersion &createVersionEditor();
    TformPrograms &createProgramsEditor();
    TformLinks &createLinksEditor();
    TformUpdate &createUpdate();
    void createGrfManager();
    void createMkdvtxt();
    // A start that failed leaves no window behind.
    void discard();

    TformMain &formMain() { return *m_formMain; }
    TformAbout &formAbout() { return *m_formAbout; }
    TformUpdate &formUpdate() { return *m_formUpdate; }

    // Size and place the main window from the stored placement.
    void placeMainWindow();
    // Readies the hidden main window so that showing it only has to paint it.
    void prepareMainWindow();

private:
    ProgramFiles m_files;
    Platform m_platform;
    std::unique_ptr<TformMain> m_formMain;
    // Dialogs of the main window, deleted with it.
    TformAbout *m_formAbout = nullptr;
    TformUpdate *m_formUpdate = nullptr;
};
