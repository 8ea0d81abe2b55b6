#include "app/TIniFile.h"
#include "platform/DvsError.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

namespace {

class TIniFileTest : public ::testing::Test
{
protected:
    QString path(const QString &name = QStringLiteral("settings.ini")) const
    {
        return dir.path() + QLatin1Char('/') + name;
    }

    QTemporaryDir dir;
};

TEST_F(TIniFileTest, NamesAreFoundRegardlessOfCaseAndValuesAreTrimmedAndUnquoted)
{
    writeText(path(), QStringLiteral(
                          "[DVS]\nVersion =  ver3  \nQuoted=\"  spaced  \"\nTwice=\"\"inner\"\"\nLone=\"\n"));
    const TIniFile ini(path());
    EXPECT_EQ(ini.ReadString(QStringLiteral("dvs"), QStringLiteral("version"), QStringLiteral("0")),
              QStringLiteral("ver3"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Dvs"), QStringLiteral("QUOTED"), QString()),
              QStringLiteral("  spaced  "));
    EXPECT_EQ(ini.ReadString(QStringLiteral("dvs"), QStringLiteral("twice"), QString()),
              QStringLiteral("\"inner\""));
    EXPECT_EQ(ini.ReadString(QStringLiteral("dvs"), QStringLiteral("lone"), QString()), QStringLiteral("\""));
}

TEST_F(TIniFileTest, LinesWithoutEqualsAndLinesBeforeTheFirstSectionAreIgnored)
{
    writeText(path(), QStringLiteral("early=1\n; remark\n[dvs]\njust words\nkey=a=b\n"));
    const TIniFile ini(path());
    EXPECT_EQ(ini.ReadSection(QStringLiteral("dvs")), QStringList{QStringLiteral("key")});
    EXPECT_EQ(ini.ReadString(QStringLiteral("dvs"), QStringLiteral("key"), QString()), QStringLiteral("a=b"));
    EXPECT_EQ(ini.ReadSections(), QStringList{QStringLiteral("dvs")});
}

TEST_F(TIniFileTest, AbsentFileSectionOrKeyGivesTheDefault)
{
    const TIniFile ini(path(QStringLiteral("missing.ini")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("dvs"), QStringLiteral("lastdir"), QStringLiteral("0")),
              QStringLiteral("0"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("dvs"), QStringLiteral("run"), 7), 7);
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("dvs"), QStringLiteral("position"), true));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("dvs")));
    EXPECT_TRUE(ini.ReadSections().isEmpty());
}

TEST_F(TIniFileTest, IntegersInDecimalAndHexadecimal)
{
    writeText(path(),
              QStringLiteral("[n]\na=0x1F\nb=0X1f\nc=$1F\nd=-42\ne=+7\nf=12abc\ng=2147483648\nh=-2147483648\n"
                             "i=0x\nj=\nk=$FFFFFFFF\nl=1.5\nm= 9 \n"));
    const TIniFile ini(path());
    auto read = [&](const char *key) {
        return ini.ReadInteger(QStringLiteral("n"), QString::fromLatin1(key), -999);
    };
    EXPECT_EQ(read("a"), 31);
    EXPECT_EQ(read("b"), 31);
    EXPECT_EQ(read("c"), 31);
    EXPECT_EQ(read("d"), -42);
    EXPECT_EQ(read("e"), 7);
    EXPECT_EQ(read("f"), -999);
    EXPECT_EQ(read("g"), -999) << "beyond 32 bits is not a number";
    EXPECT_EQ(read("h"), -2147483647 - 1);
    EXPECT_EQ(read("i"), -999);
    EXPECT_EQ(read("j"), -999);
    EXPECT_EQ(read("k"), -1);
    EXPECT_EQ(read("l"), -999);
    EXPECT_EQ(read("m"), 9);
}

TEST_F(TIniFileTest, ReadBoolIsReadIntegerNotZero)
{
    writeText(path(), QStringLiteral("[b]\ntwo=2\nminus=-1\nzero=0\nyes=yes\n"));
    const TIniFile ini(path());
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("b"), QStringLiteral("two"), false));
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("b"), QStringLiteral("minus"), false));
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("b"), QStringLiteral("zero"), true));
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("b"), QStringLiteral("yes"), true));
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("b"), QStringLiteral("yes"), false));
}

TEST_F(TIniFileTest, ValuesAreCutAt2047Characters)
{
    const QString longValue(5000, QLatin1Char('x'));
    writeText(path(), QStringLiteral("[s]\nlong=") + longValue + QStringLiteral("\nnum=1") +
                          QString(3000, QLatin1Char('0')) + QStringLiteral("\n"));
    const TIniFile ini(path());
    EXPECT_EQ(ini.ReadString(QStringLiteral("s"), QStringLiteral("long"), QString()).size(), 2047);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("s"), QStringLiteral("num"), 5), 5);
    EXPECT_EQ(ini.ReadSectionValues(QStringLiteral("s")).constFirst().size(), 5 + 2047);
}

