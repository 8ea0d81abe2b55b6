#include "platform/ShellPlan.h"
#include "support/TestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(ShellPlan, EachKindOfFileIsOpenedItsOwnWayAndTheRunnerByTheHeader)
{
    QTemporaryDir dir;
    const auto make = [&](const QString &name, const QByteArray &bytes, bool executable = false) {
        const QString path = dir.path() + u'/' + name;
        writeBytes(path, bytes);
        if (executable)
            QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        return path;
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
    const QStringList dosParts{u"-c"_s, u"MOUNT C \"%1\""_s.arg(dir.path()), u"-c"_s, u"C:"_s, u"-c"_s};
    using Way = ShellPlan::Way;
    const struct
    {
        QString file;
        QString parameters;
        Runners runners;
        Way way;
        QString started; // the program started, or the address handed on
        QStringList arguments;
        QString problem; // how the reason begins
    } cases[] = {
        // Addresses go to the desktop's handler unchanged, their scheme in any letter case.
        {u"http://example.org/x"_s, {}, all, Way::DefaultHandler, u"http://example.org/x"_s, {}, {}},
        {u"HTTPS://EXAMPLE.ORG"_s, {}, none, Way::DefaultHandler, u"HTTPS://EXAMPLE.ORG"_s, {}, {}},
        // Programs start directly, their parameters split as a command line would split them.
        {native, u" -C dvsdebug.cfg"_s, none, Way::Direct, native, {u"-C"_s, u"dvsdebug.cfg"_s}, {}},
        {u"dravopax"_s, {}, none, Way::Direct, native, {}, {}}, // from the working folder, not the path
        // Windows programs run with Wine, DOS programs in DOSBox, whatever their names say.
        {win32, u" -C \"my file.cfg\""_s, all, Way::Wine, wine, {win32, u"-C"_s, u"my file.cfg"_s}, {}},
        {win64, {}, no32, Way::Wine, wine, {win64}, {}},
        {dos,
         u" -C dvsdebug.cfg "_s,
         all,
         Way::DosBox,
         dosbox,
         dosParts + QStringList{u"zorvan.exe -C dvsdebug.cfg"_s, u"-c"_s, u"EXIT"_s},
         {}},
        {bat,
         {},
         all,
         Way::DosBox,
         dosbox,
         dosParts + QStringList{u"CALL RUN.BAT"_s, u"-c"_s, u"EXIT"_s},
         {}},
        // What cannot run says why, with what to install.
        {win32, {}, no32, Way::Nothing, {}, {}, win32 + u" is a 32-bit Windows program, but the Wine"_s},
        {win64, {}, none, Way::Nothing, {}, {}, win64 + u" is a Windows program and runs with Wine, but"_s},
        {dos,
         {},
         none,
         Way::Nothing,
         {},
         {},
         dos + u" is a DOS program and runs in DOSBox, but the DOSBox program \"dosbox-x\""_s},
        {make(u"empty.exe"_s, ""),
         {},
         all,
         Way::Nothing,
         {},
         {},
         dir.path() + u"/empty.exe cannot be read"_s},
        {make(u"text.exe"_s, "#!/bin/sh\n", true),
         {},
         all,
         Way::Nothing,
         {},
         {},
         dir.path() + u"/text.exe is neither"_s},
        // Documents and folders go to the handler; a missing file goes nowhere, silently.
        {make(u"readme.txt"_s, "text"), {}, none, Way::DefaultHandler, dir.path() + u"/readme.txt"_s, {}, {}},
        {dir.path(), {}, none, Way::DefaultHandler, dir.path(), {}, {}},
        {dir.path() + u"/gone.exe"_s, {}, all, Way::Nothing, {}, {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        const ShellPlan plan = planShellStart(c.file, c.parameters, dir.path(), c.runners);
        EXPECT_EQ(plan.way, c.way);
        EXPECT_EQ(c.way == Way::DefaultHandler ? plan.address : plan.program, c.started);
        EXPECT_EQ(plan.arguments, c.arguments);
        EXPECT_EQ(plan.isUrl, c.started.contains(u':'));
        EXPECT_EQ(plan.problem.left(c.problem.size()), c.problem);
        EXPECT_EQ(plan.problem.isEmpty(), c.problem.isEmpty());
    }
    EXPECT_TRUE(
        planShellStart(win32, {}, {}, no32)
            .problem.endsWith(
                u"run as root:\n  dpkg --add-architecture i386\n  apt-get update\n  apt-get install wine32:i386"_s));
    EXPECT_TRUE(
        planShellStart(dos, {}, {}, none).problem.endsWith(u"run as root:\n  apt-get install dosbox"_s));
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
        QStringList expected;
        for (const QString &command : commands + QStringList{QFileInfo(program).fileName(), u"EXIT"_s})
            expected << u"-c"_s << command;
        EXPECT_EQ(dosBoxArguments(program, QString(), folder), expected);
    }
}

} // namespace
