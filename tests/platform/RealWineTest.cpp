#include "platform/EventWait.h"
#include "platform/FileRegistry.h"
#include "platform/SystemShell.h"
#include "platform/WinePrefix.h"
#include "platform/WineRegistry.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <iostream>

using namespace Qt::StringLiterals;

namespace {

const QString kGameKey = u"Software\\Quillmark\\Zorvantia"_s;

// A new Wine prefix for the whole suite (making one takes a while), with the game's folder in its drive C.
class RealWine : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (QStandardPaths::findExecutable(u"wine"_s).isEmpty())
            return;
        dir = new QTemporaryDir;
        ASSERT_EQ(run(QStandardPaths::findExecutable(u"wine"_s), {u"wineboot"_s, u"-i"_s}), 0);
        run(u"wineserver"_s, {u"-w"_s});
        ASSERT_TRUE(QDir().mkpath(game()));
    }
    static void TearDownTestSuite()
    {
        if (dir)
            run(u"wineserver"_s, {u"-k"_s});
        delete dir;
        dir = nullptr;
    }
    void SetUp() override
    {
        if (!dir) {
            std::cout << "NOT RUN: wine is not installed, so real Wine was not tested (see README: "
                         "installing Wine).\n";
            GTEST_SKIP() << "wine is not installed";
        }
    }

    static QString prefix() { return dir->path() + u"/prefix"_s; }
    static QString game() { return prefix() + u"/drive_c/Games/Zorvantia"_s; }
    // Wine's own programs in the prefix, however long they take.
    static int run(const QString &program, const QStringList &arguments)
    {
        EventWait wait;
        return WineTool(program, prefix(), wait, std::make_shared<WineBudget>(300000))
            .run(arguments)
            .exitCode;
    }

    static QTemporaryDir *dir;
};

QTemporaryDir *RealWine::dir = nullptr;

TEST_F(RealWine, TheGameSettingsReachThe32BitRegistryOfThePrefixTheGameLiesIn)
{
    ASSERT_EQ(WinePrefix::find(game(), {}, {}), prefix());
    EventWait wait;
    GameRegistry registry(
        std::make_unique<FileRegistry>(dir->path() + u"/registry.reg"_s), [] { return game(); },
        [](const QString &folder) { return WinePrefix::find(folder, {}, {}); }, wait, 60000);
    EXPECT_FALSE(registry.openKey(kGameKey, false)->isOpen());
    std::unique_ptr<RegistryKey> key = registry.openKey(kGameKey, true);
    key->writeIntegers({{u"Fullscreen"_s, 1}, {u"MidiType"_s, 3}, {u"UpdateMode"_s, -1}});
    key->writeString(u"Language"_s, u"three \"3\""_s);
    key->writeFolder(u"HDPath"_s, game());
    key = registry.openKey(kGameKey, false);
    ASSERT_TRUE(key->isOpen()) << key->problem().toStdString();
    EXPECT_TRUE(key->readBool(u"FullScreen"_s));
    EXPECT_EQ(key->readInteger(u"MidiType"_s), 3);
    EXPECT_EQ(key->readInteger(u"UpdateMode"_s), -1);
    EXPECT_EQ(key->readString(u"Language"_s), u"three \"3\""_s);
    EXPECT_EQ(errorOf([&] { key->readInteger(u"Language"_s); }), u"Invalid data type for 'Language'"_s);
    EXPECT_EQ(key->readString(u"HDPath"_s), u"C:\\Games\\Zorvantia"_s);

    // What reached the prefix's own file once Wine has written it: the
    // 32-bit view of a 64-bit prefix lies under Wow6432Node.
    run(u"wineserver"_s, {u"-k"_s});
    run(u"wineserver"_s, {u"-w"_s});
    const QByteArray system = readBytes(prefix() + u"/system.reg"_s);
    const bool wow64 = QFileInfo(prefix() + u"/drive_c/windows/syswow64"_s).isDir();
    const qsizetype section = system.indexOf(wow64 ? "Wow6432Node\\\\Quillmark\\\\Zorvantia]"
                                                   : "Software\\\\Quillmark\\\\Zorvantia]");
    ASSERT_GE(section, 0);
    const QByteArray values = system.mid(section, system.indexOf("\n[", section) - section);
    EXPECT_TRUE(values.contains("\"Fullscreen\"=dword:00000001")) << values.toStdString();
    EXPECT_TRUE(values.contains("\"UpdateMode\"=dword:ffffffff")) << values.toStdString();
    EXPECT_TRUE(values.contains("\"HDPath\"=\"C:\\\\Games\\\\Zorvantia\"")) << values.toStdString();
    EXPECT_FALSE(QFile::exists(dir->path() + u"/registry.reg"_s));
    EXPECT_TRUE(QDir(prefix() + u"/drive_c/windows/temp"_s).entryList({u"dvv-*"_s}).isEmpty())
        << "the imported file is gone";
}

