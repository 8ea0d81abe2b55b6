#include "ProgramWindows.h"

#include "app/ErrorReport.h"
#include "app/TIniFile.h"
#include "app/TformMain.h"
#include "platform/Screen.h"

ProgramWindows::ProgramWindows(ProgramFiles files, Platform platform)
    : m_files(std::move(files)), m_platform(platform)
{}

ProgramWindows::~ProgramWindows() = default;

bool ProgramWindows::start()
{
    bool started = false;
    runReported(m_platform.messages, [this, &started] {
        m_formMain = std::make_unique<TformMain>(m_files, m_platform);
        TformMain &main = *m_formMain;
        main.ApplyProgramSettings();
        main.SetDravopaxVersion();

        const TIniFile settings(m_files.settingsIni());
        if (settings.ValueExists(QStringLiteral("dvs"), QStringLiteral("version"))) {
            main.setVersionNotSet(false);
            main.CreateSwitches();
        } else {
            main.setWindowTitle(QStringLiteral("Dravopax Vevavav - version not set"));
            main.setVersionNotSet(true);
        }
        placeMainWindow();
        started = true;
    });
    return started;
}

void ProgramWindows::placeMainWindow()
{
    TformMain &main = *m_formMain;
    const TIniFile settings(m_files.settingsIni());
    const QSize screen = m_platform.screen.size();
    const int defaultWidth = screen.width() < 800 ? 640 : 800;
    const int defaultHeight = screen.height() < 600 ? 480 : 600;
    const QString dvs = QStringLiteral("dvs");

    const bool remembered = settings.ReadBool(dvs, QStringLiteral("position"), true);
    if (remembered && settings.ReadInteger(dvs, QStringLiteral("maximize"), 0) == 1) {
        main.setWindowState(main.windowState() | Qt::WindowMaximized);
        return;
    }
    const int width = settings.ReadInteger(dvs, QStringLiteral("width"), defaultWidth);
    const int height = settings.ReadInteger(dvs, QStringLiteral("height"), defaultHeight);
    main.resize(width, height);
    const int centredLeft = screen.width() / 2 - main.width() / 2;
    const int centredTop = screen.height() / 2 - main.height() / 2;
    if (remembered)
        main.move(settings.ReadInteger(dvs, QStringLiteral("left"), centredLeft),
                  settings.ReadInteger(dvs, QStringLiteral("top"), centredTop));
    else
        main.move(centredLeft, centredTop);
}
