#include "platform/SystemShell.h"
#include "platform/EventWait.h"
#include "support/TestFiles.h"
#include "support/WineStandIn.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <iostream>

#include <sys/prctl.h>

using namespace Qt::StringLiterals;

namespace {

QString script(const QString &path, const QByteArray &body)
{
    writeBytes(path, "#!/bin/sh\n" + body);
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
}

// Where ended processes are not reaped at once (a container without an init
// process), an ended program lingers as a zombie; it has still ended.
TEST(SystemShell, AStartedProgramIsSeenToEndOnlyOnceItHasEndedReapedOrNot)
{
    QTemporaryDir dir;
    EventWait wait;
    const QString release = dir.path() + QStringLiteral("/release");
    // Runs in the folder it was started in, until it is released there.
    const QString patch = script(dir.path() + u"/patch"_s, "while [ ! -e release ]; do sleep 0.05; done\n");
    for (const int subreaper : {0, 1}) {
        SCOPED_TRACE(subreaper);
        ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, subreaper), 0);
        QFile::remove(release);
        ShellStart start = SystemShell(wait).open(patch, QString(), dir.path());
        ASSERT_TRUE(start.started && start.program);
        QSignalSpy ended(start.program.get(), &StartedProgram::finished);
        EXPECT_FALSE(ended.wait(600)) << "not while it runs";
        writeBytes(release, QByteArray());
        EXPECT_TRUE(ended.wait(10000));
        EXPECT_EQ(start.program->failure(), QString()) << "a clean end";
    }
    prctl(PR_SET_CHILD_SUBREAPER, 0);

    const ShellStart start = SystemShell(wait).open(QStringLiteral("dravopaxw.exe"), QString(), dir.path());
    EXPECT_FALSE(start.started) << "a program that is not there starts nothing";
    EXPECT_FALSE(start.program);
    EXPECT_EQ(start.problem, QString()) << "and says nothing";
}

// A start is watched for its first moments: an end with an error then is no start.
TEST(SystemShell, AProgramThatEndsWithAnErrorAtOnceDidNotStartAndItsLastLinesSayWhy)
{
    QTemporaryDir dir;
    EventWait wait;
    QByteArray chatter;
    for (int line = 1; line <= 12; ++line)
        chatter += "echo line " + QByteArray::number(line) + (line % 2 ? "\n" : " >&2\n");
    const struct
    {
        QByteArray body;
        bool started;
        QString problem;
    } cases[] = {
        {chatter + "exit 3\n", false,
         u"failing ended at once with exit code 3.\nIts last words:\nline 5\nline 6\nline 7\nline 8\nline 9\n"
         "line 10\nline 11\nline 12"_s},
        {"exit 0\n", true, {}},
        {"sleep 3\n", true, {}}, // still running when the watch ends
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.body.toStdString());
        const QString program = script(dir.path() + u"/failing"_s, c.body);
        const ShellStart start = SystemShell(wait).start(program, QString(), dir.path());
        EXPECT_EQ(start.started, c.started);
        EXPECT_EQ(start.problem, c.problem);
    }
}

TEST(SystemShell, AWindowsProgramRunsInTheWinePrefixOfItsFolder)
{
    WineStandIn wine;
    const QString game = wine.gameFolder() + QStringLiteral("/ZizaVEZ.exe");
    writeBytes(game, windowsProgram());
    EXPECT_TRUE(SystemShell(wine.wait()).open(game, QString(), wine.gameFolder()).started);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !wine.calls().isEmpty(); }, 10000));
    EXPECT_EQ(wine.calls(), QStringList{wine.prefix() + QLatin1Char('|') + game});
}

// A tiny DOS program that writes its command tail into RAN.TXT in the current folder.
const QByteArray kTailWriter =
    QByteArray::fromHex("b43c31c9ba2301cd21721389c3b44030ed8a0e8000ba8100cd21b43ecd21b8004ccd21") +
    QByteArray("RAN.TXT", 8);

// Real DOSBox, without a screen: the game folder is drive C:, the program runs
// in its own folder with the launcher's parameters, and DOSBox ends with it.
TEST(SystemShell, ADosProgramRunsInRealDosBoxInItsFolderWithItsParameters)
{
    const QString dosbox = QStandardPaths::findExecutable(u"dosbox"_s);
    if (dosbox.isEmpty()) {
        std::cout
            << "NOT RUN: dosbox is not installed, so no DOS program was run (apt-get install dosbox).\n";
        GTEST_SKIP() << "dosbox is not installed";
    }
    QTemporaryDir dir;
    const QString game = dir.path() + u"/Zorvantia Gold"_s;
    QDir().mkpath(game + u"/tools"_s);
    const QString program = game + u"/tools/WRITER.COM"_s;
    writeBytes(program, kTailWriter);
    // Its own home, so that DOSBox's configuration of the user running the tests stays as it is.
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(dir.path()));
    qputenv("SDL_VIDEODRIVER", "dummy");
    qputenv("SDL_AUDIODRIVER", "dummy");
    EventWait wait;
    const ShellStart start =
        SystemShell(wait, [] { return u"dosbox"_s; }).start(program, u" -C dvsdebug.cfg"_s, game);
    EXPECT_TRUE(start.started) << start.problem.toStdString();
    if (start.program && !QFileInfo::exists(game + u"/tools/RAN.TXT"_s))
        QSignalSpy(start.program.get(), &StartedProgram::finished).wait(30000);
    qputenv("HOME", home);
    EXPECT_EQ(readBytes(game + u"/tools/RAN.TXT"_s), " -C dvsdebug.cfg");
    EXPECT_FALSE(QFileInfo::exists(game + u"/RAN.TXT"_s));

    const ShellStart missing = SystemShell(wait, [] { return u"dosbox-nowhere"_s; }).start(program, {}, game);
    EXPECT_EQ(missing.problem,
              u"%1 is a DOS program and runs in DOSBox, but the DOSBox program \"dosbox-nowhere\" "
              "was not found.\nTo install DOSBox, run as root:\n  apt-get install dosbox"_s.arg(program));
}

} // namespace