// A 32-bit console program that writes its arguments into "ran.txt" in its working folder, or, given
// "!", complains and ends with 5.
QString build32BitProgram(const QString &folder)
{
    const QString compiler = QStandardPaths::findExecutable(u"i686-w64-mingw32-gcc"_s);
    if (compiler.isEmpty())
        return {};
    writeBytes(folder + u"/ran.c"_s,
               "#include <stdio.h>\nint main(int argc, char **argv) { if (argc > 1 && argv[1][0] == '!') "
               "{ fputs(\"cannot open zorvantia.dat\\n\", stderr); return 5; } FILE *f = fopen(\"ran.txt\", "
               "\"w\"); for (int i = 1; i < argc; ++i) fprintf(f, \"%s|\", argv[i]); return fclose(f); }\n");
    const QString program = folder + u"/dravopaxw.exe"_s;
    QProcess::execute(compiler, {u"-o"_s, program, folder + u"/ran.c"_s});
    return QFile::exists(program) ? program : QString();
}

// Debian's Wine without wine32: its own launcher, naming a 32-bit loader that is not there.
QString wineWithout32BitPart(const QString &folder)
{
    const QByteArray launcher = readBytes(u"/usr/bin/wine"_s);
    if (!launcher.contains("wine32=/usr/lib/wine/wine\n") || !QFile::exists(u"/usr/lib/wine/wine64"_s))
        return {};
    QDir().mkpath(folder + u"/lib/wine"_s);
    QDir().mkpath(folder + u"/lib/x86_64-linux-gnu"_s);
    QDir().mkpath(folder + u"/bin"_s);
    QFile::copy(u"/usr/lib/wine/wine64"_s, folder + u"/lib/wine/wine64"_s);
    QFile::link(u"/usr/lib/x86_64-linux-gnu/wine"_s, folder + u"/lib/x86_64-linux-gnu/wine"_s);
    QFile::link(u"/usr/share"_s, folder + u"/share"_s);
    QByteArray own = launcher;
    own.replace("/usr/lib/wine/", QFile::encodeName(folder + u"/lib/wine/"_s));
    return writeProgram(folder + u"/bin/wine"_s, own);
}

TEST_F(RealWine, A32BitProgramRunsWhereWineCanRunItAndIsRefusedWithTheCommandsWhereItCannot)
{
    const QString program = build32BitProgram(game());
    if (program.isEmpty()) {
        std::cout << "NOT RUN: i686-w64-mingw32-gcc is not installed, so no 32-bit program was run.\n";
        GTEST_SKIP() << "no 32-bit cross compiler";
    }
    EventWait wait;
    const QString ran = game() + u"/ran.txt"_s;
    ShellStart start = SystemShell(wait).start(program, u" -C \"my file.cfg\""_s, game());
    EXPECT_TRUE(start.started) << start.problem.toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(ran); }, 30000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return readBytes(ran) == "-C|my file.cfg|"; }, 5000))
        << readBytes(ran).toStdString();
    // Its failure is said with its words, though the Wine server it starts holds the output open for a while.
    run(u"wineserver"_s, {u"-k"_s});
    run(u"wineserver"_s, {u"-w"_s});
    start = SystemShell(wait).start(program, u"!"_s, game());
    EXPECT_FALSE(start.started);
    EXPECT_TRUE(start.problem.startsWith(u"Wine, running dravopaxw.exe ended at once with exit code 5.\n"_s))
        << start.problem.toStdString();
    EXPECT_TRUE(start.problem.contains(u"cannot open zorvantia.dat"_s)) << start.problem.toStdString();

    QTemporaryDir install;
    const QString wine = wineWithout32BitPart(install.path());
    if (wine.isEmpty()) {
        std::cout << "NOT RUN: this Wine is not Debian's, so a Wine without its 32-bit part was not made.\n";
        return;
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(install.path() + u"/bin:"_s) + path);
    start = SystemShell(wait).start(program, QString(), game());
    qputenv("PATH", path);
    EXPECT_FALSE(start.started);
    EXPECT_EQ(start.problem,
              u"%1 is a 32-bit Windows program, but the Wine installed (%2) cannot run 32-bit programs.\n"
              "To add its 32-bit part, run as root:\n  dpkg --add-architecture i386\n  apt-get update\n"
              "  apt-get install wine32:i386"_s.arg(program, wine));
}

} // namespace