TEST_F(TIniFileTest, ListingsSeeAtMost16384BytesOfNames)
{
    // 2000 names of 9 bytes each take 20000 bytes with their terminators.
    QString text;
    QString keys = QStringLiteral("[keys]\n");
    for (int i = 0; i < 2000; ++i) {
        text += QStringLiteral("[sect%1]\nk=1\n").arg(i, 4, 10, QLatin1Char('0'));
        keys += QStringLiteral("keyn%1=v\n").arg(i, 4, 10, QLatin1Char('0'));
    }
    writeText(path(), text + keys);
    const TIniFile ini(path());
    const QStringList sections = ini.ReadSections();
    EXPECT_EQ(sections.size(), 16384 / 9);
    EXPECT_EQ(sections.constFirst(), QStringLiteral("sect0000"));
    EXPECT_EQ(ini.ReadAllSections().size(), 2001);
    EXPECT_EQ(ini.ReadSection(QStringLiteral("keys")).size(), 16384 / 9);
    EXPECT_EQ(ini.ReadSectionValues(QStringLiteral("keys")).size(), 16384 / 9)
        << "the limit counts key names only";
    // Reads of single keys are not limited.
    EXPECT_EQ(ini.ReadString(QStringLiteral("keys"), QStringLiteral("keyn1999"), QString()),
              QStringLiteral("v"));
}

TEST_F(TIniFileTest, WriteKeepsAnExistingKeyInPlaceAndAppendsANewKeyToItsSection)
{
    writeText(path(), QStringLiteral("[dvs]\nfirst=1\nVersion=ver1\nlast=3\n\n[zvt]\ndir=C:\\Games\n"));
    TIniFile ini(path());
    ini.WriteString(QStringLiteral("DVS"), QStringLiteral("version"), QStringLiteral("ver4"));
    ini.WriteString(QStringLiteral("dvs"), QStringLiteral("added"), QStringLiteral("x"));
    ini.WriteString(QStringLiteral("new"), QStringLiteral("key"), QStringLiteral("v"));
    EXPECT_EQ(readBytes(path()),
              crlf(QStringLiteral("[dvs]\nfirst=1\nVersion=ver4\nlast=3\nadded=x\n\n[zvt]\ndir=C:\\Games\n"
                                  "[new]\nkey=v\n")));
}

TEST_F(TIniFileTest, FirstWriteCreatesTheFileButNotItsFolder)
{
    TIniFile ini(path());
    ini.WriteInteger(QStringLiteral("dvs"), QStringLiteral("counter"), 12);
    ini.WriteBool(QStringLiteral("dvs"), QStringLiteral("mouse"), true);
    EXPECT_EQ(readBytes(path()), crlf(QStringLiteral("[dvs]\ncounter=12\nmouse=1\n")));

    const QString inMissingFolder = dir.path() + QStringLiteral("/Data/patch.ini");
    TIniFile patch(inMissingFolder);
    try {
        patch.WriteString(QStringLiteral("data"), QStringLiteral("userchnage"), QStringLiteral("1"));
        FAIL() << "a refused write must raise an error";
    } catch (const DvsError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("Unable to write to ") + inMissingFolder);
    }
    EXPECT_FALSE(QDir(dir.path() + QStringLiteral("/Data")).exists());
}

TEST_F(TIniFileTest, AWriteIsSeenAtOnceThroughEveryOtherObject)
{
    TIniFile writer(path());
    const TIniFile reader(path());
    for (int i = 0; i < 20; ++i) {
        writer.WriteInteger(QStringLiteral("dvs"), QStringLiteral("counter"), i);
        ASSERT_EQ(reader.ReadInteger(QStringLiteral("dvs"), QStringLiteral("counter"), -1), i);
    }
}

TEST_F(TIniFileTest, AChangeByAnotherProgramIsSeenAtOnceEvenWithTheSameSize)
{
    writeText(path(), QStringLiteral("[dvs]\nrun=1\n"));
    const TIniFile ini(path());
    ASSERT_EQ(ini.ReadInteger(QStringLiteral("dvs"), QStringLiteral("run"), -1), 1);
    for (int i = 2; i <= 9; ++i) {
        // Rewritten in place: same file, same size, only the content differs.
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(QStringLiteral("[dvs]\r\nrun=").size());
        file.write(QByteArray::number(i));
        file.close();
        ASSERT_EQ(ini.ReadInteger(QStringLiteral("dvs"), QStringLiteral("run"), -1), i);
    }
}

