#include "switches/SwitchPanel.h"
#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QStatusBar>
#include <QTest>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace {

const QString kVersions = u"[version]\nnumber=3\ndisplay1=First release\ndisplay2=Second release\n"
                          "display3=Third release\nv1=1\nv2=2\nv3=3\n"_s;

// One switch of each kind, with the data section between them.
const QString kPatch =
    u"[speed]\ncomponent=1\ncaption=Caravan speed\nhint=How fast caravans go\nleft=8\ntop=10\nwidth=60\n"
    "minvalue=1\nmaxvalue=10\nvalue=20\noffvalue=0\n"
    "[lanterns]\ncomponent=2\ncaption=Lanterns at night\nhint=Light the roads\nleft=8\ntop=40\nwidth=200\n"
    "[data]\nnumber=5\norgdata=2026-11-20\n"
    "[weather]\ncomponent=3\ncaption=Weather\nhint=Kind of weather\nleft=8\ntop=70\nwidth=120\nnumber=3\n"
    "number0=Mild\nnumber1=Harsh\nnumber2=Wild\nvalue0=0\nvalue1=1\nvalue2=2\nversion=v2\n"
    "[motto]\ncomponent=4\ncaption=Use <b>bold</b> && more &\nhint=Words on the banner\nleft=300\ntop=10\n"
    "width=120\n"
    "[goods]\ncomponent=5\ncaption=Goods\nhint=Goods to trade\nleft=300\ntop=40\nwidth=150\nheight=80\n"
    "number=2\nnumber0=Salt\nnumber1=Silk\nnumber2=Spice\nvalue0=1\nvalue1=2\nvalue2=4\nvalue=5\n"
    "version=v1\nobsolete=v3\n"_s;

const QString kReloadQuestion =
    u"You are going to reload Dravopax Database. You will lost every changes.\n"
    "All switches will back to their defaults.\nAre you sure you want continue?"_s;

class SwitchPanelTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        folder.writeVersions(kVersions);
        folder.writePatch(kPatch);
        folder.writeSettings(u"[dvs]\nversion=ver2\n"_s);
    }

    // A control or label of the panel, every control made first.
    template <typename T = QWidget> T *control(const QString &name) const
    {
        formMain->scrlMain->controls();
        return formMain->scrlMain->surface()->findChild<T *>(name);
    }
    QLabel *label(const QString &name) const { return control<QLabel>(u"Label"_s + name); }

    QStringList panelOrder() const
    {
        QStringList names;
        for (SwitchControl *c : formMain->scrlMain->controls())
            names << c->name() + u':' + c->kindName();
        return names;
    }
};

TEST_F(SwitchPanelTest, OneControlPerSwitchPlacedCaptionedLimitedAndGreyedAsTheDatabaseSays)
{
    folder.writeSettings(u"[dvs]\nversion=ver3\n"_s);
    startProgram();
    EXPECT_EQ(panelOrder(),
              (QStringList{u"speed:TCSpinEdit"_s, u"lanterns:TCheckBox"_s, u"weather:TComboBox"_s,
                           u"motto:TEdit"_s, u"goods:TCheckListBox"_s}));
    EXPECT_EQ(control(u"motto"_s)->property("switchKind").toString(), u"TEdit"_s);
    EXPECT_EQ(formMain->windowTitle(), u"Dravopax Vevavav - ver. Third release"_s);
    EXPECT_EQ(formMain->scrlMain->surface()->findChildren<QLabel *>().size(), 4) << "the check box has none";

    QLabel *speedLabel = label(u"speed"_s);
    EXPECT_EQ(speedLabel->text(), u"Caravan speed"_s);
    EXPECT_EQ(speedLabel->pos(), QPoint(8, 10));
    auto *speed = control<NumberSwitch>(u"speed"_s);
    EXPECT_EQ(speed->geometry().topLeft(), QPoint(8 + speedLabel->width() + 2, 10));
    EXPECT_EQ(speed->width(), 60);
    EXPECT_EQ(speed->text(), u"10"_s) << "a default above the limit shows the limit";
    EXPECT_EQ(std::pair(speed->minValue(), speed->maxValue()), std::pair(1, 10));

    auto *lanterns = control<OnOffSwitch>(u"lanterns"_s);
    EXPECT_EQ(lanterns->text(), u"Lanterns at night"_s);
    EXPECT_EQ(lanterns->pos(), QPoint(8, 40));
    EXPECT_FALSE(lanterns->isChecked()) << "a missing value builds unchecked";

    EXPECT_EQ(label(u"weather"_s)->text(), u"Weather:"_s);
    auto *weather = control<ChoiceSwitch>(u"weather"_s);
    EXPECT_EQ(weather->pos(), QPoint(8, 70 + label(u"weather"_s)->height()));
    EXPECT_EQ(weather->count(), 3);
    EXPECT_EQ(weather->currentText(), u"Mild"_s);
    EXPECT_EQ(weather->droppedWidth(), 150) << "the control width + 30 without expandwidth";

    EXPECT_EQ(control(u"motto"_s)->pos(), QPoint(300 + label(u"motto"_s)->width() + 2, 10));
    EXPECT_EQ(control<TextSwitch>(u"motto"_s)->text(), u"0"_s) << "a text without value shows 0";
    EXPECT_EQ(label(u"motto"_s)->text(), u"Use <b>bold</b> & more &"_s);
    EXPECT_EQ(label(u"motto"_s)->textFormat(), Qt::PlainText);

    auto *goods = control<SetSwitch>(u"goods"_s);
    EXPECT_EQ(goods->geometry(), QRect(300, 40 + label(u"goods"_s)->height(), 150, 80));
    EXPECT_EQ(goods->count(), 3) << "number is the last index";
    EXPECT_EQ(goods->checkStates(), (QList<bool>{true, false, true}));
    EXPECT_FALSE(goods->isEnabled()) << "obsolete from the third release";
    EXPECT_TRUE(label(u"goods"_s)->isEnabled());
    EXPECT_TRUE(weather->isEnabled());

    EXPECT_NE(speed->cursor().shape(), Qt::BitmapCursor) << "the game cursor only when chosen";
    EXPECT_EQ(hintShownFor(speed), u"How fast caravans go"_s);
    EXPECT_EQ(hintShownFor(label(u"goods"_s)), u"Goods to trade"_s);
    EXPECT_EQ(hintShownFor(lanterns), u"Light the roads"_s);
}

