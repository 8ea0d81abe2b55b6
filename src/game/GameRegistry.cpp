#include "GameCommands.h"

#include "GameFolder.h"
#include "base/ProgramInfo.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"

#include <QAction>

void GameCommands::toggleGameSetting(QAction *item, const QString &name, int on, int off)
{
    // The menu has turned the item already; it shows the old state until the
    // value is written, and keeps it when the write is refused.
    const bool turnOn = item->isChecked();
    item->setChecked(!turnOn);
    writeGameSetting(name, turnOn ? on : off);
    item->setChecked(turnOn);
}

void GameCommands::writeGameSetting(const QString &name, int value)
{
    const auto command = m_platform.registry.beginCommand();
    m_platform.registry.openKey(ProgramInfo::GameRegistryKey, true)->writeInteger(name, value);
}

void GameCommands::itemZVTFullscreenClick()
{
    toggleGameSetting(m_items.itemZVTFullscreen, QStringLiteral("Fullscreen"), 1, 0);
}

void GameCommands::itemZVTSafeModeClick()
{
    toggleGameSetting(m_items.itemZVTSafeMode, QStringLiteral("SafeMode"), 1, 0);
}

void GameCommands::itemZVTUpdateModeClick()
{
    toggleGameSetting(m_items.itemZVTUpdateMode, QStringLiteral("UpdateMode"), 2, 1);
}

// The radio items are checked by the menu before their value is written.
void GameCommands::itemZVTMidiTypeNoMidiClick()
{
    writeGameSetting(QStringLiteral("MidiType"), 0);
}

void GameCommands::itemZVTMidiTypeGeneralClick()
{
    writeGameSetting(QStringLiteral("MidiType"), 1);
}

void GameCommands::itemZVTMidiTypeFMSynthClick()
{
    writeGameSetting(QStringLiteral("MidiType"), 2);
}

void GameCommands::itemZVTMidiTypeSBlasterClick()
{
    writeGameSetting(QStringLiteral("MidiType"), 3);
}

void GameCommands::itemZVTMouseGameClick()
{
    writeGameSetting(QStringLiteral("MousePointer"), 0);
}

void GameCommands::itemZVTMouserWinClick()
{
    writeGameSetting(QStringLiteral("MousePointer"), 1);
}

void GameCommands::mniCreateRegistryEntryClick()
{
    const auto command = m_platform.registry.beginCommand();
    // Made now or, where the registry makes a key with its first value, by the
    // writes below; on every other way out it is made before the command ends.
    const std::unique_ptr<RegistryKey> opened =
        m_platform.registry.openKey(ProgramInfo::GameRegistryKey, true);
    if (m_platform.messages.show(
            MsgType::Warning,
            QStringLiteral(
                "This will overwrite your current seetings.\nThis cannot be revert. Are you sure?"),
            MsgButtons::YesNo) != MsgAnswer::Yes) {
        opened->makeNow();
        m_platform.messages.show(MsgType::Error, QStringLiteral("Nothing changed."), MsgButtons::Ok);
        return;
    }
    ZVTDirectory();
    if (!GameFolder::isWindowsKind(m_settings.gameKind())) {
        opened->makeNow();
        m_platform.messages.show(
            MsgType::Warning,
            QStringLiteral("You do not have Windows version of Zorvantia.\nThis option is "
                           "useless now.\nIt it only for Zorvantia for Windows."),
            MsgButtons::Ok);
        return;
    }
    // Opened again now that the folder is chosen: where the game reads its
    // settings from may depend on where it is.
    const std::unique_ptr<RegistryKey> key = m_platform.registry.openKey(ProgramInfo::GameRegistryKey, true);
    key->writeIntegers(ProgramInfo::GameRegistryDefaults);
    const int updateMode = key->readInteger(QStringLiteral("UpdateMode"));
    const int midiType = key->readInteger(QStringLiteral("MidiType"));
    const bool mousePointerWin = key->readBool(QStringLiteral("MousePointer"));
    const bool safeMode = key->readBool(QStringLiteral("SafeMode"));
    const bool fullScreen = key->readBool(QStringLiteral("FullScreen"));
    ZVTSettings(fullScreen, safeMode, updateMode, midiType, mousePointerWin);
}
