#include "platform/FileRegistry.h"
#include "platform/RegistryExport.h"
#include "support/TestFiles.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using RegistryExport::Contents;
using RegistryExport::Value;

const QString kGameKey = u"Software\\Quillmark\\Zorvantia"_s;
const QString kHeader = u"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quillmark\\Zorvantia]\n"_s;

class FileRegistryTest : public ::testing::Test
{
protected:
    QString file(const QString &tail = QString()) const { return dir.path() + u"/registry.reg"_s + tail; }
    QTemporaryDir dir;
    FileRegistry registry{file()};
};

// Every key and value, one line each, for comparing two readings whole.
QString listing(const Contents &contents)
{
    QString out = contents.damaged ? u"damaged\n"_s : QString();
    for (const RegistryExport::Key &key : contents.keys) {
        out += u"[%1]\n"_s.arg(key.path);
        for (const Value &v : key.values)
            out += u"%1|%2|%3|%4|%5|%6\n"_s.arg(
                v.name, QString::number(int(v.type)), QString::number(v.dword), v.text,
                QString::number(v.binaryType), QString::fromLatin1(v.bytes.toHex()));
    }
    return out;
}

TEST_F(FileRegistryTest,
       AKeyOpensOnlyWhenCreatedAndItsValuesKeepTheirTypesAndTextAndReadBackAsTheFileHoldsThem)
{
    auto missing = registry.openKey(kGameKey, false);
    EXPECT_FALSE(missing->isOpen());
    EXPECT_FALSE(missing->valueExists(u"FullScreen"_s));
    EXPECT_EQ(errorOf([&] { missing->writeInteger(u"SafeMode"_s, 1); }),
              u"Failed to set data for 'SafeMode'"_s);
    EXPECT_FALSE(QFile::exists(file()));

    auto key = registry.openKey(kGameKey, true);
    EXPECT_TRUE(key->isOpen());
    EXPECT_TRUE(registry.openKey(kGameKey, false)->isOpen());

    // Values are written in the export format and keep their types and text.
    key->writeInteger(u"Fullscreen"_s, 10);
    key->writeString(u"HDPath"_s, u"C:\\Games\\Zvt \"Gold\""_s);
    key->writeBool(u"SafeMode"_s, true);
    key->writeInteger(u"UpdateMode"_s, -1);
    // Text the file's code page cannot hold, or a line break, is kept in its binary form.
    key->writeString(u"Path"_s, u"/home/Игры\n"_s);
    // A name is written as it stands, or not at all.
    EXPECT_EQ(errorOf([&] { key->writeString(u"Игры"_s, u"x"_s); }), u"Failed to set data for 'Игры'"_s);
    EXPECT_EQ(readBytes(file()),
              crlf(kHeader + u"\"Fullscreen\"=dword:0000000a\n"
                             "\"HDPath\"=\"C:\\\\Games\\\\Zvt \\\"Gold\\\"\"\n"
                             "\"SafeMode\"=dword:00000001\n\"UpdateMode\"=dword:ffffffff\n"
                             "\"Path\"=hex(1):2f,00,68,00,6f,00,6d,00,65,00,2f,00,18,04,33,04,40,04,"
                             "4b,04,0a,\\\n  00,00,00\n\n"_s));

    auto again = FileRegistry(file()).openKey(kGameKey, false);
    EXPECT_EQ(again->readInteger(u"FULLSCREEN"_s), 10) << "value names ignore case";
    EXPECT_EQ(again->readInteger(u"UpdateMode"_s), -1);
    EXPECT_EQ(again->readString(u"HDPath"_s), u"C:\\Games\\Zvt \"Gold\""_s);
    EXPECT_EQ(again->readString(u"Path"_s), u"/home/Игры\n"_s);
    EXPECT_TRUE(again->readBool(u"SafeMode"_s));
    for (const char *name : {"HDPath", "MidiType"})
        EXPECT_EQ(errorOf([&] { again->readInteger(QString::fromLatin1(name)); }),
                  u"Invalid data type for '%1'"_s.arg(QString::fromLatin1(name)));
    EXPECT_EQ(errorOf([&] { again->readString(u"Fullscreen"_s); }), u"Invalid data type for 'Fullscreen'"_s);

    for (int i = 0; i < 20; ++i)
        key->writeInteger(u"v%1"_s.arg(i), i);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(key->readInteger(u"V%1"_s.arg(i)), i) << "found by name, however many values";
    // Replaced by another program long ago, as far as its time says.
    writeText(file(), kHeader + u"\"MidiType\"=dword:00000002\n"_s);
    makeOld(file());
    EXPECT_EQ(key->readInteger(u"MidiType"_s), 2);
    EXPECT_FALSE(key->valueExists(u"v0"_s));
}

