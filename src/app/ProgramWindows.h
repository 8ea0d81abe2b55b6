#pragma once

#include "base/ProgramFiles.h"
#include "platform/Platform.h"

#include <memory>

class ConfigCommands;
class EditorCommands;
class GameCommands;
class SwitchCommands;
class TformAbout;
class TformMain;
class TformUpdate;
class ToolCommands;
class UpdateCommands;

// Owns every window of the program, and the commands of each subsystem, for
// as long as it runs. The start-up sequence asks it for each window in turn.
class ProgramWindows final
{
public:
    ProgramWindows(ProgramFiles files, Platform platform);
    ~ProgramWindows();

    const ProgramFiles &files() const { return m_files; }
    Platform &platform() { return m_platform; }

    // The main window with every subsystem's commands in its menus.
    TformMain &createMainWindow();
    TformAbout &createAbout();
    void createSwitchesEditor();
    void createVersionEditor();
    void createProgramsEditor();
    void createLinksEditor();
    TformUpdate &createUpdate();
    void createGrfManager();
    void createMkdvtxt();
    // A start that failed leaves no window behind.
    void discard();

    TformMain &formMain() { return *m_formMain; }
    SwitchCommands &switches() { return *m_switches; }
    ConfigCommands &config() { return *m_config; }
    GameCommands &game() { return *m_game; }
    EditorCommands &editors() { return *m_editors; }
    ToolCommands &tools() { return *m_tools; }
    UpdateCommands &update() { return *m_update; }

    // Size and place the main window from the stored placement.
    void placeMainWindow();
    // Readies the hidden main window so that showing it only has to paint it.
    void prepareMainWindow();

private:
    ProgramFiles m_files;
    Platform m_platform;
    std::unique_ptr<TformMain> m_formMain;
    // Children of the main window, deleted with it.
    SwitchCommands *m_switches = nullptr;
    ConfigCommands *m_config = nullptr;
    GameCommands *m_game = nullptr;
    EditorCommands *m_editors = nullptr;
    ToolCommands *m_tools = nullptr;
    UpdateCommands *m_update = nullptr;
};
