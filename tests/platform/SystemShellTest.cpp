#include "platform/SystemShell.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/prctl.h>

namespace {

std::unique_ptr<StartedProgram> startScript(const QTemporaryDir &dir, const QByteArray &script)
{
    const QString path = dir.path() + QStringLiteral("/patch");
    writeBytes(path, script);
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    ShellStart start = SystemShell().open(path, QString(), dir.path());
    EXPECT_TRUE(start.started);
    return std::move(start.program);
}

TEST(SystemShell, AStartedProgramIsSeenToEnd)
{
    QTemporaryDir dir;
    std::unique_ptr<StartedProgram> started = startScript(dir, QByteArray("#!/bin/sh\nsleep 0.2\n"));
    ASSERT_TRUE(started);
    QSignalSpy ended(started.get(), &StartedProgram::finished);
    EXPECT_TRUE(ended.wait(10000));
}

// Where ended processes are not reaped at once (a container without an init
// process), an ended program lingers as a zombie; it has still ended.
TEST(SystemShell, AnEndedProgramThatNobodyReapedHasEnded)
{
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    QTemporaryDir dir;
    std::unique_ptr<StartedProgram> started = startScript(dir, QByteArray("#!/bin/sh\nexit 0\n"));
    ASSERT_TRUE(started);
    QSignalSpy ended(started.get(), &StartedProgram::finished);
    EXPECT_TRUE(ended.wait(10000));
    prctl(PR_SET_CHILD_SUBREAPER, 0);
}

TEST(SystemShell, AProgramThatIsNotThereStartsNothing)
{
    QTemporaryDir dir;
    const ShellStart start = SystemShell().open(QStringLiteral("dravopaxw.exe"), QString(), dir.path());
    EXPECT_FALSE(start.started);
    EXPECT_FALSE(start.program);
}

} // namespace
