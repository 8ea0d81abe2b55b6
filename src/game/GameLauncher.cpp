#include "GameCommands.h"

#include "GameFolder.h"
#include "RunConfiguration.h"
#include "RunFileKeeper.h"
#include "base/FormParts.h"
#include "base/Frame.h"
#include "base/MenuItems.h"
#include "base/Messages.h"
#include "platform/DvsError.h"
#include "platform/FileDialogs.h"
#include "platform/InputBox.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"
#include "platform/TextFiles.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QToolButton>

using namespace MenuItems;

namespace {

const QString kRunParameters = QStringLiteral(" -C dvsdebug.cfg");

} // namespace

void GameCommands::createRunMenus()
{
    Items &i = m_items;
    i.menuRun = dropDown(m_frame, "menuRun");
    i.mniSelectRunDVCfg = item(i.menuRun, "mniSelectRunDVCfg", QStringLiteral("Dravopax (dravopax.cfg)"),
                               QStringLiteral("Dravopax with dravopax.cfg will run after pushing button"));
    i.mniSelectRunDVFile =
        item(i.menuRun, "mniSelectRunDVFile", QStringLiteral("Dravopax (custom.cfg)"),
             QStringLiteral("Dravopax with custom *.cfg file will run after pushing button"));
    i.mniSelectRunDVCurrent =
        item(i.menuRun, "mniSelectRunDVCurrent", QStringLiteral("Dravopax (current switches)"),
             QStringLiteral("Dravopax with current settings will run after pushing button"));
    i.mniSelectRunDVexebat =
        item(i.menuRun, "mniSelectRunDVexebat", QStringLiteral("Dravopax (*.exe, *.bat file)"),
             QStringLiteral("After pushing button you can select file you want to run"));
    i.mniSelectRunZVT = item(i.menuRun, "mniSelectRunZVT", QStringLiteral("Zorvantia"),
                             QStringLiteral("ZVT will run after pushing button"));
    radioGroup(this, {i.mniSelectRunDVCfg, i.mniSelectRunDVFile, i.mniSelectRunDVCurrent,
                      i.mniSelectRunDVexebat, i.mniSelectRunZVT});
    i.mniSelectRunDVCfg->setChecked(true);

    // The run mode each item stores, as the Run button reads it.
    const std::pair<QAction *, int> runModes[] = {{i.mniSelectRunDVCfg, 0},
                                                  {i.mniSelectRunDVFile, 1},
                                                  {i.mniSelectRunDVCurrent, 2},
                                                  {i.mniSelectRunZVT, 3},
                                                  {i.mniSelectRunDVexebat, 4}};
    for (const auto &[action, mode] : runModes) {
        connect(action, &QAction::triggered, this, [this, mode = mode] {
            runReported(m_platform.messages, [this, mode] { mniSettingsRun(mode); });
        });
    }

    i.itemRun = new QAction(QStringLiteral("Run ZVT/Dravopax"), this);
    i.itemRun->setObjectName(QStringLiteral("itemRun"));
    i.itemRun->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    i.itemRun->setStatusTip(QStringLiteral("Run Dravopax or ZVT (Ctrl+R). It can be set in Settings"));
    connectReported(this, m_platform.messages, i.itemRun, &QAction::triggered, &GameCommands::itemRunClick);

    i.itemDVSRun = submenu(m_frame, nullptr, "itemDVSRun", QStringLiteral("When ZVT/Dravopax is running"));
    i.itemDVSExit = item(i.itemDVSRun, "itemDVSExit", QStringLiteral("DVS will exit"),
                         QStringLiteral("When you run Zorvantia in Dravopax Vevavav it will exit"));
    i.itemDVSMinimize = item(i.itemDVSRun, "itemDVSMinimize", QStringLiteral("DVS will minimize"),
                             QStringLiteral("When you run Zorvantia in Dravopax Vevavav it will minimize"));
    radioGroup(this, {i.itemDVSExit, i.itemDVSMinimize});
    i.itemDVSMinimize->setChecked(true);
    connectReported(this, m_platform.messages, i.itemDVSExit, &QAction::triggered,
                    &GameCommands::mniSettingsDVSAfterExitClick);
    connectReported(this, m_platform.messages, i.itemDVSMinimize, &QAction::triggered,
                    &GameCommands::itemDVSMinimizeClick);

    i.itemDVSDosBox = new QAction(QStringLiteral("DOSBox Program..."), this);
    i.itemDVSDosBox->setObjectName(QStringLiteral("itemDVSDosBox"));
    i.itemDVSDosBox->setStatusTip(QStringLiteral("Which DOSBox runs Zorvantia for Dos and Dravopax for Dos"));
    connectReported(this, m_platform.messages, i.itemDVSDosBox, &QAction::triggered,
                    &GameCommands::itemDVSDosBoxClick);
}

