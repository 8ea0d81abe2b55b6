#pragma once

#include "FakePlatform.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <memory>

class ProgramWindows;
class TformMain;
class QAction;
class QMenu;

// A program started on a folder of its own with scripted platform services.
class MainWindowFixture : public ::testing::Test
{
protected:
    MainWindowFixture();
    ~MainWindowFixture() override;

    // Starts the program; the main window is shown offscreen.
    void startProgram();
    // Closes the main window the way the user does.
    void closeProgram();
    void TearDown() override;

    // Triggers a menu item as a click on it would.
    static void click(QAction *item);
    // The status-bar text after the mouse moves onto `widget`.
    QString hintShownFor(QWidget *widget);
    QString hintShownFor(QMenu *menu, QAction *item);

    QString setting(const QString &key, const QString &section = QStringLiteral("dvs")) const;

    TestProgramFolder folder;
    FakePlatform fake;
    std::unique_ptr<ProgramWindows> windows;
    TformMain *formMain = nullptr;
};
