#include "app/TformMain.h"
#include "base/SettingNames.h"

#include "GameFolder.h"
#include "base/ProgramInfo.h"
#include "ini/TIniFile.h"
#include "platform/FolderBrowser.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

#include <QAction>
#include <QDir>
#include <QMenu>

QString TformMain::gameDirectory() const
{
    return TIniFile(m_files.settingsIni()).ReadPath(kZvt, QStringLiteral("dir"), QStringLiteral("0"));
}

bool TformMain::gameDirectoryStored() const
{
    return TIniFile(m_files.settingsIni()).ValueExists(kZvt, QStringLiteral("dir"));
}

void TformMain::ZVTDirectory()
{
    MessageBoxes &messages = m_platform.messages;
    // "Select it one more time" shows a new dialog; the answer No, or a folder
    // that holds the game, ends the choosing.
    for (bool again = true; again;) {
        again = false;
        TIniFile settings(m_files.settingsIni());
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
            settings.WriteString(kZvt, QStringLiteral("version"), folder.kind());
            settings.WritePath(kZvt, QStringLiteral("dir"), path);
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
            settings.WriteString(kZvt, QStringLiteral("version"), folder.kind());
            settings.WritePath(kZvt, QStringLiteral("dir"), path);
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
                settings.WritePath(kZvt, QStringLiteral("dir"), path);
                settings.WriteString(kZvt, QStringLiteral("version"), QStringLiteral("unk"));
            }
        }
    }
    ApplyGameMenuRule();
}

void TformMain::ZVTSettings(bool fullScreen, bool safeMode, int updateMode, int midiType,
                            bool mousePointerWin)
{
    itemZVTFullscreen->setChecked(fullScreen);
    itemZVTSafeMode->setChecked(safeMode);
    itemZVTUpdateMode->setChecked(updateMode != 1);
    (mousePointerWin ? itemMousePointerWin : itemMousePointerGame)->setChecked(true);
    // The numbers the music items write, read back the same way: No Midi 0,
    // General Midi 1, FM Synth 2, AWE32 3. Any other number checks none of them.
    QAction *const music[] = {itemZVTMidiTypeNoMidi, itemZVTMidiTypeGeneral, itemZVTMidiTypeFMSynth,
                              itemZVTMidiTypeSBlaster};
    for (int number = 0; number < 4; ++number)
        music[number]->setChecked(number == midiType);
}

void TformMain::ApplyGameMenuRule()
{
    const bool windows = GameFolder::isWindowsKind(
        TIniFile(m_files.settingsIni()).ReadString(kZvt, QStringLiteral("version"), QStringLiteral("0")));
    for (QMenu *menu : {itemZVTDisplay, itemZVTSound, itemZVTMouse})
        menu->menuAction()->setEnabled(windows);
}

void TformMain::CheckZVTDirectoryAtStart()
{
    const QString ask = QStringLiteral(
        "You must do it if you want to work with Dravopax Vevavav.\nDo you want to do it now?");
    if (!gameDirectoryStored()) {
        if (m_platform.messages.show(MsgType::Warning,
                                     QStringLiteral("You don't select your Zorvantia directory.\n") + ask,
                                     MsgButtons::YesNo) == MsgAnswer::Yes)
            ZVTDirectory();
        return;
    }
    if (GameFolder(gameDirectory()).holdsGame())
        return;
    if (m_platform.messages.show(
            MsgType::Warning,
            QStringLiteral("Zorvantia not exist at path that was last time selected.\n") + ask,
            MsgButtons::YesNo) == MsgAnswer::Yes)
        ZVTDirectory();
}
