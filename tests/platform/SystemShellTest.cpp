#include "platform/EventWait.h"
#include "platform/SystemShell.h"
#include "support/TestFiles.h"
#include "support/WineStandIn.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

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

} // namespace
