#include "ProgramWindows.h"

#include "app/ErrorReport.h"
#include "app/TIniFile.h"
#include "app/TformMain.h"
#include "platform/Screen.h"

#include <QCoreApplication>
#include <QRect>

#include <algorithm>

ProgramWindows::ProgramWindows(ProgramFiles files, Platform platform)
    : m_files(std::move(files)), m_platform(platform)
{}

ProgramWindows::~ProgramWindows() = default;

bool ProgramWindows::start()
{
    bool started = false;
    runReported(m_platform.messages, [this, &started] {
        m_formMain = std::make_unique<TformMain>(m_files, m_platform);
        // Ending after a start leaves the message loop without the window's closing steps.
        QObject::connect(m_formMain.get(), &TformMain::programEndRequested, qApp,
                         [] { QCoreApplication::exit(0); });
        TformMain &main = *m_formMain;
        main.ApplyGameMenuRule();
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
    // A stored size from a larger screen, or a damaged one, still gives a
    // window that fits the screen and can be used.
    const int width = std::clamp(settings.ReadInteger(dvs, QStringLiteral("width"), defaultWidth), 640,
                                 std::max(640, screen.width()));
    const int height = std::clamp(settings.ReadInteger(dvs, QStringLiteral("height"), defaultHeight), 480,
                                  std::max(480, screen.height()));
    main.resize(width, height);
    const int centredLeft = screen.width() / 2 - main.width() / 2;
    const int centredTop = screen.height() / 2 - main.height() / 2;
    QPoint at(centredLeft, centredTop);
    if (remembered) {
        at = QPoint(settings.ReadInteger(dvs, QStringLiteral("left"), centredLeft),
                    settings.ReadInteger(dvs, QStringLiteral("top"), centredTop));
        // A window left on a screen that is gone comes back to the middle.
        if (!QRect(at, main.size()).intersects(QRect(QPoint(0, 0), screen)))
            at = QPoint(centredLeft, centredTop);
    }
    main.move(at);
}
