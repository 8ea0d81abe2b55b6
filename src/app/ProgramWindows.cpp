#include "ProgramWindows.h"

#include "app/ProgramInfo.h"
#include "app/TIniFile.h"
#include "app/TformMain.h"
#include "app/TformStart.h"
#include "platform/Clock.h"
#include "platform/DvsError.h"
#include "platform/MessageBoxes.h"
#include "platform/Screen.h"
#include "update/TformAbout.h"

#include <QCoreApplication>
#include <QRect>

#include <algorithm>

ProgramWindows::ProgramWindows(ProgramFiles files, Platform platform)
    : m_files(std::move(files)), m_platform(platform)
{}

ProgramWindows::~ProgramWindows() = default;

bool ProgramWindows::start(const QString &commandTail)
{
    std::unique_ptr<TformStart> splash;
    // One guard around the whole start: an error shows its message and the
    // program ends before its main window appears.
    try {
        splash = std::make_unique<TformStart>(m_files, m_platform, *this);
        splash->show();
        splash->repaint();
        splash->BeforeInitialize(commandTail);
        QCoreApplication::setApplicationName(ProgramInfo::Title);
        splash->AfterInitialize();

        splash->BeforeFormMain();
        m_formMain = std::make_unique<TformMain>(m_files, m_platform);
        // Ending after a start leaves the message loop without the window's closing steps.
        QObject::connect(m_formMain.get(), &TformMain::programEndRequested, qApp,
                         [] { QCoreApplication::exit(0); });
        splash->AfterFormMain();

        splash->BeforeFormAbout();
        m_formAbout = new TformAbout(m_files, m_platform, m_formMain.get());
        m_formMain->formAbout = m_formAbout;
        splash->AfterFormAbout();

        splash->BeforeFormSwitches();
        splash->AfterFormSwitches();
        splash->BeforeFormVersion();
        splash->AfterFormVersion();
        splash->BeforeFormGrfManager();
        splash->AfterFormGrfManager();
        splash->BeforeFormMkdvtxt();
        splash->AfterFormMkdvtxt();
        splash->BeforeFormPrograms();
        splash->AfterFormPrograms();
        splash->BeforeFormLinks();
        splash->AfterFormLinks();
        splash->BeforeFormUpdate();
        splash->AfterFormUpdate();

        splash->Ending();
        splash->repaint();
        m_platform.clock.sleep(1000);
        return true;
    } catch (const DvsError &error) {
        m_platform.messages.show(MsgType::Error, error.message(), MsgButtons::Ok);
    } catch (const std::exception &error) {
        m_platform.messages.show(MsgType::Error, QString::fromLocal8Bit(error.what()), MsgButtons::Ok);
    }
    m_formAbout = nullptr;
    m_formMain.reset();
    return false;
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
