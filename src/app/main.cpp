#include "ProgramWindows.h"
#include "StartUp.h"
#include "TformMain.h"
#include "base/ProgramFiles.h"
#include "base/ProgramSettings.h"
#include "platform/SystemPlatform.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dravopax Vevavav"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icon32.png")));

    const ProgramFiles files(QCoreApplication::applicationDirPath());
    SystemPlatform system(
        files.folder(),
        [&files] {
            // Without a stored folder there is no game to look for a Wine prefix by.
            const ProgramSettings settings(files.settingsIni());
            return settings.gameDirectoryStored() ? settings.gameDirectory() : QString();
        },
        [&files] { return ProgramSettings(files.settingsIni()).dosboxProgram(); });
    ProgramWindows windows(files, system.platform());
    // The command line after the program's name is one path, its words joined by single blanks.
    if (!runStartUp(windows, QCoreApplication::arguments().mid(1).join(QLatin1Char(' '))))
        return 0;
    windows.formMain().show();
    return QApplication::exec();
}
