#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

namespace {

// Switches of every kind far below what the window shows, between two in view
// and one last switch.
const QString kPatch = QStringLiteral(
    "[near]\ncomponent=2\ncaption=Near\nleft=8\ntop=10\nwidth=100\nvalue=1\n"
    "[farNumber]\ncomponent=1\ncaption=Speed\nleft=8\ntop=4000\nwidth=60\nminvalue=1\nmaxvalue=10\n"
    "value=20\noffvalue=0\n"
    "[farOnOff]\ncomponent=2\ncaption=Lanterns\nleft=8\ntop=4030\nwidth=100\nvalue=1\n"
    "[farChoice]\ncomponent=3\ncaption=Weather\nleft=8\ntop=4060\nwidth=120\nnumber=2\nnumber0=Mild\n"
    "number1=Wild\nvalue0=0\nvalue1=1\n"
    "[farText]\ncomponent=4\ncaption=Motto\nleft=8\ntop=4110\nwidth=120\nvalue=Onwards\n"
    "[farSet]\ncomponent=5\ncaption=Goods\nleft=8\ntop=4140\nwidth=150\nheight=80\nnumber=2\n"
    "number0=Salt\nnumber1=Silk\nnumber2=Spice\nvalue0=1\nvalue1=2\nvalue2=4\nvalue=5\nobsolete=v3\n"
    "[near2]\ncomponent=2\ncaption=Near too\nleft=300\ntop=10\nwidth=100\n"
    "[last]\ncomponent=2\ncaption=Last\nleft=8\ntop=4300\nwidth=100\n");

class DeferredSwitchesTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        folder.writeVersions(
            QStringLiteral("[version]\nnumber=3\ndisplay1=One\ndisplay2=Two\ndisplay3=Three\n"
                           "v1=1\nv2=2\nv3=3\n"));
        folder.writePatch(kPatch);
        folder.writeSettings(QStringLiteral("[dvs]\nversion=ver2\nmouse=1\n"));
        startProgram();
    }
    QWidget *made(const char *name) const
    {
        return formMain->scrlMain->surface()->findChild<QWidget *>(QString::fromLatin1(name));
    }
    QByteArray saved(const QString &name)
    {
        const QString path = folder.path() + QLatin1Char('/') + name;
        formMain->SaveCFG(path);
        return readBytes(path);
    }
};

TEST_F(DeferredSwitchesTest, SwitchesOutOfViewWaitForTheirControlsAndReadAsIfTheyHadThem)
{
    for (const char *name : {"near", "near2", "last"})
        EXPECT_NE(made(name), nullptr) << name;
    for (const char *name : {"farNumber", "farOnOff", "farChoice", "farText", "farSet"})
        EXPECT_EQ(made(name), nullptr) << name;
    ASSERT_GT(formMain->scrlMain->verticalScrollBar()->maximum(), 3500) << "the scroll bar reaches them";

    // A version that has dropped a switch greys it before its control exists.
    click(formMain->menuDVSVersion->findChild<QAction *>(QStringLiteral("ver3")));
    const QByteArray beforeMade = saved(QStringLiteral("before.cfg"));
    EXPECT_EQ(made("farText"), nullptr) << "saving made no control";
    EXPECT_EQ(formMain->scrlMain->controls().size(), 8u);
    EXPECT_EQ(saved(QStringLiteral("after.cfg")), beforeMade);
    EXPECT_FALSE(made("farSet")->isEnabled());
    // Made after the game cursor was chosen, they take it; a text field keeps its own.
    EXPECT_EQ(made("farNumber")->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(formMain->scrlMain->label(QStringLiteral("farText"))->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(made("farText")->cursor().shape(), Qt::IBeamCursor);
}

TEST_F(DeferredSwitchesTest, ScrollingTabAndLoadingMakeTheControlsTheyReach)
{
    writeText(folder.path() + QStringLiteral("/load.cfg"), QStringLiteral("farChoice 1\n"));
    formMain->LoadCFG(folder.path() + QStringLiteral("/load.cfg"));
    ASSERT_NE(made("farChoice"), nullptr);
    EXPECT_EQ(static_cast<ChoiceSwitch *>(made("farChoice"))->currentText(), QStringLiteral("Wild"));
    EXPECT_EQ(made("farText"), nullptr);

    made("near")->setFocus();
    QTest::keyClick(made("near"), Qt::Key_Tab);
    ASSERT_NE(made("farNumber"), nullptr);
    EXPECT_TRUE(made("farNumber")->hasFocus()) << "Tab goes on in panel order";
    EXPECT_TRUE(made("farNumber")->isVisible()) << "and scrolls to it";

    formMain->scrlMain->verticalScrollBar()->setValue(formMain->scrlMain->verticalScrollBar()->maximum());
    ASSERT_NE(made("farSet"), nullptr);
    EXPECT_TRUE(made("farSet")->isVisible());
    EXPECT_TRUE(made("LabelfarSet")->isVisible());
}

} // namespace
