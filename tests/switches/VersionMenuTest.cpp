#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"

#include <QAction>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

const QString kVersions = u"[version]\nnumber=3\ndisplay1=First\ndisplay2=Second\ndisplay3=Third\n"
                          "number1=v1\nnumber2=v2\nnumber3=v3\nv1=1\nv2=2\nv3=3\n"_s;
const QString kPatch = u"[early]\ncomponent=2\ncaption=Early\nversion=v1\nobsolete=v3\n"
                       "[late]\ncomponent=1\ncaption=Late\nversion=v3\nminvalue=0\nmaxvalue=9\nvalue=4\n"
                       "[always]\ncomponent=4\ncaption=Always\nvalue=x\n"_s;
const QString kGone = u"Version was founded in settings but it is no longer exist.\n"
                      "Version set to the lowest possible."_s;

class VersionMenuTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        folder.writeVersions(kVersions);
        folder.writePatch(kPatch);
    }
    QStringList items() const
    {
        QStringList list;
        for (QAction *a : formMain->menuDVSVersion->actions())
            list << a->objectName() + u'=' + a->text() + (a->isChecked() ? u"*"_s : QString());
        return list;
    }
    QAction *item(const char *name) const
    {
        return formMain->menuDVSVersion->findChild<QAction *>(QString::fromLatin1(name));
    }
    template <typename T = QWidget> T *control(const char *name) const
    {
        return dynamic_cast<T *>(formMain->scrlMain->control(QString::fromLatin1(name)));
    }
};

TEST_F(VersionMenuTest, PickingAnotherVersionKeepsValuesAndOnlyReGreys)
{
    folder.writeSettings(u"[dvs]\nversion=ver2\n"_s);
    // A switch may not take the name of a version item.
    folder.writePatch(kPatch + u"[ver2]\ncomponent=2\n"_s);
    fake.messages.expectOk(MsgType::Error, u"A component named ver2 already exists"_s);
    startProgram();
    EXPECT_EQ(items(), (QStringList{u"ver1=First"_s, u"ver2=Second*"_s, u"ver3=Third"_s}));
    EXPECT_EQ(item("ver3")->statusTip(), u"Third"_s);
    EXPECT_EQ(formMain->scrlMain->controls().size(), 3u);
    auto *early = control<OnOffSwitch>("early");
    early->setChecked(true);
    control<TextSwitch>("always")->setText(u"kept"_s);
    EXPECT_FALSE(control("late")->isEnabled());

    click(item("ver3"));
    EXPECT_EQ(setting(u"version"_s), u"ver3"_s);
    EXPECT_EQ(formMain->windowTitle(), u"Dravopax Vevavav - ver. Third"_s);
    EXPECT_TRUE(control("late")->isEnabled());
    EXPECT_FALSE(control("early")->isEnabled());
    EXPECT_EQ(control<OnOffSwitch>("early"), early) << "no rebuild";
    EXPECT_TRUE(early->isChecked());
    EXPECT_EQ(control<TextSwitch>("always")->text(), u"kept"_s);
    EXPECT_TRUE(formMain->scrlMain->isEnabled());

    // A click on the checked item may uncheck it before the handler runs; the handler checks it again.
    item("ver3")->setChecked(false);
    formMain->mniSettingsDVSVersionClick(item("ver3"));
    EXPECT_EQ(items(), (QStringList{u"ver1=First"_s, u"ver2=Second"_s, u"ver3=Third*"_s}));
    EXPECT_TRUE(control("late")->isEnabled());
}

TEST_F(VersionMenuTest, TheFirstPickWithoutAStoredVersionBuildsThePanel)
{
    startProgram();
    EXPECT_TRUE(items().filter(u"*"_s).isEmpty()) << "nothing checked and no warning";

    click(item("ver1"));
    EXPECT_FALSE(formMain->versionNotSet());
    EXPECT_EQ(formMain->scrlMain->controls().size(), 3u);
    EXPECT_EQ(control<NumberSwitch>("late")->text(), u"4"_s) << "database defaults";
    EXPECT_FALSE(control("late")->isEnabled());
    EXPECT_EQ(formMain->windowTitle(), u"Dravopax Vevavav - ver. First"_s);

    click(item("ver2"));
    EXPECT_EQ(formMain->scrlMain->controls().size(), 3u) << "later picks do not build again";
}

TEST_F(VersionMenuTest, AStoredVersionThatIsGoneFallsBackToTheFirstOnceAndAbsurdListsAreBounded)
{
    // The stored version, the version list, then the items (the checked one marked) and the title.
    const std::tuple<const char *, QString, QStringList, const char *> lists[] = {
        {"ver7", kVersions, {u"ver1=First*"_s, u"ver2=Second"_s, u"ver3=Third"_s}, "First"},
        {"ver1", u"[version]\ndisplay1=Only\n"_s, {u"ver1=Only*"_s}, "Only"},
        {"ver1", u"[version]\nnumber=0\n"_s, {}, "CORRUPT VERSION FILE"},
        {"ver1", u"[version]\nnumber=-4\n"_s, {}, "CORRUPT VERSION FILE"},
    };
    for (const auto &[stored, versions, shown, title] : lists) {
        folder.writeSettings(u"[dvs]\nversion=%1\n"_s.arg(QLatin1String(stored)));
        folder.writeVersions(versions);
        // Gone when no item bears its name.
        if (shown.filter(QLatin1String(stored)).isEmpty())
            fake.messages.expectOk(MsgType::Warning, kGone);
        startProgram();
        EXPECT_EQ(items(), shown);
        EXPECT_EQ(setting(u"version"_s), u"ver1"_s);
        EXPECT_EQ(formMain->windowTitle(), u"Dravopax Vevavav - ver. "_s + QLatin1String(title));
        closeProgram();
        if (!shown.isEmpty()) {
            startProgram(); // the first version exists: no second warning
            closeProgram();
        }
    }
    folder.writeVersions(u"[version]\nnumber=2000000000\ndisplay1=One\n"_s);
    startProgram();
    EXPECT_EQ(items().size(), 500);
    EXPECT_EQ(items()[1], u"ver2=CORRUPT VERSION FILE"_s);
}

} // namespace
