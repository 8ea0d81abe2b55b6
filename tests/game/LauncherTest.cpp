#include "app/ProgramWindows.h"
#include "app/StartUp.h"
#include "app/TformMain.h"
#include "platform/SystemShell.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

const QString kRunParameters = u" -C dvsdebug.cfg"_s;
const QString kLoadFilter = u"Configuration files (*.cfg)|*.cfg|All files (*.*)|*.*"_s;
using Starts = std::vector<FakeShell::Start>;

class LauncherTest : public MainWindowFixture
{
protected:
    // A game of `kind` with the given files, stored as the game directory.
    void installGame(const QString &kind, std::initializer_list<const char *> files,
                     const QString &extra = {})
    {
        game = games.path() + u"/Zorvantia Gold"_s;
        QDir().mkpath(game);
        for (const char *file : files)
            writeBytes(inGame(file), QByteArray("MZ"));
        folder.writeSettings(u"[zvt]\ndir=%1\nversion=%2\n[dvs]\nversion=ver1\n%3"_s.arg(game, kind, extra));
    }
    QString inGame(const char *name) const { return game + u'/' + QString::fromLatin1(name); }
    bool runFileThere() const { return QFile::exists(inGame("dvsdebug.cfg")); }
    Starts starts() const { return fake.shell.starts(); }
    FakeShell::Start start(const char *file, const QString &parameters = QString()) const
    {
        return {inGame(file), parameters, game};
    }

    QTemporaryDir games;
    QString game;
};

TEST_F(LauncherTest, ModeZeroStartsThePatchOfTheKindAndMinimisingKeepsTheWindowMaximized)
{
    installGame(u"win+dvp"_s, {"ZizaVEZ.exe", "dravopaxw.exe", "dravopax.cfg"}, u"maximize=1\n"_s);
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
    installGame(u"dos+dvp"_s, {"zorvan.exe", "dravopax.exe"});
    QFile::remove(inGame("dravopax.cfg"));
    startProgram();
    for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        fake.messages.expect(MsgType::Error, question, MsgButtons::YesNo, answer);
        click(formMain->itemRun);
        EXPECT_EQ(formMain->isMinimized(), answer == MsgAnswer::Yes);
    }
    EXPECT_EQ(starts().back(), start("dravopax.exe"));
    EXPECT_EQ(starts().size(), 2u);
}

TEST_F(LauncherTest, WithoutAGameDirectoryThePatchModesStop)
{
    folder.writeSettings(u"[dvs]\nrun=0\n"_s);
    startProgram();
    const QString notSet = u"You not set ZVT directory.\nDravopax Vevavav can't continue."_s;
    for (const auto &[mode, message] :
         {std::pair{formMain->mniSelectRunDVCfg, notSet},
          {formMain->mniSelectRunDVFile, notSet},
          {formMain->mniSelectRunDVCurrent,
           u"You do not set ZVT directory.\nDravopax Vevavav can't continue."_s}}) {
        click(mode);
        fake.messages.expectOk(MsgType::Error, message);
        click(formMain->itemRun);
    }
    EXPECT_TRUE(starts().empty());
    EXPECT_FALSE(formMain->isMinimized());
}

