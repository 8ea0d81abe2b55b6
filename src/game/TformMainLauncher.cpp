#include "app/TformMain.h"
#include "base/SettingNames.h"

#include "GameFolder.h"
#include "RunFileKeeper.h"
#include "ini/TIniFile.h"
#include "platform/DvsError.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"
#include "platform/TextFiles.h"

#include <QFileInfo>

namespace {

const QString kRunParameters = QStringLiteral(" -C dvsdebug.cfg");

} // namespace

void TformMain::itemRunClick()
{
    switch (TIniFile(m_files.settingsIni()).ReadInteger(kDvs, QStringLiteral("run"), 0)) {
    case 0:
        mniFileRunDVCfgClick();
        break;
    case 1:
        mniFileRunDVFileClick();
        break;
    case 2:
        mniFileRunDVCurrentClick();
        break;
    case 3:
        mniFileRunZVTClick();
        break;
    case 4:
        mniFileRunDVexebatClick();
        break;
    default:
        break;
    }
}

// Whether a game directory is stored; if not, the user is told with `missing`.
bool TformMain::gameDirectoryFor(const QString &missing)
{
    if (gameDirectoryStored())
        return true;
    m_platform.messages.show(MsgType::Error, missing, MsgButtons::Ok);
    return false;
}

void TformMain::afterRun()
{
    if (TIniFile(m_files.settingsIni()).ReadBool(kDvs, QStringLiteral("afterruntt"), false)) {
        m_runFiles->abandon();
        emit programEndRequested();
    } else {
        // Restoring brings back a maximized window maximized, and closing then stores it so.
        setWindowState(windowState() | Qt::WindowMinimized);
    }
}

// Starts the patch that matches the game kind, if the kind has one. A run file
// is kept until the patch started with it has ended.
void TformMain::startPatch(const QString &parameters, const QString &runFile)
{
    const QString directory = gameDirectory();
    const GameFolder folder(directory);
    const std::optional<QString> patch = GameFolder::patchExecutable(
        TIniFile(m_files.settingsIni()).ReadString(kZvt, QStringLiteral("version"), QStringLiteral("0")));
    if (!patch) {
        if (!runFile.isEmpty())
            m_runFiles->release(runFile);
        return;
    }
    ShellStart started =
        m_platform.shell.open(folder.find(*patch).value_or(folder.file(*patch)), parameters, directory);
    if (!runFile.isEmpty())
        m_runFiles->keep(runFile, std::move(started));
}

void TformMain::mniFileRunDVCfgClick()
{
    if (!gameDirectoryFor(QStringLiteral("You not set ZVT directory.\nDravopax Vevavav can't continue.")))
        return;
    if (!GameFolder(gameDirectory()).has(QStringLiteral("dravopax.cfg")) &&
        m_platform.messages.show(
            MsgType::Error,
            QStringLiteral("File \"dravopax.cfg\" not exists.\nDravopax will automatically create "
                           "it.\nDo you want continue?"),
            MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    startPatch(QString(), QString());
    afterRun();
}

void TformMain::mniFileRunDVFileClick()
{
    if (!gameDirectoryFor(QStringLiteral("You not set ZVT directory.\nDravopax Vevavav can't continue.")))
        return;
    dlgLoad.folder = lastDir();
    const std::optional<QString> chosen = m_platform.fileDialogs.open(dlgLoad);
    if (!chosen)
        return;
    dlgLoad.fileName = *chosen;
    const std::optional<QStringList> lines =
        QFileInfo(*chosen).isFile() ? TextFiles::readLines(*chosen) : std::nullopt;
    if (!lines) {
        m_platform.messages.show(MsgType::Error, fileNotFoundMessage(*chosen), MsgButtons::Ok);
        return;
    }
    writeLastDir(*chosen);
    const QString runFile = GameFolder(gameDirectory()).file(QStringLiteral("dvsdebug.cfg"));
    if (!TextFiles::writeLines(runFile, *lines))
        throw DvsError(QStringLiteral("Unable to write to %1").arg(runFile));
    startPatch(kRunParameters, runFile);
    afterRun();
}

void TformMain::mniFileRunDVCurrentClick()
{
    if (!gameDirectoryFor(QStringLiteral("You do not set ZVT directory.\nDravopax Vevavav can't continue.")))
        return;
    const QString runFile = GameFolder(gameDirectory()).file(QStringLiteral("dvsdebug.cfg"));
    WriteRunCFG(runFile);
    if (!QFileInfo::exists(runFile))
        return;
    startPatch(kRunParameters, runFile);
    afterRun();
}

void TformMain::mniFileRunZVTClick()
{
    const QString directory = gameDirectory();
    const GameFolder folder(directory);
    const QString kind =
        TIniFile(m_files.settingsIni()).ReadString(kZvt, QStringLiteral("version"), QStringLiteral("0"));
    if (GameFolder::isWindowsKind(kind)) {
        const QString game = QStringLiteral("ZizaVEZ.exe");
        (void)m_platform.shell.open(folder.find(game).value_or(folder.file(game)), QString(), directory);
    } else if (kind == QLatin1String("dos") || kind == QLatin1String("dos+dvp")) {
        if (const std::optional<QString> game = folder.dosGameExecutable())
            (void)m_platform.shell.open(*game, QString(), directory);
    } else {
        return;
    }
    afterRun();
}

void TformMain::mniFileRunDVexebatClick()
{
    if (gameDirectoryStored())
        dlgLoad.folder = gameDirectory();
    else
        m_platform.messages.show(
            MsgType::Error, QStringLiteral("You not set ZVT directory but\nDravopax Vevavav will continue."),
            MsgButtons::Ok);
    FileDialogRequest request = dlgLoad;
    request.title = QStringLiteral("Run EXE or BAT file");
    request.filter = QStringLiteral("EXE and BAT files files (*.exe;*.bat)|*.exe;*.bat");
    const std::optional<QString> chosen = m_platform.fileDialogs.open(request);
    if (!chosen)
        return;
    dlgLoad.fileName = *chosen;
    (void)m_platform.shell.open(*chosen, QString(), QFileInfo(*chosen).absolutePath());
    afterRun();
}