TEST_F(FileRegistryTest, OtherKeysHandWrittenValuesAndAHundredThousandKeysSurviveARewrite)
{
    // A value going on into a blank line ends there; the next one stays its own.
    writeText(
        file(),
        QStringLiteral(
            "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Other]\n\"Blob\"=hex:01,02,\\\n  03\n"
            "\"bin\"=hex:01,\\ \\\n\n; installed in C:\\Zvt\\\n\"HDPath\"=\"C:\\\\Zvt\"\n@=\"default\"\n"
            "\"feed\"=\"end\f\"\n\"odd\"=word\f\n\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Quillmark\\Zorvantia]\n\"MidiType\"=dword:00000003\n"));
    auto key = registry.openKey(kGameKey, false);
    EXPECT_EQ(key->readInteger(u"MidiType"_s), 3);
    const QString before = listing(RegistryExport::parse(readBytes(file())));
    key->writeInteger(u"UpdateMode"_s, 1);
    EXPECT_EQ(readBytes(file()),
              crlf(u"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Other]\n\"Blob\"=hex:01,02,03\n"
                   "\"bin\"=hex:01\n\"HDPath\"=\"C:\\\\Zvt\"\n@=\"default\"\n\"feed\"=\"end\f\"\n"
                   "\"odd\"=word\n\n"_s +
                   kHeader.mid(10) + u"\"MidiType\"=dword:00000003\n\"UpdateMode\"=dword:00000001\n\n"_s));
    auto other = registry.openKey(u"Software\\Other"_s, false);
    EXPECT_EQ(other->readString(u"HDPath"_s), u"C:\\Zvt"_s);
    EXPECT_EQ(other->readString(u"feed"_s), u"end\f"_s);
    EXPECT_EQ(listing(RegistryExport::parse(readBytes(file()))).remove(u"UpdateMode|0|1||3|\n"_s), before);

    // Read in one pass: a reading that searched the keys for each key header did
    // not finish within this test's time limit.
    QByteArray text = "REGEDIT4\r\n\r\n";
    for (int i = 0; i < 100000; ++i)
        text += "[HKEY_LOCAL_MACHINE\\Software\\K" + QByteArray::number(i) +
                "]\r\n\"v\"=dword:" + QByteArray::number(i, 16).rightJustified(8, '0') + "\r\n\r\n";
    writeBytes(file(), text);
    EXPECT_EQ(registry.openKey(u"Software\\K99999"_s, false)->readInteger(u"v"_s), 99999);
    registry.openKey(kGameKey, true)->writeInteger(u"MidiType"_s, 2);
    FileRegistry again(file());
    EXPECT_EQ(again.openKey(u"Software\\K50000"_s, false)->readInteger(u"v"_s), 50000);
    EXPECT_EQ(again.openKey(kGameKey, false)->readInteger(u"MidiType"_s), 2);
}

