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

namespace {

const QString kVersions =
    QStringLiteral("[version]\nnumber=3\ndisplay1=First release\ndisplay2=Second release\n"
                   "display3=Third release\nv1=1\nv2=2\nv3=3\n");

// One switch of each kind, with the data section between them.
const QString kPatch = QStringLiteral(
    "[speed]\ncomponent=1\ncaption=Caravan speed\nhint=How fast caravans go\nleft=8\ntop=10\nwidth=60\n"
    "minvalue=1\nmaxvalue=10\nvalue=20\noffvalue=0\n"
    "[lanterns]\ncomponent=2\ncaption=Lanterns at night\nhint=Light the roads\nleft=8\ntop=40\nwidth=200\n"
    "[data]\nnumber=5\norgdata=2026-11-20\n"
    "[weather]\ncomponent=3\ncaption=Weather\nhint=Kind of weather\nleft=8\ntop=70\nwidth=120\nnumber=3\n"
    "number0=Mild\nnumber1=Harsh\nnumber2=Wild\nvalue0=0\nvalue1=1\nvalue2=2\nversion=v2\n"
    "[motto]\ncomponent=4\ncaption=Guild motto\nhint=Words on the banner\nleft=300\ntop=10\nwidth=120\n"
    "[goods]\ncomponent=5\ncaption=Goods\nhint=Goods to trade\nleft=300\ntop=40\nwidth=150\nheight=80\n"
    "number=2\nnumber0=Salt\nnumber1=Silk\nnumber2=Spice\nvalue0=1\nvalue1=2\nvalue2=4\nvalue=5\n"
    "version=v1\nobsolete=v3\n");

class SwitchPanelTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        folder.writeVersions(kVersions);
        folder.writePatch(kPatch);
        folder.writeSettings(QStringLiteral("[dvs]\nversion=ver2\n"));
    }

    template <typename T = QWidget> T *control(const QString &name) const
    {
        return formMain->scrlMain->surface()->findChild<T *>(name);
    }
    QLabel *label(const QString &name) const { return control<QLabel>(QStringLiteral("Label") + name); }

    QStringList panelOrder() const
    {
        QStringList names;
        for (SwitchControl *c : formMain->scrlMain->controls())
            names << c->name() + QLatin1Char(':') + c->kindName();
        return names;
    }
};

TEST_F(SwitchPanelTest, OneControlPerSwitchInFileOrderRecognisableByKind)
{
    startProgram();
    EXPECT_EQ(panelOrder(),
              (QStringList{QStringLiteral("speed:TCSpinEdit"), QStringLiteral("lanterns:TCheckBox"),
                           QStringLiteral("weather:TComboBox"), QStringLiteral("motto:TEdit"),
                           QStringLiteral("goods:TCheckListBox")}));
    EXPECT_EQ(control(QStringLiteral("motto"))->property("switchKind").toString(), QStringLiteral("TEdit"));
    EXPECT_EQ(formMain->windowTitle(), QStringLiteral("Dravopax Vevavav - ver. Second release"));
    EXPECT_EQ(formMain->scrlMain->surface()->findChildren<QLabel *>().size(), 4)
        << "the check box has no label";
}

TEST_F(SwitchPanelTest, ControlsArePlacedCaptionedAndLimitedAsTheDatabaseSays)
{
    startProgram();
    QLabel *speedLabel = label(QStringLiteral("speed"));
    ASSERT_TRUE(speedLabel);
    EXPECT_EQ(speedLabel->text(), QStringLiteral("Caravan speed"));
    EXPECT_EQ(speedLabel->pos(), QPoint(8, 10));
    auto *speed = control<NumberSwitch>(QStringLiteral("speed"));
    EXPECT_EQ(speed->geometry().topLeft(), QPoint(8 + speedLabel->width() + 2, 10));
    EXPECT_EQ(speed->width(), 60);
    EXPECT_EQ(speed->text(), QStringLiteral("10")) << "a default above the limit shows the limit";
    EXPECT_EQ(speed->minValue(), 1);
    EXPECT_EQ(speed->maxValue(), 10);

    auto *lanterns = control<OnOffSwitch>(QStringLiteral("lanterns"));
    EXPECT_EQ(lanterns->text(), QStringLiteral("Lanterns at night"));
    EXPECT_EQ(lanterns->pos(), QPoint(8, 40));
    EXPECT_FALSE(lanterns->isChecked()) << "a missing value builds unchecked";

    QLabel *weatherLabel = label(QStringLiteral("weather"));
    EXPECT_EQ(weatherLabel->text(), QStringLiteral("Weather:"));
    auto *weather = control<ChoiceSwitch>(QStringLiteral("weather"));
    EXPECT_EQ(weather->pos(), QPoint(8, 70 + weatherLabel->height()));
    EXPECT_EQ(weather->count(), 3);
    EXPECT_EQ(weather->currentText(), QStringLiteral("Mild"));
    EXPECT_EQ(weather->droppedWidth(), 150) << "the control width + 30 without expandwidth";

    auto *motto = control<TextSwitch>(QStringLiteral("motto"));
    EXPECT_EQ(motto->text(), QStringLiteral("0")) << "a text without value shows 0";

    auto *goods = control<SetSwitch>(QStringLiteral("goods"));
    EXPECT_EQ(goods->geometry(), QRect(300, 40 + label(QStringLiteral("goods"))->height(), 150, 80));
    EXPECT_EQ(goods->count(), 3) << "number is the last index";
    EXPECT_EQ(goods->checkStates(), (QList<bool>{true, false, true}));
}

