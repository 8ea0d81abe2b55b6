#include "app/TformMain.h"
#include "game/GameFolder.h"
#include "ini/TIniFile.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchPanel.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSignalSpy>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

const QString kWinNoPatch = u"Zorvantia for Windows was found.\nDravopax for Windows was not found.\n"
                            "Do you want to download Dravopax?"_s;
const QString kDosNoPatch =
    u"Zorvantia for Dos was found.\nDravopax for Dos was not found.\nDo you want to download Dravopax?"_s;
const QString kWrong = u"You select wrong directory.\nThere isn't Zorvantia.\nDo you want select it one "
                       "more time?\nIf not wrong directory will be save."_s;

const QString kRunParameters = u" -C dvsdebug.cfg"_s;
using Starts = std::vector<FakeShell::Start>;

// Choosing the game directory, and running the game or the patch from it.
class GameDirectoryTest : public MainWindowFixture
{
protected:
    QString inGame(const char *name) const { return game + u'/' + QString::fromLatin1(name); }
    bool runFileThere() const { return QFile::exists(inGame("dvsdebug.cfg")); }
    Starts starts() const { return fake.shell.starts(); }
    FakeShell::Start start(const char *file, const QString &parameters = QString()) const
    {
        return {inGame(file), parameters, game};
    }
    // How many of the game's own menus (display, sound, mouse) are offered: all or none.
    int gameMenus() const
    {
        return named<QMenu>("itemZVTDisplay")->menuAction()->isEnabled() +
               named<QMenu>("itemZVTSound")->menuAction()->isEnabled() +
               named<QMenu>("itemZVTMouse")->menuAction()->isEnabled();
    }
    QString gameSetting(const QString &key) const { return setting(key, u"zvt"_s); }
};
using LauncherTest = GameDirectoryTest;

