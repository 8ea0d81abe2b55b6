#include "app/ProgramFiles.h"
#include "app/ProgramWindows.h"
#include "app/TformMain.h"
#include "platform/SystemPlatform.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dravopax Vevavav"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icon32.png")));

    const ProgramFiles files(QCoreApplication::applicationDirPath());
    SystemPlatform system(files.folder());
    ProgramWindows windows(files, system.platform());
    if (!windows.start())
        return 0;
    windows.formMain().show();
    return QApplication::exec();
}