TEST_F(SwitchPanelTest, SwitchesTheSelectedVersionDoesNotKnowAreGreyedWithTheirLabelNormal)
{
    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\n"));
    startProgram();
    EXPECT_FALSE(control(QStringLiteral("weather"))->isEnabled());
    EXPECT_TRUE(label(QStringLiteral("weather"))->isEnabled());
    EXPECT_TRUE(control(QStringLiteral("goods"))->isEnabled());
    EXPECT_TRUE(control(QStringLiteral("speed"))->isEnabled());
    closeProgram();

    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver3\n"));
    startProgram();
    EXPECT_TRUE(control(QStringLiteral("weather"))->isEnabled());
    EXPECT_FALSE(control(QStringLiteral("goods"))->isEnabled()) << "obsolete from the third release";
}

TEST_F(SwitchPanelTest, ControlsAndLabelsShowTheirHintInTheStatusBar)
{
    startProgram();
    EXPECT_EQ(hintShownFor(control(QStringLiteral("speed"))), QStringLiteral("How fast caravans go"));
    EXPECT_EQ(hintShownFor(label(QStringLiteral("goods"))), QStringLiteral("Goods to trade"));
    EXPECT_EQ(hintShownFor(control(QStringLiteral("lanterns"))), QStringLiteral("Light the roads"));
}

TEST_F(SwitchPanelTest, ThreeDLookOffDrawsTheControlsFlatButLeavesTheDropDownList)
{
    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver2\n3dlook=0\n"));
    startProgram();
    EXPECT_FALSE(control<NumberSwitch>(QStringLiteral("speed"))->hasFrame());
    EXPECT_FALSE(control<TextSwitch>(QStringLiteral("motto"))->hasFrame());
    EXPECT_EQ(control<SetSwitch>(QStringLiteral("goods"))->frameShadow(), QFrame::Plain);
    EXPECT_FALSE(control(QStringLiteral("lanterns"))->property("ctl3D").toBool());
    EXPECT_FALSE(control(QStringLiteral("weather"))->property("ctl3D").isValid());
}

