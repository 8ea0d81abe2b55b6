#include "switches/SwitchPanel.h"
#include "app/TformMain.h"
#include "support/MainWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QStatusBar>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace {

const QString kVersions = u"[version]\nnumber=3\ndisplay1=First\ndisplay2=Second\ndisplay3=Third\n"
                          "v1=1\nv2=2\nv3=3\n"_s;

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
const QString kVersionGone = u"Version was founded in settings but it is no longer exist.\n"
                             "Version set to the lowest possible."_s;

class SwitchPanelTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        folder.writeVersions(kVersions);
        folder.writePatch(kPatch);
        folder.writeSettings(u"[dvs]\nversion=ver2\n"_s);
    }

    QLabel *label(const char *name) const { return panel()->label(QString::fromLatin1(name)); }

    QStringList panelOrder() const
    {
        QStringList names;
        for (SwitchControl *c : panel()->controls())
            names << c->name() + u':' + c->kindName();
        return names;
    }
    QAction *item(const char *name) const { return named<QAction>(named<QMenu>("menuDVSVersion"), name); }
};

TEST_F(SwitchPanelTest, OneControlPerSwitchPlacedCaptionedAndLimitedAsTheDatabaseSaysAndTheWheelScrollsPastIt)
{
    // Far enough down that the panel has something to scroll.
    folder.writePatch(kPatch + u"[far]\ncomponent=2\ncaption=Far\nleft=8\ntop=3000\nwidth=80\n"_s);
    startProgram();
    EXPECT_EQ(panelOrder(),
              (QStringList{u"speed:TCSpinEdit"_s, u"lanterns:TCheckBox"_s, u"weather:TComboBox"_s,
                           u"motto:TEdit"_s, u"goods:TCheckListBox"_s, u"far:TCheckBox"_s}));
    EXPECT_EQ(control("motto")->property("switchKind").toString(), u"TEdit"_s);

    QLabel *speedLabel = label("speed");
    EXPECT_EQ(speedLabel->pos(), QPoint(8, 10));
    auto *speed = control<NumberSwitch>("speed");
    EXPECT_EQ(speed->geometry().topLeft(), QPoint(8 + speedLabel->width() + 2, 10));
    EXPECT_EQ(speed->width(), 60);
    EXPECT_EQ(std::pair(speed->minValue(), speed->maxValue()), std::pair(1, 10));

    EXPECT_EQ(control("lanterns")->pos(), QPoint(8, 40));

    EXPECT_EQ(label("weather")->text(), u"Weather:"_s);
    auto *weather = control<ChoiceSwitch>("weather");
    EXPECT_EQ(weather->pos(), QPoint(8, 70 + label("weather")->height()));
    EXPECT_EQ(weather->count(), 3);
    EXPECT_EQ(weather->droppedWidth(), 150) << "the control width + 30 without expandwidth";

    EXPECT_EQ(control("motto")->pos(), QPoint(300 + label("motto")->width() + 2, 10));
    EXPECT_EQ(control<TextSwitch>("motto")->text(), u"0"_s) << "a text without value shows 0";
    EXPECT_EQ(label("motto")->text(), u"Use <b>bold</b> & more &"_s);
    EXPECT_EQ(label("motto")->textFormat(), Qt::PlainText);

    auto *goods = control<SetSwitch>("goods");
    EXPECT_EQ(goods->geometry(), QRect(300, 40 + label("goods")->height(), 150, 80));
    EXPECT_EQ(goods->count(), 3) << "number is the last index";

    EXPECT_NE(speed->cursor().shape(), Qt::BitmapCursor) << "the game cursor only when chosen";
    EXPECT_EQ(hintShownFor(speed), u"How fast caravans go"_s);
    EXPECT_EQ(hintShownFor(label("goods")), u"Goods to trade"_s);

    // Delivered as the window system delivers it, so a control that takes the
    // focus on the wheel would get the chance to.
    const auto wheelDown = [](QWidget *target) {
        QWheelEvent wheel(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        qApp->notify(target, &wheel);
    };
    for (QWidget *target : std::initializer_list<QWidget *>{speed, weather, goods->viewport()})
        wheelDown(target);
    EXPECT_EQ(speed->text(), u"10"_s) << "a default above the limit shows the limit, and the wheel keeps it";
    EXPECT_FALSE(speed->hasFocus());
    EXPECT_EQ(weather->currentIndex(), 0);
    EXPECT_EQ(goods->checkStates(), (QList<bool>{true, false, true})) << "sum 5 checks the items worth 1, 4";
    EXPECT_GT(panel()->verticalScrollBar()->value(), 0) << "the panel scrolled instead";

    speed->setFocus();
    ASSERT_TRUE(speed->hasFocus());
    wheelDown(speed);
    EXPECT_EQ(speed->text(), u"9"_s) << "a focused spin edit still takes the wheel";
}

TEST_F(SwitchPanelTest, AbsurdNumbersAreBoundedAndBadNamesAndDamageAreReportedOrSkippedAndTheRestIsBuilt)
{
    folder.writePatch(u"[data]\nnumber=2000000000\n"
                      "[wide]\ncomponent=4\nleft=-5000\ntop=-7\nwidth=99999999\ncaption=Wide\n"
                      "[many]\ncomponent=3\nnumber=2000000000\nwidth=-40\nexpandwidth=2000000000\n"
                      "[manyset]\ncomponent=5\nnumber=2000000000\nheight=99999999\n"
                      "[negative]\ncomponent=5\nnumber=-5\nvalue=3\n[nochoice]\ncomponent=3\nnumber=-5\n"
                      "[words]\ncomponent=1\nleft=ten\nminvalue=low\nmaxvalue=high\nvalue=x\n"_s);
    startProgram();
    EXPECT_EQ(label("wide")->pos(), QPoint(0, 0));
    EXPECT_EQ(control("wide")->width(), 10000);
    EXPECT_EQ(control<ChoiceSwitch>("many")->count(), 1000);
    EXPECT_EQ(control<ChoiceSwitch>("many")->droppedWidth(), 10000);
    EXPECT_EQ(control<SetSwitch>("manyset")->count(), 1000);
    EXPECT_EQ(control<SetSwitch>("manyset")->height(), 10000);
    EXPECT_EQ(control<SetSwitch>("negative")->count(), 0);
    EXPECT_EQ(control<ChoiceSwitch>("nochoice")->count(), 0);
    EXPECT_EQ(control<NumberSwitch>("words")->text(), u"0"_s);
    EXPECT_EQ(formMain->statusBar()->findChildren<QProgressBar *>().size(), 0);
    closeProgram();

    // A database, the messages its build shows, and the switches then built.
    const std::tuple<QByteArray, QStringList, QStringList> databases[] = {
        {crlf(u"[2fast]\ncomponent=2\n[bad-name]\ncomponent=2\n[good]\ncomponent=2\ncaption=First\n"
              "[GOOD]\ncomponent=4\n[butnRun]\ncomponent=2\n[notaswitch]\ncomponent=6\n[bad name]\n"
              "component=0\n[ok_2]\ncomponent=1\n[Labelok_2]\ncomponent=2\n[good]\ncomponent=4\n"
              // Every letter and digit at the ends of its range.
              "[AZaz_09]\ncomponent=2\n"_s),
         {u"''2fast'' is not a valid component name"_s, u"''bad-name'' is not a valid component name"_s,
          u"A component named GOOD already exists"_s, u"A component named butnRun already exists"_s,
          u"A component named Labelok_2 already exists"_s, u"A component named good already exists"_s},
         {u"good:TCheckBox"_s, u"ok_2:TCSpinEdit"_s, u"AZaz_09:TCheckBox"_s}},
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
        EXPECT_EQ(formMain->windowTitle(), u"Dravopax Vevavav - ver. Second"_s);
        if (auto *good = control<OnOffSwitch>("good")) {
            EXPECT_EQ(good->text(), u"First"_s) << "a switch named twice is built from its first place";
        }
        closeProgram();
    }
}

TEST_F(SwitchPanelTest, TheShippedSampleDatabaseBuildsWithoutComplaint)
{
    folder.copySampleData(u"patch.ini"_s);
    folder.copySampleData(u"version.ini"_s);
    startProgram();
    EXPECT_GE(panel()->controls().size(), 40u);
    QSet<QString> kinds;
    QSet<bool> enabled;
    for (SwitchControl *c : panel()->controls()) {
        kinds.insert(c->kindName());
        enabled.insert(c->widget()->isEnabled());
    }
    EXPECT_EQ(kinds.size(), 5);
    EXPECT_EQ(enabled.size(), 2) << "the second version knows some switches but not every one";
}

TEST_F(SwitchPanelTest, TheFirstPickBuildsThePanelLaterPicksKeepValuesAndOnlyReGreyWhileReloadRebuilds)
{
    QFile::remove(folder.files().settingsIni());
    // A switch may not take the name of a version item.
    folder.writePatch(kPatch + u"[ver2]\ncomponent=2\n"_s);
    startProgram();
    EXPECT_TRUE(versionItems().filter(u"*"_s).isEmpty()) << "nothing checked and no warning";

    fake.messages.expectOk(MsgType::Error, u"A component named ver2 already exists"_s);
    click(item("ver1"));
    EXPECT_FALSE(windows->switches().versionNotSet());
    EXPECT_EQ(versionItems(), (QStringList{u"ver1=First*"_s, u"ver2=Second"_s, u"ver3=Third"_s}));
    EXPECT_EQ(item("ver3")->statusTip(), u"Third"_s);
    EXPECT_EQ(formMain->windowTitle(), u"Dravopax Vevavav - ver. First"_s);
    EXPECT_EQ(panel()->controls().size(), 5u);
    auto *lanterns = control<OnOffSwitch>("lanterns");
    lanterns->setChecked(true);
    control<TextSwitch>("motto")->setText(u"kept"_s);
    EXPECT_FALSE(control("weather")->isEnabled());

    click(item("ver3"));
    EXPECT_EQ(setting(u"version"_s), u"ver3"_s);
    EXPECT_EQ(formMain->windowTitle(), u"Dravopax Vevavav - ver. Third"_s);
    EXPECT_TRUE(control("weather")->isEnabled());
    EXPECT_FALSE(control("goods")->isEnabled());
    EXPECT_EQ(control<OnOffSwitch>("lanterns"), lanterns) << "no rebuild";
    EXPECT_TRUE(lanterns->isChecked());
    EXPECT_EQ(control<TextSwitch>("motto")->text(), u"kept"_s);
    EXPECT_TRUE(panel()->isEnabled());

    // A click on the checked item may uncheck it before the handler runs; the handler checks it again.
    item("ver3")->setChecked(false);
    windows->switches().mniSettingsDVSVersionClick(item("ver3"));
    EXPECT_EQ(versionItems(), (QStringList{u"ver1=First"_s, u"ver2=Second"_s, u"ver3=Third*"_s}));
    EXPECT_TRUE(control("weather")->isEnabled());

    // Reload answered No keeps the values; Yes rebuilds from the edited database.
    fake.messages.expect(MsgType::Warning, kReloadQuestion, MsgButtons::YesNo, MsgAnswer::No);
    click(action("itemDVSReload"));
    EXPECT_TRUE(lanterns->isChecked());
    folder.writePatch(kPatch + u"[added]\ncomponent=2\ncaption=Added later\n"_s);
    fake.messages.expect(MsgType::Warning, kReloadQuestion, MsgButtons::YesNo, MsgAnswer::Yes);
    QTest::keyClick(formMain, Qt::Key_F12, Qt::ControlModifier);
    EXPECT_FALSE(control<OnOffSwitch>("lanterns")->isChecked());
    EXPECT_EQ(panel()->controls().size(), 6u) << "rebuilt once, nothing doubled";
    EXPECT_EQ(control<OnOffSwitch>("added")->text(), u"Added later"_s);
    EXPECT_TRUE(panel()->isVisible());
}

TEST_F(SwitchPanelTest, AStoredVersionThatIsGoneFallsBackToTheFirstOnceAndAbsurdListsAreBounded)
{
    // The stored version, the version list, then the items (the checked one marked) and the title.
    const std::tuple<const char *, QString, QStringList, const char *> lists[] = {
        {"ver7", kVersions, {u"ver1=First*"_s, u"ver2=Second"_s, u"ver3=Third"_s}, "First"},
        {"ver1", u"[version]\ndisplay1=Only\n"_s, {u"ver1=Only*"_s}, "Only"},
        {"ver1", u"[version]\nnumber=0\n"_s, {}, "CORRUPT VERSION FILE"},
        {"ver1", u"[version]\nnumber=-4\n"_s, {}, "CORRUPT VERSION FILE"},
        // A count is believed only as far as the versions present go.
        {"ver1", u"[version]\nnumber=2000000000\ndisplay1=One\n"_s, {u"ver1=One*"_s}, "One"},
        {"ver1", u"[version]\nnumber=99999\ndisplay1=One\ndisplay99999=Far\n"_s, {u"ver1=One*"_s}, "One"},
    };
    for (const auto &[stored, versions, shown, title] : lists) {
        folder.writeSettings(u"[dvs]\nversion=%1\n"_s.arg(QLatin1String(stored)));
        folder.writeVersions(versions);
        // Gone when no item bears its name.
        if (shown.filter(QLatin1String(stored)).isEmpty())
            fake.messages.expectOk(MsgType::Warning, kVersionGone);
        startProgram();
        EXPECT_EQ(versionItems(), shown);
        EXPECT_EQ(setting(u"version"_s), u"ver1"_s);
        EXPECT_EQ(formMain->windowTitle(), u"Dravopax Vevavav - ver. "_s + QLatin1String(title));
        closeProgram();
    }
    QString many = u"[version]\nnumber=600\n"_s;
    for (int n = 1; n <= 600; ++n)
        many += u"display%1=V%1\n"_s.arg(n);
    folder.writeVersions(many);
    startProgram();
    EXPECT_EQ(versionItems().size(), 500);
    EXPECT_EQ(versionItems()[1], u"ver2=V2"_s);
}

// Switches whose values follow rules of their kind.
const QString kValuesPatch =
    u"[range]\ncomponent=1\nminvalue=0\nmaxvalue=64\noffvalue=0\nvalue=10\n[beyond]\ncomponent=1\n"
    "minvalue=0\nmaxvalue=64\noffvalue=65\nvalue=20\n[fixed]\ncomponent=1\nminvalue=5\nmaxvalue=5\nvalue=5\n"
    "[defaultoff]\ncomponent=1\nminvalue=0\nmaxvalue=9\noffvalue=3\nvalue=3\n[nomin]\ncomponent=1\nmaxvalue=9\n"
    "offvalue=5\n[freetext]\ncomponent=4\n"
    "type=text\nvalue=abc\n[digits]\ncomponent=4\ntype=numbers\n[singular]\ncomponent=4\ntype=number\n"
    "[choice]\ncomponent=3\nnumber=3\nnumber0=Alpha\nnumber1=Beta\nnumber2=Gamma\n[novalue]\ncomponent=2\n"
    "[flags]\ncomponent=5\nnumber=2\nvalue0=1\nvalue1=2\nvalue2=4\n"_s;

TEST_F(SwitchPanelTest, WhatIsTypedOrSteppedFollowsTheRulesOfEachKindAndFromDefaultsResetsEverySwitch)
{
    folder.writePatch(kValuesPatch);
    startProgram();
    // Each time the whole text is typed over, as a user would.
    const std::tuple<const char *, QString, QString> typed[] = {
        {"range", u"100"_s, u"64"_s},
        {"range", u"0"_s, u"off"_s},
        {"range", u"12"_s, u"12"_s},
        // A full stop is accepted and makes no integer; so does deleting every digit.
        {"range", u"12."_s, u"off"_s},
        {"range", u"33\b\b"_s, u"off"_s},
        // Letters, minus, blanks and Enter never reach it.
        {"range", u"4a- x\r"_s, u"4"_s},
        // An off value beyond the limits can be typed.
        {"beyond", u"65"_s, u"off"_s},
        {"beyond", u"66"_s, u"64"_s},
        // Equal limits hold the value after a change.
        {"fixed", u"7"_s, u"5"_s},
        {"fixed", u"3"_s, u"5"_s},
        {"nomin", u"0"_s, u"0"_s}, // the lower limit is 0 unless the switch names one
    };
    EXPECT_EQ(control<NumberSwitch>("fixed")->text(), u"5"_s);
    for (const auto &[name, keys, shown] : typed) {
        auto *spin = control<NumberSwitch>(name);
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, keys);
        EXPECT_EQ(spin->text(), shown) << name << " " << keys.toStdString();
    }

    // The text before, the keys pressed, and the text then shown.
    const std::tuple<const char *, QString, QList<Qt::Key>, QString> stepped[] = {
        // The off value beyond the limits is not stepped to.
        {"beyond", u"64"_s, {Qt::Key_Up}, u"64"_s},
        {"range", u"0"_s, {Qt::Key_Up}, u"1"_s},
        {"range", u"1"_s, {Qt::Key_Down, Qt::Key_Down}, u"off"_s}, // and no further down
        {"range", u"off"_s, {Qt::Key_Up, Qt::Key_PageUp}, u"2"_s}, // the page keys step by one too
    };
    for (const auto &[name, before, keys, shown] : stepped) {
        auto *spin = control<NumberSwitch>(name);
        spin->setText(before);
        for (const Qt::Key key : keys)
            QTest::keyClick(spin, key);
        EXPECT_EQ(spin->text(), shown) << name << " " << before.toStdString();
    }

    // Type "number" is not "numbers"; no text takes a letter a configuration file cannot hold.
    const std::pair<const char *, QString> texts[] = {
        {"freetext", u"a1.b2é"_s}, {"digits", u"1.2"_s}, {"singular", u"a1.b2é"_s}};
    for (const auto &[name, shown] : texts) {
        auto *edit = control<TextSwitch>(name);
        edit->setFocus();
        edit->clear();
        for (const QChar typed : u"a1Ω.b2é中"_s) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, typed);
            QApplication::sendEvent(edit, &press);
        }
        EXPECT_EQ(edit->text(), shown) << name;
    }
    auto *choice = control<ChoiceSwitch>("choice");
    choice->setFocus();
    QTest::keyClicks(choice, u"gb"_s);
    EXPECT_EQ(choice->currentText(), u"Alpha"_s);
    QTest::keyClick(choice, Qt::Key_Down);
    EXPECT_EQ(choice->currentText(), u"Beta"_s);

    auto *range = control<NumberSwitch>("range");
    range->setText(u"50"_s);
    control<TextSwitch>("freetext")->setText(u"changed"_s);
    choice->setCurrentIndex(2);
    auto *flags = control<SetSwitch>("flags");
    flags->setCheckStates({true, true, true});
    flags->setEnabled(false);
    EXPECT_EQ(control<NumberSwitch>("defaultoff")->text(), u"3"_s) << "a default at the off value shows it";

    // From Defaults, pressed while a text field has the focus, which would take Ctrl+D for itself.
    control<TextSwitch>("digits")->setFocus();
    QTest::keyClick(control<TextSwitch>("digits"), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(control<NumberSwitch>("range"), range) << "no rebuild";
    EXPECT_EQ(range->text(), u"10"_s);
    EXPECT_EQ(control<NumberSwitch>("defaultoff")->text(), u"off"_s);
    EXPECT_EQ(control<TextSwitch>("freetext")->text(), u"abc"_s);
    EXPECT_EQ(control<TextSwitch>("digits")->text(), u"0"_s);
    EXPECT_EQ(choice->currentIndex(), 0);
    EXPECT_EQ(flags->checkStates(), (QList<bool>{false, false, false})) << "default sum 0, disabled or not";
    EXPECT_TRUE(control<OnOffSwitch>("novalue")->isChecked()) << "From Defaults reads no value as checked";
}

