#include "StartUp.h"

#include "ProgramWindows.h"
#include "TformStart.h"
#include "base/ProgramInfo.h"
#include "platform/DvsError.h"
#include "platform/MessageBoxes.h"
#include "update/TformUpdate.h"

#include <QCoreApplication>

#include <memory>

bool runStartUp(ProgramWindows &windows, const QString &commandTail)
{
    Platform &platform = windows.platform();
    std::unique_ptr<TformStart> splash;
    // One guard around the whole start: an error shows its message and the
    // program ends before its main window appears.
    try {
        splash = std::make_unique<TformStart>(windows.files(), platform, windows);
        splash->show();
        splash->repaint();
        splash->BeforeInitialize(commandTail);
        QCoreApplication::setApplicationName(ProgramInfo::Title);
        splash->AfterInitialize();

        splash->BeforeFormMain();
        windows.createMainWindow();
        splash->AfterFormMain();

        splash->BeforeFormAbout();
        windows.createAbout();
        splash->AfterFormAbout();

        splash->BeforeFormSwitches();
        windows.createSwitchesEditor();
        splash->AfterFormSwitches();
        splash->BeforeFormVersion();
        windows.createVersionEditor();
        splash->AfterFormVersion();
        splash->BeforeFormGrfManager();
        windows.createGrfManager();
        splash->AfterFormGrfManager();
        splash->BeforeFormMkdvtxt();
        windows.createMkdvtxt();
        splash->AfterFormMkdvtxt();
        splash->BeforeFormPrograms();
        windows.createProgramsEditor();
        splash->AfterFormPrograms();
        splash->BeforeFormLinks();
        windows.createLinksEditor();
        splash->AfterFormLinks();
        splash->BeforeFormUpdate();
        windows.createUpdate().EXEVersion(ProgramInfo::VersionNumber.toInt());
        splash->AfterFormUpdate();

        splash->Ending();
        return true;
    } catch (const DvsError &error) {
        platform.messages.show(MsgType::Error, error.message(), MsgButtons::Ok);
    } catch (const std::exception &error) {
        platform.messages.show(MsgType::Error, QString::fromLocal8Bit(error.what()), MsgButtons::Ok);
    }
    windows.discard();
    return false;
}
