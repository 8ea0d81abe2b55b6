#include "GameCommands.h"

#include "GameFolder.h"
#include "RunFileKeeper.h"
#include "base/FormParts.h"
#include "base/Frame.h"
#include "base/MenuItems.h"
#include "base/ProgramInfo.h"
#include "platform/FolderBrowser.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QToolButton>

using namespace MenuItems;

GameCommands::GameCommands(ProgramFiles files, Platform platform, Frame &frame,
                           RunConfiguration &configuration)
    : QObject(frame.mainWindow()), m_files(std::move(files)), m_settings(m_files.settingsIni()),
      m_platform(platform), m_frame(frame), m_configuration(configuration)
{
    m_runFiles = new RunFileKeeper(this);
    createSettingsMenu();
    createRunMenus();
}

void GameCommands::createSettingsMenu()
{
    Items &i = m_items;
    i.menuSettingsZVT = dropDown(m_frame, "menuSettingsZVT");
    const auto sub = [this, &i](const char *name, const QString &caption, const QString &hint) {
        return submenu(m_frame, i.menuSettingsZVT, name, caption, hint);
    };

    i.itemZVTDisplay = sub("itemZVTDisplay", QStringLiteral("Display"), QStringLiteral("Display Settings"));
    i.itemZVTFullscreen = checkItem(i.itemZVTDisplay, "itemZVTFullscreen", QStringLiteral("Fullscreen"),
                                    QStringLiteral("Run Zorvantia in a Fullscreen Mode"));
    i.itemZVTSafeMode =
        checkItem(i.itemZVTDisplay, "itemZVTSafeMode", QStringLiteral("Safe Mode"),
                  QStringLiteral("Run Zorvantia using Safe Mode (if you have problems select this)"));
    i.itemZVTUpdateMode = checkItem(i.itemZVTDisplay, "itemZVTUpdateMode", QStringLiteral("Update Mode"),
                                    QStringLiteral("Run Zorvantia with Update Mode (don't know what it is)"));
    i.itemZVTSound = sub("itemZVTSound", QStringLiteral("Sound"), QStringLiteral("Sound Settings"));
    i.itemZVTMidiTypeNoMidi = item(i.itemZVTSound, "itemZVTMidiTypeNoMidi", QStringLiteral("No Midi"));
    i.itemZVTMidiTypeGeneral = item(i.itemZVTSound, "itemZVTMidiTypeGeneral", QStringLiteral("General Midi"));
    i.itemZVTMidiTypeFMSynth =
        item(i.itemZVTSound, "itemZVTMidiTypeFMSynth", QStringLiteral("FM Synth/SoundBlaster"));
    i.itemZVTMidiTypeSBlaster =
        item(i.itemZVTSound, "itemZVTMidiTypeSBlaster", QStringLiteral("SoundBlaster AWE32"));
    radioGroup(this, {i.itemZVTMidiTypeNoMidi, i.itemZVTMidiTypeGeneral, i.itemZVTMidiTypeFMSynth,
                      i.itemZVTMidiTypeSBlaster});
    i.itemZVTMouse = sub("itemZVTMouse", QStringLiteral("Mouse"), QStringLiteral("Mouse Settings"));
    i.itemMousePointerGame = item(i.itemZVTMouse, "itemMousePointerGame", QStringLiteral("Game Pointer"));
    i.itemMousePointerWin = item(i.itemZVTMouse, "itemMousePointerWin", QStringLiteral("Windows Pointer"));
    radioGroup(this, {i.itemMousePointerGame, i.itemMousePointerWin});
    i.menuSettingsZVT->addSeparator();
    i.mniSettingsZVTDir =
        item(i.menuSettingsZVT, "mniSettingsZVTDir", QStringLiteral("Set ZVT Directory"),
             QStringLiteral("Set Zorvantia Directory"), QKeySequence(Qt::CTRL | Qt::Key_F11));
    i.mniCreateRegistryEntry =
        item(i.menuSettingsZVT, "mniCreateRegistryEntry", QStringLiteral("Create Registry Entry"),
             QStringLiteral("Creates Registry Entry (Makes Everything Default)"));

    const std::pair<QAction *, void (GameCommands::*)()> handlers[] = {
        {i.itemZVTFullscreen, &GameCommands::itemZVTFullscreenClick},
        {i.itemZVTSafeMode, &GameCommands::itemZVTSafeModeClick},
        {i.itemZVTUpdateMode, &GameCommands::itemZVTUpdateModeClick},
        {i.itemZVTMidiTypeNoMidi, &GameCommands::itemZVTMidiTypeNoMidiClick},
        {i.itemZVTMidiTypeGeneral, &GameCommands::itemZVTMidiTypeGeneralClick},
        {i.itemZVTMidiTypeFMSynth, &GameCommands::itemZVTMidiTypeFMSynthClick},
        {i.itemZVTMidiTypeSBlaster, &GameCommands::itemZVTMidiTypeSBlasterClick},
        {i.itemMousePointerGame, &GameCommands::itemZVTMouseGameClick},
        {i.itemMousePointerWin, &GameCommands::itemZVTMouserWinClick},
        {i.mniSettingsZVTDir, &GameCommands::mniSettingsZVTDirClick},
        {i.mniCreateRegistryEntry, &GameCommands::mniCreateRegistryEntryClick},
    };
    for (const auto &[action, handler] : handlers)
        connectReported(this, m_platform.messages, action, &QAction::triggered, handler);
}

