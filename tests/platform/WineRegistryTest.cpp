#include "platform/WineRegistry.h"
#include "platform/DvsError.h"
#include "platform/WinePrefix.h"
#include "support/TestFiles.h"
#include "support/WineStandIn.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kGameKey = u"Software\\Quillmark\\Zorvantia"_s;

TEST(WinePrefix, TheNearestPrefixAboveTheFolderThenTheEnvironmentThenTheUsualOne)
{
    QTemporaryDir dir;
    const QString outer = dir.path() + u"/outer"_s;
    const QString inner = outer + u"/drive_c/inner"_s;
    const QString home = dir.path() + u"/home"_s;
    for (const QString &prefix : {outer, inner}) {
        QDir().mkpath(prefix + u"/drive_c"_s);
        writeBytes(prefix + u"/system.reg"_s, "WINE REGISTRY Version 2\n");
    }
    QDir().mkpath(dir.path() + u"/half/drive_c/Games"_s); // no registry: not a prefix
    QDir().mkpath(home + u"/.wine"_s);
    QDir().mkpath(dir.path() + u"/env"_s);
    // The game folder, $WINEPREFIX and the home folder, and the prefix found.
    const std::tuple<QString, QString, QString, std::optional<QString>> cases[] = {
        {inner + u"/drive_c/Games/Zorvantia"_s, u"/elsewhere"_s, home, inner},
        {outer + u"/drive_c/Games/Zorvantia/gone/"_s, {}, {}, outer},
        {outer, {}, {}, outer},
        {dir.path() + u"/half/drive_c/Games"_s, dir.path() + u"/env"_s, home, dir.path() + u"/env"_s},
        {dir.path() + u"/half"_s, {}, home, home + u"/.wine"_s},
        {dir.path() + u"/half"_s, dir.path() + u"/not yet"_s, home, std::nullopt},
        {dir.path() + u"/half"_s, {}, dir.path(), std::nullopt},
        {{}, {}, {}, std::nullopt},
    };
    for (const auto &[folder, environment, homeFolder, prefix] : cases)
        EXPECT_EQ(WinePrefix::find(folder, environment, homeFolder), prefix) << folder.toStdString();
}

TEST(WineRegistryOutput, OnlyWellFormedValueLinesCountWhateverElseTheToolSays)
{
    const QByteArray big(1 << 20, 'x');
    // What the tool says, and the values read from it ("name|type|data", sorted).
    const std::pair<QByteArray, QStringList> cases[] = {
        {"", {}},
        {"\r\nHKEY_LOCAL_MACHINE\\Software\\Quillmark\\Zorvantia\r\n    (Default)    REG_SZ    \r\n"
         "    Fullscreen    REG_DWORD    0x1\r\n    HDPath    REG_SZ    C:\\Games\\Zorvantia\r\n"
         "    Quo\"te    REG_SZ    a \"b\"    c\\\r\n\r\n",
         {u"(Default)|REG_SZ|"_s, u"Fullscreen|REG_DWORD|0x1"_s, u"HDPath|REG_SZ|C:\\Games\\Zorvantia"_s,
          u"Quo\"te|REG_SZ|a \"b\"    c\\"_s}},
        // Cut off in the middle of a line, and in another language.
        {"\r\nHKEY_LOCAL_MACHINE\\Software\r\n    SafeMode    REG_DWORD    0x0\r\n    Midi    REG_DWORD\r\n"
         "    MidiType    REG_DWORD    0x",
         {u"MidiType|REG_DWORD|0x"_s, u"SafeMode|REG_DWORD|0x0"_s}},
        {"reg: Der angegebene Registrierungsschl\xc3\xbcssel wurde nicht gefunden\r\n", {}},
        {"    Big    REG_SZ    " + big + "\n", {u"Big|REG_SZ|"_s + QString::fromLatin1(big)}},
    };
    for (const auto &[output, expected] : cases) {
        QStringList values;
        for (const WineRegistry::Value &v : WineRegistry::parseQuery(output))
            values << v.name + u'|' + v.type + u'|' + v.data;
        values.sort();
        EXPECT_EQ(values, expected) << output.left(60).toStdString();
    }
}

class WineRegistryTest : public ::testing::Test
{
protected:
    QString fallbackFile() const { return files.path() + u"/registry.reg"_s; }
    QTemporaryDir files;
    WineStandIn wine;
};