void GameCommands::itemDVSDosBoxClick()
{
    const std::optional<QString> program = m_platform.input.ask(
        QStringLiteral("DOSBox Program"),
        QStringLiteral("DOSBox program (a name on the PATH, such as dosbox, or a full path):"),
        m_settings.dosboxProgram());
    if (program)
        m_settings.setDosboxProgram(*program);
}

void GameCommands::setRunButton(QToolButton *button)
{
    butnRun = button;
    butnRun->setMenu(m_items.menuRun);
    connectReported(this, m_platform.messages, butnRun, &QToolButton::clicked, &GameCommands::itemRunClick);
}

void GameCommands::ApplyRunSettings()
{
    if (m_settings.exitAfterRun())
        m_items.itemDVSExit->setChecked(true);
    else
        m_items.itemDVSMinimize->setChecked(true);
    ChangeRunSettings();
}

void GameCommands::ChangeRunSettings()
{
    static const QString hints[] = {QStringLiteral("Run Dravopax (dravopax.cfg)"),
                                    QStringLiteral("Run Dravopax (custom.cfg)"),
                                    QStringLiteral("Run Dravopax (current settings)"),
                                    QStringLiteral("Run ZVT"), QStringLiteral("Run EXE or BAT file")};
    QAction *const items[] = {m_items.mniSelectRunDVCfg, m_items.mniSelectRunDVFile,
                              m_items.mniSelectRunDVCurrent, m_items.mniSelectRunZVT,
                              m_items.mniSelectRunDVexebat};
    int mode = m_settings.runMode();
    if (mode < 1 || mode > 4)
        mode = 0;
    if (butnRun)
        butnRun->setStatusTip(hints[mode]);
    items[mode]->setChecked(true);
}

void GameCommands::mniSettingsRun(int mode)
{
    m_settings.setRunMode(mode);
    ChangeRunSettings();
}

void GameCommands::mniSettingsDVSAfterExitClick()
{
    m_items.itemDVSExit->setChecked(true);
    m_settings.setExitAfterRun(true);
}

void GameCommands::itemDVSMinimizeClick()
{
    m_items.itemDVSMinimize->setChecked(true);
    m_settings.setExitAfterRun(false);
}

