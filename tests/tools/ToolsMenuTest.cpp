#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "tools/TformGrfManager.h"
#include "tools/TformMkdvtxt.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class ToolsMenuTest : public MainWindowFixture
{
protected:
    QTemporaryDir game;
};

TEST_F(ToolsMenuTest, TheToolsMenuOpensBothToolsOverTheMainWindow)
{
    folder.writeSettings(u"[zvt]\ndir=%1\nversion=dos\n"_s.arg(game.path()));
    startProgram();
    EXPECT_EQ(hintShownFor(formMain->menuTools, formMain->itemNewGrfManager),
              u"Install and select GRF files"_s);
    EXPECT_EQ(formMain->itemNewGrfManager->text(), u"NewGrf Manager"_s);

    fake.messages.expectOk(
        MsgType::Error, u"Sorry. Following directory not exist:\n%1/newgrf\nSelect your ZVT "
                        "directory again and be sure you have 'NEWGRF' directory in it."_s.arg(game.path()));
    click(formMain->itemNewGrfManager);
    EXPECT_FALSE(formMain->formGrfManager->isVisible());

    // The folder is found in any letter case, as the game's own system would.
    QDir(game.path()).mkpath(u"NewGRF"_s);
    writeBytes(game.path() + u"/NewGRF/a.grf"_s, "a");
    writeBytes(game.path() + u"/NEWGRF.TXT"_s, "newgrf/a.grf\r\n");
    click(formMain->itemNewGrfManager);
    TformGrfManager &grf = *formMain->formGrfManager;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grf));
    EXPECT_TRUE(grf.isModal());
    EXPECT_LE((grf.geometry().center() - formMain->geometry().center()).manhattanLength(), 4);
    EXPECT_EQ(grf.listGrfFiles->item(0)->checkState(), Qt::Checked);
    // Neither Escape nor the system close leaves; Quit does.
    QTest::keyClick(&grf, Qt::Key_Escape);
    grf.close();
    EXPECT_TRUE(grf.isVisible());
    QTest::mouseClick(grf.butnQuit, Qt::LeftButton);
    EXPECT_FALSE(grf.isVisible());

    writeBytes(game.path() + u"/zvtdvtxt.txt"_s, "text\r\n");
    click(formMain->itemMkdvtxt);
    TformMkdvtxt &tool = *formMain->formMkdvtxt;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tool));
    EXPECT_TRUE(tool.isModal());
    EXPECT_EQ(tool.windowTitle(), u"Mkdvtxt Tool"_s);
    QTest::keyClick(&tool, Qt::Key_Escape);
    EXPECT_TRUE(tool.isVisible());
    QTest::mouseClick(tool.butnQuit, Qt::LeftButton);
    EXPECT_FALSE(tool.isVisible());
}

} // namespace