// Create Registry Entry's ten values go with one "reg import"; a key opened
// for creating costs no call until it is written or read; every value of a
// key comes with one query.
TEST_F(WineRegistryTest, ThePrefixIsWrittenThroughRegInThe32BitViewManyValuesInOneImportAndReadWithOneQuery)
{
    const std::unique_ptr<Registry> registry = wine.registry(fallbackFile());
    std::unique_ptr<RegistryKey> key = registry->openKey(kGameKey, true);
    EXPECT_EQ(wine.calls(), QStringList());
    key->writeIntegers({{u"DisplayModeNumber"_s, 3}, {u"UpdateMode"_s, -1}, {u"Fullscreen"_s, 0}});
    EXPECT_EQ(key->readInteger(u"UpdateMode"_s), -1);
    ASSERT_EQ(wine.calls().size(), 1) << wine.calls().join(u'\n').toStdString();
    EXPECT_TRUE(wine.calls()[0].startsWith(wine.prefix() + u"|reg import C:\\windows\\temp\\dvv-"_s));
    EXPECT_TRUE(wine.calls()[0].endsWith(u".reg /reg:32"_s));
    EXPECT_EQ(wine.value(u"UpdateMode"_s), u"REG_DWORD|4294967295"_s);
    EXPECT_EQ(wine.value(u"DisplayModeNumber"_s), u"REG_DWORD|3"_s);
    EXPECT_TRUE(QDir(wine.prefix() + u"/drive_c/windows/temp"_s).isEmpty()) << "the imported file is gone";

    key = registry->openKey(u"Software\\Quillmark\\Other"_s, true);
    EXPECT_FALSE(key->valueExists(u"Fullscreen"_s)) << "asked for once needed";
    key->makeNow();
    EXPECT_EQ(wine.calls().mid(1),
              (QStringList{wine.prefix() + u"|reg query HKLM\\Software\\Quillmark\\Other /reg:32"_s,
                           wine.prefix() + u"|reg add HKLM\\Software\\Quillmark\\Other /f /reg:32"_s}));

    const std::unique_ptr<RegistryKey> missing = registry->openKey(u"Software\\Quillmark\\Gone"_s, false);
    EXPECT_FALSE(missing->isOpen());
    EXPECT_EQ(missing->problem(), QString()) << "a key that is not there is no problem";
    EXPECT_EQ(errorOf([&] { missing->writeInteger(u"SafeMode"_s, 1); }),
              u"Failed to set data for 'SafeMode'"_s);

    key = registry->openKey(kGameKey, true);
    key->writeInteger(u"Fullscreen"_s, 1);
    key->writeInteger(u"UpdateMode"_s, -2);
    key->writeBool(u"SafeMode"_s, false);
    key->writeString(u"MidiType"_s, u"two"_s);
    key->writeFolder(u"HDPath"_s, wine.gameFolder());
    EXPECT_EQ(key->readInteger(u"UpdateMode"_s), -2) << "what was written is read without asking again";

    const int callsBefore = wine.calls().size();
    key = registry->openKey(kGameKey, false);
    EXPECT_TRUE(key->readBool(u"FullScreen"_s)) << "names in any letter case";
    EXPECT_FALSE(key->readBool(u"SafeMode"_s));
    EXPECT_EQ(key->readInteger(u"UpdateMode"_s), -2);
    EXPECT_EQ(key->readString(u"HDPath"_s), u"C:\\Games\\Zorvantia"_s) << "the path the game sees";
    EXPECT_EQ(errorOf([&] { key->readInteger(u"MidiType"_s); }), u"Invalid data type for 'MidiType'"_s);
    EXPECT_EQ(errorOf([&] { key->readString(u"Fullscreen"_s); }), u"Invalid data type for 'Fullscreen'"_s);
    EXPECT_FALSE(key->valueExists(u"MousePointer"_s));
    EXPECT_EQ(wine.calls().size(), callsBefore + 1) << "one query for every value of the key";

    const QString prefix = wine.prefix() + u'|';
    for (const QString &call : wine.calls()) {
        EXPECT_TRUE(call.startsWith(prefix + u"winepath -w "_s) ||
                    (call.startsWith(prefix + u"reg "_s) && call.endsWith(u" /reg:32"_s)))
            << call.toStdString();
    }
    EXPECT_TRUE(wine.calls().contains(prefix + u"reg add HKLM\\Software\\Quillmark\\Zorvantia /v Fullscreen "
                                               "/t REG_DWORD /d 1 /f /reg:32"_s));
    EXPECT_FALSE(QFile::exists(fallbackFile())) << "the registry file is not used beside a prefix";
}

