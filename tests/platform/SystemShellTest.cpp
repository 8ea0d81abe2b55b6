#include "platform/SystemShell.h"
#include "support/TestFiles.h"
#include "support/WineStandIn.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/prctl.h>

namespace {

// Where ended processes are not reaped at once (a container without an init
// process), an ended program lingers as a zombie; it has still ended.
TEST(SystemShell, AStartedProgramIsSeenToEndOnlyOnceItHasEndedReapedOrNot)
{
    QTemporaryDir dir;
    const QString script = dir.path() + QStringLiteral("/patch");
    const QString release = dir.path() + QStringLiteral("/release");
    // Runs in the folder it was started in, until it is released there.
    writeBytes(script, QByteArray("#!/bin/sh\nwhile [ ! -e release ]; do sleep 0.05; done\n"));
    QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);
    for (const int subreaper : {0, 1}) {
        SCOPED_TRACE(subreaper);
        ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, subreaper), 0);
        QFile::remove(release);
        ShellStart start = SystemShell().open(script, QString(), dir.path());
        ASSERT_TRUE(start.started && start.program);
        QSignalSpy ended(start.program.get(), &StartedProgram::finished);
        EXPECT_FALSE(ended.wait(600)) << "not while it runs";
        writeBytes(release, QByteArray());
        EXPECT_TRUE(ended.wait(10000));
    }
    prctl(PR_SET_CHILD_SUBREAPER, 0);

    const ShellStart start = SystemShell().open(QStringLiteral("dravopaxw.exe"), QString(), dir.path());
    EXPECT_FALSE(start.started) << "a program that is not there starts nothing";
    EXPECT_FALSE(start.program);
}

TEST(SystemShell, AWindowsProgramRunsInTheWinePrefixOfItsFolder)
{
    WineStandIn wine;
    const QString game = wine.gameFolder() + QStringLiteral("/ZizaVEZ.exe");
    writeBytes(game, "MZ");
    EXPECT_TRUE(SystemShell().open(game, QString(), wine.gameFolder()).started);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !wine.calls().isEmpty(); }, 10000));
    EXPECT_EQ(wine.calls(), QStringList{wine.prefix() + QLatin1Char('|') + game});
}

} // namespace
