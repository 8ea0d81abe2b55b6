#pragma once

#include "base/Frame.h"
#include "base/ProgramFiles.h"
#include "base/ProgramSettings.h"
#include "platform/Platform.h"

#include <QCursor>
#include <QMainWindow>

#include <functional>
#include <optional>

class ConfigCommands;
class EditorCommands;
class GameCommands;
class QAction;
class QMenu;
class QMenuBar;
class QStyle;
class QTabWidget;
class QToolBar;
class QToolButton;
class SwitchCommands;
class ToolCommands;
class UpdateCommands;

// The main window's frame: a toolbar of drop-down buttons, a notebook of the
// switch panel and the notepad page, a status bar that shows the hint of
// whatever the mouse is over, and the program's own settings of the DVS
// Settings menu. The subsystems' commands fill the menus and the pages.
class TformMain final : public QMainWindow, public Frame
{
    Q_OBJECT

public:
    // The commands of every subsystem, which the frame's menus offer.
    struct Commands
    {
        SwitchCommands &switches;
        ConfigCommands &config;
        GameCommands &game;
        EditorCommands &editors;
        ToolCommands &tools;
        UpdateCommands &update;
    };

    TformMain(ProgramFiles files, Platform platform, QWidget *parent = nullptr);
    ~TformMain() override;

    // The page the switch panel is made in.
    QWidget *switchesPage() const { return pageDV; }
    // Puts the commands in the toolbar's menus, the hidden main menu and the notebook.
    void placeCommands(const Commands &commands);

    // The program settings of the DVS Settings menu, as the start applies them
    // to the menus, the toolbar and the cursor.
    void ApplyProgramSettings();
    void MenuPosition(int position);
    void ChangeCursor(const QString &mode);

    QWidget *mainWindow() override { return this; }
    void showOver(QWidget *window) override;
    void showPage(QWidget *page) override;
    void setCaption(const QString &caption) override { setWindowTitle(caption); }
    QStatusBar *mainStatusBar() override { return barMain; }
    void showHintsOf(QMenu *menu) override;
    void keepShortcuts(QWidget *control) override;
    void panelBuildStarted() override;
    void controlMade(QWidget *control, QWidget *label) override;
    void panelBuildFinished() override;
    void minimize() override;
    void endProgram() override { emit programEndRequested(); }

signals:
    // The program is to end at once, without the window's closing steps.
    void programEndRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createOwnItems();
    void createToolbar();
    void createPages();
    void createStatusBar();
    void connectHandlers();
    void placeSettingsMenu(const Commands &commands);
    void createHiddenMainMenu(const Commands &commands);
    QToolButton *addButton(const char *name, const QString &caption, const QString &hint, int image);
    static void place(QMenu *menu, std::initializer_list<QAction *> items);
    static void setButtonMenu(QToolButton *button, QMenu *menu);
    void setToolbarText(bool shown);

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
    void itemDVSDeleteClick();
    void mniFileQuitClick();
    void pageMainChange();

    // Runs a command that stores a choice already stored; a refused write is
    // then no reason to stop.
    static void restatingSetting(const std::function<void()> &apply);
    // The pointer of the game (or the Windows one) for `top` and everything in it.
    void applyCursor(QWidget *top, bool game);

    ProgramFiles m_files;
    ProgramSettings m_settings;
    Platform m_platform;

    QToolBar *menuMain = nullptr;
    QTabWidget *pageMain = nullptr;
    QWidget *pageDV = nullptr;
    QStatusBar *barMain = nullptr;
    QMenuBar *mnmMain = nullptr;
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

    QAction *itemQuit = nullptr;
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
    QAction *itemDVSDelete = nullptr;
    // The notepad item may fill the notepad only while the switches show.
    QAction *m_notepadItem = nullptr;

    // How the toolbar buttons are drawn.
    QStyle *m_toolbarStyle = nullptr;
    std::optional<QCursor> m_savedCursor;
    // The pointer chosen since the panel was last built, if any: controls made
    // later take it too.
    std::optional<bool> m_cursorSinceBuild;
    QCursor m_gameCursor;
};