TEST_F(SwitchPanelTest, TheGameCursorReachesTheSwitchControls)
{
    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver2\nmouse=1\n"));
    startProgram();
    EXPECT_EQ(control(QStringLiteral("speed"))->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(label(QStringLiteral("goods"))->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(SwitchPanelTest, ScrollingPastControlsWithTheWheelNeverChangesThem)
{
    // Far enough down that the panel has something to scroll.
    folder.writePatch(kPatch +
                      QStringLiteral("[far]\ncomponent=2\ncaption=Far\nleft=8\ntop=3000\nwidth=80\n"));
    startProgram();
    auto *speed = control<NumberSwitch>(QStringLiteral("speed"));
    auto *weather = control<ChoiceSwitch>(QStringLiteral("weather"));
    auto *goods = control<SetSwitch>(QStringLiteral("goods"));
    QScrollBar *bar = formMain->scrlMain->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);

    // Delivered as the window system delivers it, so a control that takes the
    // focus on the wheel would get the chance to.
    auto wheelDown = [](QWidget *target) {
        const QPointF at(5, 5);
        QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        qApp->notify(target, &wheel);
    };
    const QString speedBefore = speed->text();
    wheelDown(speed);
    wheelDown(weather);
    wheelDown(goods->viewport());
    EXPECT_EQ(speed->text(), speedBefore);
    EXPECT_FALSE(speed->hasFocus());
    EXPECT_EQ(weather->currentIndex(), 0);
    EXPECT_EQ(goods->checkStates(), (QList<bool>{true, false, true}));
    EXPECT_GT(bar->value(), 0) << "the panel scrolled instead";

    speed->setFocus();
    ASSERT_TRUE(speed->hasFocus());
    wheelDown(speed);
    EXPECT_EQ(speed->text(), QStringLiteral("9")) << "a focused spin edit still takes the wheel";
}

TEST_F(SwitchPanelTest, ABadSwitchNameIsReportedOnceAndSkippedAndTheRestIsBuilt)
{
    folder.writePatch(
        QStringLiteral("[2fast]\ncomponent=2\n[bad-name]\ncomponent=2\n[good]\ncomponent=2\n"
                       "[GOOD]\ncomponent=4\n[butnRun]\ncomponent=2\n[notaswitch]\ncomponent=6\n"
                       "[bad name]\ncomponent=0\n[ok_2]\ncomponent=1\n[Labelok_2]\ncomponent=2\n"));
    fake.messages.expectOk(MsgType::Error, QStringLiteral("''2fast'' is not a valid component name"));
    fake.messages.expectOk(MsgType::Error, QStringLiteral("''bad-name'' is not a valid component name"));
    fake.messages.expectOk(MsgType::Error, QStringLiteral("A component named GOOD already exists"));
    fake.messages.expectOk(MsgType::Error, QStringLiteral("A component named butnRun already exists"));
    fake.messages.expectOk(MsgType::Error, QStringLiteral("A component named Labelok_2 already exists"));
    startProgram();
    EXPECT_EQ(panelOrder(),
              (QStringList{QStringLiteral("good:TCheckBox"), QStringLiteral("ok_2:TCSpinEdit")}));
}

TEST_F(SwitchPanelTest, ASectionNamedTwiceIsBuiltOnceFromItsFirstPlace)
{
    folder.writePatch(
        QStringLiteral("[speed]\ncomponent=2\ncaption=First\n[Speed]\ncomponent=2\ncaption=Second\n"
                       "[speed]\ncomponent=4\ncaption=Third\n"));
    fake.messages.expectOk(MsgType::Error, QStringLiteral("A component named Speed already exists"));
    fake.messages.expectOk(MsgType::Error, QStringLiteral("A component named speed already exists"));
    startProgram();
    EXPECT_EQ(panelOrder(), QStringList{QStringLiteral("speed:TCheckBox")});
    EXPECT_EQ(control<OnOffSwitch>(QStringLiteral("speed"))->text(), QStringLiteral("First"));
}

TEST_F(SwitchPanelTest, CaptionsAreShownAsWrittenNeverAsMarkup)
{
    folder.writePatch(QStringLiteral("[tags]\ncomponent=4\ncaption=Use <b>bold</b> && more\n"));
    startProgram();
    EXPECT_EQ(label(QStringLiteral("tags"))->text(), QStringLiteral("Use <b>bold</b> & more"));
    EXPECT_EQ(label(QStringLiteral("tags"))->textFormat(), Qt::PlainText);
}

TEST_F(SwitchPanelTest, AbsurdNumbersInTheDatabaseAreBounded)
{
    folder.writePatch(
        QStringLiteral("[data]\nnumber=2000000000\n"
                       "[wide]\ncomponent=4\nleft=-5000\ntop=-7\nwidth=99999999\ncaption=Wide\n"
                       "[many]\ncomponent=3\nnumber=2000000000\nwidth=-40\nexpandwidth=2000000000\n"
                       "[manyset]\ncomponent=5\nnumber=2000000000\nheight=99999999\n"
                       "[negative]\ncomponent=5\nnumber=-5\nvalue=3\n"
                       "[words]\ncomponent=1\nleft=ten\nminvalue=low\nmaxvalue=high\nvalue=x\n"));
    startProgram();
    QLabel *wideLabel = label(QStringLiteral("wide"));
    EXPECT_EQ(wideLabel->pos(), QPoint(0, 0));
    EXPECT_EQ(control(QStringLiteral("wide"))->width(), 10000);
    EXPECT_EQ(control<ChoiceSwitch>(QStringLiteral("many"))->count(), 1000);
    EXPECT_EQ(control<ChoiceSwitch>(QStringLiteral("many"))->droppedWidth(), 10000);
    EXPECT_EQ(control<SetSwitch>(QStringLiteral("manyset"))->count(), 1000);
    EXPECT_EQ(control<SetSwitch>(QStringLiteral("manyset"))->height(), 10000);
    EXPECT_EQ(control<SetSwitch>(QStringLiteral("negative"))->count(), 0);
    EXPECT_EQ(control<NumberSwitch>(QStringLiteral("words"))->text(), QStringLiteral("0"));
    EXPECT_EQ(formMain->statusBar()->findChildren<QProgressBar *>().size(), 0) << "the progress bar is gone";
}

TEST_F(SwitchPanelTest, ADamagedOrMissingDatabaseLeavesThePanelEmptyAndTheProgramRunning)
{
    const QList<QByteArray> damaged = {
        QByteArray(),
        QByteArray("no sections at all\r\ncomponent=1\r\n"),
        QByteArray(300000, '\xFF'),
        QByteArray("[long]\r\ncomponent=4\r\nvalue=") + QByteArray(1 << 20, 'x') + QByteArray("\r\n"),
        QByteArray("[nul]\r\ncompo\0nent=2\r\n", 22),
    };
    const QList<QStringList> survivors = {{}, {}, {}, {QStringLiteral("long:TEdit")}, {}};
    for (qsizetype i = 0; i < damaged.size(); ++i) {
        writeBytes(folder.files().patchIni(), damaged[i]);
        startProgram();
        EXPECT_EQ(panelOrder(), survivors[i]) << i;
        EXPECT_EQ(formMain->windowTitle(), QStringLiteral("Dravopax Vevavav - ver. Second release"));
        if (auto *edit = control<TextSwitch>(QStringLiteral("long"))) {
            EXPECT_EQ(edit->text().size(), 2047);
        }
        closeProgram();
    }

    QDir(folder.path() + QStringLiteral("/Data")).removeRecursively();
    // Without version.ini the menu offers one version, and the stored second is gone.
    fake.messages.expectOk(MsgType::Warning,
                           QStringLiteral("Version was founded in settings but it is no longer exist.\n"
                                          "Version set to the lowest possible."));
    startProgram();
    EXPECT_TRUE(formMain->scrlMain->controls().empty());
    EXPECT_EQ(formMain->windowTitle(), QStringLiteral("Dravopax Vevavav - ver. CORRUPT VERSION FILE"));
}

TEST_F(SwitchPanelTest, TheShippedSampleDatabaseBuildsWithoutComplaint)
{
    folder.copySampleData(QStringLiteral("patch.ini"));
    folder.copySampleData(QStringLiteral("version.ini"));
    startProgram();
    const auto &controls = formMain->scrlMain->controls();
    EXPECT_GE(controls.size(), 40u);
    QSet<QString> kinds;
    int greyed = 0;
    for (SwitchControl *c : controls) {
        kinds.insert(c->kindName());
        greyed += c->widget()->isEnabled() ? 0 : 1;
    }
    EXPECT_EQ(kinds.size(), 5);
    EXPECT_GT(greyed, 0) << "the second version does not know every switch";
    EXPECT_LT(greyed, int(controls.size()));
}

TEST_F(SwitchPanelTest, ReloadAnsweredNoKeepsValuesAndYesBringsBackTheDefaults)
{
    startProgram();
    auto *lanterns = control<OnOffSwitch>(QStringLiteral("lanterns"));
    lanterns->setChecked(true);
    const QString question =
        QStringLiteral("You are going to reload Dravopax Database. You will lost every changes.\n"
                       "All switches will back to their defaults.\nAre you sure you want continue?");
    fake.messages.expect(MsgType::Warning, question, MsgButtons::YesNo, MsgAnswer::No);
    click(formMain->itemDVSReload);
    EXPECT_TRUE(control<OnOffSwitch>(QStringLiteral("lanterns"))->isChecked());

    fake.messages.expect(MsgType::Warning, question, MsgButtons::YesNo, MsgAnswer::Yes);
    QTest::keyClick(formMain, Qt::Key_F12, Qt::ControlModifier);
    EXPECT_FALSE(control<OnOffSwitch>(QStringLiteral("lanterns"))->isChecked());
    EXPECT_EQ(formMain->scrlMain->controls().size(), 5u) << "rebuilt once, nothing doubled";
    EXPECT_TRUE(formMain->scrlMain->isVisible());
}

TEST_F(SwitchPanelTest, AnEditedDatabaseTakesEffectAtTheNextReload)
{
    startProgram();
    folder.writePatch(kPatch + QStringLiteral("[added]\ncomponent=2\ncaption=Added later\n"));
    fake.messages.expect(
        MsgType::Warning,
        QStringLiteral("You are going to reload Dravopax Database. You will lost every changes.\n"
                       "All switches will back to their defaults.\nAre you sure you want continue?"),
        MsgButtons::YesNo, MsgAnswer::Yes);
    click(formMain->itemDVSReload);
    ASSERT_TRUE(control<OnOffSwitch>(QStringLiteral("added")));
    EXPECT_EQ(control<OnOffSwitch>(QStringLiteral("added"))->text(), QStringLiteral("Added later"));
}

} // namespace
