#pragma once

#include "base/ProgramFiles.h"
#include "platform/FileDialogs.h"
#include "platform/Platform.h"

#include <QCursor>
#include <QMainWindow>

#include <functional>
#include <optional>

class ComponentNameSet;
class QActionGroup;
class RunFileKeeper;
enum class ConfigVariant;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QStyle;
class QTabWidget;
class QToolBar;
class QToolButton;
class SwitchPanel;
class TformAbout;
class TformLinks;
class TformPrograms;
class TformSwitches;
class TformVersion;
class TformUpdate;
class TformGrfManager;
class TformMkdvtxt;
class SwitchRules;

// The main window: a toolbar of drop-down buttons, the switch panel and the
// notepad page, and a status bar that shows the hint of whatever the mouse is
// over. It owns the switch panel and the program settings of its menus.
class TformMain final : public QMainWindow
{
    Q_OBJECT

public:
    TformMain(ProgramFiles files, Platform platform, QWidget *parent = nullptr);
    ~TformMain() override;

    const ProgramFiles &files() const { return m_files; }
    Platform &platform() { return m_platform; }

    SwitchPanel *switchPanel() const { return scrlMain; }
    QStatusBar *statusBarMain() const { return barMain; }

    // Set while no patch version is stored; the first version picked then
    // builds the switch panel.
    bool versionNotSet() const { return m_versionNotSet; }
    void setVersionNotSet(bool notSet) { m_versionNotSet = notSet; }

    void CreateSwitches();
    void DeleteSwitches();
    void ReloadDVDatabase();
    void mniFileLoadDefaultClick();
    // The names a switch's control cannot take: those of the window's own parts.
    ComponentNameSet componentNames() const;

    // The switch and version editors.
    void StartDesignMode();
    void mniSettingsDVSDesignModeClick() { StartDesignMode(); }
    void VersionPatch1Click();
    // Shows a file's text on the notepad page; false, after saying so, when it cannot be read.
    bool showInNotepad(const QString &fileName);

    // The user's shortcuts on the Tools menu and the links of the Links menu.
    void AddPrograms();
    void RunProgramClick(QAction *item);
    void ProgramsEditor1Click();
    void AddLinks();
    void LinkClick(QAction *item);
    void itemLinksEditorClick();

    // The folder file dialogs start in, and storing the folder of a chosen file as it.
    QString lastDir() const;
    void writeLastDir(const QString &fileName);

    void SetDravopaxVersion();
    void mniSettingsDVSVersionClick(QAction *item);

    // Writes the current switches to a configuration file; an empty name
    // writes nothing. Raises DvsError when the file cannot be written.
    void SaveCFG(const QString &fileName);
    // Fills the notepad page with the current switches and shows it.
    void itemNotepadClick();
    // Writes the run file the patch is started with. Raises DvsError when it
    // cannot be written.
    void WriteRunCFG(const QString &fileName);
    // Sets the switches named in a configuration file. Raises DvsError for a
    // value that must be an integer and is not; earlier lines stay applied.
    void LoadCFG(const QString &fileName);

    void MenuPosition(int position);
    void ChangeCursor(const QString &mode);
    void ChangeRunSettings();
    void mniSettingsRun(int mode);

    // The program settings of section "dvs" as the start applies them to the
    // menus, the toolbar and the cursor.
    void ApplyProgramSettings();

    // The game directory and its kind.
    void ZVTDirectory();
    // The check marks of the game's own settings, from its registry values.
    void ZVTSettings(bool fullScreen, bool safeMode, int updateMode, int midiType, bool mousePointerWin);
    void ShowAbout();
    void mniSettingsZVTDirClick() { ZVTDirectory(); }
    void ApplyGameMenuRule();
    void CheckZVTDirectoryAtStart();

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

    // Loading and saving configuration files, the notepad page, and the file
    // loaded at every start.
    void LoadFile();
    void mniFileLoadCfgClick();
    void SaveFile();
    void mniFileSaveCfgClick();
    void butnSaveNotepadClick();
    void butnLoadNotepadClick();
    void butnClearNotepadClick();
    void butnSelectAllClick();
    void butnCopyAllClick();
    void itemDVSLoadNothingClick();
    void itemDVSLoaddravopaxcfgClick();
    void itemDVSLoadSelectHereClick();
    void ApplyStartupChoice();

    // The Run button's five modes.
    void itemRunClick();
    void mniFileRunDVCfgClick();
    void mniFileRunDVFileClick();
    void mniFileRunDVCurrentClick();
    void mniFileRunZVTClick();
    void mniFileRunDVexebatClick();

