#include "ProgramWindows.h"
#include "app/SettingNames.h"

#include "app/TIniFile.h"
#include "app/TformMain.h"
#include "platform/Screen.h"
#include "update/TformAbout.h"

#include <QCoreApplication>
#include <QRect>

#include <algorithm>
#include <optional>

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

void ProgramWindows::discard()
{
    m_formAbout = nullptr;
    m_formMain.reset();
}

void ProgramWindows::placeMainWindow()
{
    TformMain &main = *m_formMain;
    const TIniFile settings(m_files.settingsIni());
    const QSize screen = m_platform.screen.size();
    const int defaultWidth = screen.width() < 800 ? 640 : 800;
    const int defaultHeight = screen.height() < 600 ? 480 : 600;

    const bool remembered = settings.ReadBool(kDvs, QStringLiteral("position"), true);
    if (remembered && settings.ReadInteger(kDvs, QStringLiteral("maximize"), 0) == 1) {
        main.setWindowState(main.windowState() | Qt::WindowMaximized);
        return;
    }
    const auto centred = [&](QSize window) {
        return QPoint(screen.width() / 2 - window.width() / 2, screen.height() / 2 - window.height() / 2);
    };
    QSize size(std::max(640, settings.ReadInteger(kDvs, QStringLiteral("width"), defaultWidth)),
               std::max(480, settings.ReadInteger(kDvs, QStringLiteral("height"), defaultHeight)));
    std::optional<QPoint> at;
    QRect home(QPoint(0, 0), screen);
    if (remembered) {
        const QPoint middle = centred(size);
        const QPoint stored(settings.ReadInteger(kDvs, QStringLiteral("left"), middle.x()),
                            settings.ReadInteger(kDvs, QStringLiteral("top"), middle.y()));
        // A window left on a screen that is gone comes back to the middle of the main one.
        for (const QRect &place : m_platform.screen.screens()) {
            if (place.intersects(QRect(stored, size))) {
                home = place;
                at = stored;
                break;
            }
        }
    }
    // A stored size from a larger screen, or a damaged one, still gives a
    // window that fits its screen.
    size = size.boundedTo(home.size()).expandedTo(QSize(640, 480));
    main.resize(size);
    main.move(at.value_or(centred(size)));
}
