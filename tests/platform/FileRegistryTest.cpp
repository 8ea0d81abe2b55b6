#include "platform/FileRegistry.h"
#include "platform/DvsError.h"
#include "platform/RegistryExport.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

using RegistryExport::Contents;
using RegistryExport::Value;

const QString kGameKey = QStringLiteral("Software\\Quillmark\\Zorvantia");
const QString kHeader = QStringLiteral("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quillmark\\Zorvantia]\n");

class FileRegistryTest : public ::testing::Test
{
protected:
    QString file(const QString &tail = QString()) const
    {
        return dir.path() + QStringLiteral("/registry.reg") + tail;
    }
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

// Every key and value, one line each, for comparing two readings whole.
QString listing(const Contents &contents)
{
    QString out = contents.damaged ? QStringLiteral("damaged\n") : QString();
    for (const RegistryExport::Key &key : contents.keys) {
        out += QStringLiteral("[%1]\n").arg(key.path);
        for (const Value &v : key.values)
            out += QStringLiteral("%1|%2|%3|%4|%5|%6\n")
                       .arg(v.name)
                       .arg(int(v.type))
                       .arg(v.dword)
                       .arg(v.text)
                       .arg(v.binaryType)
                       .arg(QString::fromLatin1(v.bytes.toHex()));
    }
    return out;
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

TEST_F(FileRegistryTest, ValuesAreWrittenInTheExportFormatAndKeepTheirTypesAndText)
{
    auto key = registry.openKey(kGameKey, true);
    key->writeInteger(QStringLiteral("Fullscreen"), 10);
    key->writeString(QStringLiteral("HDPath"), QStringLiteral("C:\\Games\\Zvt \"Gold\""));
    key->writeBool(QStringLiteral("SafeMode"), true);
    key->writeInteger(QStringLiteral("UpdateMode"), -1);
    // Text the file's code page cannot hold, or a line break, is kept in its binary form.
    key->writeString(QStringLiteral("Path"), QStringLiteral("/home/Игры\n"));
    EXPECT_EQ(errorOf([&] { key->writeString(QStringLiteral("Игры"), QStringLiteral("x")); }),
              QStringLiteral("Failed to set data for 'Игры'"))
        << "a name is written as it stands, or not at all";
    EXPECT_EQ(
        readBytes(file()),
        crlf(kHeader + QStringLiteral("\"Fullscreen\"=dword:0000000a\n"
                                      "\"HDPath\"=\"C:\\\\Games\\\\Zvt \\\"Gold\\\"\"\n"
                                      "\"SafeMode\"=dword:00000001\n\"UpdateMode\"=dword:ffffffff\n"
                                      "\"Path\"=hex(1):2f,00,68,00,6f,00,6d,00,65,00,2f,00,18,04,33,04,40,04,"
                                      "4b,04,0a,\\\n  00,00,00\n\n")));

    auto again = FileRegistry(file()).openKey(kGameKey, false);
    EXPECT_EQ(again->readInteger(QStringLiteral("FULLSCREEN")), 10) << "value names ignore case";
    EXPECT_EQ(again->readInteger(QStringLiteral("UpdateMode")), -1);
    EXPECT_EQ(again->readString(QStringLiteral("HDPath")), QStringLiteral("C:\\Games\\Zvt \"Gold\""));
    EXPECT_EQ(again->readString(QStringLiteral("Path")), QStringLiteral("/home/Игры\n"));
    EXPECT_TRUE(again->readBool(QStringLiteral("SafeMode")));
    for (const char *name : {"HDPath", "MidiType"})
        EXPECT_EQ(errorOf([&] { again->readInteger(QString::fromLatin1(name)); }),
                  QStringLiteral("Invalid data type for '%1'").arg(QString::fromLatin1(name)));
    EXPECT_EQ(errorOf([&] { again->readString(QStringLiteral("Fullscreen")); }),
              QStringLiteral("Invalid data type for 'Fullscreen'"));
}

TEST_F(FileRegistryTest, OtherKeysAndHandWrittenValuesSurviveARewrite)
{
    // A value going on into a blank line ends there; the next one stays its own.
    writeText(file(),
              QStringLiteral(
                  "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Other]\n\"Blob\"=hex:01,02,\\\n  03\n"
                  "\"bin\"=hex:01,\\ \\\n\n\"HDPath\"=\"C:\\\\Zvt\"\n@=\"default\"\n"
                  "\"feed\"=\"end\f\"\n\"odd\"=word\f\n\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\Quillmark\\Zorvantia]\n\"MidiType\"=dword:00000003\n"));
    auto key = registry.openKey(kGameKey, false);
    ASSERT_TRUE(key->isOpen());
    EXPECT_EQ(key->readInteger(QStringLiteral("MidiType")), 3);
    const QString before = listing(RegistryExport::parse(readBytes(file())));
    key->writeInteger(QStringLiteral("UpdateMode"), 1);
    EXPECT_EQ(
        readBytes(file()),
        crlf(QStringLiteral("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Other]\n\"Blob\"=hex:01,02,03\n"
                            "\"bin\"=hex:01\n\"HDPath\"=\"C:\\\\Zvt\"\n@=\"default\"\n\"feed\"=\"end\f\"\n"
                            "\"odd\"=word\n\n") +
             kHeader.mid(10) +
             QStringLiteral("\"MidiType\"=dword:00000003\n\"UpdateMode\"=dword:00000001\n\n")));
    auto other = registry.openKey(QStringLiteral("Software\\Other"), false);
    EXPECT_EQ(other->readString(QStringLiteral("HDPath")), QStringLiteral("C:\\Zvt"));
    EXPECT_EQ(other->readString(QStringLiteral("feed")), QStringLiteral("end\f"));
    QString after = listing(RegistryExport::parse(readBytes(file())));
    EXPECT_EQ(after.remove(QStringLiteral("UpdateMode|0|1||3|\n")), before);
}

TEST_F(FileRegistryTest, WhatTheReaderAcceptsIsWrittenBackSoThatItReadsTheSame)
{
    // Random registry files made of the pieces hand-edited files hold.
    const QStringList names = {QStringLiteral("\"a\""),    QStringLiteral("\"B b\""),
                               QStringLiteral("@"),        QStringLiteral("\"q\\\"\\\\\""),
                               QStringLiteral("\"\f\t\""), QStringLiteral("\"é€\"")};
    const QStringList values = {
        QStringLiteral("\"text\""),
        QStringLiteral("\"tab\tfeed\f\""),
        QStringLiteral("\"\""),
        QStringLiteral("dword:7fffffff"),
        QStringLiteral("dword:1"),
        QStringLiteral("hex:01,02"),
        QStringLiteral("hex(2):41,00,00,00"),
        QStringLiteral("hex(1):41,00,00,00"),
        QStringLiteral("hex(4):01,00,00,00"),
        QStringLiteral("hex(1):41,00,42"),
        QStringLiteral("hex:"),
        QStringLiteral("word"),
        QStringLiteral("a\"b\f"),
        QStringLiteral("hex:01,\\"),
        QStringLiteral("hex:01,\\ \\"),
        QStringLiteral("hex:zz"),
        QStringLiteral("\"C:\\\\\""),
    };
    const QStringList extras = {QString(),
                                QString(),
                                QStringLiteral("; remark"),
                                QStringLiteral("  02,03"),
                                QStringLiteral("\f"),
                                QStringLiteral("REGEDIT4"),
                                QStringLiteral("\t\\"),
                                QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\B]"),
                                QStringLiteral("[HKEY_LOCAL_MACHINE\\a]b\\ ]")};
    QRandomGenerator random(20261206);
    const auto pick = [&](const QStringList &list) { return list[random.bounded(int(list.size()))]; };
    int accepted = 0;
    for (int round = 0; round < 400; ++round) {
        QString text = QStringLiteral("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\A]\n");
        for (int line = random.bounded(1, 12); line > 0; --line) {
            text += random.bounded(3) == 0 ? pick(extras) : pick(names) + QLatin1Char('=') + pick(values);
            text += random.bounded(4) == 0 ? QStringLiteral(" \f\n") : QStringLiteral("\n");
        }
        const Contents first = RegistryExport::parse(crlf(text));
        if (first.damaged)
            continue;
        ++accepted;
        const std::optional<QByteArray> written = RegistryExport::serialise(first);
        ASSERT_TRUE(written) << text.toStdString();
        const Contents second = RegistryExport::parse(*written);
        ASSERT_EQ(listing(second), listing(first)) << text.toStdString() << "\n--- written as ---\n"
                                                   << written->toStdString();
        EXPECT_EQ(RegistryExport::serialise(second), written);
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
    key->writeInteger(QStringLiteral("FullScreen"), 1);
    EXPECT_EQ(key->readInteger(QStringLiteral("FullScreen")), 1);
    EXPECT_EQ(readBytes(file(QStringLiteral(".damaged"))), damaged);

    const QByteArray second = damaged + QByteArray(100000, ';') + "\r\n[broken";
    writeBytes(file(), second);
    ASSERT_TRUE(registry.openKey(kGameKey, true)->isOpen());
    EXPECT_EQ(readBytes(file(QStringLiteral(".damaged"))), damaged) << "the first copy stays";
    EXPECT_EQ(readBytes(file(QStringLiteral(".damaged-2"))), second);

    // A nearly full disk: the copy does not fit, so the damaged file stays as it is.
    writeBytes(file(), second);
    struct rlimit old
    {
    };
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    auto refused = registry.openKey(kGameKey, true);
    const QString message =
        errorOf([&] { refused->writeString(QStringLiteral("HDPath"), QStringLiteral("C:")); });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(refused->isOpen());
    EXPECT_EQ(message,
              QStringLiteral("Failed to set data for 'HDPath'\nThe damaged registry file %1 could not be "
                             "kept aside, so it was left as it is.")
                  .arg(file()));
    EXPECT_EQ(readBytes(file()), second);
    EXPECT_FALSE(QFile::exists(file(QStringLiteral(".damaged-3"))));
}

TEST_F(FileRegistryTest, AWriteTheFileSystemRefusesIsReportedAndChangesNothing)
{
    FileRegistry nowhere(dir.path() + QStringLiteral("/missing/registry.reg"));
    auto key = nowhere.openKey(kGameKey, true);
    EXPECT_FALSE(key->isOpen());
    EXPECT_EQ(errorOf([&] { key->writeString(QStringLiteral("HDPath"), QStringLiteral("C:")); }),
              QStringLiteral("Failed to set data for 'HDPath'"));

    registry.openKey(kGameKey, true)->writeInteger(QStringLiteral("MidiType"), 2);
    const QByteArray before = readBytes(file());
    giveToOrdinaryUser(dir.path(), 0777);
    giveToOrdinaryUser(file(), 0444);
    QString message;
    const bool ran = asOrdinaryUser([&] {
        message = errorOf([&] {
            FileRegistry(file()).openKey(kGameKey, false)->writeInteger(QStringLiteral("MidiType"), 3);
        });
    });
    if (!ran)
        GTEST_SKIP() << "the tests cannot take the rights of an ordinary user here";
    EXPECT_EQ(message, QStringLiteral("Failed to set data for 'MidiType'"));
    EXPECT_EQ(readBytes(file()), before);
}

} // namespace
