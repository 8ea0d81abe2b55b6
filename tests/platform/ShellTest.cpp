#include "platform/ShellPlan.h"
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

TEST(ShellPlan, EachKindOfFileIsOpenedItsOwnWay)
{
    QTemporaryDir dir;
    const auto make = [&](const QString &name, bool executable) {
        const QString path = dir.path() + u'/' + name;
        writeText(path, u"#!/bin/sh\n"_s);
        if (executable)
            QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        return path;
    };
    const QString native = make(u"dravopax"_s, true);
    const QString windows = make(u"dravopaxw.exe"_s, false);
    const QString wine = u"/usr/bin/wine"_s;
    using Way = ShellPlan::Way;
    // The file, its parameters, the wine found, and the way, the program started (or the address
    // handed on) and its arguments.
    const std::tuple<QString, QString, QString, Way, QString, QStringList> cases[] = {
        // Addresses go to the desktop's handler unchanged, their scheme in any letter case.
        {u"http://example.org/x"_s, {}, wine, Way::DefaultHandler, u"http://example.org/x"_s, {}},
        {u"HTTPS://EXAMPLE.ORG"_s, {}, {}, Way::DefaultHandler, u"HTTPS://EXAMPLE.ORG"_s, {}},
        // Programs start directly, their parameters split as a command line would split them.
        {native, u" -C dvsdebug.cfg"_s, {}, Way::Direct, native, {u"-C"_s, u"dvsdebug.cfg"_s}},
        {u"dravopax"_s, {}, {}, Way::Direct, native, {}}, // from the working folder, not the path
        {windows, u" -C \"my file.cfg\""_s, wine, Way::Wine, wine, {windows, u"-C"_s, u"my file.cfg"_s}},
        {make(u"RUN.BAT"_s, true), {}, {}, Way::Nothing, {}, {}}, // without wine nothing can run it
        // Documents and folders go to the handler; a missing file goes nowhere.
        {make(u"readme.txt"_s, false), {}, {}, Way::DefaultHandler, dir.path() + u"/readme.txt"_s, {}},
        {dir.path(), {}, {}, Way::DefaultHandler, dir.path(), {}},
        {dir.path() + u"/gone.exe"_s, {}, wine, Way::Nothing, {}, {}},
    };
    for (const auto &[file, parameters, wineFound, way, started, arguments] : cases) {
        SCOPED_TRACE(file.toStdString());
        const ShellPlan plan = planShellStart(file, parameters, dir.path(), wineFound);
        EXPECT_EQ(plan.way, way);
        EXPECT_EQ(way == Way::DefaultHandler ? plan.address : plan.program, started);
        EXPECT_EQ(plan.arguments, arguments);
        EXPECT_EQ(plan.isUrl, started.contains(u':'));
    }
}

// Where ended processes are not reaped at once (a container without an init
// process), an ended program lingers as a zombie; it has still ended.
TEST(SystemShell, AProgramIsSeenToEndOnlyOnceItHasEndedReapedOrNotAndAWindowsOneRunsInItsFoldersWinePrefix)
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

    // A Windows program runs in the Wine prefix of its folder.
    WineStandIn wine;
    const QString game = wine.gameFolder() + QStringLiteral("/ZizaVEZ.exe");
    writeBytes(game, "MZ");
    EXPECT_TRUE(SystemShell().open(game, QString(), wine.gameFolder()).started);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !wine.calls().isEmpty(); }, 10000));
    EXPECT_EQ(wine.calls(), QStringList{wine.prefix() + QLatin1Char('|') + game});
}

} // namespace