TEST_F(TIniFileTest, DeletingTheFileWhileRunningGivesDefaultsAndTheNextWriteCreatesItAgain)
{
    TIniFile ini(path());
    ini.WriteString(QStringLiteral("dvs"), QStringLiteral("version"), QStringLiteral("ver2"));
    ASSERT_TRUE(QFile::remove(path()));
    EXPECT_EQ(ini.ReadString(QStringLiteral("dvs"), QStringLiteral("version"), QStringLiteral("1")),
              QStringLiteral("1"));
    ini.WriteString(QStringLiteral("dvs"), QStringLiteral("menu"), QStringLiteral("2"));
    EXPECT_EQ(readBytes(path()), crlf(QStringLiteral("[dvs]\nmenu=2\n")));
}

TEST_F(TIniFileTest, SectionExistsNeedsAKeyAndValueExistsAcceptsAnEmptyValue)
{
    TIniFile ini(path());
    ini.WriteString(QStringLiteral("dvs"), QStringLiteral("startup"), QString());
    EXPECT_TRUE(ini.ValueExists(QStringLiteral("DVS"), QStringLiteral("STARTUP")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("dvs"), QStringLiteral("startup"), QStringLiteral("0")),
              QString());
    EXPECT_TRUE(ini.SectionExists(QStringLiteral("dvs")));
    ini.DeleteKey(QStringLiteral("dvs"), QStringLiteral("startup"));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("dvs"), QStringLiteral("startup")));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("dvs")));
    EXPECT_EQ(ini.ReadSections(), QStringList{QStringLiteral("dvs")}) << "the empty header stays in the file";
}

TEST_F(TIniFileTest, EraseSectionRemovesEveryOccurrenceWithAllItsLines)
{
    writeText(path(), QStringLiteral("[a]\nk=1\n[gone]\nx=1\nloose text\n\n[b]\nk=2\n[GONE]\ny=2\n"));
    TIniFile ini(path());
    ini.EraseSection(QStringLiteral("Gone"));
    EXPECT_EQ(readBytes(path()), crlf(QStringLiteral("[a]\nk=1\n[b]\nk=2\n")));
}

TEST_F(TIniFileTest, TheFirstOccurrenceOfARepeatedSectionOrKeyIsTheOneRead)
{
    writeText(path(), QStringLiteral("[s]\nk=first\nK=second\n[S]\nk=third\nother=1\n"));
    TIniFile ini(path());
    EXPECT_EQ(ini.ReadString(QStringLiteral("s"), QStringLiteral("k"), QString()), QStringLiteral("first"));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("s"), QStringLiteral("other")));
    EXPECT_EQ(ini.ReadSections(), (QStringList{QStringLiteral("s"), QStringLiteral("S")}));
    EXPECT_EQ(ini.ReadSectionValues(QStringLiteral("s")),
              (QStringList{QStringLiteral("k=first"), QStringLiteral("K=first")}));
    ini.WriteString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("new"));
    EXPECT_EQ(readBytes(path()), crlf(QStringLiteral("[s]\nk=new\nK=second\n[S]\nk=third\nother=1\n")));
}

TEST_F(TIniFileTest, WesternTextKeepsItsBytes)
{
    writeBytes(path(), QByteArray("[sw]\r\ncaption=Caf\xE9 \x80 \x81\r\n"));
    TIniFile ini(path());
    const QString caption = ini.ReadString(QStringLiteral("sw"), QStringLiteral("caption"), QString());
    EXPECT_EQ(caption, QStringLiteral("Café € \u0081"));
    ini.WriteString(QStringLiteral("sw"), QStringLiteral("hint"), caption);
    EXPECT_EQ(readBytes(path()),
              QByteArray("[sw]\r\ncaption=Caf\xE9 \x80 \x81\r\nhint=Caf\xE9 \x80 \x81\r\n"));
}

TEST_F(TIniFileTest, ALineBreakInAValueCannotAddLinesToTheFile)
{
    TIniFile ini(path());
    ini.WriteString(QStringLiteral("dvs"), QStringLiteral("lastdir"),
                    QStringLiteral("C:\\a\r\n[zvt]\r\ndir=evil"));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("zvt")));
    EXPECT_EQ(ini.ReadSection(QStringLiteral("dvs")), QStringList{QStringLiteral("lastdir")});
}

