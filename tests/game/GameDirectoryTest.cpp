#include "app/TIniFile.h"
#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kGameKey = u"Software\\Quillmark\\Zorvantia"_s;
const QString kWinFound = u"Zorvantia for Windows was found.\nDravopax for Windows was found."_s;
const QString kWinNoPatch = u"Zorvantia for Windows was found.\nDravopax for Windows was not found.\n"
                            "Do you want to download Dravopax?"_s;
const QString kDosFound = u"Zorvantia for Dos was found.\nDravopax for Dos was found.\nYou haven't access to "
                          "some ZVT Options like:\n -Display\n -Sound\n -Mouse\n -Create Registry Entry\n"
                          "(This option are avabile only in Windows version)"_s;
const QString kDosNoPatch =
    u"Zorvantia for Dos was found.\nDravopax for Dos was not found.\nDo you want to download Dravopax?"_s;
const QString kWrong = u"You select wrong directory.\nThere isn't Zorvantia.\nDo you want select it one "
                       "more time?\nIf not wrong directory will be save."_s;

class GameDirectoryTest : public MainWindowFixture
{
protected:
    // A game folder of its own holding the given files.
    QString gameFolder(std::initializer_list<const char *> files, const QString &name = u"game"_s)
    {
        const QString path = games.path() + u'/' + name;
        QDir().mkpath(path);
        for (const char *file : files)
            writeBytes(path + u'/' + QString::fromLatin1(file), QByteArray("MZ"));
        return path;
    }
    // Whether the game's own menus are offered: all three, or none.
    std::optional<bool> gameMenus() const
    {
        const bool display = formMain->itemZVTDisplay->menuAction()->isEnabled();
        if (formMain->itemZVTSound->menuAction()->isEnabled() != display ||
            formMain->itemZVTMouse->menuAction()->isEnabled() != display)
            return std::nullopt;
        return display;
    }
    QString game(const QString &key) const { return setting(key, u"zvt"_s); }

    QTemporaryDir games;
};

TEST_F(GameDirectoryTest, TheChosenFolderIsClassifiedAndStoredAndTheGameMenusFollow)
{
    startProgram();
    EXPECT_EQ(gameMenus(), false);
    const struct
    {
        std::initializer_list<const char *> files;
        QString message;
        MsgAnswer answer;
        const char *kind;
        bool windows;
    } choices[] = {
        // The registry is left alone until a Windows edition is chosen.
        {{"zvtx.exe", "dravopaxw.exe"}, kDosNoPatch, MsgAnswer::No, "dos", false},
        {{"zorvan.exe", "dravopax.exe"}, kDosFound, MsgAnswer::Ok, "dos+dvp", false},
        {{"ZizaVEZ.exe", "dravopax.exe"}, kWinNoPatch, MsgAnswer::Yes, "win", true},
        {{"ZizaVEZ.exe", "zorvan.exe", "dravopaxw.exe"}, kWinFound, MsgAnswer::Ok, "win+dvp", true},
    };
    int folder = 0;
    for (const auto &choice : choices) {
        SCOPED_TRACE(choice.kind);
        const QString path = gameFolder(choice.files, QString::number(++folder));
        fake.folders.answer(path + u'/');
        fake.messages.expect(MsgType::Information, choice.message,
                             choice.answer == MsgAnswer::Ok ? MsgButtons::Ok : MsgButtons::YesNo,
                             choice.answer);
        QTest::keyClick(formMain, Qt::Key_F11, Qt::ControlModifier);
        EXPECT_EQ(fake.folders.shown().back().title, u"Select Zorvantia Directory"_s);
        EXPECT_EQ(game(u"dir"_s), path);
        EXPECT_EQ(game(u"version"_s), QString::fromLatin1(choice.kind));
        const std::unique_ptr<RegistryKey> key = fake.registry.openKey(kGameKey, false);
        EXPECT_EQ(key->valueExists(u"HDPath"_s) ? key->readString(u"HDPath"_s) : u"<none>"_s,
                  choice.windows ? path : u"<none>"_s);
        EXPECT_EQ(gameMenus(), choice.windows);
    }
    // Only the Yes to the download offer opened the patch's page.
    ASSERT_EQ(fake.shell.starts().size(), 1u);
    EXPECT_EQ(fake.shell.starts()[0].file, u"http://dravopax.example.org/"_s);
}

TEST_F(GameDirectoryTest, FoldersAndFilesNamedInAnyScriptSurviveARestart)
{
    folder.writePatch(u"[lanterns]\ncomponent=2\ncaption=Lanterns\n"_s);
    folder.writeSettings(u"[dvs]\nversion=ver1\n"_s);
    startProgram();
    const QString path = gameFolder({"zorvan.exe", "dravopax.exe"}, u"Игры/Zorvantia"_s);
    const QString start = path + u"/старт.cfg"_s;
    writeText(start, u"lanterns on\n"_s);
    fake.folders.answer(path);
    fake.messages.expectOk(MsgType::Information, kDosFound);
    QTest::keyClick(formMain, Qt::Key_F11, Qt::ControlModifier);
    fake.fileDialogs.answerOpen(start);
    click(formMain->itemDVSLoadSelectHere);
    fake.fileDialogs.answerOpen(start);
    QTest::keyClick(formMain, Qt::Key_L, Qt::ControlModifier);
    closeProgram();

    // Any question about a missing game would fail the start.
    startProgram(QString(), StartQuestions::Scripted);
    EXPECT_EQ(formMain->dlgLoad.folder, path + u'/');
    EXPECT_EQ(formMain->itemDVSLoadSelectHere->text(), u"Select File Here (старт.cfg)"_s);
    EXPECT_TRUE(formMain->scrlMain->control(u"lanterns"_s)->widget()->property("checked").toBool())
        << "the start file was found and loaded";
    EXPECT_TRUE(readBytes(folder.files().settingsIni()).contains(path.toUtf8()));
}