void GameCommands::itemRunClick()
{
    switch (m_settings.runMode()) {
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
bool GameCommands::gameDirectoryFor(const QString &missing)
{
    if (m_settings.gameDirectoryStored())
        return true;
    m_platform.messages.show(MsgType::Error, missing, MsgButtons::Ok);
    return false;
}

void GameCommands::afterRun()
{
    if (m_settings.exitAfterRun()) {
        m_runFiles->abandon();
        m_frame.endProgram();
    } else {
        // Restoring brings back a maximized window maximized, and closing then stores it so.
        m_frame.minimize();
    }
}

// Starts the patch that matches the game kind, if the kind has one. A run file
// is kept until the patch started with it has ended. False when the start
// failed and was reported: the window then stays for the user.
bool GameCommands::startPatch(const QString &parameters, const QString &runFile)
{
    const QString directory = m_settings.gameDirectory();
    const GameFolder folder(directory);
    const std::optional<QString> patch = GameFolder::patchExecutable(m_settings.gameKind());
    if (!patch) {
        if (!runFile.isEmpty())
            m_runFiles->release(runFile);
        return true;
    }
    return launch(folder.find(*patch).value_or(folder.file(*patch)), parameters, directory, runFile);
}

bool GameCommands::launch(const QString &file, const QString &parameters, const QString &folder,
                          const QString &runFile)
{
    ShellStart started = startReported(m_platform.shell, m_platform.messages, file, parameters, folder);
    const bool failed = !started.problem.isEmpty();
    // A start that failed is one that never happened: its run file goes.
    if (!runFile.isEmpty())
        m_runFiles->keep(runFile, std::move(started));
    return !failed;
}

void GameCommands::mniFileRunDVCfgClick()
{
    if (!gameDirectoryFor(QStringLiteral("You not set ZVT directory.\nDravopax Vevavav can't continue.")))
        return;
    if (!GameFolder(m_settings.gameDirectory()).has(QStringLiteral("dravopax.cfg")) &&
        m_platform.messages.show(
            MsgType::Error,
            QStringLiteral("File \"dravopax.cfg\" not exists.\nDravopax will automatically create "
                           "it.\nDo you want continue?"),
            MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    if (startPatch(QString(), QString()))
        afterRun();
}

void GameCommands::mniFileRunDVFileClick()
{
    if (!gameDirectoryFor(QStringLiteral("You not set ZVT directory.\nDravopax Vevavav can't continue.")))
        return;
    FileDialogRequest &dlgLoad = m_configuration.loadDialog();
    dlgLoad.folder = m_settings.lastDir();
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
    m_settings.setLastDirOf(*chosen);
    const QString runFile = GameFolder(m_settings.gameDirectory()).file(QStringLiteral("dvsdebug.cfg"));
    if (!TextFiles::writeLines(runFile, *lines))
        throw DvsError(QStringLiteral("Unable to write to %1").arg(runFile));
    if (startPatch(kRunParameters, runFile))
        afterRun();
}

void GameCommands::mniFileRunDVCurrentClick()
{
    if (!gameDirectoryFor(QStringLiteral("You do not set ZVT directory.\nDravopax Vevavav can't continue.")))
        return;
    const QString runFile = GameFolder(m_settings.gameDirectory()).file(QStringLiteral("dvsdebug.cfg"));
    m_configuration.WriteRunCFG(runFile);
    if (!QFileInfo::exists(runFile))
        return;
    if (startPatch(kRunParameters, runFile))
        afterRun();
}

void GameCommands::mniFileRunZVTClick()
{
    const QString directory = m_settings.gameDirectory();
    const GameFolder folder(directory);
    const QString kind = m_settings.gameKind();
    bool started = true;
    if (GameFolder::isWindowsKind(kind)) {
        const QString game = QStringLiteral("ZizaVEZ.exe");
        started = launch(folder.find(game).value_or(folder.file(game)), QString(), directory, QString());
    } else if (kind == QLatin1String("dos") || kind == QLatin1String("dos+dvp")) {
        if (const std::optional<QString> game = folder.dosGameExecutable())
            started = launch(*game, QString(), directory, QString());
    } else {
        return;
    }
    if (started)
        afterRun();
}

void GameCommands::mniFileRunDVexebatClick()
{
    FileDialogRequest &dlgLoad = m_configuration.loadDialog();
    if (m_settings.gameDirectoryStored())
        dlgLoad.folder = m_settings.gameDirectory();
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
    if (launch(*chosen, QString(), QFileInfo(*chosen).absolutePath(), QString()))
        afterRun();
}
