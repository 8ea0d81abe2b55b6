#include "app/TformMain.h"
#include "base/SettingNames.h"

#include "GameFolder.h"
#include "base/ProgramInfo.h"
#include "ini/TIniFile.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"

#include <QAction>

void TformMain::connectRegistryHandlers()
{
    const std::pair<QAction *, void (TformMain::*)()> items[] = {
        {itemZVTFullscreen, &TformMain::itemZVTFullscreenClick},
        {itemZVTSafeMode, &TformMain::itemZVTSafeModeClick},
        {itemZVTUpdateMode, &TformMain::itemZVTUpdateModeClick},
        {itemZVTMidiTypeNoMidi, &TformMain::itemZVTMidiTypeNoMidiClick},
        {itemZVTMidiTypeGeneral, &TformMain::itemZVTMidiTypeGeneralClick},
        {itemZVTMidiTypeFMSynth, &TformMain::itemZVTMidiTypeFMSynthClick},
        {itemZVTMidiTypeSBlaster, &TformMain::itemZVTMidiTypeSBlasterClick},
        {itemMousePointerGame, &TformMain::itemZVTMouseGameClick},
        {itemMousePointerWin, &TformMain::itemZVTMouserWinClick},
        {mniCreateRegistryEntry, &TformMain::mniCreateRegistryEntryClick},
    };
    for (const auto &[item, handler] : items) {
        connect(item, &QAction::triggered, this,
                [this, handler = handler] { guarded([this, handler] { (this->*handler)(); }); });
    }
}

void TformMain::toggleGameSetting(QAction *item, const QString &name, int on, int off)
{
    // The menu has turned the item already; it shows the old state until the
    // value is written, and keeps it when the write is refused.
    const bool turnOn = item->isChecked();
    item->setChecked(!turnOn);
    writeGameSetting(name, turnOn ? on : off);
    item->setChecked(turnOn);
}

void TformMain::writeGameSetting(const QString &name, int value)
{
    m_platform.registry.openKey(ProgramInfo::GameRegistryKey, true)->writeInteger(name, value);
}

void TformMain::itemZVTFullscreenClick()
{
    toggleGameSetting(itemZVTFullscreen, QStringLiteral("Fullscreen"), 1, 0);
}

void TformMain::itemZVTSafeModeClick()
{
    toggleGameSetting(itemZVTSafeMode, QStringLiteral("SafeMode"), 1, 0);
}

void TformMain::itemZVTUpdateModeClick()
{
    toggleGameSetting(itemZVTUpdateMode, QStringLiteral("UpdateMode"), 2, 1);
}

// The radio items are checked by the menu before their value is written.
void TformMain::itemZVTMidiTypeNoMidiClick()
{
    writeGameSetting(QStringLiteral("MidiType"), 0);
}

void TformMain::itemZVTMidiTypeGeneralClick()
{
    writeGameSetting(QStringLiteral("MidiType"), 1);
}

void TformMain::itemZVTMidiTypeFMSynthClick()
{
    writeGameSetting(QStringLiteral("MidiType"), 2);
}

void TformMain::itemZVTMidiTypeSBlasterClick()
{
    writeGameSetting(QStringLiteral("MidiType"), 3);
}

void TformMain::itemZVTMouseGameClick()
{
    writeGameSetting(QStringLiteral("MousePointer"), 0);
}

void TformMain::itemZVTMouserWinClick()
{
    writeGameSetting(QStringLiteral("MousePointer"), 1);
}

void TformMain::mniCreateRegistryEntryClick()
{
    (void)m_platform.registry.openKey(ProgramInfo::GameRegistryKey, true);
    if (m_platform.messages.show(
            MsgType::Warning,
            QStringLiteral(
                "This will overwrite your current seetings.\nThis cannot be revert. Are you sure?"),
            MsgButtons::YesNo) != MsgAnswer::Yes) {
        m_platform.messages.show(MsgType::Error, QStringLiteral("Nothing changed."), MsgButtons::Ok);
        return;
    }
    ZVTDirectory();
    const QString kind =
        TIniFile(m_files.settingsIni()).ReadString(kZvt, QStringLiteral("version"), QStringLiteral("0"));
    if (!GameFolder::isWindowsKind(kind)) {
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
    const std::pair<const char *, int> defaults[] = {
        {"DisplayModeNumber", 3}, {"ForceDIBSection", 0}, {"Fullscreen", 1},   {"Installed", 3},
        {"Language", 3},          {"MidiType", 0},        {"MousePointer", 0}, {"RetraceSync", 0},
        {"SafeMode", 0},          {"UpdateMode", 1},
    };
    for (const auto &[name, value] : defaults)
        key->writeInteger(QString::fromLatin1(name), value);
    const int updateMode = key->readInteger(QStringLiteral("UpdateMode"));
    const int midiType = key->readInteger(QStringLiteral("MidiType"));
    const bool mousePointerWin = key->readBool(QStringLiteral("MousePointer"));
    const bool safeMode = key->readBool(QStringLiteral("SafeMode"));
    const bool fullScreen = key->readBool(QStringLiteral("FullScreen"));
    ZVTSettings(fullScreen, safeMode, updateMode, midiType, mousePointerWin);
}
