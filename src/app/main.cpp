#include "CommandLine.h"
#include "ProgramWindows.h"
#include "StartUp.h"
#include "TformMain.h"
#include "app/Installation.h"
#include "base/ProgramHome.h"
#include "base/ProgramInfo.h"
#include "base/ProgramSettings.h"
#include "platform/Paths.h"
#include "platform/QtDialogs.h"
#include "platform/SystemPlatform.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstdio>
#include <optional>

namespace {

// Answers what the command line asks for other than a start: printed, with the exit code.
std::optional<int> answer(const CommandLine &command)
{
    switch (command.request) {
    case CommandLine::Request::Start:
        return std::nullopt;
    case CommandLine::Request::Help:
        std::fputs(CommandLine::helpText().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Request::Version:
        std::fputs(CommandLine::versionText().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Request::UnknownOption:
        break;
    }
    std::fputs(command.unknownOptionLine().toLocal8Bit().constData(), stderr);
    return 2;
}

ProgramPlaces places()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder, QDir::cleanPath(programFolder + u'/' + Installation::DataFromProgram),
            Paths::userDataHome() + u'/' + Installation::PackageName};
}

} // namespace

int main(int argc, char *argv[])
{
    // Help and version need no window, nor a screen to show one on.
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    if (const std::optional<int> code =
            answer(CommandLine::read(words, CommandLine::ToolkitOptions::Pending)))
        return *code;

    QApplication application(argc, argv);
    const CommandLine command =
        CommandLine::read(QCoreApplication::arguments().mid(1), CommandLine::ToolkitOptions::Taken);
    if (const std::optional<int> code = answer(command))
        return *code;
    QApplication::setApplicationName(ProgramInfo::Title);
    // Lets the desktop match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(Installation::AppId);
    QIcon icon;
    for (const int size : {32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/images/icon%1.png").arg(size));
    QApplication::setWindowIcon(icon);

    QtMessageBoxes homeMessages;
    const std::optional<ProgramFiles> home = openProgramHome(places(), homeMessages);
    if (!home)
        return 1;
    const ProgramFiles &files = *home;
    SystemPlatform system(
        files.folder(),
        [&files] {
            // Without a stored folder there is no game to look for a Wine prefix by.
            const ProgramSettings settings(files.settingsIni());
            return settings.gameDirectoryStored() ? settings.gameDirectory() : QString();
        },
        [&files] { return ProgramSettings(files.settingsIni()).dosboxProgram(); });
    ProgramWindows windows(files, system.platform());
    if (!runStartUp(windows, command.startFile))
        return 0;
    windows.formMain().show();
    return QApplication::exec();
}