// Switches of every kind far below what the window shows, between two in view
// and one last switch.
const QString kFarPatch = u"[near]\ncomponent=2\ncaption=Near\nleft=8\ntop=10\nwidth=100\nvalue=1\n"_s +
                          QString(kPatch).replace(u"\ntop="_s, u"\ntop=40"_s) +
                          u"[near2]\ncomponent=2\ncaption=Near too\nleft=300\ntop=10\nwidth=100\n"
                          "[last]\ncomponent=2\ncaption=Last\nleft=8\ntop=4300\nwidth=100\n"_s;

// With the game cursor and without the 3D look, chosen before the controls are made.
class DeferredSwitchesTest : public SwitchPanelTest
{
protected:
    void SetUp() override
    {
        SwitchPanelTest::SetUp();
        folder.writePatch(kFarPatch);
        folder.writeSettings(u"[dvs]\nversion=ver2\nmouse=1\n3dlook=0\n"_s);
        startProgram();
    }
    // The control or label of that name if it was made; looking makes nothing.
    QWidget *made(const char *name) const
    {
        return panel()->surface()->findChild<QWidget *>(QString::fromLatin1(name));
    }
};

TEST_F(DeferredSwitchesTest, SwitchesOutOfViewWaitForTheirControlsAndReadAsIfTheyHadThem)
{
    for (const char *name : {"near", "near2", "last"})
        EXPECT_NE(made(name), nullptr) << name;
    for (const char *name : {"speed", "lanterns", "weather", "motto", "goods"})
        EXPECT_EQ(made(name), nullptr) << name;
    ASSERT_GT(panel()->verticalScrollBar()->maximum(), 3500) << "the scroll bar reaches them";

    // A version that has dropped a switch greys it before its control exists.
    click(item("ver3"));
    const QString file = folder.path() + u"/saved.cfg"_s;
    windows->config().SaveCFG(file);
    const QByteArray beforeMade = readBytes(file);
    EXPECT_EQ(made("motto"), nullptr) << "saving made no control";
    EXPECT_EQ(panel()->controls().size(), 8u);
    windows->config().SaveCFG(file);
    EXPECT_EQ(readBytes(file), beforeMade);
    EXPECT_FALSE(made("goods")->isEnabled());
    // Made after the game cursor was chosen, they take it as those made at once
    // did; a text field keeps its own.
    EXPECT_EQ(made("near")->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(made("speed")->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(label("motto")->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(made("motto")->cursor().shape(), Qt::IBeamCursor);
    // The flat look without 3D reaches them too, all but the drop-down list.
    EXPECT_FALSE(static_cast<NumberSwitch *>(made("speed"))->hasFrame());
    EXPECT_FALSE(static_cast<TextSwitch *>(made("motto"))->hasFrame());
    auto *goods = static_cast<SetSwitch *>(made("goods"));
    EXPECT_EQ(std::pair(goods->frameShape(), goods->frameShadow()), std::pair(QFrame::Box, QFrame::Plain));
    EXPECT_FALSE(made("lanterns")->property("ctl3D").toBool());
    EXPECT_FALSE(made("weather")->property("ctl3D").isValid());
}

TEST_F(DeferredSwitchesTest, AWindowMadeTallerMakesWhatComesIntoView)
{
    formMain->resize(formMain->width(), 5000);
    EXPECT_NE(made("goods"), nullptr);
}

TEST_F(DeferredSwitchesTest, ScrollingTabAndLoadingMakeTheControlsTheyReach)
{
    writeText(folder.path() + u"/load.cfg"_s, u"weather 1\n"_s);
    windows->config().LoadCFG(folder.path() + u"/load.cfg"_s);
    ASSERT_NE(made("weather"), nullptr);
    EXPECT_EQ(static_cast<ChoiceSwitch *>(made("weather"))->currentText(), u"Harsh"_s);
    EXPECT_EQ(made("motto"), nullptr);

    made("near")->setFocus();
    QTest::keyClick(made("near"), Qt::Key_Tab);
    ASSERT_NE(made("speed"), nullptr);
    EXPECT_TRUE(made("speed")->hasFocus()) << "Tab goes on in panel order";
    EXPECT_TRUE(made("speed")->isVisible()) << "and scrolls to it";

    panel()->verticalScrollBar()->setValue(panel()->verticalScrollBar()->maximum());
    ASSERT_NE(made("goods"), nullptr);
    EXPECT_TRUE(made("goods")->isVisible());
    EXPECT_TRUE(made("Labelgoods")->isVisible());
}

} // namespace
