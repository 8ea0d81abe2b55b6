#include "app/TIniFile.h"
#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTest>

namespace {

const QString kGameKey = QStringLiteral("Software\\Quillmark\\Zorvantia");
const QString kWinFound = QStringLiteral("Zorvantia for Windows was found.\nDravopax for Windows was found.");
const QString kWinNoPatch =
    QStringLiteral("Zorvantia for Windows was found.\nDravopax for Windows was not found.\n"
                   "Do you want to download Dravopax?");
const QString kDosFound =
    QStringLiteral("Zorvantia for Dos was found.\nDravopax for Dos was found.\nYou haven't access to "
                   "some ZVT Options like:\n -Display\n -Sound\n -Mouse\n -Create Registry Entry\n"
                   "(This option are avabile only in Windows version)");
const QString kDosNoPatch = QStringLiteral("Zorvantia for Dos was found.\nDravopax for Dos was not found.\n"
                                           "Do you want to download Dravopax?");
const QString kWrong =
    QStringLiteral("You select wrong directory.\nThere isn't Zorvantia.\nDo you want select it one "
                   "more time?\nIf not wrong directory will be save.");

class GameDirectoryTest : public MainWindowFixture
{
protected:
    // A game folder of its own holding the given files.
    QString gameFolder(std::initializer_list<const char *> files,
                       const QString &name = QStringLiteral("game"))
    {
        const QString path = games.path() + QLatin1Char('/') + name;
        QDir().mkpath(path);
        for (const char *file : files)
            writeBytes(path + QLatin1Char('/') + QString::fromLatin1(file), QByteArray("MZ"));
        return path;
    }

    bool gameMenusEnabled() const
    {
        return formMain->itemZVTDisplay->menuAction()->isEnabled() &&
               formMain->itemZVTSound->menuAction()->isEnabled() &&
               formMain->itemZVTMouse->menuAction()->isEnabled();
    }
    bool gameMenusDisabled() const
    {
        return !formMain->itemZVTDisplay->menuAction()->isEnabled() &&
               !formMain->itemZVTSound->menuAction()->isEnabled() &&
               !formMain->itemZVTMouse->menuAction()->isEnabled();
    }