TEST_F(FileRegistryTest, WhatTheReaderAcceptsIsWrittenBackSoThatItReadsTheSame)
{
    // Random registry files made of the pieces hand-edited files hold.
    // clang-format off
    const QStringList names = {u"\"a\""_s, u"\"B b\""_s, u"@"_s, u"\"q\\\"\\\\\""_s, u"\"\f\t\""_s,
                               u"\"é€\""_s};
    const QStringList values = {u"\"\""_s, u"\"text\""_s, u"\"tab\tfeed\f\""_s, u"hex:"_s, u"hex:01,02"_s,
                                u"hex(1):41,00,42"_s, u"word"_s, u"hex:01,\\"_s, u"hex(2):41,00,00,00"_s,
                                u"a\"b\f"_s, u"\"C:\\\\\""_s, u"hex(1):41,00,00,00"_s, u"hex:zz"_s,
                                u"hex:01,\\ \\"_s, u"hex(4):01,00,00,00"_s, u"dword:1"_s,
                                u"dword:7fffffff"_s};
    const QStringList extras = {QString(), QString(), u"; remark"_s, u"  02,03"_s, u"\f"_s, u"REGEDIT4"_s,
                                u"\t\\"_s, u"[HKEY_LOCAL_MACHINE\\Software\\B]"_s,
                                u"[HKEY_LOCAL_MACHINE\\a]b\\ ]"_s};
    // clang-format on
    QRandomGenerator random(20261206);
    const auto pick = [&](const QStringList &list) { return list[random.bounded(int(list.size()))]; };
    int accepted = 0;
    for (int round = 0; round < 2000; ++round) {
        QString text = u"REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\A]\n"_s;
        for (int line = random.bounded(1, 12); line > 0; --line) {
            text += random.bounded(3) == 0 ? pick(extras) : pick(names) + QLatin1Char('=') + pick(values);
            text += random.bounded(4) == 0 ? u" \f\n"_s : u"\n"_s;
        }
        const Contents first = RegistryExport::parse(crlf(text));
        if (first.damaged)
            continue;
        ++accepted;
        const std::optional<QByteArray> written = RegistryExport::serialise(first);
        ASSERT_TRUE(written) << text.toStdString();
        const Contents second = RegistryExport::parse(*written);
        // Equal contents, every part of which the listing shows, are written alike.
        ASSERT_EQ(listing(second), listing(first)) << text.toStdString() << "\n--- written as ---\n"
                                                   << written->toStdString();
    }
    EXPECT_GT(accepted, 100) << "too few files were accepted to say anything";
}

TEST_F(FileRegistryTest, ADamagedFileIsKeptAsideUnderANameOfItsOwnOrNotReplacedAtAll)
{
    const QByteArray damaged(
        "[HKEY_LOCAL_MACHINE\\Software\\Quillmark\\Zorvantia]\r\n\"FullScreen\"=dword:zz\r\n");
    writeBytes(file(), damaged);
    EXPECT_FALSE(registry.openKey(kGameKey, false)->isOpen());
    auto key = registry.openKey(kGameKey, true);
    key->writeInteger(u"FullScreen"_s, 1);
    EXPECT_EQ(key->readInteger(u"FullScreen"_s), 1);
    EXPECT_EQ(readBytes(file(u".damaged"_s)), damaged);

    const QByteArray second = damaged + QByteArray(100000, ';') + "\r\n[broken";
    writeBytes(file(), second);
    ASSERT_TRUE(registry.openKey(kGameKey, true)->isOpen());
    EXPECT_EQ(readBytes(file(u".damaged"_s)), damaged) << "the first copy stays";
    EXPECT_EQ(readBytes(file(u".damaged-2"_s)), second);

    // A nearly full disk: the copy does not fit, so the damaged file stays as it is.
    writeBytes(file(), second);
    std::unique_ptr<RegistryKey> refused;
    QString message;
    withFileSizeLimit(4096, [&] {
        refused = registry.openKey(kGameKey, true);
        message = errorOf([&] { refused->writeString(u"HDPath"_s, u"C:"_s); });
    });
    EXPECT_FALSE(refused->isOpen());
    EXPECT_EQ(message, u"Failed to set data for 'HDPath'\nThe damaged registry file %1 could not be "
                       "kept aside, so it was left as it is."_s.arg(file()));
    EXPECT_EQ(readBytes(file()), second);
    EXPECT_FALSE(QFile::exists(file(u".damaged-3"_s)));
}

TEST_F(FileRegistryTest, AWriteTheFileSystemRefusesIsReportedAndChangesNothing)
{
    FileRegistry nowhere(dir.path() + u"/missing/registry.reg"_s);
    auto key = nowhere.openKey(kGameKey, true);
    EXPECT_FALSE(key->isOpen());
    EXPECT_EQ(errorOf([&] { key->writeString(u"HDPath"_s, u"C:"_s); }), u"Failed to set data for 'HDPath'"_s);

    registry.openKey(kGameKey, true)->writeInteger(u"MidiType"_s, 2);
    const QByteArray before = readBytes(file());
    giveToOrdinaryUser(dir.path(), 0777);
    giveToOrdinaryUser(file(), 0444);
    QString message;
    const bool ran = asOrdinaryUser([&] {
        message =
            errorOf([&] { FileRegistry(file()).openKey(kGameKey, false)->writeInteger(u"MidiType"_s, 3); });
    });
    if (!ran)
        GTEST_SKIP() << "the tests cannot take the rights of an ordinary user here";
    EXPECT_EQ(message, u"Failed to set data for 'MidiType'"_s);
    EXPECT_EQ(readBytes(file()), before);
}

} // namespace