TEST_F(TIniFileTest, DamagedFilesReadWithoutCrashing)
{
    QByteArray garbage;
    for (int i = 0; i < 200000; ++i)
        garbage.append(char((i * 7919) % 256));
    writeBytes(path(QStringLiteral("garbage.ini")), garbage);
    const TIniFile damaged(path(QStringLiteral("garbage.ini")));
    EXPECT_EQ(damaged.ReadString(QStringLiteral("dvs"), QStringLiteral("version"), QStringLiteral("d")),
              QStringLiteral("d"));
    (void)damaged.ReadAllSections();

    writeBytes(path(QStringLiteral("longline.ini")),
               QByteArray("[dvs]\r\nversion=") + QByteArray(1 << 20, 'v') + QByteArray("\r\nrun=3\r\n") +
                   QByteArray(1 << 20, '[') + QByteArray("\r\n"));
    const TIniFile longLine(path(QStringLiteral("longline.ini")));
    EXPECT_EQ(longLine.ReadString(QStringLiteral("dvs"), QStringLiteral("version"), QString()).size(), 2047);
    EXPECT_EQ(longLine.ReadInteger(QStringLiteral("dvs"), QStringLiteral("run"), 0), 3);

    writeBytes(path(QStringLiteral("cr.ini")), QByteArray("[dvs]\rrun=4\rmenu=1"));
    const TIniFile crOnly(path(QStringLiteral("cr.ini")));
    EXPECT_EQ(crOnly.ReadInteger(QStringLiteral("dvs"), QStringLiteral("menu"), 0), 1);

    writeBytes(path(QStringLiteral("empty.ini")), QByteArray());
    EXPECT_TRUE(TIniFile(path(QStringLiteral("empty.ini"))).ReadSections().isEmpty());
}

TEST_F(TIniFileTest, AWriteThatRunsOutOfSpaceLeavesTheOldFileWhole)
{
    writeText(path(), QStringLiteral("[dvs]\nversion=ver2\ncounter=5\n"));
    const QByteArray before = readBytes(path());

    // The file size limit makes the write fail part-way, as a full disk would.
    struct rlimit old
    {
    };
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString message;
    try {
        TIniFile(path()).WriteString(QStringLiteral("dvs"), QStringLiteral("lastdir"),
                                     QString(10000, QLatin1Char('d')));
    } catch (const DvsError &error) {
        message = error.message();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(message, QStringLiteral("Unable to write to ") + path());
    EXPECT_EQ(readBytes(path()), before);
    EXPECT_EQ(TIniFile(path()).ReadInteger(QStringLiteral("dvs"), QStringLiteral("counter"), 0), 5);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("settings.ini")})
        << "no temporary file is left behind";
}

} // namespace

namespace {

// Runs `action` with the rights of an ordinary user when the tests run as root,
// for whom every file would be readable.
// False when the rights cannot be dropped here.
bool asOrdinaryUser(const std::function<void()> &action)
{
    if (geteuid() != 0) {
        action();
        return true;
    }
    if (seteuid(65534) != 0)
        return false;
    action();
    return seteuid(0) == 0;
}

TEST_F(TIniFileTest, AFileThatCannotBeReadIsNeverOverwritten)
{
    writeText(path(), QStringLiteral("[dvs]\nversion=ver3\ncounter=40\n[zvt]\ndir=C:\\Games\n"));
    const QByteArray before = readBytes(path());
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
    QFile::setPermissions(path(), QFile::WriteOwner);
    QString message;
    QString read;
    const bool ran = asOrdinaryUser([&] {
        TIniFile ini(path());
        read = ini.ReadString(QStringLiteral("dvs"), QStringLiteral("version"), QStringLiteral("default"));
        try {
            ini.WriteString(QStringLiteral("dvs"), QStringLiteral("menu"), QStringLiteral("2"));
        } catch (const DvsError &error) {
            message = error.message();
        }
    });
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    if (!ran)
        GTEST_SKIP() << "no way to read a file as an ordinary user here";
    EXPECT_EQ(read, QStringLiteral("default")) << "reads never fail";
    EXPECT_EQ(message, QStringLiteral("Unable to write to ") + path());
    EXPECT_EQ(readBytes(path()), before);
}

TEST_F(TIniFileTest, AByteOrderMarkDoesNotHideTheFirstSection)
{
    writeBytes(path(), QByteArray("\xEF\xBB\xBF[dvs]\r\nversion=ver2\r\n"));
    EXPECT_EQ(TIniFile(path()).ReadString(QStringLiteral("dvs"), QStringLiteral("version"), QString()),
              QStringLiteral("ver2"));
}

TEST_F(TIniFileTest, ASnapshotIsOneConsistentViewOfTheFile)
{
    TIniFile ini(path());
    ini.WriteString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("1"));
    const IniSnapshot before = ini.snapshot();
    ini.WriteString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("2"));
    EXPECT_EQ(before.ReadString(QStringLiteral("a"), QStringLiteral("k"), QString()), QStringLiteral("1"));
    EXPECT_EQ(ini.snapshot().ReadString(QStringLiteral("a"), QStringLiteral("k"), QString()),
              QStringLiteral("2"));
}

} // namespace
