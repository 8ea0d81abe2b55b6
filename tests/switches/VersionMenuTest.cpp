#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"

#include <QAction>
#include <QMenu>

namespace {

const QString kVersions =
    QStringLiteral("[version]\nnumber=3\ndisplay1=First\ndisplay2=Second\ndisplay3=Third\n"
                   "number1=v1\nnumber2=v2\nnumber3=v3\nv1=1\nv2=2\nv3=3\n");
const QString kPatch =
    QStringLiteral("[early]\ncomponent=2\ncaption=Early\nversion=v1\nobsolete=v3\n"
                   "[late]\ncomponent=1\ncaption=Late\nversion=v3\nminvalue=0\nmaxvalue=9\nvalue=4\n"
                   "[always]\ncomponent=4\ncaption=Always\nvalue=x\n");
const QString kGone = QStringLiteral("Version was founded in settings but it is no longer exist.\n"
                                     "Version set to the lowest possible.");

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
            list << a->objectName() + QLatin1Char('=') + a->text() +
                        (a->isChecked() ? QStringLiteral("*") : QString());
        return list;
    }
    QAction *item(const char *name) const
    {
        return formMain->menuDVSVersion->findChild<QAction *>(QString::fromLatin1(name));
    }
    QWidget *control(const char *name) const
    {
        return formMain->scrlMain->surface()->findChild<QWidget *>(QString::fromLatin1(name));
    }
};

TEST_F(VersionMenuTest, TheMenuListsTheVersionsAndChecksTheStoredOne)
{
    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver2\n"));
    startProgram();
    EXPECT_EQ(items(), (QStringList{QStringLiteral("ver1=First"), QStringLiteral("ver2=Second*"),
                                    QStringLiteral("ver3=Third")}));
    EXPECT_EQ(item("ver3")->statusTip(), QStringLiteral("Third"));
}

TEST_F(VersionMenuTest, PickingAnotherVersionKeepsValuesAndOnlyReGreys)
{
    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver2\n"));
    startProgram();
    auto *early = qobject_cast<OnOffSwitch *>(control("early"));
    early->setChecked(true);
    static_cast<TextSwitch *>(control("always"))->setText(QStringLiteral("kept"));
    EXPECT_FALSE(control("late")->isEnabled());

    click(item("ver3"));
    EXPECT_EQ(setting(QStringLiteral("version")), QStringLiteral("ver3"));
    EXPECT_EQ(formMain->windowTitle(), QStringLiteral("Dravopax Vevavav - ver. Third"));
    EXPECT_TRUE(control("late")->isEnabled());
    EXPECT_FALSE(control("early")->isEnabled());
    EXPECT_EQ(control("early"), early) << "no rebuild";
    EXPECT_TRUE(early->isChecked());
    EXPECT_EQ(static_cast<TextSwitch *>(control("always"))->text(), QStringLiteral("kept"));
    EXPECT_TRUE(formMain->scrlMain->isEnabled());

    // A click on the checked item may uncheck it before the handler runs; the
    // handler checks it again.
    item("ver3")->setChecked(false);
    formMain->mniSettingsDVSVersionClick(item("ver3"));
    EXPECT_TRUE(item("ver3")->isChecked()) << "picking the checked version leaves it checked";
    EXPECT_EQ(items().filter(QStringLiteral("*")).size(), 1);
    EXPECT_TRUE(control("late")->isEnabled());
}

TEST_F(VersionMenuTest, TheFirstPickWithoutAStoredVersionBuildsThePanel)
{
    startProgram();
    EXPECT_TRUE(formMain->versionNotSet());
    EXPECT_TRUE(formMain->scrlMain->controls().empty());
    EXPECT_TRUE(items().filter(QStringLiteral("*")).isEmpty()) << "nothing checked and no warning";

    click(item("ver1"));
    EXPECT_FALSE(formMain->versionNotSet());
    EXPECT_EQ(formMain->scrlMain->controls().size(), 3u);
    EXPECT_EQ(static_cast<NumberSwitch *>(control("late"))->text(), QStringLiteral("4"))
        << "database defaults";
    EXPECT_FALSE(control("late")->isEnabled());
    EXPECT_EQ(formMain->windowTitle(), QStringLiteral("Dravopax Vevavav - ver. First"));

    click(item("ver2"));
    EXPECT_EQ(formMain->scrlMain->controls().size(), 3u) << "later picks do not build again";
}

TEST_F(VersionMenuTest, AStoredVersionThatNoLongerExistsFallsBackToTheFirstOnce)
{
    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver7\n"));
    fake.messages.expectOk(MsgType::Warning, kGone);
    startProgram();
    EXPECT_EQ(setting(QStringLiteral("version")), QStringLiteral("ver1"));
    EXPECT_TRUE(item("ver1")->isChecked());
    EXPECT_EQ(formMain->windowTitle(), QStringLiteral("Dravopax Vevavav - ver. First"));
    closeProgram();
    startProgram(); // no second warning
}

TEST_F(VersionMenuTest, AVersionListWithoutOrWithAbsurdNumbersBuildsABoundedMenu)
{
    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\n"));
    folder.writeVersions(QStringLiteral("[version]\ndisplay1=Only\n"));
    startProgram();
    EXPECT_EQ(items(), QStringList{QStringLiteral("ver1=Only*")});
    closeProgram();

    for (const char *number : {"0", "-4"}) {
        folder.writeVersions(QStringLiteral("[version]\nnumber=%1\n").arg(QLatin1String(number)));
        fake.messages.expectOk(MsgType::Warning, kGone);
        startProgram();
        EXPECT_TRUE(items().isEmpty());
        closeProgram();
        folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\n"));
    }

    folder.writeVersions(QStringLiteral("[version]\nnumber=2000000000\ndisplay1=One\n"));
    startProgram();
    EXPECT_EQ(items().size(), 500);
    EXPECT_EQ(items()[1], QStringLiteral("ver2=CORRUPT VERSION FILE"));
}

TEST_F(VersionMenuTest, ASwitchNamedLikeAVersionItemIsRefused)
{
    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\n"));
    folder.writePatch(kPatch + QStringLiteral("[ver2]\ncomponent=2\n"));
    fake.messages.expectOk(MsgType::Error, QStringLiteral("A component named ver2 already exists"));
    startProgram();
    EXPECT_EQ(formMain->scrlMain->controls().size(), 3u);
}

} // namespace
