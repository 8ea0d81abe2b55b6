#include "ProgramWindows.h"

#include "TformMain.h"
#include "WindowPlacement.h"
#include "base/ProgramSettings.h"
#include "config/ConfigCommands.h"
#include "editors/EditorCommands.h"
#include "game/GameCommands.h"
#include "platform/Screen.h"
#include "switches/SwitchCommands.h"
#include "tools/ToolCommands.h"
#include "update/UpdateCommands.h"

#include <QCoreApplication>

ProgramWindows::ProgramWindows(ProgramFiles files, Platform platform)
    : m_files(std::move(files)), m_platform(platform)
{}

ProgramWindows::~ProgramWindows() = default;

TformMain &ProgramWindows::createMainWindow()
{
    m_formMain = std::make_unique<TformMain>(m_files, m_platform);
    TformMain &main = *m_formMain;
    // Ending after a start leaves the message loop without the window's closing steps.
    QObject::connect(&main, &TformMain::programEndRequested, qApp, [] { QCoreApplication::exit(0); });
    m_switches = new SwitchCommands(m_files, m_platform, main, main.switchesPage());
    m_config = new ConfigCommands(m_files, m_platform, main, *m_switches);
    m_game = new GameCommands(m_files, m_platform, main, *m_config);
    m_editors = new EditorCommands(m_files, m_platform, main, *m_switches, *m_config);
    m_tools = new ToolCommands(m_files, m_platform, main);
    m_update = new UpdateCommands(m_files, m_platform, main);
    // Posted, so the update's handler ends before the message loop does.
    QObject::connect(
        m_update, &UpdateCommands::programEndRequested, m_update, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    main.placeCommands({*m_switches, *m_config, *m_game, *m_editors, *m_tools, *m_update});
    return main;
}

TformAbout &ProgramWindows::createAbout()
{
    return m_update->createAbout();
}

void ProgramWindows::createSwitchesEditor()
{
    m_editors->createSwitchesEditor();
}

void ProgramWindows::createVersionEditor()
{
    m_editors->createVersionEditor();
}

void ProgramWindows::createProgramsEditor()
{
    m_editors->createProgramsEditor();
}

void ProgramWindows::createLinksEditor()
{
    m_editors->createLinksEditor();
}

TformUpdate &ProgramWindows::createUpdate()
{
    return m_update->createUpdate();
}

void ProgramWindows::createGrfManager()
{
    m_tools->createGrfManager();
}

void ProgramWindows::createMkdvtxt()
{
    m_tools->createMkdvtxt();
}

void ProgramWindows::discard()
{
    m_switches = nullptr;
    m_config = nullptr;
    m_game = nullptr;
    m_editors = nullptr;
    m_tools = nullptr;
    m_update = nullptr;
    m_formMain.reset();
}

void ProgramWindows::placeMainWindow()
{
    TformMain &main = *m_formMain;
    const ProgramSettings settings(m_files.settingsIni());
    StoredPlacement placement;
    placement.remembered = settings.rememberPosition();
    placement.maximized = settings.maximizedAtStart();
    placement.left = settings.left();
    placement.top = settings.top();
    placement.width = settings.width();
    placement.height = settings.height();
    // The system tells how large a window's frame is only once the window is
    // shown; till then a title bar as high as desktops commonly draw it stands in.
    const WindowPlacement placed =
        mainWindowPlacement(placement, m_platform.screen.screens(), QMargins(0, 30, 0, 0));
    if (placed.maximized) {
        main.setWindowState(main.windowState() | Qt::WindowMaximized);
        return;
    }
    main.resize(placed.geometry.size());
    main.move(placed.geometry.topLeft());
}

void ProgramWindows::prepareMainWindow()
{
    TformMain &main = *m_formMain;
    main.ensurePolished();
    main.winId();
}