void GameCommands::ZVTDirectory()
{
    MessageBoxes &messages = m_platform.messages;
    // "Select it one more time" shows a new dialog; the answer No, or a folder
    // that holds the game, ends the choosing.
    for (bool again = true; again;) {
        again = false;
        const QString start = m_browsePath.isEmpty() ? QDir::homePath() : m_browsePath;
        // Cancelling keeps the folder confirmed last in this run, which is examined again.
        if (std::optional<QString> chosen =
                m_platform.folders.browse(QStringLiteral("Select Zorvantia Directory"), start))
            m_browsePath = *chosen;
        if (m_browsePath.isEmpty() || m_browsePath == QLatin1String(" "))
            break;

        const QString path = GameFolder::trimmed(m_browsePath);
        const GameFolder folder(path);
        const auto offerDownload = [&](const QString &text) {
            if (messages.show(MsgType::Information, text, MsgButtons::YesNo) == MsgAnswer::Yes)
                (void)m_platform.shell.open(ProgramInfo::PatchHomePage, QString(), QString());
        };
        if (folder.isWindowsEdition()) {
            if (folder.has(QStringLiteral("dravopaxw.exe"))) {
                messages.show(
                    MsgType::Information,
                    QStringLiteral("Zorvantia for Windows was found.\nDravopax for Windows was found."),
                    MsgButtons::Ok);
            } else {
                offerDownload(
                    QStringLiteral("Zorvantia for Windows was found.\nDravopax for Windows was not found.\n"
                                   "Do you want to download Dravopax?"));
            }
            m_settings.setGameKind(folder.kind());
            m_settings.setGameDirectory(path);
            const auto command = m_platform.registry.beginCommand();
            // The key is opened once the folder is stored, since where the game
            // reads it may depend on the folder; the path is written as the game
            // sees it. A refused write ends the command here, before the menus change.
            m_platform.registry.openKey(ProgramInfo::GameRegistryKey, true)
                ->writeFolder(QStringLiteral("HDPath"), path);
        } else if (folder.holdsGame()) {
            if (folder.has(QStringLiteral("dravopax.exe"))) {
                messages.show(
                    MsgType::Information,
                    QStringLiteral("Zorvantia for Dos was found.\nDravopax for Dos was found.\n"
                                   "You haven't access to some ZVT Options like:\n -Display\n -Sound\n"
                                   " -Mouse\n -Create Registry Entry\n(This option are avabile only in "
                                   "Windows version)"),
                    MsgButtons::Ok);
            } else {
                offerDownload(QStringLiteral("Zorvantia for Dos was found.\nDravopax for Dos was not found.\n"
                                             "Do you want to download Dravopax?"));
            }
            m_settings.setGameKind(folder.kind());
            m_settings.setGameDirectory(path);
        } else {
            const MsgAnswer answer = messages.show(
                MsgType::Warning,
                QStringLiteral(
                    "You select wrong directory.\nThere isn't Zorvantia.\nDo you want select it one more "
                    "time?\nIf not wrong directory will be save."),
                MsgButtons::YesNo);
            if (answer == MsgAnswer::Yes) {
                again = true;
            } else {
                m_settings.setGameDirectory(path);
                m_settings.setGameKind(QStringLiteral("unk"));
            }
        }
    }
    ApplyGameMenuRule();
}

void GameCommands::ZVTSettings(bool fullScreen, bool safeMode, int updateMode, int midiType,
                               bool mousePointerWin)
{
    m_items.itemZVTFullscreen->setChecked(fullScreen);
    m_items.itemZVTSafeMode->setChecked(safeMode);
    m_items.itemZVTUpdateMode->setChecked(updateMode != 1);
    (mousePointerWin ? m_items.itemMousePointerWin : m_items.itemMousePointerGame)->setChecked(true);
    // The numbers the music items write, read back the same way: No Midi 0,
    // General Midi 1, FM Synth 2, AWE32 3. Any other number checks none of them.
    QAction *const music[] = {m_items.itemZVTMidiTypeNoMidi, m_items.itemZVTMidiTypeGeneral,
                              m_items.itemZVTMidiTypeFMSynth, m_items.itemZVTMidiTypeSBlaster};
    for (int number = 0; number < 4; ++number)
        music[number]->setChecked(number == midiType);
}

void GameCommands::ApplyGameMenuRule()
{
    const bool windows = GameFolder::isWindowsKind(m_settings.gameKind());
    for (QMenu *menu : {m_items.itemZVTDisplay, m_items.itemZVTSound, m_items.itemZVTMouse})
        menu->menuAction()->setEnabled(windows);
}

void GameCommands::CheckZVTDirectoryAtStart()
{
    const QString ask = QStringLiteral(
        "You must do it if you want to work with Dravopax Vevavav.\nDo you want to do it now?");
    if (!m_settings.gameDirectoryStored()) {
        if (m_platform.messages.show(MsgType::Warning,
                                     QStringLiteral("You don't select your Zorvantia directory.\n") + ask,
                                     MsgButtons::YesNo) == MsgAnswer::Yes)
            ZVTDirectory();
        return;
    }
    if (GameFolder(m_settings.gameDirectory()).holdsGame())
        return;
    if (m_platform.messages.show(
            MsgType::Warning,
            QStringLiteral("Zorvantia not exist at path that was last time selected.\n") + ask,
            MsgButtons::YesNo) == MsgAnswer::Yes)
        ZVTDirectory();
}
