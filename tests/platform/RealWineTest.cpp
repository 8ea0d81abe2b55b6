#include "platform/FileRegistry.h"
#include "platform/WinePrefix.h"
#include "platform/WineRegistry.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <iostream>

using namespace Qt::StringLiterals;

namespace {

// The values the game reads, through Wine's own tool, in a new prefix: slow
// (the prefix is made first), so it is the only test against real Wine.
TEST(RealWine, TheGameSettingsReachThe32BitRegistryOfThePrefixTheGameLiesIn)
{
    const QString wine = QStandardPaths::findExecutable(u"wine"_s);
    if (wine.isEmpty()) {
        std::cout << "NOT RUN: wine is not installed, so the registry of a real Wine prefix was not "
                     "tested (see README: installing Wine).\n";
        GTEST_SKIP() << "wine is not installed";
    }
    QTemporaryDir dir;
    const QString prefix = dir.path() + u"/prefix"_s;
    const QString game = prefix + u"/drive_c/Games/Zorvantia"_s;
    // Wine's own programs in the prefix, however long they take.
    const auto run = [&prefix](const QString &program, const QStringList &arguments) {
        return WineTool(program, prefix, 300000).run(arguments).exitCode;
    };
    ASSERT_EQ(run(wine, {u"wineboot"_s, u"-i"_s}), 0);
    run(u"wineserver"_s, {u"-w"_s});
    ASSERT_TRUE(QDir().mkpath(game));
    ASSERT_EQ(WinePrefix::find(game, {}, {}), prefix);

    GameRegistry registry(
        std::make_unique<FileRegistry>(dir.path() + u"/registry.reg"_s), [game] { return game; },
        [](const QString &folder) { return WinePrefix::find(folder, {}, {}); });
    EXPECT_FALSE(registry.openKey(u"Software\\Quillmark\\Zorvantia"_s, false)->isOpen());
    std::unique_ptr<RegistryKey> key = registry.openKey(u"Software\\Quillmark\\Zorvantia"_s, true);
    key->writeInteger(u"Fullscreen"_s, 1);
    key->writeInteger(u"MidiType"_s, 3);
    key->writeInteger(u"UpdateMode"_s, -1);
    key->writeString(u"Language"_s, u"three \"3\""_s);
    key->writeFolder(u"HDPath"_s, game);
    key = registry.openKey(u"Software\\Quillmark\\Zorvantia"_s, false);
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
    const QByteArray system = readBytes(prefix + u"/system.reg"_s);
    const bool wow64 = QFileInfo(prefix + u"/drive_c/windows/syswow64"_s).isDir();
    const qsizetype section = system.indexOf(wow64 ? "Wow6432Node\\\\Quillmark\\\\Zorvantia]"
                                                   : "Software\\\\Quillmark\\\\Zorvantia]");
    ASSERT_GE(section, 0);
    const QByteArray values = system.mid(section, system.indexOf("\n[", section) - section);
    EXPECT_TRUE(values.contains("\"Fullscreen\"=dword:00000001")) << values.toStdString();
    EXPECT_TRUE(values.contains("\"HDPath\"=\"C:\\\\Games\\\\Zorvantia\"")) << values.toStdString();
    EXPECT_FALSE(QFile::exists(dir.path() + u"/registry.reg"_s));
}

} // namespace
