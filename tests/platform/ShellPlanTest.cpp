#include "platform/ShellPlan.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ShellPlanTest : public ::testing::Test
{
protected:
    QString make(const QString &name, bool executable)
    {
        const QString path = dir.path() + QLatin1Char('/') + name;
        writeText(path, QStringLiteral("#!/bin/sh\n"));
        if (executable)
            QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(ShellPlanTest, AddressesGoToTheDesktopHandlerUnchanged)
{
    for (const char *address : {"http://example.org/x", "mailto:a@example.org?subject=Dravopax Vevavav",
                                "news://news.example.org/alt.games", "HTTPS://EXAMPLE.ORG"}) {
        const ShellPlan plan = planShellStart(QString::fromLatin1(address), QString(), QString(),
                                              QStringLiteral("/usr/bin/wine"));
        EXPECT_EQ(plan.way, ShellPlan::Way::DefaultHandler);
        EXPECT_TRUE(plan.isUrl);
        EXPECT_EQ(plan.address, QString::fromLatin1(address));
    }
}

TEST_F(ShellPlanTest, ANativeProgramStartsDirectlyWithItsParametersSplit)
{
    const QString program = make(QStringLiteral("dravopax"), true);
    const ShellPlan plan = planShellStart(program, QStringLiteral(" -C dvsdebug.cfg"), QString(), QString());
    EXPECT_EQ(plan.way, ShellPlan::Way::Direct);
    EXPECT_EQ(plan.program, program);
    EXPECT_EQ(plan.arguments, (QStringList{QStringLiteral("-C"), QStringLiteral("dvsdebug.cfg")}));
}

TEST_F(ShellPlanTest, AWindowsProgramStartsThroughWineWhenItIsThere)
{
    const QString program = make(QStringLiteral("dravopaxw.exe"), false);
    const ShellPlan withWine = planShellStart(program, QStringLiteral(" -C \"my file.cfg\""), dir.path(),
                                              QStringLiteral("/usr/bin/wine"));
    EXPECT_EQ(withWine.way, ShellPlan::Way::Wine);
    EXPECT_EQ(withWine.program, QStringLiteral("/usr/bin/wine"));
    EXPECT_EQ(withWine.arguments,
              (QStringList{program, QStringLiteral("-C"), QStringLiteral("my file.cfg")}));

    EXPECT_EQ(planShellStart(make(QStringLiteral("RUN.BAT"), true), QString(), QString(), QString()).way,
              ShellPlan::Way::Nothing)
        << "without wine nothing can run it";
}

TEST_F(ShellPlanTest, DocumentsAndFoldersGoToTheDesktopHandlerAndMissingFilesNowhere)
{
    EXPECT_EQ(planShellStart(make(QStringLiteral("readme.txt"), false), QString(), QString(), QString()).way,
              ShellPlan::Way::DefaultHandler);
    const ShellPlan folder = planShellStart(dir.path(), QString(), QString(), QString());
    EXPECT_EQ(folder.way, ShellPlan::Way::DefaultHandler);
    EXPECT_EQ(folder.address, dir.path());
    EXPECT_EQ(planShellStart(dir.path() + QStringLiteral("/gone.exe"), QString(), QString(),
                             QStringLiteral("/usr/bin/wine"))
                  .way,
              ShellPlan::Way::Nothing);
}

TEST_F(ShellPlanTest, ARelativeFileIsTakenFromTheWorkingFolderNotFromThePath)
{
    const QString program = make(QStringLiteral("dravopax"), true);
    const ShellPlan plan = planShellStart(QStringLiteral("dravopax"), QString(), dir.path(), QString());
    EXPECT_EQ(plan.way, ShellPlan::Way::Direct);
    EXPECT_EQ(plan.program, program);
}

} // namespace
