#include "platform/ShellPlan.h"
#include "platform/SystemShell.h"
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

const QString kNotDosName =
    u"%1 is a DOS program, but DOSBox finds a program only by a DOS name, and \"%2\" is "
    "none: at most eight letters or digits, a point and three more, without blanks.\n"
    "Rename it to such a name to run it in DOSBox."_s;

TEST(ShellPlan, EachKindOfFileIsOpenedItsOwnWayAndTheRunnerByTheHeader)
{
    QTemporaryDir dir;
    const auto make = [&](const QString &name, const QByteArray &bytes, bool executable = false) {
        const QString path = dir.path() + u'/' + name;
        return executable ? writeProgram(path, bytes) : (writeBytes(path, bytes), path);
    };
    const QString native = make(u"dravopax"_s, "#!/bin/sh\n", true);
    const QString win32 = make(u"dravopaxw.exe"_s, windowsProgram());
    const QString win64 = make(u"ZizaVEZ.exe"_s, mzFile(QByteArray("PE\0\0\x64\x86", 6)));
    const QString dos = make(u"zorvan.exe"_s, mzFile());
    const QString bat = make(u"RUN.BAT"_s, "@echo off\r\n", true);
    const QString wine = u"/usr/bin/wine"_s;
    const QString dosbox = u"/usr/bin/dosbox"_s;
    const Runners all{wine, true, dosbox, u"dosbox"_s};
    const Runners no32{wine, false, dosbox, u"dosbox"_s};
    const Runners none{{}, true, {}, u"dosbox-x"_s};
    // DOSBox mounts the folder, runs the command and ends.
    const auto inDosBox = [&](const QString &command) {
        return QStringList{u"-noautoexec"_s, u"-c"_s, u"MOUNT C \"%1\""_s.arg(dir.path()),
                           u"-c"_s,          u"C:"_s, u"-c"_s,
                           command,          u"-c"_s, u"EXIT"_s};
    };
    using Way = ShellPlan::Way;
    // The file and its parameters, the runners found, the way it is opened, the program started (or the
    // address handed on) and its arguments.
    const std::tuple<QString, QString, Runners, Way, QString, QStringList> cases[] = {
        // Addresses go to the desktop's handler unchanged, their scheme in any letter case.
        {u"http://example.org/x"_s, {}, all, Way::DefaultHandler, u"http://example.org/x"_s, {}},
        {u"HTTPS://EXAMPLE.ORG"_s, {}, none, Way::DefaultHandler, u"HTTPS://EXAMPLE.ORG"_s, {}},
        // Programs start directly, their parameters split as a command line would split them.
        {native, u" -C dvsdebug.cfg"_s, none, Way::Direct, native, {u"-C"_s, u"dvsdebug.cfg"_s}},
        {u"dravopax"_s, {}, none, Way::Direct, native, {}}, // from the working folder, not the path
        // Windows programs run with Wine, DOS programs in DOSBox, whatever their names say.
        {win32, u" -C \"my file.cfg\""_s, all, Way::Wine, wine, {win32, u"-C"_s, u"my file.cfg"_s}},
        {win64, {}, no32, Way::Wine, wine, {win64}},
        {dos, u" -C dvsdebug.cfg "_s, all, Way::DosBox, dosbox, inDosBox(u"zorvan.exe -C dvsdebug.cfg"_s)},
        {bat, {}, all, Way::DosBox, dosbox, inDosBox(u"CALL RUN.BAT"_s)},
        // Documents and folders go to the handler; a missing file goes nowhere, silently.
        {make(u"readme.txt"_s, "text"), {}, none, Way::DefaultHandler, dir.path() + u"/readme.txt"_s, {}},
        {dir.path(), {}, none, Way::DefaultHandler, dir.path(), {}},
        {dir.path() + u"/gone.exe"_s, {}, all, Way::Nothing, {}, {}},
    };
    for (const auto &[file, parameters, runners, way, started, arguments] : cases) {
        SCOPED_TRACE(file.toStdString());
        const ShellPlan plan = planShellStart(file, parameters, dir.path(), runners);
        EXPECT_EQ(plan.way, way);
        EXPECT_EQ(way == Way::DefaultHandler ? plan.address : plan.program, started);
        EXPECT_EQ(plan.arguments, arguments);
        EXPECT_EQ(plan.isUrl, started.contains(u':'));
        EXPECT_EQ(plan.problem, QString());
    }
    // What cannot run starts nothing and says why (%1 the file), with what to install.
    const std::tuple<QString, Runners, QString> refusals[] = {
        {win32, no32,
         u"%1 is a 32-bit Windows program, but the Wine installed (/usr/bin/wine) cannot run 32-bit "
         "programs.\nTo add its 32-bit part, run as root:\n  dpkg --add-architecture i386\n  apt-get update\n"
         "  apt-get install wine32:i386"_s},
        {win64, none,
         u"%1 is a Windows program and runs with Wine, but Wine is not installed.\nTo install it, run as "
         "root:\n  dpkg --add-architecture i386\n  apt-get update\n  apt-get install wine wine32:i386"_s},
        {dos, none,
         u"%1 is a DOS program and runs in DOSBox, but the DOSBox program \"dosbox-x\" was not found.\n"
         "To install DOSBox, run as root:\n  apt-get install dosbox"_s},
        {make(u"empty.exe"_s, ""), all, u"%1 cannot be read, so it was not started."_s},
        {make(u"text.exe"_s, "#!/bin/sh\n", true), all,
         u"%1 is neither a Windows nor a DOS program, so it was not started."_s},
        // A prefix made by a Wine without its 32-bit part runs no 32-bit program.
        {(QDir(dir.path()).mkpath(u"pfx/drive_c/windows/syswow64"_s), make(u"pfx/system.reg"_s, ""),
          make(u"pfx/drive_c/t32.exe"_s, windowsProgram())),
         all,
         u"%1 is a 32-bit Windows program, but the Wine prefix %2 was made without Wine's 32-bit part.\n"
         "To give it that part, run as its owner:\n  rm \"%2/.update-timestamp\"\n  WINEPREFIX=\"%2\" "
         "wineboot -u"_s.arg(u"%1"_s, dir.path() + u"/pfx"_s)},
        // DOSBox would find these under other names only, or not mount their folder.
        {make(u"MapEditor.exe"_s, mzFile()), all, kNotDosName.arg(u"%1"_s, u"MapEditor.exe"_s)},
        {make(u"map editor.bat"_s, "@echo off\r\n"), all, kNotDosName.arg(u"%1"_s, u"map editor.bat"_s)},
        {(QDir(dir.path()).mkdir(u"map tools"_s), make(u"map tools/T.COM"_s, "\xC3")), all,
         kNotDosName.arg(u"%1"_s, u"map tools"_s)},
        {(QDir(dir.path()).mkdir(u"say \"hi\""_s), make(u"say \"hi\"/T.COM"_s, "\xC3")), all,
         u"%1 is a DOS program, but DOSBox cannot use the folder "_s + dir.path() +
             u"/say \"hi\": its name holds a quotation mark."_s},
    };
    for (const auto &[file, runners, problem] : refusals) {
        const ShellPlan plan =
            planShellStart(file, {}, file.contains(u'"') ? QString() : dir.path(), runners);
        EXPECT_EQ(plan.way, Way::Nothing) << file.toStdString();
        EXPECT_EQ(plan.problem, problem.arg(file));
    }
}