// A hanging wine is said at the start and by each item (see the game's registry settings).
TEST_F(WineRegistryTest,
       AnEmptyAnswerHoldsNoValuesARefusedWriteOrAMissingWineIsSaidAndWithoutWineOrAPrefixTheFileIsUsed)
{
    const std::unique_ptr<Registry> registry = wine.registry(fallbackFile());
    registry->openKey(kGameKey, true)->writeInteger(u"SafeMode"_s, 1);

    wine.setMode("silent");
    const std::unique_ptr<RegistryKey> silent = registry->openKey(kGameKey, false);
    EXPECT_TRUE(silent->isOpen());
    EXPECT_FALSE(silent->valueExists(u"SafeMode"_s)) << "an empty answer holds no values";

    wine.setMode("refuse");
    const std::unique_ptr<RegistryKey> key = registry->openKey(kGameKey, true);
    EXPECT_EQ(errorOf([&] { key->writeInteger(u"SafeMode"_s, 0); }), u"Failed to set data for 'SafeMode'"_s);
    EXPECT_EQ(errorOf([&] { key->writeFolder(u"HDPath"_s, wine.gameFolder()); }),
              u"Failed to set data for 'HDPath'"_s);
    const auto importing = [&] { key->writeIntegers({{u"MidiType"_s, 2}}); };
    EXPECT_EQ(errorOf(importing), u"Failed to set data for 'MidiType'"_s);
    EXPECT_TRUE(key->readBool(u"SafeMode"_s)) << "a refused write changes nothing read";

    const WineTool::Result missing =
        WineTool(files.path() + u"/no-wine"_s, wine.prefix(), wine.wait(), std::make_shared<WineBudget>())
            .run({u"reg"_s});
    EXPECT_FALSE(missing.finished);
    EXPECT_TRUE(missing.problem.startsWith(u"wine reg could not be started"_s))
        << missing.problem.toStdString();

    QTemporaryDir elsewhere;
    for (const bool installed : {true, false}) {
        SCOPED_TRACE(installed);
        QFile::remove(fallbackFile());
        if (!installed) // nothing else on the PATH either: a real Wine may be installed here
            qputenv("PATH", QFile::encodeName(elsewhere.path()));
        const std::unique_ptr<Registry> file =
            wine.registry(fallbackFile(), installed ? elsewhere.path() : wine.gameFolder());
        file->openKey(kGameKey, true)->writeInteger(u"SafeMode"_s, 2);
        EXPECT_TRUE(readBytes(fallbackFile()).contains("\"SafeMode\"=dword:00000002"));
    }
    EXPECT_EQ(wine.value(u"SafeMode"_s), u"REG_DWORD|1"_s) << "the prefix kept its value through it all";
}

TEST_F(WineRegistryTest, ACommandIsBoundAsAWholeAndAnAnswerThatIsNoTextOrTooLargeIsAFailure)
{
    const std::unique_ptr<Registry> registry = wine.registry(fallbackFile(), {}, 300);
    const QString bound = u"wine reg was stopped: Wine took longer than 0.3 seconds for this command."_s;
    {
        const auto command = registry->beginCommand();
        const std::unique_ptr<RegistryKey> key = registry->openKey(kGameKey, true);
        wine.setMode("hang");
        EXPECT_EQ(errorOf([&] { key->writeInteger(u"SafeMode"_s, 1); }),
                  u"Failed to set data for 'SafeMode'\n"_s + bound);
        // The whole group ended with the call, the hanging stand-in's own child too.
        const pid_t child = readBytes(wine.prefix() + u"/hang-child"_s).trimmed().toInt();
        ASSERT_GT(child, 0);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                const QByteArray stat = readBytes(u"/proc/%1/stat"_s.arg(child));
                return stat.isEmpty() || stat.mid(stat.lastIndexOf(')') + 2, 1) == "Z";
            },
            5000));
        wine.setMode("");
        // The command's time is spent.
        EXPECT_EQ(errorOf([&] { key->writeInteger(u"SafeMode"_s, 1); }),
                  u"Failed to set data for 'SafeMode'\n"_s + bound);
    }
    const std::unique_ptr<RegistryKey> key = registry->openKey(kGameKey, true);
    key->writeInteger(u"SafeMode"_s, 1);
    EXPECT_EQ(wine.value(u"SafeMode"_s), u"REG_DWORD|1"_s) << "the next command has its own time";

    const std::pair<const char *, QString> modes[] = {
        {"garbage", u"wine reg gave an answer that cannot be read."_s},
        {"flood", u"wine reg gave more than 1048576 bytes of output."_s},
    };
    for (const auto &[mode, problem] : modes) {
        SCOPED_TRACE(mode);
        wine.setMode(mode);
        EXPECT_EQ(errorOf([&] { key->writeInteger(u"SafeMode"_s, 0); }),
                  u"Failed to set data for 'SafeMode'\n"_s + problem);
        EXPECT_EQ(registry->openKey(kGameKey, false)->problem(),
                  u"The registry of the Wine prefix %1 could not be used: %2"_s.arg(wine.prefix(), problem));
    }
    EXPECT_EQ(wine.value(u"SafeMode"_s), u"REG_DWORD|1"_s);
}

} // namespace