    void itemDVSFullscreenClick();
    void itemDVSOverwriteClick();
    void itemDVSPositionClick();
    void itemDVS3DLookClick();
    void itemDVSMenuTextClick();
    void itemDVSMenuTopClick() { MenuPosition(0); }
    void itemDVSMenuLeftClick() { MenuPosition(1); }
    void itemDVSMenuRightClick() { MenuPosition(2); }
    void itemDVSMenuBottomClick() { MenuPosition(3); }
    void itemDVSZVTCursorClick() { ChangeCursor(QStringLiteral("ZVT")); }
    void mniSettingsDVSMouseWinCursorClick() { ChangeCursor(QStringLiteral("Win")); }
    void mniSettingsDVSAfterExitClick();
    void itemDVSMinimizeClick();
    void itemDVSDeleteClick();
    void mniFileQuitClick();
    void pageMainChange();
    void itemHelpLinksDVSHomePageClick();
    void itemHelpLinksDVSEMailClick();

    // The open and save dialogs of configuration files, as they stand between
    // showings: commands change title, filter or file name and put them back.
    FileDialogRequest dlgLoad;
    FileDialogRequest dlgSave;

    // The windows the start creates after the main window.
    TformAbout *formAbout = nullptr;
    TformSwitches *formSwitches = nullptr;
    TformVersion *formVersion = nullptr;
    TformPrograms *formPrograms = nullptr;
    TformLinks *formLinks = nullptr;

    // The update window, which the Update button opens once it exists.
    TformUpdate *formUpdate = nullptr;
    void setUpdateWindow(TformUpdate *window);
    void butnUpdateClick();
    // The GRF manager and the language text tool, created by the start.
    TformGrfManager *formGrfManager = nullptr;
    TformMkdvtxt *formMkdvtxt = nullptr;
    void itemNewGrfManagerClick();
    void itemMkdvtxtClick();

    // Controls and menu items, named as the program's documents name them.
    QToolBar *menuMain = nullptr;
    QTabWidget *pageMain = nullptr;
    QWidget *pageDV = nullptr;
    QWidget *pageNotepad = nullptr;
    SwitchPanel *scrlMain = nullptr;
    QStatusBar *barMain = nullptr;
    QMenuBar *mnmMain = nullptr;
    QPlainTextEdit *memoNotepad = nullptr;
    QPushButton *butnSaveNotepad = nullptr;
    QPushButton *butnLoadNotepad = nullptr;
    QPushButton *butnSelectAll = nullptr;
    QPushButton *butnCopyAll = nullptr;
    QPushButton *butnClearNotepad = nullptr;

    QToolButton *butnLoadSave = nullptr;
    QToolButton *butnSettingsDVS = nullptr;
    QToolButton *butnSettingsZVT = nullptr;
    QToolButton *butnDVSVersion = nullptr;
    QToolButton *butnLinks = nullptr;
    QToolButton *butnHelp = nullptr;
    QToolButton *butnEdit = nullptr;
    QToolButton *butnTools = nullptr;
    QToolButton *butnUpdate = nullptr;
    QToolButton *butnRun = nullptr;

    QMenu *menuLoadSave = nullptr;
    QMenu *menuSettingsDVS = nullptr;
    QMenu *menuSettingsZVT = nullptr;
    QMenu *menuDVSVersion = nullptr;
    QMenu *menuLinks = nullptr;
    QMenu *menuHelp = nullptr;
    QMenu *menuEdit = nullptr;
    QMenu *menuTools = nullptr;
    QMenu *menuRun = nullptr;

    QAction *mniFileLoadFile = nullptr;
    QAction *mniFileLoadCfg = nullptr;
    QAction *mniFileLoadDefault = nullptr;
    QAction *mniFileSaveFile = nullptr;
    QAction *mniFileSaveCfg = nullptr;
    QAction *itemQuit = nullptr;

    QAction *itemDVSLoadNothing = nullptr;
    QAction *itemDVSLoaddravopaxcfg = nullptr;
    QAction *itemDVSLoadSelectHere = nullptr;
    QAction *itemDVSFullscreen = nullptr;
    QAction *itemDVSOverwrite = nullptr;
    QAction *itemDVSPosition = nullptr;
    QAction *itemDVS3DLook = nullptr;
    QAction *itemDVSMenuTop = nullptr;
    QAction *itemDVSMenuLeft = nullptr;
    QAction *itemDVSMenuRight = nullptr;
    QAction *itemDVSMenuBottom = nullptr;
    QAction *itemDVSMenuText = nullptr;
    QAction *itemDVSWinCursor = nullptr;
    QAction *itemDVSZVTCursor = nullptr;
    QAction *itemDVSExit = nullptr;
    QAction *itemDVSMinimize = nullptr;
    QAction *itemDVSReload = nullptr;
    QAction *itemDVSDelete = nullptr;

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