TEST_F(GameDirectoryTest,
       TheStartUpCheckAsksForAGameAndTheChosenFolderIsClassifiedAndStoredEvenIfTheRegistryRefusesIt)
{
    startProgram();
    EXPECT_EQ(gameMenus(), 0) << "no game stored";
    // The start-up check asks only when no game is at the stored folder.
    fake.messages.expect(MsgType::Warning, kNoGameDirectoryQuestion, MsgButtons::YesNo, MsgAnswer::No);
    windows->game().CheckZVTDirectoryAtStart();

    TIniFile settings(folder.files().settingsIni());
    settings.WritePath(u"zvt"_s, u"dir"_s, games.path());
    fake.messages.expect(MsgType::Warning, kGameGoneQuestion, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.folders.answer(std::nullopt);
    windows->game().CheckZVTDirectoryAtStart();

    // A folder that still holds the game keeps its stored kind without a word.
    settings.WritePath(u"zvt"_s, u"dir"_s, gameFolder("zorvan.exe"));
    settings.WriteString(u"zvt"_s, u"version"_s, u"dos+dvp"_s);
    windows->game().CheckZVTDirectoryAtStart();
    EXPECT_EQ(gameSetting(u"version"_s), u"dos+dvp"_s);

    // A registry that refuses HDPath stops the command after the folder is stored,
    // before the menus change.
    QFile::remove(fake.registry.fileName());
    QDir().mkpath(fake.registry.fileName()); // a folder in its place refuses every write
    const QString refused = gameFolder("ZizaVEZ.exe dravopaxw.exe", u"refused"_s);
    fake.folders.answer(refused);
    fake.messages.expectOk(MsgType::Information, kWinFound);
    fake.messages.expectOk(MsgType::Error, u"Failed to set data for 'HDPath'"_s);
    click(action("mniSettingsZVTDir"));
    EXPECT_EQ(gameSetting(u"dir"_s), refused);
    EXPECT_EQ(gameSetting(u"version"_s), u"win+dvp"_s);
    EXPECT_EQ(gameMenus(), 0);
    QDir().rmdir(fake.registry.fileName());

    // The files, the message and its answer, and the kind stored. The registry
    // is left alone until a Windows edition is chosen.
    const std::tuple<const char *, QString, MsgAnswer, QString> choices[] = {
        {"zvtx.exe dravopaxw.exe", kDosNoPatch, MsgAnswer::No, u"dos"_s},
        {"zorvan.exe dravopax.exe", kDosFound, MsgAnswer::Ok, u"dos+dvp"_s},
        {"ZizaVEZ.exe dravopax.exe", kWinNoPatch, MsgAnswer::Yes, u"win"_s},
        {"ZizaVEZ.exe zorvan.exe dravopaxw.exe", kWinFound, MsgAnswer::Ok, u"win+dvp"_s},
    };
    for (const auto &[files, message, answer, kind] : choices) {
        SCOPED_TRACE(kind.toStdString());
        const bool windows = kind.startsWith(u"win");
        const QString path = gameFolder(files, kind);
        fake.folders.answer(path + u'/');
        fake.messages.expect(MsgType::Information, message,
                             answer == MsgAnswer::Ok ? MsgButtons::Ok : MsgButtons::YesNo, answer);
        QTest::keyClick(formMain, Qt::Key_F11, Qt::ControlModifier);
        EXPECT_EQ(gameSetting(u"dir"_s), path);
        EXPECT_EQ(gameSetting(u"version"_s), kind);
        const auto key = fake.registry.openKey(u"Software\\Quillmark\\Zorvantia"_s, false);
        EXPECT_EQ(key->valueExists(u"HDPath"_s) ? key->readString(u"HDPath"_s) : u"<none>"_s,
                  windows ? path : u"<none>"_s);
        EXPECT_EQ(gameMenus(), windows ? 3 : 0);
    }
    // Only the Yes to the download offer opened the patch's page.
    EXPECT_EQ(starts(), (Starts{{u"http://dravopax.example.org/"_s, QString(), QString()}}));
}

TEST_F(GameDirectoryTest, FoldersAndFilesNamedInAnyScriptSurviveARestart)
{
    folder.writePatch(u"[lanterns]\ncomponent=2\ncaption=Lanterns\n"_s);
    folder.writeSettings(u"[dvs]\nversion=ver1\n"_s);
    startProgram();
    const QString path = gameFolder("zorvan.exe dravopax.exe", u"Игры/Zorvantia"_s);
    const QString start = path + u"/старт.cfg"_s;
    writeText(start, u"lanterns on\n"_s);
    fake.folders.answer(path);
    fake.messages.expectOk(MsgType::Information, kDosFound);
    QTest::keyClick(formMain, Qt::Key_F11, Qt::ControlModifier);
    fake.fileDialogs.answerOpen(start);
    click(action("itemDVSLoadSelectHere"));
    fake.fileDialogs.answerOpen(start);
    QTest::keyClick(formMain, Qt::Key_L, Qt::ControlModifier);
    closeProgram();

    // Any question about a missing game would fail the start.
    startProgram(QString(), StartQuestions::Scripted);
    EXPECT_EQ(windows->config().dlgLoad.folder, path + u'/');
    EXPECT_EQ(action("itemDVSLoadSelectHere")->text(), u"Select File Here (старт.cfg)"_s);
    EXPECT_TRUE(control<OnOffSwitch>("lanterns")->isChecked()) << "the start file was found and loaded";
    EXPECT_TRUE(readBytes(folder.files().settingsIni()).contains(path.toUtf8()));
}

TEST_F(GameDirectoryTest, CancellingExaminesTheFolderConfirmedLastAndAWrongFolderIsAskedForAgain)
{
    folder.writeSettings(u"[zvt]\ndir=/old\nversion=win\n"_s);
    startProgram();
    fake.folders.answer(std::nullopt);
    click(action("mniSettingsZVTDir"));
    EXPECT_EQ(gameSetting(u"dir"_s), u"/old"_s);
    EXPECT_EQ(gameMenus(), 3) << "the menus follow the stored kind";

    const QString path = gameFolder("zorvan.exe");
    fake.folders.answer(path);
    fake.messages.expect(MsgType::Information, kDosNoPatch, MsgButtons::YesNo, MsgAnswer::No);
    click(action("mniSettingsZVTDir"));
    // Later in the same run a cancelled dialog examines the confirmed folder again.
    fake.folders.answer(std::nullopt);
    fake.messages.expect(MsgType::Information, kDosNoPatch, MsgButtons::YesNo, MsgAnswer::No);
    click(action("mniSettingsZVTDir"));
    EXPECT_EQ(gameSetting(u"dir"_s), path);

    const QString wrong = gameFolder("readme.txt", u"Spiele ä ö"_s);
    fake.folders.answer(wrong);
    fake.messages.expect(MsgType::Warning, kWrong, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.folders.answer(std::nullopt); // cancelled: the same wrong folder is examined again
    fake.messages.expect(MsgType::Warning, kWrong, MsgButtons::YesNo, MsgAnswer::No);
    click(action("mniSettingsZVTDir"));
    EXPECT_EQ(fake.folders.shown().back(), wrong);
    EXPECT_EQ(gameSetting(u"dir"_s), wrong);
    EXPECT_EQ(gameSetting(u"version"_s), u"unk"_s);
}

TEST_F(LauncherTest, ModeZeroStartsThePatchOfTheKindAndMinimisingKeepsTheWindowMaximized)
{
    installGame(u"win+dvp"_s, "ZizaVEZ.exe dravopaxw.exe dravopax.cfg", u"maximize=1\n"_s);
    startProgram();
    ASSERT_TRUE(formMain->isMaximized());
    QTest::keyClick(formMain, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(starts(), Starts{start("dravopaxw.exe")});
    EXPECT_TRUE(formMain->isMinimized());
    // Brought back as the system does it: maximized again, and so next time.
    formMain->setWindowState(formMain->windowState() & ~Qt::WindowMinimized);
    EXPECT_TRUE(formMain->isMaximized());
    closeProgram();
    EXPECT_EQ(setting(u"maximize"_s), u"1"_s);

    const QString question =
        u"File \"dravopax.cfg\" not exists.\nDravopax will automatically create it.\nDo you want continue?"_s;
    installGame(u"dos+dvp"_s, "zorvan.exe dravopax.exe");
    QFile::remove(inGame("dravopax.cfg"));
    startProgram();
    for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        fake.messages.expect(MsgType::Error, question, MsgButtons::YesNo, answer);
        click(action("itemRun"));
        EXPECT_EQ(formMain->isMinimized(), answer == MsgAnswer::Yes);
    }
    EXPECT_EQ(starts(), (Starts{start("dravopaxw.exe"), start("dravopax.exe")}));
}

TEST_F(LauncherTest, ModeOneCopiesTheChosenFileAsTheRunFile)
{
    installGame(u"win+dvp"_s, "ZizaVEZ.exe dravopaxw.exe", u"run=1\nlastdir=/from/before/\n"_s);
    const QString chosen = games.path() + u"/my own.cfg"_s;
    writeBytes(chosen, QByteArray("lanterns on\nmotto gold\rspeed 4"));
    startProgram();
    fake.fileDialogs.answerOpen(std::nullopt);
    click(action("itemRun"));
    const QString gone = games.path() + u"/gone.cfg"_s;
    fake.fileDialogs.answerOpen(gone);
    fake.messages.expectOk(MsgType::Error, u"Sorry, file:\n"_s + gone + u"\nnot found"_s);
    click(action("itemRun"));
    EXPECT_FALSE(formMain->isMinimized()) << "cancelled or gone: nothing happens";

    fake.fileDialogs.answerOpen(chosen);
    QTest::mouseClick(named<QToolButton>("butnRun"), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    const FileDialogRequest &request = fake.fileDialogs.shown().back();
    EXPECT_EQ(request.title, u"Load Configuration File"_s);
    EXPECT_EQ(request.filter, u"Configuration files (*.cfg)|*.cfg|All files (*.*)|*.*"_s);
    EXPECT_EQ(request.folder, u"/from/before/"_s);
    EXPECT_EQ(setting(u"lastdir"_s), games.path() + u'/');
    EXPECT_EQ(starts(), Starts{start("dravopaxw.exe", kRunParameters)});
    EXPECT_EQ(readBytes(inGame("dvsdebug.cfg")), QByteArray("lanterns on\r\nmotto gold\r\nspeed 4\r\n"));
    EXPECT_TRUE(formMain->isMinimized());
}

// Ending after the start leaves the run file and skips the closing steps;
// otherwise the run file stays while any patch started with it still runs.
TEST_F(LauncherTest, ModeTwoRunsTheCurrentSwitchesWithoutGreyedOnesAndTheirFileStaysOnlyWhileAPatchUsesIt)
{
    installGame(u"dos+dvp"_s, "zorvan.exe dravopax.exe", u"run=2\nafterruntt=1\n"_s);
    folder.writePatch(u"[lanterns]\ncomponent=2\n[future]\ncomponent=2\nversion=v2\n"_s);
    folder.writeVersions(u"[version]\nnumber=2\nv1=1\nv2=2\n"_s);
    startProgram();
    QSignalSpy ended(formMain, &TformMain::programEndRequested);
    click(action("itemRun"));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(formMain->isMinimized());
    fake.shell.finish(0);
    EXPECT_TRUE(runFileThere());
    EXPECT_EQ(setting(u"width"_s), u"<absent>"_s) << "no placement saved";

    click(action("itemDVSMinimize"));
    control<OnOffSwitch>("lanterns")->setChecked(true);
    click(action("itemRun"));
    EXPECT_EQ(readBytes(inGame("dvsdebug.cfg")), crlf(u"//Created by Dravopax Vevavav\n\nlanterns on\n"_s));
    click(action("itemRun"));
    EXPECT_EQ(starts(), Starts(3, start("dravopax.exe", kRunParameters)));
    fake.shell.finish(1);
    EXPECT_TRUE(runFileThere()) << "the second patch has not ended";
    fake.shell.finish(2);
    EXPECT_FALSE(runFileThere());

    fake.shell.setOutcome(FakeShell::Outcome::Unwatched);
    click(action("itemRun"));
    EXPECT_TRUE(runFileThere()) << "kept; the next run overwrites it";
    fake.shell.setOutcome(FakeShell::Outcome::Watched);
    click(action("itemRun"));
    fake.shell.finish(starts().size() - 1);
    EXPECT_FALSE(runFileThere()) << "a later watched run decides afresh";

    fake.shell.setOutcome(FakeShell::Outcome::Unwatched);
    click(action("itemRun"));
    fake.shell.setOutcome(FakeShell::Outcome::Fails);
    click(action("itemRun"));
    EXPECT_FALSE(runFileThere()) << "so does a later run that started nothing";
    fake.shell.setOutcome(FakeShell::Outcome::Ended);
    click(action("itemRun"));
    EXPECT_FALSE(runFileThere()) << "and one that ended while its start was watched";
    fake.shell.setOutcome(FakeShell::Outcome::Watched);
    click(action("itemRun"));
    fake.shell.finish(starts().size() - 1);
    EXPECT_FALSE(runFileThere()) << "which uses the file no longer";
    fake.shell.setOutcome(FakeShell::Outcome::Fails);

    // A kind without the patch, or a patch that cannot be started at all (it is
    // missing, or this system cannot run it): the run file of either mode goes
    // at once, and the after-run step still follows.
    const QString chosen = games.path() + u"/mine.cfg"_s;
    writeBytes(chosen, QByteArray("lanterns on\r\n"));
    for (const char *kind : {"win", "dos", "unk", "win+dvp", "dos+dvp"}) {
        SCOPED_TRACE(kind);
        installGame(QString::fromLatin1(kind), "ZizaVEZ.exe zorvan.exe", u"run=2\n"_s);
        startProgram();
        const std::size_t before = starts().size();
        click(action("itemRun"));
        EXPECT_FALSE(runFileThere());
        EXPECT_EQ(starts().size() - before, QByteArray(kind).contains('+') ? 1u : 0u);
        EXPECT_TRUE(formMain->isMinimized());
        click(action("mniSelectRunDVFile"));
        fake.fileDialogs.answerOpen(chosen);
        click(action("itemRun"));
        EXPECT_FALSE(runFileThere());
    }
}

TEST_F(LauncherTest, ModeThreeStartsTheGameOfTheKindAndAnUnknownModeStartsNothing)
{
    installGame(u"win"_s, "", u"run=3\n"_s);
    startProgram();
    click(action("itemRun"));
    EXPECT_EQ(starts(), Starts{start("ZizaVEZ.exe")}) << "started even when it is missing";

    // The kind stored meanwhile decides the next run.
    installGame(u"dos"_s, "zvtx.exe zvtlx.exe zorvan.exe", u"run=3\n"_s);
    for (const char *expected : {"zorvan.exe", "zvtlx.exe", "zvtx.exe"}) {
        click(action("itemRun"));
        EXPECT_EQ(starts().back(), start(expected));
        QFile::remove(inGame(expected));
    }
    const std::size_t before = starts().size();
    formMain->showNormal();
    click(action("itemRun"));
    EXPECT_EQ(starts().size(), before) << "none of the three: nothing started";
    EXPECT_TRUE(formMain->isMinimized()) << "but the after-run step still follows";

    installGame(u"unk"_s, "zorvan.exe", u"run=3\n"_s);
    formMain->showNormal();
    click(action("itemRun"));
    EXPECT_FALSE(formMain->isMinimized()) << "an unknown kind does nothing at all";

    // An unknown run mode does nothing either; the run button offers the first mode.
    for (const char *mode : {"7", "-1"}) {
        installGame(u"win+dvp"_s, "ZizaVEZ.exe dravopaxw.exe", u"run=%1\n"_s.arg(QLatin1String(mode)));
        startProgram();
        EXPECT_EQ(named<QToolButton>("butnRun")->statusTip(), u"Run Dravopax (dravopax.cfg)"_s);
        QTest::keyClick(formMain, Qt::Key_R, Qt::ControlModifier);
        EXPECT_EQ(starts().size(), before) << mode;
        EXPECT_FALSE(formMain->isMinimized()) << mode;
    }
}

TEST_F(LauncherTest, WithoutAGameDirectoryThePatchModesStopAndModeFourGoesOn)
{
    startProgram();
    const QString notSet = u"You not set ZVT directory.\nDravopax Vevavav can't continue."_s;
    for (const auto &[mode, message] :
         {std::pair{action("mniSelectRunDVCfg"), notSet},
          {action("mniSelectRunDVFile"), notSet},
          {action("mniSelectRunDVCurrent"),
           u"You do not set ZVT directory.\nDravopax Vevavav can't continue."_s}}) {
        click(mode);
        fake.messages.expectOk(MsgType::Error, message);
        click(action("itemRun"));
    }
    EXPECT_FALSE(formMain->isMinimized());

    // Mode four runs any chosen program from its folder.
    click(action("mniSelectRunDVexebat"));
    const QString tool = games.path() + u"/tools/map editor.bat"_s;
    fake.messages.expectOk(MsgType::Error,
                           u"You not set ZVT directory but\nDravopax Vevavav will continue."_s);
    fake.fileDialogs.answerOpen(tool);
    click(action("itemRun"));
    const FileDialogRequest &request = fake.fileDialogs.shown().back();
    EXPECT_EQ(request.title, u"Run EXE or BAT file"_s);
    EXPECT_EQ(request.filter, u"EXE and BAT files files (*.exe;*.bat)|*.exe;*.bat"_s);
    EXPECT_EQ(starts(), (Starts{{tool, QString(), games.path() + u"/tools"_s}}));

    installGame(u"win"_s, "", u"run=4\n"_s);
    formMain->showNormal();
    fake.fileDialogs.answerOpen(std::nullopt);
    click(action("itemRun"));
    EXPECT_EQ(fake.fileDialogs.shown().back().folder, game);
    EXPECT_FALSE(formMain->isMinimized()) << "cancelled: no after-run step";
}

// A start that cannot be made here, or that ends with an error at once, is
// said; it never happened: its run file goes, and the window stays.
TEST_F(LauncherTest, AFailedStartIsSaidItsRunFileGoesAndTheWindowStays)
{
    const QString chosen = games.path() + u"/mine.cfg"_s;
    writeBytes(chosen, QByteArray("lanterns on\r\n"));
    const QString problem =
        u"DOSBox, running dravopax.exe ended at once with exit code 1.\nIts last words:\nno"_s;
    for (const int mode : {0, 1, 3, 4, 2}) {
        SCOPED_TRACE(mode);
        installGame(u"dos+dvp"_s, "zorvan.exe dravopax.exe dravopax.cfg", u"run=%1\n"_s.arg(mode));
        startProgram();
        // A patch started before with the run file still runs: the file stays for it.
        fake.shell.failWith({});
        if (mode == 2) {
            click(action("itemRun"));
            formMain->setWindowState(Qt::WindowNoState);
        }
        fake.shell.failWith(problem);
        if (mode == 1 || mode == 4)
            fake.fileDialogs.answerOpen(mode == 1 ? chosen : inGame("zorvan.exe"));
        fake.messages.expectOk(MsgType::Error, problem);
        click(action("itemRun"));
        fake.messages.verify();
        EXPECT_FALSE(formMain->isMinimized());
        EXPECT_EQ(runFileThere(), mode == 2);
        closeProgram();
    }
}

TEST_F(LauncherTest, TheDosBoxProgramIsChosenInDvsSettingsAndStored)
{
    installGame(u"dos"_s, "zorvan.exe");
    startProgram();
    // The answer, and what is stored: a cancel keeps the program, blanks give the default.
    const QString chosen = u"/opt/dosbox-x/bin/dosbox-x"_s;
    const std::pair<std::optional<QString>, QString> answers[] = {
        {chosen, chosen}, {std::nullopt, chosen}, {u"  "_s, u"dosbox"_s}};
    for (const auto &[answer, stored] : answers) {
        fake.input.answer(answer);
        click(action("itemDVSDosBox"));
        EXPECT_EQ(setting(u"dosbox"_s), stored);
    }
    EXPECT_EQ(fake.input.shown(), std::vector<QString>(3, u"DOSBox Program"_s));
}

TEST(GameFolder, TheFilesTellTheEditionAndThePatchInAnyLetterCaseAndTrailingSeparatorsGo)
{
    // The files of each folder, separated by blanks, and the kind they make.
    const std::pair<const char *, const char *> folders[] = {
        {"", "no game"},
        {"dravopax.exe dravopaxw.exe", "no game"},
        {"zorvan.exe", "dos"},
        {"zvtlx.exe", "dos"},
        {"zorvan.exe dravopaxw.exe", "dos"}, // the Windows patch beside DOS
        {"zvtx.exe dravopax.exe", "dos+dvp"},
        {"ZizaVEZ.exe", "win"},
        {"ZizaVEZ.exe zorvan.exe", "win"},   // both editions' files: Windows
        {"ZizaVEZ.exe dravopax.exe", "win"}, // the DOS patch beside Windows
        {"ZizaVEZ.exe dravopaxw.exe", "win+dvp"},
        {"ZIZAVEZ.EXE DravopaxW.Exe", "win+dvp"}, // copied from a system that ignores case
    };
    for (const auto &[files, kind] : folders) {
        QTemporaryDir dir;
        for (const QString &name : QString::fromLatin1(files).split(u' ', Qt::SkipEmptyParts))
            writeBytes(dir.path() + u'/' + name, QByteArray("MZ"));
        const GameFolder folder(dir.path());
        EXPECT_EQ(folder.holdsGame() ? folder.kind() : u"no game"_s, QString::fromLatin1(kind)) << files;
    }
    QTemporaryDir dir;
    writeBytes(dir.path() + u"/ZIZAVEZ.EXE"_s, QByteArray("MZ"));
    QDir(dir.path()).mkdir(u"zorvan.exe"_s);
    EXPECT_EQ(GameFolder(dir.path()).find(u"ZizaVEZ.exe"_s), dir.path() + u"/ZIZAVEZ.EXE"_s);
    EXPECT_FALSE(GameFolder(dir.path()).has(u"zorvan.exe"_s)) << "a folder of that name is no game file";

    // A chosen folder loses its trailing separators.
    EXPECT_EQ(GameFolder::trimmed(u"C:\\"_s), u"C:"_s);
    EXPECT_EQ(GameFolder::trimmed(u"/games/zvt//"_s), u"/games/zvt"_s);
    EXPECT_EQ(GameFolder::trimmed(u"/"_s), QString()) << "the root, whose files are \"/name\"";
    EXPECT_EQ(GameFolder(QString()).file(u"zorvan.exe"_s), u"/zorvan.exe"_s);
}

} // namespace
