#include "ProgramWindows.h"
#include "base/SettingNames.h"

#include "TformMain.h"
#include "WindowPlacement.h"
#include "editors/TformLinks.h"
#include "editors/TformPrograms.h"
#include "editors/TformSwitches.h"
#include "editors/TformVersion.h"
#include "ini/IntegerText.h"
#include "ini/TIniFile.h"
#include "platform/Screen.h"
#include "tools/TformGrfManager.h"
#include "tools/TformMkdvtxt.h"
#include "update/TformAbout.h"
#include "update/TformUpdate.h"

#include <QCoreApplication>

ProgramWindows::ProgramWindows(ProgramFiles files, Platform platform)
    : m_files(std::move(files)), m_platform(platform)
{}

ProgramWindows::~ProgramWindows() = default;

TformMain &ProgramWindows::createMainWindow()
{
    m_formMain = std::make_unique<TformMain>(m_files, m_platform);
    // Ending after a start leaves the message loop without the window's closing steps.
    QObject::connect(m_formMain.get(), &TformMain::programEndRequested, qApp,
                     [] { QCoreApplication::exit(0); });
    return *m_formMain;
}

TformAbout &ProgramWindows::createAbout()
{
    m_formAbout = new TformAbout(m_files, m_platform, m_formMain.get());
    m_formMain->formAbout = m_formAbout;
    return *m_formAbout;
}

TformSwitches &ProgramWindows::createSwitchesEditor()
{
    m_formMain->formSwitches = new TformSwitches(m_files, m_platform, *m_formMain);
    return *m_formMain->formSwitches;
}

TformVersion &ProgramWindows::createVersionEditor()
{
    m_formMain->formVersion = new TformVersion(m_files, m_platform, *m_formMain);
    return *m_formMain->formVersion;
}

TformPrograms &ProgramWindows::createProgramsEditor()
{
    m_formMain->formPrograms = new TformPrograms(m_files, m_platform, *m_formMain);
    return *m_formMain->formPrograms;
}

TformLinks &ProgramWindows::createLinksEditor()
{
    m_formMain->formLinks = new TformLinks(m_files, m_platform, *m_formMain);
    return *m_formMain->formLinks;
}

TformUpdate &ProgramWindows::createUpdate()
{
    m_formUpdate = new TformUpdate(m_files, m_platform, m_formMain.get());
    m_formMain->setUpdateWindow(m_formUpdate);
    // Posted, so the update's handler ends before the message loop does.
    QObject::connect(
        m_formUpdate, &TformUpdate::programEndRequested, m_formUpdate, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    return *m_formUpdate;
}

// The tools are dialogs of the main window, deleted with it.
void ProgramWindows::createGrfManager()
{
    m_formMain->formGrfManager = new TformGrfManager(m_files, m_platform, m_formMain.get());
}

void ProgramWindows::createMkdvtxt()
{
    m_formMain->formMkdvtxt = new TformMkdvtxt(m_files, m_platform, m_formMain.get());
}

void ProgramWindows::discard()
{
    m_formUpdate = nullptr;
    m_formAbout = nullptr;
    m_formMain.reset();
}

void ProgramWindows::placeMainWindow()
{
    TformMain &main = *m_formMain;
    const IniSnapshot settings = TIniFile(m_files.settingsIni()).snapshot();
    const auto stored = [&settings](const char *key) {
        return parseInteger(settings.ReadString(kDvs, QString::fromLatin1(key), QString()));
    };
    StoredPlacement placement;
    placement.remembered = settings.ReadBool(kDvs, QStringLiteral("position"), true);
    placement.maximized = settings.ReadInteger(kDvs, QStringLiteral("maximize"), 0) == 1;
    placement.left = stored("left");
    placement.top = stored("top");
    placement.width = stored("width");
    placement.height = stored("height");
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