    QTemporaryDir games;
};

TEST_F(GameDirectoryTest, TheWindowsEditionWithThePatchIsStoredAndItsMenusOpen)
{
    startProgram();
    EXPECT_TRUE(gameMenusDisabled());
    const QString folder = gameFolder({"ZizaVEZ.exe", "zorvan.exe", "dravopaxw.exe"});
    fake.folders.answer(folder + QLatin1Char('/'));
    fake.messages.expectOk(MsgType::Information, kWinFound);
    QTest::keyClick(formMain, Qt::Key_F11, Qt::ControlModifier);

    ASSERT_EQ(fake.folders.shown().size(), 1u);
    EXPECT_EQ(fake.folders.shown()[0].title, QStringLiteral("Select Zorvantia Directory"));
    EXPECT_EQ(setting(QStringLiteral("dir"), QStringLiteral("zvt")), folder);
    EXPECT_EQ(setting(QStringLiteral("version"), QStringLiteral("zvt")), QStringLiteral("win+dvp"));
    EXPECT_EQ(fake.registry.value(kGameKey, QStringLiteral("HDPath")), QVariant(folder));
    EXPECT_TRUE(gameMenusEnabled());
}

TEST_F(GameDirectoryTest, WithoutThePatchTheDownloadIsOfferedEitherWay)
{
    startProgram();
    fake.folders.answer(gameFolder({"ZizaVEZ.exe", "dravopax.exe"}));
    fake.messages.expect(MsgType::Information, kWinNoPatch, MsgButtons::YesNo, MsgAnswer::Yes);
    click(formMain->mniSettingsZVTDir);
    EXPECT_EQ(setting(QStringLiteral("version"), QStringLiteral("zvt")), QStringLiteral("win"));
    ASSERT_EQ(fake.shell.starts().size(), 1u);
    EXPECT_EQ(fake.shell.starts()[0].file, QStringLiteral("http://dravopax.example.org/"));

    fake.folders.answer(gameFolder({"zvtx.exe", "dravopaxw.exe"}, QStringLiteral("dos")));
    fake.messages.expect(MsgType::Information, kDosNoPatch, MsgButtons::YesNo, MsgAnswer::No);
    click(formMain->mniSettingsZVTDir);
    EXPECT_EQ(setting(QStringLiteral("version"), QStringLiteral("zvt")), QStringLiteral("dos"));
    EXPECT_EQ(fake.shell.starts().size(), 1u);
    EXPECT_TRUE(gameMenusDisabled());
}

TEST_F(GameDirectoryTest, TheDosEditionLeavesTheRegistryAlone)
{
    startProgram();
    const QString folder = gameFolder({"zorvan.exe", "dravopax.exe"});
    fake.folders.answer(folder);
    fake.messages.expectOk(MsgType::Information, kDosFound);
    click(formMain->mniSettingsZVTDir);
    EXPECT_EQ(setting(QStringLiteral("version"), QStringLiteral("zvt")), QStringLiteral("dos+dvp"));
    EXPECT_EQ(setting(QStringLiteral("dir"), QStringLiteral("zvt")), folder);
    EXPECT_EQ(fake.registry.value(kGameKey, QStringLiteral("HDPath")), std::nullopt);
    EXPECT_TRUE(gameMenusDisabled());
}

TEST_F(GameDirectoryTest, FoldersAndFilesNamedInAnyScriptSurviveARestart)
{
    folder.writePatch(QStringLiteral("[lanterns]\ncomponent=2\ncaption=Lanterns\n"));
    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\n"));
    startProgram();
    const QString game = gameFolder({"zorvan.exe", "dravopax.exe"}, QStringLiteral("Игры/Zorvantia"));
    const QString start = game + QStringLiteral("/старт.cfg");
    writeText(start, QStringLiteral("lanterns on\n"));
    fake.folders.answer(game);
    fake.messages.expectOk(MsgType::Information, kDosFound);
    QTest::keyClick(formMain, Qt::Key_F11, Qt::ControlModifier);
    fake.fileDialogs.answerOpen(start);
    click(formMain->itemDVSLoadSelectHere);
    fake.fileDialogs.answerOpen(start);
    QTest::keyClick(formMain, Qt::Key_L, Qt::ControlModifier);
    closeProgram();

    // Any question about a missing game would fail the start.
    startProgram(QString(), StartQuestions::Scripted);
    EXPECT_EQ(formMain->dlgLoad.folder, game + QLatin1Char('/'));
    EXPECT_EQ(formMain->itemDVSLoadSelectHere->text(), QStringLiteral("Select File Here (старт.cfg)"));
    EXPECT_TRUE(
        formMain->scrlMain->control(QStringLiteral("lanterns"))->widget()->property("checked").toBool())
        << "the start file was found and loaded";
    EXPECT_TRUE(readBytes(folder.files().settingsIni()).contains(game.toUtf8()));
}

TEST_F(GameDirectoryTest, AWrongFolderIsAskedForAgainUntilTheUserKeepsIt)
{
    startProgram();
    const QString wrong = gameFolder({"readme.txt"}, QStringLiteral("Spiele ä ö"));
    fake.folders.answer(wrong);
    fake.messages.expect(MsgType::Warning, kWrong, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.folders.answer(std::nullopt); // cancelled: the same wrong folder is examined again
    fake.messages.expect(MsgType::Warning, kWrong, MsgButtons::YesNo, MsgAnswer::No);
    click(formMain->mniSettingsZVTDir);
    EXPECT_EQ(fake.folders.shown().size(), 2u);
    EXPECT_EQ(fake.folders.shown()[1].startFolder, wrong);
    EXPECT_EQ(setting(QStringLiteral("dir"), QStringLiteral("zvt")), wrong);
    EXPECT_EQ(setting(QStringLiteral("version"), QStringLiteral("zvt")), QStringLiteral("unk"));
}

TEST_F(GameDirectoryTest, CancellingChangesNothingUntilAFolderWasConfirmed)
{
    folder.writeSettings(QStringLiteral("[zvt]\ndir=/old\nversion=win\n"));
    startProgram();
    fake.folders.answer(std::nullopt);
    click(formMain->mniSettingsZVTDir);
    EXPECT_EQ(setting(QStringLiteral("dir"), QStringLiteral("zvt")), QStringLiteral("/old"));
    EXPECT_TRUE(gameMenusEnabled()) << "the menus follow the stored kind";

    const QString game = gameFolder({"zorvan.exe"});
    fake.folders.answer(game);
    fake.messages.expect(MsgType::Information, kDosNoPatch, MsgButtons::YesNo, MsgAnswer::No);
    click(formMain->mniSettingsZVTDir);
    // Later in the same run a cancelled dialog examines the confirmed folder again.
    fake.folders.answer(std::nullopt);
    fake.messages.expect(MsgType::Information, kDosNoPatch, MsgButtons::YesNo, MsgAnswer::No);
    click(formMain->mniSettingsZVTDir);
    EXPECT_EQ(setting(QStringLiteral("dir"), QStringLiteral("zvt")), game);
}

TEST_F(GameDirectoryTest, ARegistryThatRefusesHDPathStopsTheCommandAfterStoringTheFolder)
{
    startProgram();
    fake.registry.refuseWrites(true);
    const QString folder = gameFolder({"ZizaVEZ.exe", "dravopaxw.exe"});
    fake.folders.answer(folder);
    fake.messages.expectOk(MsgType::Information, kWinFound);
    fake.messages.expectOk(MsgType::Error, QStringLiteral("Failed to set data for 'HDPath'"));
    click(formMain->mniSettingsZVTDir);
    EXPECT_EQ(setting(QStringLiteral("dir"), QStringLiteral("zvt")), folder);
    EXPECT_EQ(setting(QStringLiteral("version"), QStringLiteral("zvt")), QStringLiteral("win+dvp"));
    EXPECT_TRUE(gameMenusDisabled()) << "the menu rule is not applied in that run";
}

TEST_F(GameDirectoryTest, TheStartUpCheckAsksOnlyWhenNoGameIsAtTheStoredFolder)
{
    startProgram();
    fake.messages.expect(
        MsgType::Warning,
        QStringLiteral("You don't select your Zorvantia directory.\nYou must do it if you want to work "
                       "with Dravopax Vevavav.\nDo you want to do it now?"),
        MsgButtons::YesNo, MsgAnswer::No);
    formMain->CheckZVTDirectoryAtStart();

    TIniFile(folder.files().settingsIni())
        .WriteString(QStringLiteral("zvt"), QStringLiteral("dir"), games.path());
    fake.messages.expect(
        MsgType::Warning,
        QStringLiteral("Zorvantia not exist at path that was last time selected.\nYou must do it if "
                       "you want to work with Dravopax Vevavav.\nDo you want to do it now?"),
        MsgButtons::YesNo, MsgAnswer::Yes);
    fake.folders.answer(std::nullopt);
    formMain->CheckZVTDirectoryAtStart();
    EXPECT_EQ(fake.folders.shown().size(), 1u);

    // A folder that still holds the game keeps its stored kind without a word.
    TIniFile(folder.files().settingsIni())
        .WriteString(QStringLiteral("zvt"), QStringLiteral("dir"), gameFolder({"zorvan.exe"}));
    TIniFile(folder.files().settingsIni())
        .WriteString(QStringLiteral("zvt"), QStringLiteral("version"), QStringLiteral("win+dvp"));
    formMain->CheckZVTDirectoryAtStart();
    EXPECT_EQ(setting(QStringLiteral("version"), QStringLiteral("zvt")), QStringLiteral("win+dvp"));
}

TEST_F(GameDirectoryTest, AtStartTheStoredKindDecidesTheGameMenus)
{
    folder.writeSettings(QStringLiteral("[zvt]\nversion=win+dvp\n"));
    startProgram();
    EXPECT_TRUE(gameMenusEnabled());
    closeProgram();
    folder.writeSettings(QStringLiteral("[zvt]\nversion=dos+dvp\n"));
    startProgram();
    EXPECT_TRUE(gameMenusDisabled());
    EXPECT_TRUE(formMain->mniSettingsZVTDir->isEnabled());
}

} // namespace
