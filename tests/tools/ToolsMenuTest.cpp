#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "tools/TformGrfManager.h"
#include "tools/TformMkdvtxt.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

using ToolsMenuTest = MainWindowFixture;

TEST_F(ToolsMenuTest, TheToolsMenuOpensBothToolsModallyOverTheMainWindow)
{
    installGame(u"dos"_s, "");
    writeBytes(game + u"/zvtdvtxt.txt"_s, "text\r\n");
    startProgram();
    EXPECT_EQ(hintShownFor(named<QMenu>("menuTools"), action("itemNewGrfManager")),
              u"Install and select GRF files"_s);
    fake.messages.expectOk(MsgType::Error,
                           u"Sorry. Following directory not exist:\n%1/newgrf\nSelect your ZVT "
                           "directory again and be sure you have 'NEWGRF' directory in it."_s.arg(game));
    click(action("itemNewGrfManager"));
    EXPECT_FALSE(windows->tools().formGrfManager()->isVisible());

    // The folder and the list are found in any letter case, as the game's own system finds them.
    QDir(game).mkpath(u"NewGRF"_s);
    writeBytes(game + u"/NewGRF/a.grf"_s, "a");
    writeBytes(game + u"/NEWGRF.TXT"_s, "newgrf/a.grf\r\n");
    click(action("itemNewGrfManager"));
    EXPECT_EQ(named<QListWidget>(windows->tools().formGrfManager(), "listGrfFiles")->item(0)->checkState(),
              Qt::Checked);
    click(action("itemMkdvtxt"));
    for (QDialog *tool : std::initializer_list<QDialog *>{windows->tools().formGrfManager(),
                                                          windows->tools().formMkdvtxt()}) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(tool));
        EXPECT_TRUE(tool->isModal());
        EXPECT_LE((tool->geometry().center() - formMain->geometry().center()).manhattanLength(), 4);
        // Neither Escape nor the system close leaves; Quit does.
        QTest::keyClick(tool, Qt::Key_Escape);
        tool->close();
        EXPECT_TRUE(tool->isVisible());
        click(tool, "butnQuit");
        EXPECT_FALSE(tool->isVisible());
    }
}

} // namespace
