#pragma once

#include "base/ProgramFiles.h"
#include "base/ProgramSettings.h"
#include "platform/Platform.h"

#include <QObject>

class Frame;
class QAction;
class QMenu;
class QToolButton;
class RunConfiguration;
class RunFileKeeper;

// The game: its folder and edition, the Windows edition's settings in the
// registry, and starting the game or the patch in the Run button's modes.
class GameCommands final : public QObject
{
    Q_OBJECT

public:
    struct Items
    {
        // The ZVT Settings menu, whole.
        QMenu *menuSettingsZVT = nullptr;
        QMenu *itemZVTDisplay = nullptr;
        QMenu *itemZVTSound = nullptr;
        QMenu *itemZVTMouse = nullptr;
        QAction *itemZVTFullscreen = nullptr;
        QAction *itemZVTSafeMode = nullptr;
        QAction *itemZVTUpdateMode = nullptr;
        QAction *itemZVTMidiTypeNoMidi = nullptr;
        QAction *itemZVTMidiTypeGeneral = nullptr;
        QAction *itemZVTMidiTypeFMSynth = nullptr;
        QAction *itemZVTMidiTypeSBlaster = nullptr;
        QAction *itemMousePointerGame = nullptr;
        QAction *itemMousePointerWin = nullptr;
        QAction *mniSettingsZVTDir = nullptr;
        QAction *mniCreateRegistryEntry = nullptr;
        // The Run button's menu, whole, and the hidden menu's Run item.
        QMenu *menuRun = nullptr;
        QAction *mniSelectRunDVCfg = nullptr;
        QAction *mniSelectRunDVFile = nullptr;
        QAction *mniSelectRunDVCurrent = nullptr;
        QAction *mniSelectRunDVexebat = nullptr;
        QAction *mniSelectRunZVT = nullptr;
        QAction *itemRun = nullptr;
        // What the program does once the game runs, a submenu of DVS Settings.
        QMenu *itemDVSRun = nullptr;
        QAction *itemDVSExit = nullptr;
        QAction *itemDVSMinimize = nullptr;
        // The DOSBox program that runs the DOS edition, an item of DVS Settings.
        QAction *itemDVSDosBox = nullptr;
    };

    GameCommands(ProgramFiles files, Platform platform, Frame &frame, RunConfiguration &configuration);

    const Items &items() const { return m_items; }
    // The toolbar's Run button starts the chosen mode and hints at it.
    void setRunButton(QToolButton *button);

    // The game directory and its kind.
    void ZVTDirectory();
    void mniSettingsZVTDirClick() { ZVTDirectory(); }
    void CheckZVTDirectoryAtStart();
    void ApplyGameMenuRule();
    // The check marks of the game's own settings, from its registry values.
    void ZVTSettings(bool fullScreen, bool safeMode, int updateMode, int midiType, bool mousePointerWin);

    // The game's own settings in its registry key.
    void itemZVTFullscreenClick();
    void itemZVTSafeModeClick();
    void itemZVTUpdateModeClick();
    void itemZVTMidiTypeNoMidiClick();
    void itemZVTMidiTypeGeneralClick();
    void itemZVTMidiTypeFMSynthClick();
    void itemZVTMidiTypeSBlasterClick();
    void itemZVTMouseGameClick();
    void itemZVTMouserWinClick();
    void mniCreateRegistryEntryClick();

    // The Run button's five modes, and what follows a start.
    void itemRunClick();
    void mniFileRunDVCfgClick();
    void mniFileRunDVFileClick();
    void mniFileRunDVCurrentClick();
    void mniFileRunZVTClick();
    void mniFileRunDVexebatClick();
    void ChangeRunSettings();
    void mniSettingsRun(int mode);
    void mniSettingsDVSAfterExitClick();
    void itemDVSMinimizeClick();
    void itemDVSDosBoxClick();
    // The run mode and the after-run choice as stored.
    void ApplyRunSettings();

private:
    void createSettingsMenu();
    void createRunMenus();
    // A check item of the game's settings: writes `on` or `off` as the item
    // turns, and turns it only once the value is written.
    void toggleGameSetting(QAction *item, const QString &name, int on, int off);
    void writeGameSetting(const QString &name, int value);
    bool gameDirectoryFor(const QString &missing);
    bool startPatch(const QString &parameters, const QString &runFile);
    bool launch(const QString &file, const QString &parameters, const QString &folder,
                const QString &runFile);
    void afterRun();

    ProgramFiles m_files;
    ProgramSettings m_settings;
    Platform m_platform;
    Frame &m_frame;
    RunConfiguration &m_configuration;
    Items m_items;
    QToolButton *butnRun = nullptr;
    RunFileKeeper *m_runFiles = nullptr;
    // The folder dialog's last confirmed folder, kept for the rest of the run.
    QString m_browsePath;
};