TEST_F(SwitchPanelTest, ThreeDLookOffDrawsTheControlsFlatButLeavesTheDropDownListAndTheCursorReachesThem)
{
    folder.writeSettings(u"[dvs]\nversion=ver2\n3dlook=0\nmouse=1\n"_s);
    startProgram();
    EXPECT_FALSE(control<NumberSwitch>(u"speed"_s)->hasFrame());
    EXPECT_FALSE(control<TextSwitch>(u"motto"_s)->hasFrame());
    auto *goods = control<SetSwitch>(u"goods"_s);
    EXPECT_EQ(std::pair(goods->frameShape(), goods->frameShadow()), std::pair(QFrame::Box, QFrame::Plain));
    EXPECT_FALSE(control(u"lanterns"_s)->property("ctl3D").toBool());
    EXPECT_FALSE(control(u"weather"_s)->property("ctl3D").isValid());
    EXPECT_EQ(control(u"speed"_s)->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(label(u"goods"_s)->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(SwitchPanelTest, ScrollingPastControlsWithTheWheelNeverChangesThem)
{
    // Far enough down that the panel has something to scroll.
    folder.writePatch(kPatch + u"[far]\ncomponent=2\ncaption=Far\nleft=8\ntop=3000\nwidth=80\n"_s);
    startProgram();
    auto *speed = control<NumberSwitch>(u"speed"_s);
    auto *weather = control<ChoiceSwitch>(u"weather"_s);
    auto *goods = control<SetSwitch>(u"goods"_s);
    QScrollBar *bar = formMain->scrlMain->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);

    // Delivered as the window system delivers it, so a control that takes the
    // focus on the wheel would get the chance to.
    const auto wheelDown = [](QWidget *target) {
        QWheelEvent wheel(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        qApp->notify(target, &wheel);
    };
    for (QWidget *target :
         {static_cast<QWidget *>(speed), static_cast<QWidget *>(weather), goods->viewport()})
        wheelDown(target);
    EXPECT_EQ(speed->text(), u"10"_s);
    EXPECT_FALSE(speed->hasFocus());
    EXPECT_EQ(weather->currentIndex(), 0);
    EXPECT_EQ(goods->checkStates(), (QList<bool>{true, false, true}));
    EXPECT_GT(bar->value(), 0) << "the panel scrolled instead";

    speed->setFocus();
    ASSERT_TRUE(speed->hasFocus());
    wheelDown(speed);
    EXPECT_EQ(speed->text(), u"9"_s) << "a focused spin edit still takes the wheel";
}

TEST_F(SwitchPanelTest, AbsurdNumbersInTheDatabaseAreBounded)
{
    folder.writePatch(u"[data]\nnumber=2000000000\n"
                      "[wide]\ncomponent=4\nleft=-5000\ntop=-7\nwidth=99999999\ncaption=Wide\n"
                      "[many]\ncomponent=3\nnumber=2000000000\nwidth=-40\nexpandwidth=2000000000\n"
                      "[manyset]\ncomponent=5\nnumber=2000000000\nheight=99999999\n"
                      "[negative]\ncomponent=5\nnumber=-5\nvalue=3\n[nochoice]\ncomponent=3\nnumber=-5\n"
                      "[words]\ncomponent=1\nleft=ten\nminvalue=low\nmaxvalue=high\nvalue=x\n"_s);
    startProgram();
    EXPECT_EQ(label(u"wide"_s)->pos(), QPoint(0, 0));
    EXPECT_EQ(control(u"wide"_s)->width(), 10000);
    EXPECT_EQ(control<ChoiceSwitch>(u"many"_s)->count(), 1000);
    EXPECT_EQ(control<ChoiceSwitch>(u"many"_s)->droppedWidth(), 10000);
    EXPECT_EQ(control<SetSwitch>(u"manyset"_s)->count(), 1000);
    EXPECT_EQ(control<SetSwitch>(u"manyset"_s)->height(), 10000);
    EXPECT_EQ(control<SetSwitch>(u"negative"_s)->count(), 0);
    EXPECT_EQ(control<ChoiceSwitch>(u"nochoice"_s)->count(), 0);
    EXPECT_EQ(control<NumberSwitch>(u"words"_s)->text(), u"0"_s);
    EXPECT_EQ(formMain->statusBar()->findChildren<QProgressBar *>().size(), 0);
}

TEST_F(SwitchPanelTest, BadNamesAndDamageAreReportedOrSkippedAndTheRestIsBuilt)
{
    // A database, the messages its build shows, and the switches then built.
    const std::tuple<QByteArray, QStringList, QStringList> databases[] = {
        {crlf(u"[2fast]\ncomponent=2\n[bad-name]\ncomponent=2\n[good]\ncomponent=2\ncaption=First\n"
              "[GOOD]\ncomponent=4\n[butnRun]\ncomponent=2\n[notaswitch]\ncomponent=6\n[bad name]\n"
              "component=0\n[ok_2]\ncomponent=1\n[Labelok_2]\ncomponent=2\n[good]\ncomponent=4\n"_s),
         {u"''2fast'' is not a valid component name"_s, u"''bad-name'' is not a valid component name"_s,
          u"A component named GOOD already exists"_s, u"A component named butnRun already exists"_s,
          u"A component named Labelok_2 already exists"_s, u"A component named good already exists"_s},
         {u"good:TCheckBox"_s, u"ok_2:TCSpinEdit"_s}},
        {QByteArray(), {}, {}},
        {"no sections at all\r\ncomponent=1\r\n", {}, {}},
        {QByteArray(300000, '\xFF'), {}, {}},
        {"[long]\r\ncomponent=4\r\nvalue=" + QByteArray(1 << 20, 'x') + "\r\n", {}, {u"long:TEdit"_s}},
        {QByteArray("[nul]\r\ncompo\0nent=2\r\n", 22), {}, {}},
    };
    for (const auto &[bytes, messages, built] : databases) {
        writeBytes(folder.files().patchIni(), bytes);
        for (const QString &message : messages)
            fake.messages.expectOk(MsgType::Error, message);
        startProgram();
        EXPECT_EQ(panelOrder(), built);
        EXPECT_EQ(formMain->windowTitle(), u"Dravopax Vevavav - ver. Second release"_s);
        if (auto *good = control<OnOffSwitch>(u"good"_s)) {
            EXPECT_EQ(good->text(), u"First"_s) << "a switch named twice is built from its first place";
        }
        closeProgram();
    }

    QDir(folder.path() + u"/Data"_s).removeRecursively();
    // Without version.ini the menu offers one version, and the stored second is gone.
    fake.messages.expectOk(MsgType::Warning, u"Version was founded in settings but it is no longer exist.\n"
                                             "Version set to the lowest possible."_s);
    startProgram();
    EXPECT_TRUE(formMain->scrlMain->controls().empty());
    EXPECT_EQ(formMain->windowTitle(), u"Dravopax Vevavav - ver. CORRUPT VERSION FILE"_s);
}

TEST_F(SwitchPanelTest, TheShippedSampleDatabaseBuildsWithoutComplaint)
{
    folder.copySampleData(u"patch.ini"_s);
    folder.copySampleData(u"version.ini"_s);
    startProgram();
    EXPECT_GE(formMain->scrlMain->controls().size(), 40u);
    QSet<QString> kinds;
    QSet<bool> enabled;
    for (SwitchControl *c : formMain->scrlMain->controls()) {
        kinds.insert(c->kindName());
        enabled.insert(c->widget()->isEnabled());
    }
    EXPECT_EQ(kinds.size(), 5);
    EXPECT_EQ(enabled.size(), 2) << "the second version knows some switches but not every one";
}

TEST_F(SwitchPanelTest, ReloadAnsweredNoKeepsValuesAndYesRebuildsFromTheEditedDatabase)
{
    startProgram();
    control<OnOffSwitch>(u"lanterns"_s)->setChecked(true);
    fake.messages.expect(MsgType::Warning, kReloadQuestion, MsgButtons::YesNo, MsgAnswer::No);
    click(formMain->itemDVSReload);
    EXPECT_TRUE(control<OnOffSwitch>(u"lanterns"_s)->isChecked());

    folder.writePatch(kPatch + u"[added]\ncomponent=2\ncaption=Added later\n"_s);
    fake.messages.expect(MsgType::Warning, kReloadQuestion, MsgButtons::YesNo, MsgAnswer::Yes);
    QTest::keyClick(formMain, Qt::Key_F12, Qt::ControlModifier);
    EXPECT_FALSE(control<OnOffSwitch>(u"lanterns"_s)->isChecked());
    EXPECT_EQ(formMain->scrlMain->controls().size(), 6u) << "rebuilt once, nothing doubled";
    EXPECT_EQ(control<OnOffSwitch>(u"added"_s)->text(), u"Added later"_s);
    EXPECT_TRUE(formMain->scrlMain->isVisible());
}

} // namespace