TEST(ShellPlan, DosBoxMountsTheWorkingFolderAndStartsInTheProgramsFolder)
{
    // The program, the working folder, and what DOSBox is told after mounting.
    const std::tuple<QString, QString, QStringList> cases[] = {
        {u"/games/zvt/sub/TOOL.COM"_s,
         u"/games/zvt"_s,
         {u"MOUNT C \"/games/zvt\""_s, u"C:"_s, u"CD \\sub"_s}},
        {u"/games/zvt/ZORVAN.EXE"_s, u"/games/zvt/"_s, {u"MOUNT C \"/games/zvt\""_s, u"C:"_s}},
        {u"/elsewhere/T.COM"_s, u"/games/zvt"_s, {u"MOUNT C \"/elsewhere\""_s, u"C:"_s}},
        {u"/games/zvt/T.COM"_s, {}, {u"MOUNT C \"/games/zvt\""_s, u"C:"_s}},
    };
    for (const auto &[program, folder, commands] : cases) {
        SCOPED_TRACE(program.toStdString());
        QStringList expected{u"-noautoexec"_s};
        for (const QString &command : commands + QStringList{QFileInfo(program).fileName(), u"EXIT"_s})
            expected << u"-c"_s << command;
        EXPECT_EQ(dosBoxArguments(program, QString(), folder), expected);
    }
}

// Where ended processes are not reaped at once (a container without an init
// process), an ended program lingers as a zombie; it has still ended.
TEST(SystemShell, AStartedProgramIsSeenToEndOnlyOnceItHasEndedReapedOrNot)
{
    QTemporaryDir dir;
    EventWait wait;
    const QString release = dir.path() + QStringLiteral("/release");
    // Runs in the folder it was started in, until it is released there.
    const QString patch =
        writeProgram(dir.path() + u"/patch"_s, "#!/bin/sh\nwhile [ ! -e release ]; do sleep 0.05; done\n");
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
    // The program's script, whether it counts as started, and what is said.
    const std::tuple<QByteArray, bool, QString> cases[] = {
        {chatter + "exit 3\n", false,
         u"failing ended at once with exit code 3.\nIts last words:\nline 5\nline 6\nline 7\nline 8\nline 9\n"
         "line 10\nline 11\nline 12"_s},
        {"exit 0\n", true, {}},
        {"sleep 3\n", true, {}}, // still running when the watch ends
    };
    for (const auto &[body, started, problem] : cases) {
        SCOPED_TRACE(body.toStdString());
        const QString program = writeProgram(dir.path() + u"/failing"_s, "#!/bin/sh\n" + body);
        const ShellStart start = SystemShell(wait).start(program, QString(), dir.path());
        EXPECT_EQ(start.started, started);
        EXPECT_EQ(start.problem, problem);
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
