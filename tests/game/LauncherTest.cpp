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

namespace {

const QString kRunParameters = QStringLiteral(" -C dvsdebug.cfg");

class LauncherTest : public MainWindowFixture
{
protected:
    // A game of `kind` with the given files, stored as the game directory.
    QString installGame(const QString &kind, std::initializer_list<const char *> files,
                        const QString &extra = QString())
    {
        game = games.path() + QStringLiteral("/Zorvantia Gold");
        QDir().mkpath(game);
        for (const char *file : files)
            writeBytes(game + QLatin1Char('/') + QString::fromLatin1(file), QByteArray("MZ"));
        folder.writeSettings(
            QStringLiteral("[zvt]\ndir=%1\nversion=%2\n[dvs]\nversion=ver1\n%3").arg(game, kind, extra));
        return game;
    }

    QString inGame(const char *name) const { return game + QLatin1Char('/') + QString::fromLatin1(name); }

    std::vector<FakeShell::Start> starts() const { return fake.shell.starts(); }
    FakeShell::Start start(const char *file, const QString &parameters = QString()) const
    {
        return {inGame(file), parameters, game};
    }

    QTemporaryDir games;
    QString game;
};

TEST_F(LauncherTest, ModeZeroStartsThePatchOfTheKindWithItsOwnFile)
{
    installGame(QStringLiteral("win+dvp"), {"ZizaVEZ.exe", "dravopaxw.exe", "dravopax.cfg"},
                QStringLiteral("maximize=1\n"));
    startProgram();
    ASSERT_TRUE(formMain->isMaximized());
    QTest::keyClick(formMain, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(starts(), std::vector<FakeShell::Start>{start("dravopaxw.exe")});
    EXPECT_TRUE(formMain->isMinimized());

    // Brought back as the system does it: the window is maximized again, and stays so next time.
    formMain->setWindowState(formMain->windowState() & ~Qt::WindowMinimized);
    EXPECT_TRUE(formMain->isMaximized());
    closeProgram();
    EXPECT_EQ(setting(QStringLiteral("maximize")), QStringLiteral("1"));
}

TEST_F(LauncherTest, ModeZeroWithoutTheFileAsksFirst)
{
    const QString question =
        QStringLiteral("File \"dravopax.cfg\" not exists.\nDravopax will automatically create "
                       "it.\nDo you want continue?");
    installGame(QStringLiteral("dos+dvp"), {"zorvan.exe", "dravopax.exe"});
    startProgram();
    fake.messages.expect(MsgType::Error, question, MsgButtons::YesNo, MsgAnswer::No);
    click(formMain->itemRun);
    EXPECT_TRUE(starts().empty());
    EXPECT_FALSE(formMain->isMinimized());

    fake.messages.expect(MsgType::Error, question, MsgButtons::YesNo, MsgAnswer::Yes);
    click(formMain->itemRun);
    EXPECT_EQ(starts(), std::vector<FakeShell::Start>{start("dravopax.exe")});
}

TEST_F(LauncherTest, WithoutAGameDirectoryThePatchModesStop)
{
    folder.writeSettings(QStringLiteral("[dvs]\nrun=0\n"));
    startProgram();
    fake.messages.expectOk(MsgType::Error,
                           QStringLiteral("You not set ZVT directory.\nDravopax Vevavav can't continue."));
    click(formMain->itemRun);
    click(formMain->mniSelectRunDVFile);
    fake.messages.expectOk(MsgType::Error,
                           QStringLiteral("You not set ZVT directory.\nDravopax Vevavav can't continue."));
    click(formMain->itemRun);
    click(formMain->mniSelectRunDVCurrent);
    fake.messages.expectOk(MsgType::Error,
                           QStringLiteral("You do not set ZVT directory.\nDravopax Vevavav can't continue."));
    click(formMain->itemRun);
    EXPECT_TRUE(starts().empty());
    EXPECT_FALSE(formMain->isMinimized());
}

TEST_F(LauncherTest, ModeOneCopiesTheChosenFileAndKeepsItUntilThePatchEnds)
{
    installGame(QStringLiteral("win+dvp"), {"ZizaVEZ.exe", "dravopaxw.exe"},
                QStringLiteral("run=1\nlastdir=/from/before/\n"));
    const QString chosen = games.path() + QStringLiteral("/my own.cfg");
    writeBytes(chosen, QByteArray("lanterns on\nmotto gold\rspeed 4"));
    startProgram();
    fake.fileDialogs.answerOpen(chosen);
    QTest::mouseClick(formMain->butnRun, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));

    ASSERT_EQ(fake.fileDialogs.shown().size(), 1u);
    const FileDialogRequest &request = fake.fileDialogs.shown()[0].request;
    EXPECT_EQ(request.title, QStringLiteral("Load Configuration File"));
    EXPECT_EQ(request.filter, QStringLiteral("Configuration files (*.cfg)|*.cfg|All files (*.*)|*.*"));
    EXPECT_EQ(request.folder, QStringLiteral("/from/before/"));
    EXPECT_EQ(setting(QStringLiteral("lastdir")), games.path() + QLatin1Char('/'));
    EXPECT_EQ(starts(), std::vector<FakeShell::Start>{start("dravopaxw.exe", kRunParameters)});
    EXPECT_EQ(readBytes(inGame("dvsdebug.cfg")), QByteArray("lanterns on\r\nmotto gold\r\nspeed 4\r\n"));
    EXPECT_TRUE(formMain->isMinimized());

    fake.shell.finish(0);
    EXPECT_FALSE(QFile::exists(inGame("dvsdebug.cfg"))) << "gone once the patch has ended";
}

TEST_F(LauncherTest, ModeOneCancelledOrGoneDoesNothing)
{
    installGame(QStringLiteral("win+dvp"), {"ZizaVEZ.exe", "dravopaxw.exe"}, QStringLiteral("run=1\n"));
    startProgram();
    fake.fileDialogs.answerOpen(std::nullopt);
    click(formMain->itemRun);
    const QString gone = games.path() + QStringLiteral("/gone.cfg");
    fake.fileDialogs.answerOpen(gone);
    fake.messages.expectOk(MsgType::Error,
                           QStringLiteral("Sorry, file:\n") + gone + QStringLiteral("\nnot found"));
    click(formMain->itemRun);
    EXPECT_TRUE(starts().empty());
    EXPECT_FALSE(formMain->isMinimized());
    EXPECT_FALSE(QFile::exists(inGame("dvsdebug.cfg")));
}

TEST_F(LauncherTest, ModeTwoRunsTheCurrentSwitchesWithoutGreyedOnes)
{
    installGame(QStringLiteral("dos+dvp"), {"zorvan.exe", "dravopax.exe"}, QStringLiteral("run=2\n"));
    folder.writePatch(QStringLiteral("[lanterns]\ncomponent=2\n[future]\ncomponent=2\nversion=v2\n"));
    folder.writeVersions(QStringLiteral("[version]\nnumber=2\nv1=1\nv2=2\n"));
    startProgram();
    static_cast<OnOffSwitch *>(formMain->scrlMain->control(QStringLiteral("lanterns")))->setChecked(true);
    click(formMain->itemRun);
    EXPECT_EQ(readBytes(inGame("dvsdebug.cfg")),
              crlf(QStringLiteral("//Created by Dravopax Vevavav\n\nlanterns on\n")));
    EXPECT_EQ(starts(), std::vector<FakeShell::Start>{start("dravopax.exe", kRunParameters)});
    fake.shell.finish(0);
    EXPECT_FALSE(QFile::exists(inGame("dvsdebug.cfg")));
}

// A kind without the patch, or a patch that cannot be started at all (it is
// missing, or this system cannot run it): the run file goes at once, and the
// after-run step still follows.
TEST_F(LauncherTest, ARunFileThatStartedNothingIsDeletedAtOnce)
{
    fake.shell.setOutcome(FakeShell::Outcome::Fails);
    for (const char *kind : {"win", "dos", "unk", "win+dvp", "dos+dvp"}) {
        installGame(QString::fromLatin1(kind), {"ZizaVEZ.exe", "zorvan.exe"}, QStringLiteral("run=2\n"));
        startProgram();
        const std::size_t before = starts().size();
        click(formMain->itemRun);
        EXPECT_FALSE(QFile::exists(inGame("dvsdebug.cfg"))) << kind;
        EXPECT_EQ(starts().size() - before, QByteArray(kind).contains('+') ? 1u : 0u) << kind;
        EXPECT_TRUE(formMain->isMinimized()) << kind;

        const QString chosen = games.path() + QStringLiteral("/mine.cfg");
        writeBytes(chosen, QByteArray("lanterns on\r\n"));
        click(formMain->mniSelectRunDVFile);
        fake.fileDialogs.answerOpen(chosen);
        click(formMain->itemRun);
        EXPECT_FALSE(QFile::exists(inGame("dvsdebug.cfg"))) << kind;
        closeProgram();
    }
}

TEST_F(LauncherTest, ARunFileStaysWhileAnotherPatchStillUsesItOrWhenItsEndCannotBeSeen)
{
    installGame(QStringLiteral("dos+dvp"), {"zorvan.exe", "dravopax.exe"}, QStringLiteral("run=2\n"));
    startProgram();
    click(formMain->itemRun);
    click(formMain->itemRun);
    fake.shell.finish(0);
    EXPECT_TRUE(QFile::exists(inGame("dvsdebug.cfg"))) << "the second patch has not ended";
    fake.shell.finish(1);
    EXPECT_FALSE(QFile::exists(inGame("dvsdebug.cfg")));

    fake.shell.setOutcome(FakeShell::Outcome::Unwatched);
    click(formMain->itemRun);
    EXPECT_TRUE(QFile::exists(inGame("dvsdebug.cfg"))) << "kept; the next run overwrites it";

    fake.shell.setOutcome(FakeShell::Outcome::Watched);
    click(formMain->itemRun);
    fake.shell.finish(starts().size() - 1);
    EXPECT_FALSE(QFile::exists(inGame("dvsdebug.cfg"))) << "a later watched run decides afresh";

    fake.shell.setOutcome(FakeShell::Outcome::Unwatched);
    click(formMain->itemRun);
    fake.shell.setOutcome(FakeShell::Outcome::Fails);
    click(formMain->itemRun);
    EXPECT_FALSE(QFile::exists(inGame("dvsdebug.cfg"))) << "so does a later run that started nothing";
}

TEST_F(LauncherTest, EndingAfterTheStartLeavesTheRunFileAndSkipsTheClosingSteps)
{
    installGame(QStringLiteral("dos+dvp"), {"zorvan.exe", "dravopax.exe"},
                QStringLiteral("run=2\nafterruntt=1\n"));
    startProgram();
    EXPECT_TRUE(formMain->itemDVSExit->isChecked());
    QSignalSpy ended(formMain, &TformMain::programEndRequested);
    click(formMain->itemRun);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(formMain->isMinimized());
    fake.shell.finish(0);
    EXPECT_TRUE(QFile::exists(inGame("dvsdebug.cfg")));
    EXPECT_EQ(setting(QStringLiteral("width")), QStringLiteral("<absent>")) << "no placement saved";
}

TEST_F(LauncherTest, ModeThreeStartsTheGameOfTheKind)
{
    installGame(QStringLiteral("win"), {}, QStringLiteral("run=3\n"));
    startProgram();
    click(formMain->itemRun);
    EXPECT_EQ(starts(), std::vector<FakeShell::Start>{start("ZizaVEZ.exe")})
        << "started even when it is missing";
    closeProgram();

    installGame(QStringLiteral("dos"), {"zvtx.exe", "zvtlx.exe", "zorvan.exe"}, QStringLiteral("run=3\n"));
    startProgram();
    click(formMain->itemRun);
    EXPECT_EQ(starts().back(), start("zorvan.exe"));
    QFile::remove(inGame("zorvan.exe"));
    click(formMain->itemRun);
    EXPECT_EQ(starts().back(), start("zvtlx.exe"));
    QFile::remove(inGame("zvtlx.exe"));
    click(formMain->itemRun);
    EXPECT_EQ(starts().back(), start("zvtx.exe"));
    QFile::remove(inGame("zvtx.exe"));
    const std::size_t before = starts().size();
    formMain->showNormal();
    click(formMain->itemRun);
    EXPECT_EQ(starts().size(), before) << "none of the three: nothing started";
    EXPECT_TRUE(formMain->isMinimized()) << "but the after-run step still follows";
    closeProgram();

    installGame(QStringLiteral("unk"), {"zorvan.exe"}, QStringLiteral("run=3\n"));
    startProgram();
    click(formMain->itemRun);
    EXPECT_FALSE(formMain->isMinimized()) << "an unknown kind does nothing at all";
}

TEST_F(LauncherTest, ModeFourRunsAnyChosenProgramFromItsFolder)
{
    folder.writeSettings(QStringLiteral("[dvs]\nrun=4\n"));
    startProgram();
    const QString tool = games.path() + QStringLiteral("/tools/map editor.bat");
    fake.messages.expectOk(MsgType::Error,
                           QStringLiteral("You not set ZVT directory but\nDravopax Vevavav will continue."));
    fake.fileDialogs.answerOpen(tool);
    click(formMain->itemRun);
    const FileDialogRequest &request = fake.fileDialogs.shown().back().request;
    EXPECT_EQ(request.title, QStringLiteral("Run EXE or BAT file"));
    EXPECT_EQ(request.filter, QStringLiteral("EXE and BAT files files (*.exe;*.bat)|*.exe;*.bat"));
    EXPECT_EQ(starts(),
              (std::vector<FakeShell::Start>{{tool, QString(), games.path() + QStringLiteral("/tools")}}));
    EXPECT_EQ(formMain->dlgLoad.title, QStringLiteral("Load Configuration File")) << "put back";
    EXPECT_EQ(formMain->dlgLoad.filter,
              QStringLiteral("Configuration files (*.cfg)|*.cfg|All files (*.*)|*.*"));
    closeProgram();

    installGame(QStringLiteral("win"), {}, QStringLiteral("run=4\n"));
    startProgram();
    fake.fileDialogs.answerOpen(std::nullopt);
    click(formMain->itemRun);
    EXPECT_EQ(fake.fileDialogs.shown().back().request.folder, game);
    EXPECT_FALSE(formMain->isMinimized()) << "cancelled: no after-run step";
}

TEST_F(LauncherTest, AnUnknownRunModeDoesNothing)
{
    for (const char *mode : {"7", "-1"}) {
        installGame(QStringLiteral("win+dvp"), {"ZizaVEZ.exe", "dravopaxw.exe"},
                    QStringLiteral("run=%1\n").arg(QLatin1String(mode)));
        startProgram();
        EXPECT_EQ(formMain->butnRun->statusTip(), QStringLiteral("Run Dravopax (dravopax.cfg)"));
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
    installGame(QStringLiteral("dos+dvp"), {"zorvan.exe"}, QStringLiteral("run=2\n"));
    const QString proof = games.path() + QStringLiteral("/seen.cfg");
    const QString release = games.path() + QStringLiteral("/release");
    // The patch copies its run file, then waits to be released.
    writeBytes(inGame("dravopax.exe"),
               QStringLiteral("#!/bin/sh\ncp \"$2\" \"%1\"\nwhile [ ! -e \"%2\" ]; do sleep 0.05; done\n")
                   .arg(proof, release)
                   .toUtf8());
    // wine, as far as this test needs it: run the script.
    const QString bin = games.path() + QStringLiteral("/bin");
    QDir().mkpath(bin);
    writeBytes(bin + QStringLiteral("/wine"), QByteArray("#!/bin/sh\nexec /bin/sh \"$@\"\n"));
    QFile::setPermissions(bin + QStringLiteral("/wine"),
                          QFile::permissions(bin + QStringLiteral("/wine")) | QFile::ExeOwner);
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
    EXPECT_TRUE(QFile::exists(inGame("dvsdebug.cfg"))) << "still there while the patch runs";
    writeBytes(release, QByteArray());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(inGame("dvsdebug.cfg")); }, 10000))
        << "gone once the patch has ended";
}

} // namespace
