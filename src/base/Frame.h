#pragma once

class QMenu;
class QStatusBar;
class QString;
class QWidget;

// What the subsystems' commands need of the main window's frame. They are
// given this, never the window itself.
class Frame
{
public:
    virtual ~Frame() = default;

    // The main window, as the parent of the menus and windows the commands make.
    virtual QWidget *mainWindow() = 0;
    // Shows one of the program's other windows over the main window, modal for
    // the user; nothing waits for it to close.
    virtual void showOver(QWidget *window) = 0;
    // Makes a page of the main window's notebook the one shown.
    virtual void showPage(QWidget *page) = 0;
    virtual void setCaption(const QString &caption) = 0;
    virtual QStatusBar *mainStatusBar() = 0;
    // The status bar shows the hint of the menu's item under the mouse.
    virtual void showHintsOf(QMenu *menu) = 0;
    // The window's shortcuts win over keys the control would take for itself.
    virtual void keepShortcuts(QWidget *control) = 0;

    // The switch panel's controls take the pointer chosen for the window and
    // keep its shortcuts; those made while a build runs are set right once it
    // has finished.
    virtual void panelBuildStarted() = 0;
    virtual void controlMade(QWidget *control, QWidget *label) = 0;
    virtual void panelBuildFinished() = 0;

    // After a start of the game: the window minimizes, or the program ends at
    // once, without the window's closing steps.
    virtual void minimize() = 0;
    virtual void endProgram() = 0;
};