TEST_F(GameDirectoryTest, AWrongFolderIsAskedForAgainUntilTheUserKeepsIt)
{
    startProgram();
    const QString wrong = gameFolder({"readme.txt"}, u"Spiele ä ö"_s);
    fake.folders.answer(wrong);
    fake.messages.expect(MsgType::Warning, kWrong, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.folders.answer(std::nullopt); // cancelled: the same wrong folder is examined again
    fake.messages.expect(MsgType::Warning, kWrong, MsgButtons::YesNo, MsgAnswer::No);
    click(formMain->mniSettingsZVTDir);
    EXPECT_EQ(fake.folders.shown().size(), 2u);
    EXPECT_EQ(fake.folders.shown()[1].startFolder, wrong);
    EXPECT_EQ(game(u"dir"_s), wrong);
    EXPECT_EQ(game(u"version"_s), u"unk"_s);
}

TEST_F(GameDirectoryTest, CancellingChangesNothingUntilAFolderWasConfirmed)
{
    folder.writeSettings(u"[zvt]\ndir=/old\nversion=win\n"_s);
    startProgram();
    fake.folders.answer(std::nullopt);
    click(formMain->mniSettingsZVTDir);
    EXPECT_EQ(game(u"dir"_s), u"/old"_s);
    EXPECT_EQ(gameMenus(), true) << "the menus follow the stored kind";

    const QString path = gameFolder({"zorvan.exe"});
    fake.folders.answer(path);
    fake.messages.expect(MsgType::Information, kDosNoPatch, MsgButtons::YesNo, MsgAnswer::No);
    click(formMain->mniSettingsZVTDir);
    // Later in the same run a cancelled dialog examines the confirmed folder again.
    fake.folders.answer(std::nullopt);
    fake.messages.expect(MsgType::Information, kDosNoPatch, MsgButtons::YesNo, MsgAnswer::No);
    click(formMain->mniSettingsZVTDir);
    EXPECT_EQ(game(u"dir"_s), path);
}

TEST_F(GameDirectoryTest, ARegistryThatRefusesHDPathStopsTheCommandAfterStoringTheFolder)
{
    startProgram();
    QDir().mkpath(fake.registry.fileName()); // a folder in its place refuses every write
    const QString path = gameFolder({"ZizaVEZ.exe", "dravopaxw.exe"});
    fake.folders.answer(path);
    fake.messages.expectOk(MsgType::Information, kWinFound);
    fake.messages.expectOk(MsgType::Error, u"Failed to set data for 'HDPath'"_s);
    click(formMain->mniSettingsZVTDir);
    EXPECT_EQ(game(u"dir"_s), path);
    EXPECT_EQ(game(u"version"_s), u"win+dvp"_s);
    EXPECT_EQ(gameMenus(), false) << "the menu rule is not applied in that run";
}

TEST_F(GameDirectoryTest, TheStartUpCheckAsksOnlyWhenNoGameIsAtTheStoredFolder)
{
    startProgram();
    fake.messages.expect(MsgType::Warning, kNoGameDirectoryQuestion, MsgButtons::YesNo, MsgAnswer::No);
    formMain->CheckZVTDirectoryAtStart();

    TIniFile settings(folder.files().settingsIni());
    settings.WritePath(u"zvt"_s, u"dir"_s, games.path());
    fake.messages.expect(MsgType::Warning, kGameGoneQuestion, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.folders.answer(std::nullopt);
    formMain->CheckZVTDirectoryAtStart();
    EXPECT_EQ(fake.folders.shown().size(), 1u);

    // A folder that still holds the game keeps its stored kind without a word.
    settings.WritePath(u"zvt"_s, u"dir"_s, gameFolder({"zorvan.exe"}));
    settings.WriteString(u"zvt"_s, u"version"_s, u"win+dvp"_s);
    formMain->CheckZVTDirectoryAtStart();
    EXPECT_EQ(game(u"version"_s), u"win+dvp"_s);
}

TEST_F(GameDirectoryTest, AtStartTheStoredKindDecidesTheGameMenus)
{
    for (const auto &[kind, windows] : {std::pair{"win+dvp", true}, std::pair{"dos+dvp", false}}) {
        folder.writeSettings(u"[zvt]\nversion=%1\n"_s.arg(QLatin1String(kind)));
        startProgram();
        EXPECT_EQ(gameMenus(), windows) << kind;
        EXPECT_TRUE(formMain->mniSettingsZVTDir->isEnabled());
        closeProgram();
    }
}

} // namespace
