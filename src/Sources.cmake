# The sources of the three targets, relative to src/. Read by src/CMakeLists.txt and by the
# Windows compile check in tests/, which needs the Windows lists on every host: a file listed
# here is built and checked, a file listed anywhere else is not.

# The program's logic without widgets: INI store, switch database rules,
# configuration text, platform services that need no window.
set(DVV_CORE_SOURCES
    app/CommandLine.cpp
    app/WindowPlacement.cpp
    base/ErrorReport.cpp
    base/ProgramFiles.cpp
    base/ProgramHome.cpp
    base/ProgramSettings.cpp
    config/ConfigReader.cpp
    config/ConfigWriter.cpp
    editors/LinkList.cpp
    editors/ShortcutList.cpp
    editors/SwitchDatabase.cpp
    editors/VersionList.cpp
    game/GameFolder.cpp
    game/RunFileKeeper.cpp
    ini/IniDocument.cpp
    ini/IniSnapshot.cpp
    ini/IntegerText.cpp
    ini/NumberedKeys.cpp
    ini/TIniFile.cpp
    platform/AtomicFile.cpp
    platform/Cp1252.cpp
    platform/EventWait.cpp
    platform/FileLock.cpp
    platform/HttpClient.cpp
    platform/Paths.cpp
    platform/RegistryErrors.cpp
    platform/Shell.cpp
    platform/ShellPlan.cpp
    platform/SocketHttpClient.cpp
    platform/TextFiles.cpp
    platform/TextLines.cpp
    platform/WineInstall.cpp
    platform/WinePrefix.cpp
    switches/Availability.cpp
    switches/CheckSum.cpp
    switches/ComponentNames.cpp
    switches/SwitchDefinition.cpp
    switches/SwitchKind.cpp
    switches/ValueRules.cpp
    tools/GrfFiles.cpp
    tools/LanguageTextFiles.cpp
    update/UpdateManifest.cpp
)
set(DVV_CORE_WIN_SOURCES
    platform/AtomicFile_win.cpp
    platform/FileLock_win.cpp
    platform/FileStamp_win.cpp
    platform/Paths_win.cpp
    platform/SystemRegistry_win.cpp
    platform/WinRegistry.cpp
)
set(DVV_CORE_POSIX_SOURCES
    platform/AtomicFile_posix.cpp
    platform/FileLock_posix.cpp
    platform/FileRegistry.cpp
    platform/FileStamp_posix.cpp
    platform/Paths_posix.cpp
    platform/RegistryExport.cpp
    platform/SystemRegistry_posix.cpp
    platform/WineRegistry.cpp
    platform/WineTool.cpp
)

# Every window and control.
set(DVV_GUI_SOURCES
    app/ProgramWindows.cpp
    app/StartUp.cpp
    app/TformMain.cpp
    app/TformMainMenus.cpp
    app/TformStart.cpp
    base/FormParts.cpp
    base/MenuItems.cpp
    config/ConfigCommands.cpp
    config/ConfigNotepad.cpp
    config/PanelValues.cpp
    editors/EditorCommands.cpp
    editors/TformLinks.cpp
    editors/TformPrograms.cpp
    editors/TformSwitches.cpp
    editors/TformVersion.cpp
    game/GameCommands.cpp
    game/GameLauncher.cpp
    game/GameRegistry.cpp
    platform/QtDialogs.cpp
    platform/SystemPlatform.cpp
    switches/SpinEdit.cpp
    switches/SwitchCommands.cpp
    switches/SwitchControls.cpp
    switches/SwitchFactory.cpp
    switches/SwitchLayout.cpp
    switches/SwitchPanel.cpp
    switches/SwitchPanelBuilder.cpp
    switches/SwitchRules.cpp
    tools/TformGrfManager.cpp
    tools/TformMkdvtxt.cpp
    tools/ToolCommands.cpp
    update/TformAbout.cpp
    update/TformUpdate.cpp
    update/UpdateCommands.cpp
)
set(DVV_GUI_WIN_SOURCES platform/SystemShell_win.cpp)
set(DVV_GUI_POSIX_SOURCES platform/SystemShell_posix.cpp)

set(DVV_APP_SOURCES app/main.cpp)
set(DVV_APP_WIN_SOURCES)
set(DVV_APP_POSIX_SOURCES)