    QAction *itemHelpLinksDVSHomePage = nullptr;
    QAction *itemHelpLinksDVSEMail = nullptr;

    QAction *itemHelpDVS = nullptr;
    QAction *itemHelpDV = nullptr;
    QAction *itemHelpZVT = nullptr;
    QAction *itemAbout = nullptr;

    QAction *ProgramsEditor1 = nullptr;
    QAction *VersionPatch1 = nullptr;
    QAction *EditDravopaxSwitches = nullptr;
    QAction *itemLinksEditor = nullptr;

    QAction *itemMkdvtxt = nullptr;
    QAction *itemNewGrfManager = nullptr;
    QAction *itemNotepad = nullptr;

    QAction *mniSelectRunDVCfg = nullptr;
    QAction *mniSelectRunDVFile = nullptr;
    QAction *mniSelectRunDVCurrent = nullptr;
    QAction *mniSelectRunDVexebat = nullptr;
    QAction *mniSelectRunZVT = nullptr;

    // The hidden main menu, which carries the keyboard shortcuts.
    QAction *FromFile1 = nullptr;
    QAction *Fromdravopaxcfg1 = nullptr;
    QAction *FromDefaults1 = nullptr;
    QAction *ToFile1 = nullptr;
    QAction *Todravopaxcfg1 = nullptr;
    QAction *mniFileQuit = nullptr;
    QAction *SetZVTDirectory1 = nullptr;
    QAction *ReloadDravopaxDatabase1 = nullptr;
    QAction *HelpDVS1 = nullptr;
    QAction *HelpDV1 = nullptr;
    QAction *HelpZVT1 = nullptr;
    QAction *About1 = nullptr;
    QAction *itemRun = nullptr;

signals:
    // The program is to end at once, without the window's closing steps.
    void programEndRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createToolbar();
    void createMenus();
    void createHiddenMainMenu();
    void createPages();
    void createStatusBar();
    void connectHandlers();
    void connectRegistryHandlers();
    // A check item of the game's settings: writes `on` or `off` as the item
    // turns, and turns it only once the value is written.
    void toggleGameSetting(QAction *item, const QString &name, int on, int off);
    void writeGameSetting(const QString &name, int value);
    void setToolbarText(bool shown);
    void showHintsOf(QMenu *menu);
    // Shows one of the program's other windows over this one, modal for the
    // user; nothing waits for it to close.
    void showOver(QWidget *window);

    QAction *addItem(QMenu *menu, const char *name, const QString &caption, const QString &hint = QString(),
                     const QKeySequence &shortcut = QKeySequence());
    QAction *addCheckItem(QMenu *menu, const char *name, const QString &caption,
                          const QString &hint = QString());
    QMenu *addSubmenu(QMenu *menu, const char *name, const QString &caption, const QString &hint = QString());
    QToolButton *addButton(const char *name, const QString &caption, const QString &hint, int image,
                           QMenu *menu);

    // Connects a handler so that an error it raises is reported and ends only it.
    template <typename Handler> void onTriggered(QAction *action, Handler handler);

    void writeSetting(const QString &key, bool value);
    // Runs a command that stores a choice already stored; a refused write is
    // then no reason to stop.
    void restatingSetting(const std::function<void()> &apply);
    static QString fileNotFoundMessage(const QString &path);
    QStringList composeConfig(ConfigVariant variant) const;
    QString gameDirectory() const;
    bool gameDirectoryStored() const;
    bool gameDirectoryFor(const QString &missing);
    void startPatch(const QString &parameters, const QString &runFile);
    void afterRun();
    void setStartupChoice(QAction *checked, const QString &selectCaption);
    // Runs a handler under the program's general error report.
    void guarded(const std::function<void()> &handler);
    QString versionCaption() const;
    // The pointer of the game (or the Windows one) for `top` and everything in it.
    void applyCursor(QWidget *top, bool game);

    ProgramFiles m_files;
    Platform m_platform;
    bool m_versionNotSet = false;
    SwitchRules *m_rules = nullptr;
    QActionGroup *m_versionGroup = nullptr;
    RunFileKeeper *m_runFiles = nullptr;
    // The load-at-start item the choice stored last stands for.
    QAction *m_startupChoice = nullptr;
    // How the toolbar buttons are drawn.
    QStyle *m_toolbarStyle = nullptr;
    // The folder dialog's last confirmed folder, kept for the rest of the run.
    QString m_browsePath;
    std::optional<QCursor> m_savedCursor;
    // The pointer chosen since the panel was last built, if any: controls made
    // later take it too.
    std::optional<bool> m_cursorSinceBuild;
    QCursor m_gameCursor;
};
