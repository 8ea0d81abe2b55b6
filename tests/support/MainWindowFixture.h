#pragma once

#include "FakePlatform.h"
#include "Named.h"
#include "TestFiles.h"

#include "app/ProgramWindows.h"
#include "config/ConfigCommands.h"
#include "editors/EditorCommands.h"
#include "game/GameCommands.h"
#include "switches/SwitchCommands.h"
#include "switches/SwitchControls.h"
#include "tools/ToolCommands.h"
#include "update/UpdateCommands.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class SwitchPanel;
class TformMain;
class QAction;
class QMenu;

// A program started on a folder of its own with scripted platform services.
class MainWindowFixture : public ::testing::Test
{
protected:
    MainWindowFixture();
    // Fails the test for every scripted answer that was never asked for.
    ~MainWindowFixture() override;

    // The boxes every start without a game directory or a patch version
    // shows are answered No and OK, unless a test expects them itself.
    enum class StartQuestions
    {
        Answered,
        Scripted
    };

    // Starts the program the way the entry point does, with the splash
    // window; the main window is then shown offscreen.
    void startProgram(const QString &commandTail = QString(),
                      StartQuestions questions = StartQuestions::Answered);
    // Closes the main window the way the user does.
    void closeProgram();

    // Triggers a menu item as a click on it would.
    static void click(QAction *item);
    // The status-bar text after the mouse moves onto `widget`.
    QString hintShownFor(QWidget *widget);
    QString hintShownFor(QMenu *menu, QAction *item);

    // A part of the main window, or of another window, found by its name as a user would name it.
    template <typename T> T *named(const char *name) const { return ::named<T>(mainWindowObject(), name); }
    template <typename T = QWidget> static T *named(const QObject *window, const char *name)
    {
        return ::named<T>(window, name);
    }
    // Clicks the part `name` of `window` with the left mouse button.
    static void click(const QObject *window, const char *name)
    {
        QTest::mouseClick(named(window, name), Qt::LeftButton);
    }
    // Picks the item `text` of the drop-down list `name` of `window` with a click in its open list.
    static void choose(const QObject *window, const char *name, const QString &text);
    QAction *action(const char *name) const { return named<QAction>(name); }
    SwitchPanel *panel() const;

    // The control the panel holds for switch `name`, as the kind asked for; made if it waits.
    template <typename T = QWidget> T *control(const char *name) const
    {
        return dynamic_cast<T *>(switchControl(name));
    }
    SwitchControl *switchControl(const char *name) const;

    // The version menu's items as "name=caption", the checked one marked "*".
    QStringList versionItems() const;
    QString setting(const QString &key, const QString &section = QStringLiteral("dvs")) const;

    // What `hide` takes from the picture of `widget`: where those pixels lay,
    // and the picture without them. The caller undoes `hide`.
    struct Ink
    {
        QRect box;
        QImage without;
    };
    static Ink inkOf(QWidget *widget, const std::function<void()> &hide);

    QObject *mainWindowObject() const;

    // A folder `name` among the test's game folders (or at that path), holding the given files,
    // separated by blanks.
    QString gameFolder(const char *files, const QString &name = QStringLiteral("game"));
    // Such a folder stored as the game directory `game`, of `kind`, with the first patch version
    // chosen and the further [dvs] settings `dvs`.
    void installGame(const QString &kind, const char *files, const QString &dvs = {},
                     const QString &name = QStringLiteral("Zorvantia Gold"));

    TestProgramFolder folder;
    QTemporaryDir games;
    QString game;
    FakePlatform fake;
    std::unique_ptr<ProgramWindows> windows;
    TformMain *formMain = nullptr;
};

// The boxes of the start that ask for a game directory or a patch version.
extern const QString kNoGameDirectoryQuestion;
extern const QString kGameGoneQuestion;
extern const QString kVersionNotSetMessage;
// What choosing a folder of the Windows or DOS edition with its patch says.
extern const QString kWinFound;
extern const QString kDosFound;
