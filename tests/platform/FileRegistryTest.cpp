#include "platform/FileRegistry.h"
#include "platform/DvsError.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kGameKey = QStringLiteral("Software\\Quillmark\\Zorvantia");

class FileRegistryTest : public ::testing::Test
{
protected:
    QString file() const { return dir.path() + QStringLiteral("/registry.reg"); }
    QTemporaryDir dir;
    FileRegistry registry{file()};
};

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const DvsError &error) {
        return error.message();
    }
    return QStringLiteral("<no error>");
}

TEST_F(FileRegistryTest, AKeyThatDoesNotExistOpensOnlyWhenCreated)
{
    auto missing = registry.openKey(kGameKey, false);
    EXPECT_FALSE(missing->isOpen());
    EXPECT_FALSE(missing->valueExists(QStringLiteral("FullScreen")));
    EXPECT_EQ(errorOf([&] { missing->writeInteger(QStringLiteral("SafeMode"), 1); }),
              QStringLiteral("Failed to set data for 'SafeMode'"));
    EXPECT_FALSE(QFile::exists(file()));

    auto created = registry.openKey(kGameKey, true);
    EXPECT_TRUE(created->isOpen());
    EXPECT_TRUE(registry.openKey(kGameKey, false)->isOpen());
}

TEST_F(FileRegistryTest, ValuesAreWrittenInTheExportFormatAndKeepTheirTypes)
{
    auto key = registry.openKey(kGameKey, true);
    key->writeInteger(QStringLiteral("Fullscreen"), 10);
    key->writeString(QStringLiteral("HDPath"), QStringLiteral("C:\\Games\\Zvt \"Gold\""));
    key->writeBool(QStringLiteral("SafeMode"), true);
    EXPECT_EQ(readBytes(file()),
              crlf(QStringLiteral("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quillmark\\Zorvantia]\n"
                                  "\"Fullscreen\"=dword:0000000a\n"
                                  "\"HDPath\"=\"C:\\\\Games\\\\Zvt \\\"Gold\\\"\"\n"
                                  "\"SafeMode\"=dword:00000001\n\n")));

    auto again = FileRegistry(file()).openKey(kGameKey, false);
    EXPECT_EQ(again->readInteger(QStringLiteral("FULLSCREEN")), 10) << "value names ignore case";
    EXPECT_EQ(again->readString(QStringLiteral("HDPath")), QStringLiteral("C:\\Games\\Zvt \"Gold\""));
    EXPECT_TRUE(again->readBool(QStringLiteral("SafeMode")));
    EXPECT_EQ(errorOf([&] { again->readInteger(QStringLiteral("HDPath")); }),
              QStringLiteral("Invalid data type for 'HDPath'"));
    EXPECT_EQ(errorOf([&] { again->readString(QStringLiteral("Fullscreen")); }),
              QStringLiteral("Invalid data type for 'Fullscreen'"));
    EXPECT_EQ(errorOf([&] { again->readInteger(QStringLiteral("MidiType")); }),
              QStringLiteral("Invalid data type for 'MidiType'"));
}

TEST_F(FileRegistryTest, NegativeNumbersAndOtherKeysSurviveARewrite)
{
    writeText(file(), QStringLiteral(
                          "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Other]\n\"Blob\"=hex:01,02,\\\n  03\n"
                          "@=\"default\"\n\n[HKEY_LOCAL_MACHINE\\Software\\Quillmark\\Zorvantia]\n"
                          "\"MidiType\"=dword:00000003\n"));
    auto key = registry.openKey(kGameKey, false);
    ASSERT_TRUE(key->isOpen());
    EXPECT_EQ(key->readInteger(QStringLiteral("MidiType")), 3);
    key->writeInteger(QStringLiteral("UpdateMode"), -1);
    EXPECT_EQ(key->readInteger(QStringLiteral("UpdateMode")), -1);
    const QString text = QString::fromLatin1(readBytes(file()));
    EXPECT_TRUE(text.contains(QStringLiteral("\"Blob\"=hex:01,02,03"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("@=\"default\""))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\"UpdateMode\"=dword:ffffffff"))) << text.toStdString();
}

TEST_F(FileRegistryTest, ADamagedFileReadsAsHavingNoKeyAndIsKeptAsideWhenTheKeyIsCreated)
{
    const QByteArray damaged(
        "[HKEY_LOCAL_MACHINE\\Software\\Quillmark\\Zorvantia]\r\n\"FullScreen\"=dword:zz\r\n");
    writeBytes(file(), damaged);
    EXPECT_FALSE(registry.openKey(kGameKey, false)->isOpen());

    auto key = registry.openKey(kGameKey, true);
    key->writeInteger(QStringLiteral("FullScreen"), 1);
    EXPECT_EQ(key->readInteger(QStringLiteral("FullScreen")), 1);
    EXPECT_EQ(readBytes(file() + QStringLiteral(".damaged")), damaged);
}

TEST_F(FileRegistryTest, ATextWithALineBreakIsRefusedAndTheOtherValuesStay)
{
    auto key = registry.openKey(kGameKey, true);
    key->writeInteger(QStringLiteral("FullScreen"), 1);
    EXPECT_EQ(errorOf([&] { key->writeString(QStringLiteral("HDPath"), QStringLiteral("C:\\a\n[HKEY_X]")); }),
              QStringLiteral("Failed to set data for 'HDPath'"));
    EXPECT_EQ(registry.openKey(kGameKey, false)->readInteger(QStringLiteral("FullScreen")), 1);
}

TEST_F(FileRegistryTest, AWriteTheFileSystemRefusesIsReported)
{
    FileRegistry nowhere(dir.path() + QStringLiteral("/missing/registry.reg"));
    auto key = nowhere.openKey(kGameKey, true);
    EXPECT_FALSE(key->isOpen());
    EXPECT_EQ(errorOf([&] { key->writeString(QStringLiteral("HDPath"), QStringLiteral("C:")); }),
              QStringLiteral("Failed to set data for 'HDPath'"));
}

} // namespace