TEST_F(LauncherTest, ModeOneCopiesTheChosenFileAndKeepsItUntilThePatchEnds)
{
    installGame(u"win+dvp"_s, {"ZizaVEZ.exe", "dravopaxw.exe"}, u"run=1\nlastdir=/from/before/\n"_s);
    const QString chosen = games.path() + u"/my own.cfg"_s;
    writeBytes(chosen, QByteArray("lanterns on\nmotto gold\rspeed 4"));
    startProgram();
    fake.fileDialogs.answerOpen(std::nullopt);
    click(formMain->itemRun);
    const QString gone = games.path() + u"/gone.cfg"_s;
    fake.fileDialogs.answerOpen(gone);
    fake.messages.expectOk(MsgType::Error, u"Sorry, file:\n"_s + gone + u"\nnot found"_s);
    click(formMain->itemRun);
    EXPECT_TRUE(starts().empty()) << "cancelled or gone: nothing happens";
    EXPECT_FALSE(formMain->isMinimized());
    EXPECT_FALSE(runFileThere());

    fake.fileDialogs.answerOpen(chosen);
    QTest::mouseClick(formMain->butnRun, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    const FileDialogRequest &request = fake.fileDialogs.shown().back().request;
    EXPECT_EQ(request.title, u"Load Configuration File"_s);
    EXPECT_EQ(request.filter, kLoadFilter);
    EXPECT_EQ(request.folder, u"/from/before/"_s);
    EXPECT_EQ(setting(u"lastdir"_s), games.path() + u'/');
    EXPECT_EQ(starts(), Starts{start("dravopaxw.exe", kRunParameters)});
    EXPECT_EQ(readBytes(inGame("dvsdebug.cfg")), QByteArray("lanterns on\r\nmotto gold\r\nspeed 4\r\n"));
    EXPECT_TRUE(formMain->isMinimized());
    fake.shell.finish(0);
    EXPECT_FALSE(runFileThere()) << "gone once the patch has ended";
}

TEST_F(LauncherTest, ModeTwoRunsTheCurrentSwitchesWithoutGreyedOnes)
{
    installGame(u"dos+dvp"_s, {"zorvan.exe", "dravopax.exe"}, u"run=2\n"_s);
    folder.writePatch(u"[lanterns]\ncomponent=2\n[future]\ncomponent=2\nversion=v2\n"_s);
    folder.writeVersions(u"[version]\nnumber=2\nv1=1\nv2=2\n"_s);
    startProgram();
    static_cast<OnOffSwitch *>(formMain->scrlMain->control(u"lanterns"_s))->setChecked(true);
    click(formMain->itemRun);
    EXPECT_EQ(readBytes(inGame("dvsdebug.cfg")), crlf(u"//Created by Dravopax Vevavav\n\nlanterns on\n"_s));
    EXPECT_EQ(starts(), Starts{start("dravopax.exe", kRunParameters)});
    fake.shell.finish(0);
    EXPECT_FALSE(runFileThere());
}

// A kind without the patch, or a patch that cannot be started at all (it is
// missing, or this system cannot run it): the run file goes at once, and the
// after-run step still follows.
TEST_F(LauncherTest, ARunFileThatStartedNothingIsDeletedAtOnce)
{
    fake.shell.setOutcome(FakeShell::Outcome::Fails);
    const QString chosen = games.path() + u"/mine.cfg"_s;
    writeBytes(chosen, QByteArray("lanterns on\r\n"));
    for (const char *kind : {"win", "dos", "unk", "win+dvp", "dos+dvp"}) {
        SCOPED_TRACE(kind);
        installGame(QString::fromLatin1(kind), {"ZizaVEZ.exe", "zorvan.exe"}, u"run=2\n"_s);
        startProgram();
        const std::size_t before = starts().size();
        click(formMain->itemRun);
        EXPECT_FALSE(runFileThere());
        EXPECT_EQ(starts().size() - before, QByteArray(kind).contains('+') ? 1u : 0u);
        EXPECT_TRUE(formMain->isMinimized());
        click(formMain->mniSelectRunDVFile);
        fake.fileDialogs.answerOpen(chosen);
        click(formMain->itemRun);
        EXPECT_FALSE(runFileThere());
        closeProgram();
    }
}

TEST_F(LauncherTest, ARunFileStaysWhileAnotherPatchStillUsesItOrWhenItsEndCannotBeSeen)
{
    installGame(u"dos+dvp"_s, {"zorvan.exe", "dravopax.exe"}, u"run=2\n"_s);
    startProgram();
    click(formMain->itemRun);
    click(formMain->itemRun);
    fake.shell.finish(0);
    EXPECT_TRUE(runFileThere()) << "the second patch has not ended";
    fake.shell.finish(1);
    EXPECT_FALSE(runFileThere());

    fake.shell.setOutcome(FakeShell::Outcome::Unwatched);
    click(formMain->itemRun);
    EXPECT_TRUE(runFileThere()) << "kept; the next run overwrites it";
    fake.shell.setOutcome(FakeShell::Outcome::Watched);
    click(formMain->itemRun);
    fake.shell.finish(starts().size() - 1);
    EXPECT_FALSE(runFileThere()) << "a later watched run decides afresh";

    fake.shell.setOutcome(FakeShell::Outcome::Unwatched);
    click(formMain->itemRun);
    fake.shell.setOutcome(FakeShell::Outcome::Fails);
    click(formMain->itemRun);
    EXPECT_FALSE(runFileThere()) << "so does a later run that started nothing";
}

TEST_F(LauncherTest, EndingAfterTheStartLeavesTheRunFileAndSkipsTheClosingSteps)
{
    installGame(u"dos+dvp"_s, {"zorvan.exe", "dravopax.exe"}, u"run=2\nafterruntt=1\n"_s);
    startProgram();
    EXPECT_TRUE(formMain->itemDVSExit->isChecked());
    QSignalSpy ended(formMain, &TformMain::programEndRequested);
    click(formMain->itemRun);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(formMain->isMinimized());
    fake.shell.finish(0);
    EXPECT_TRUE(runFileThere());
    EXPECT_EQ(setting(u"width"_s), u"<absent>"_s) << "no placement saved";
}

TEST_F(LauncherTest, ModeThreeStartsTheGameOfTheKind)
{
    installGame(u"win"_s, {}, u"run=3\n"_s);
    startProgram();
    click(formMain->itemRun);
    EXPECT_EQ(starts(), Starts{start("ZizaVEZ.exe")}) << "started even when it is missing";
    closeProgram();

    installGame(u"dos"_s, {"zvtx.exe", "zvtlx.exe", "zorvan.exe"}, u"run=3\n"_s);
    startProgram();
    for (const char *expected : {"zorvan.exe", "zvtlx.exe", "zvtx.exe"}) {
        click(formMain->itemRun);
        EXPECT_EQ(starts().back(), start(expected));
        QFile::remove(inGame(expected));
    }
    const std::size_t before = starts().size();
    formMain->showNormal();
    click(formMain->itemRun);
    EXPECT_EQ(starts().size(), before) << "none of the three: nothing started";
    EXPECT_TRUE(formMain->isMinimized()) << "but the after-run step still follows";
    closeProgram();

    installGame(u"unk"_s, {"zorvan.exe"}, u"run=3\n"_s);
    startProgram();
    click(formMain->itemRun);
    EXPECT_FALSE(formMain->isMinimized()) << "an unknown kind does nothing at all";
}

TEST_F(LauncherTest, ModeFourRunsAnyChosenProgramFromItsFolder)
{
    folder.writeSettings(u"[dvs]\nrun=4\n"_s);
    startProgram();
    const QString tool = games.path() + u"/tools/map editor.bat"_s;
    fake.messages.expectOk(MsgType::Error,
                           u"You not set ZVT directory but\nDravopax Vevavav will continue."_s);
    fake.fileDialogs.answerOpen(tool);
    click(formMain->itemRun);
    const FileDialogRequest &request = fake.fileDialogs.shown().back().request;
    EXPECT_EQ(request.title, u"Run EXE or BAT file"_s);
    EXPECT_EQ(request.filter, u"EXE and BAT files files (*.exe;*.bat)|*.exe;*.bat"_s);
    EXPECT_EQ(starts(), (Starts{{tool, QString(), games.path() + u"/tools"_s}}));
    EXPECT_EQ(formMain->dlgLoad.title, u"Load Configuration File"_s) << "put back";
    EXPECT_EQ(formMain->dlgLoad.filter, kLoadFilter);
    closeProgram();

    installGame(u"win"_s, {}, u"run=4\n"_s);
    startProgram();
    fake.fileDialogs.answerOpen(std::nullopt);
    click(formMain->itemRun);
    EXPECT_EQ(fake.fileDialogs.shown().back().request.folder, game);
    EXPECT_FALSE(formMain->isMinimized()) << "cancelled: no after-run step";
}

TEST_F(LauncherTest, AnUnknownRunModeDoesNothing)
{
    for (const char *mode : {"7", "-1"}) {
        installGame(u"win+dvp"_s, {"ZizaVEZ.exe", "dravopaxw.exe"}, u"run=%1\n"_s.arg(QLatin1String(mode)));
        startProgram();
        EXPECT_EQ(formMain->butnRun->statusTip(), u"Run Dravopax (dravopax.cfg)"_s);
        QTest::keyClick(formMain, Qt::Key_R, Qt::ControlModifier);
        EXPECT_TRUE(starts().empty()) << mode;
        EXPECT_FALSE(formMain->isMinimized()) << mode;
        closeProgram();
    }
}

// The real shell and a real short-lived process: the run file is there while
// the patch runs and gone once it has ended.
TEST_F(LauncherTest, TheRunFileLivesExactlyAsLongAsTheRealPatch)
{
    installGame(u"dos+dvp"_s, {"zorvan.exe"}, u"run=2\n"_s);
    const QString proof = games.path() + u"/seen.cfg"_s;
    const QString release = games.path() + u"/release"_s;
    // The patch copies its run file, then waits to be released.
    writeBytes(
        inGame("dravopax.exe"),
        u"#!/bin/sh\ncp \"$2\" \"%1\"\nwhile [ ! -e \"%2\" ]; do sleep 0.05; done\n"_s.arg(proof, release)
            .toUtf8());
    // wine, as far as this test needs it: run the script.
    const QString bin = games.path() + u"/bin"_s;
    QDir().mkpath(bin);
    writeBytes(bin + u"/wine"_s, QByteArray("#!/bin/sh\nexec /bin/sh \"$@\"\n"));
    QFile::setPermissions(bin + u"/wine"_s, QFile::permissions(bin + u"/wine"_s) | QFile::ExeOwner);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin) + ':' + oldPath);

    SystemShell shell;
    Platform platform = fake.platform();
    Platform real{platform.messages, platform.fileDialogs, platform.folders, platform.input,    shell,
                  platform.registry, platform.screen,      platform.clock,   platform.clipboard};
    windows = std::make_unique<ProgramWindows>(folder.files(), real);
    ASSERT_TRUE(runStartUp(*windows, QString()));
    formMain = &windows->formMain();
    formMain->show();

    click(formMain->itemRun);
    qputenv("PATH", oldPath);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(proof); }, 10000)) << "the patch ran";
    EXPECT_EQ(readBytes(proof), readBytes(inGame("dvsdebug.cfg")));
    QTest::qWait(500);
    EXPECT_TRUE(runFileThere()) << "still there while the patch runs";
    writeBytes(release, QByteArray());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !runFileThere(); }, 10000)) << "gone once the patch has ended";
}

} // namespace
