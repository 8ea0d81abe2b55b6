#include "app/TIniFile.h"
#include "platform/Cp1252.h"
#include "platform/DvsError.h"
#include "platform/FileLock.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

namespace {

class TIniFileTest : public ::testing::Test
{
protected:
    QString path(const QString &name = QStringLiteral("settings.ini")) const
    {
        return dir.path() + QLatin1Char('/') + name;
    }
    // The message of the error `action` raises, or "<no error>".
    static QString errorOf(const std::function<void()> &action)
    {
        try {
            action();
        } catch (const DvsError &error) {
            return error.message();
        }
        return QStringLiteral("<no error>");
    }
    QString refused(const QString &file) const { return QStringLiteral("Unable to write to ") + file; }

    QTemporaryDir dir;
};

TEST_F(TIniFileTest, ReadsFindNamesAsTheFileHoldsThemAndCommentsAreNeverKeys)
{
    writeText(path(), QStringLiteral("early=1\n; remark=1\n[DVS]\nVersion =  ver3  \nQuoted=\"  spaced  \"\n"
                                     "Twice=\"\"inner\"\"\nLone=\"\njust words\nkey=a=b\n;c=comment\n"
                                     "  ; d = also a comment\n[notes]\n;x=1\n"));
    const TIniFile ini(path());
    const struct
    {
        const char *section;
        const char *key;
        const char *expected;
    } reads[] = {
        {"dvs", "version", "ver3"},     {"Dvs", "QUOTED", "  spaced  "}, {"dvs", "twice", "\"inner\""},
        {"dvs", "lone", "\""},          {"dvs", "key", "a=b"},           {" dvs ", "  version ", "ver3"},
        {"dvs", "\tversion", "<none>"}, {"dvs", ";c", "<none>"},         {"dvs", "; d", "<none>"},
        {"notes", ";x", "<none>"},      {"dvs", "early", "<none>"},
    };
    for (const auto &read : reads) {
        SCOPED_TRACE(std::string(read.section) + "/" + read.key);
        EXPECT_EQ(ini.ReadString(QString::fromUtf8(read.section), QString::fromUtf8(read.key),
                                 QStringLiteral("<none>")),
                  QString::fromUtf8(read.expected));
    }
    EXPECT_EQ(ini.ReadSection(QStringLiteral("dvs")),
              (QStringList{QStringLiteral("Version"), QStringLiteral("Quoted"), QStringLiteral("Twice"),
                           QStringLiteral("Lone"), QStringLiteral("key")}));
    EXPECT_TRUE(ini.ReadSectionValues(QStringLiteral(" notes ")).isEmpty());
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("notes")));
    EXPECT_TRUE(ini.ValueExists(QStringLiteral(" DVS "), QStringLiteral(" KEY ")));
    EXPECT_EQ(ini.ReadSections(), (QStringList{QStringLiteral("DVS"), QStringLiteral("notes")}));
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

TEST_F(TIniFileTest, IntegersInDecimalAndHexadecimalAndBooleansAsNumbers)
{
    const std::pair<const char *, int> numbers[] = {
        {"0x1F", 31}, {"0X1f", 31},    {"$1F", 31},          {"-42", -42},
        {"+7", 7},    {"12abc", -999}, {"2147483648", -999}, {"-2147483648", -2147483647 - 1},
        {"0x", -999}, {"", -999},      {"$FFFFFFFF", -1},    {"1.5", -999},
        {" 9 ", 9},
    };
    QString text = QStringLiteral("[n]\n");
    for (std::size_t i = 0; i < std::size(numbers); ++i)
        text += QStringLiteral("k%1=%2\n").arg(i).arg(QString::fromLatin1(numbers[i].first));
    text += QStringLiteral("two=2\nminus=-1\nzero=0\nyes=yes\n");
    writeText(path(), text);
    const TIniFile ini(path());
    for (std::size_t i = 0; i < std::size(numbers); ++i) {
        SCOPED_TRACE(numbers[i].first);
        EXPECT_EQ(ini.ReadInteger(QStringLiteral("n"), QStringLiteral("k%1").arg(i), -999),
                  numbers[i].second);
    }
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("n"), QStringLiteral("two"), false));
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("n"), QStringLiteral("minus"), false));
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("n"), QStringLiteral("zero"), true));
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("n"), QStringLiteral("yes"), true));
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("n"), QStringLiteral("yes"), false));
}

TEST_F(TIniFileTest, ValuesAreCutAt2047CharactersAndListingsAt16384BytesOfNames)
{
    // 2000 names of 9 bytes each take 20000 bytes with their terminators.
    QString text = QStringLiteral("[s]\nlong=") + QString(5000, QLatin1Char('x')) +
                   QStringLiteral("\nnum=1") + QString(3000, QLatin1Char('0')) + QStringLiteral("\n");
    QString keys = QStringLiteral("[keys]\n");
    for (int i = 0; i < 2000; ++i) {
        text += QStringLiteral("[sect%1]\nk=1\n").arg(i, 4, 10, QLatin1Char('0'));
        keys += QStringLiteral("keyn%1=v\n").arg(i, 4, 10, QLatin1Char('0'));
    }
    writeText(path(), text + keys);
    const TIniFile ini(path());
    EXPECT_EQ(ini.ReadString(QStringLiteral("s"), QStringLiteral("long"), QString()).size(), 2047);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("s"), QStringLiteral("num"), 5), 5);
    EXPECT_EQ(ini.ReadSectionValues(QStringLiteral("s")).constFirst().size(), 5 + 2047);
    const QStringList sections = ini.ReadSections();
    EXPECT_EQ(sections.size(), 1 + (16384 - 2) / 9) << "\"s\" takes two bytes";
    EXPECT_EQ(sections[1], QStringLiteral("sect0000"));
    EXPECT_EQ(ini.ReadAllSections().size(), 2002);
    EXPECT_EQ(ini.ReadSection(QStringLiteral("keys")).size(), 16384 / 9);
    EXPECT_EQ(ini.ReadSectionValues(QStringLiteral("keys")).size(), 16384 / 9)
        << "the limit counts key names only";
    EXPECT_EQ(ini.ReadString(QStringLiteral("keys"), QStringLiteral("keyn1999"), QString()),
              QStringLiteral("v"));
}

TEST_F(TIniFileTest, WritesKeepKeysInPlaceAppendNewOnesAndTakeGivenNamesWithoutSpaces)
{
    writeText(path(), QStringLiteral("[dvs]\nfirst=1\nVersion=ver1\nlast=3\n\n[zvt]\ndir=C:\\Games\n"));
    TIniFile ini(path());
    ini.WriteString(QStringLiteral("DVS"), QStringLiteral("version"), QStringLiteral("ver4"));
    for (int twice = 0; twice < 2; ++twice)
        ini.WriteString(QStringLiteral(" dvs "), QStringLiteral(" added  "), QStringLiteral("x"));
    ini.WriteString(QStringLiteral(" new "), QStringLiteral(" key "), QStringLiteral("v"));
    ini.WriteString(QStringLiteral("new"), QStringLiteral("key"), QStringLiteral("w"));
    EXPECT_EQ(readBytes(path()),
              crlf(QStringLiteral("[dvs]\nfirst=1\nVersion=ver4\nlast=3\nadded=x\n\n[zvt]\n"
                                  "dir=C:\\Games\n[new]\nkey=w\n")));
    EXPECT_EQ(ini.ReadString(QStringLiteral(" new "), QStringLiteral(" key "), QString()),
              QStringLiteral("w"));
    ini.DeleteKey(QStringLiteral(" dvs "), QStringLiteral(" first "));
    ini.EraseSection(QStringLiteral(" zvt "));
    EXPECT_EQ(readBytes(path()),
              crlf(QStringLiteral("[dvs]\nVersion=ver4\nlast=3\nadded=x\n\n[new]\nkey=w\n")));
}

TEST_F(TIniFileTest, FirstWriteCreatesTheFileButNotItsFolder)
{
    TIniFile ini(path());
    ini.WriteInteger(QStringLiteral("dvs"), QStringLiteral("counter"), 12);
    ini.WriteBool(QStringLiteral("dvs"), QStringLiteral("mouse"), true);
    EXPECT_EQ(readBytes(path()), crlf(QStringLiteral("[dvs]\ncounter=12\nmouse=1\n")));

    const QString inMissingFolder = dir.path() + QStringLiteral("/Data/patch.ini");
    EXPECT_EQ(errorOf([&] {
                  TIniFile(inMissingFolder)
                      .WriteString(QStringLiteral("data"), QStringLiteral("userchnage"), QStringLiteral("1"));
              }),
              refused(inMissingFolder));
    EXPECT_FALSE(QDir(dir.path() + QStringLiteral("/Data")).exists());
}

TEST_F(TIniFileTest, AWriteOrAnotherProgramsChangeIsSeenAtOnceThroughEveryObject)
{
    TIniFile writer(path());
    const TIniFile reader(path());
    for (int i = 0; i < 20; ++i) {
        writer.WriteInteger(QStringLiteral("dvs"), QStringLiteral("run"), i % 10);
        ASSERT_EQ(reader.ReadInteger(QStringLiteral("dvs"), QStringLiteral("run"), -1), i % 10);
    }
    for (int i = 2; i <= 9; ++i) {
        // Rewritten in place: same file, same size, only the content differs.
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(QStringLiteral("[dvs]\r\nrun=").size());
        file.write(QByteArray::number(i));
        file.close();
        ASSERT_EQ(reader.ReadInteger(QStringLiteral("dvs"), QStringLiteral("run"), -1), i);
    }
    ASSERT_TRUE(QFile::remove(path()));
    EXPECT_EQ(reader.ReadInteger(QStringLiteral("dvs"), QStringLiteral("run"), -1), -1);
    writer.WriteString(QStringLiteral("dvs"), QStringLiteral("menu"), QStringLiteral("2"));
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

TEST_F(TIniFileTest, EraseSectionRemovesEveryOccurrenceAndReadsTakeTheFirstOne)
{
    writeText(path(),
              QStringLiteral("[a]\nk=1\n[gone]\nx=1\nloose text\n\n[s]\nk=first\nK=second\n[GONE]\ny=2\n"
                             "[S]\nk=third\nother=1\n"));
    TIniFile ini(path());
    EXPECT_EQ(ini.ReadString(QStringLiteral("s"), QStringLiteral("k"), QString()), QStringLiteral("first"));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("s"), QStringLiteral("other")));
    EXPECT_EQ(ini.ReadSectionValues(QStringLiteral("s")),
              (QStringList{QStringLiteral("k=first"), QStringLiteral("K=first")}));
    ini.EraseSection(QStringLiteral("Gone"));
    ini.WriteString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("new"));
    EXPECT_EQ(readBytes(path()),
              crlf(QStringLiteral("[a]\nk=1\n[s]\nk=new\nK=second\n[S]\nk=third\nother=1\n")));
}

TEST_F(TIniFileTest, WesternTextKeepsItsBytesAndPathsInAnyScriptSurvive)
{
    writeBytes(path(), QByteArray("[sw]\r\ncaption=Caf\xE9 \x80 \x81\r\nold=C:\\Spiele\\J\xFCrgen\r\n"));
    TIniFile ini(path());
    const QString caption = ini.ReadString(QStringLiteral("sw"), QStringLiteral("caption"), QString());
    EXPECT_EQ(caption, QStringLiteral("Café € \u0081"));
    EXPECT_EQ(ini.ReadPath(QStringLiteral("sw"), QStringLiteral("old"), QString()),
              QStringLiteral("C:\\Spiele\\Jürgen"))
        << "a path written as Windows-1252 text before still reads";
    ini.WriteString(QStringLiteral("sw"), QStringLiteral("hint"), caption);
    const QString folder = QStringLiteral("/home/user/Игры/Zorvantia é");
    ini.WritePath(QStringLiteral("zvt"), QStringLiteral("dir"), folder);
    EXPECT_EQ(readBytes(path()),
              QByteArray("[sw]\r\ncaption=Caf\xE9 \x80 \x81\r\nold=C:\\Spiele\\J\xFCrgen\r\n"
                         "hint=Caf\xE9 \x80 \x81\r\n[zvt]\r\ndir=") +
                  folder.toUtf8() + QByteArray("\r\n"));
    EXPECT_EQ(TIniFile(path()).ReadPath(QStringLiteral("zvt"), QStringLiteral("dir"), QString()), folder);
}

TEST_F(TIniFileTest, TextTheFileCannotHoldAsGivenIsRefusedAndNothingChanges)
{
    writeText(path(), QStringLiteral("[dvs]\nversion=ver2\n"));
    const QByteArray before = readBytes(path());
    const QString key = QStringLiteral("\"%1\" cannot be the name of a key.");
    const struct
    {
        QString section;
        QString key;
        QString value;
        QString reason;
    } writes[] = {
        {QStringLiteral("dvs"), QStringLiteral("motto"), QStringLiteral("MottoΩ中"), QString()},
        {QStringLiteral("dvs"), QStringLiteral("Ω"), QStringLiteral("1"), QString()},
        {QStringLiteral("dvs"), QStringLiteral("lastdir"), QStringLiteral("C:\\a\r\n[zvt]\r\ndir=evil"),
         QStringLiteral("The value of lastdir holds a line break.")},
        {QStringLiteral("dvs"), QStringLiteral(";a"), QStringLiteral("1"), key.arg(QStringLiteral(";a"))},
        {QStringLiteral("dvs"), QStringLiteral("a=b"), QStringLiteral("1"), key.arg(QStringLiteral("a=b"))},
        {QStringLiteral("dvs"), QStringLiteral("  "), QStringLiteral("1"), key.arg(QStringLiteral("  "))},
        {QStringLiteral("dvs"), QStringLiteral("[k"), QStringLiteral("1"), key.arg(QStringLiteral("[k"))},
        {QStringLiteral("dvs"), QStringLiteral("\tk"), QStringLiteral("1"), key.arg(QStringLiteral("\tk"))},
        {QStringLiteral("a]b"), QStringLiteral("k"), QStringLiteral("1"),
         QStringLiteral("\"a]b\" cannot be the name of a section.")},
    };
    TIniFile ini(path());
    for (const auto &write : writes) {
        SCOPED_TRACE(write.key.toStdString() + " = " + write.value.toStdString());
        const QString unstorable = Cp1252::canEncode(write.key) ? write.value : write.key;
        const QString expected = write.reason.isEmpty() ? Cp1252::refusal(path(), unstorable)
                                                        : refused(path()) + QLatin1Char('\n') + write.reason;
        EXPECT_EQ(errorOf([&] { ini.WriteString(write.section, write.key, write.value); }), expected);
        EXPECT_EQ(readBytes(path()), before);
        EXPECT_EQ(ini.ReadSection(QStringLiteral("dvs")), QStringList{QStringLiteral("version")});
    }
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
               QByteArray("\xEF\xBB\xBF[dvs]\r\nversion=") + QByteArray(1 << 20, 'v') +
                   QByteArray("\r\nrun=3\r\n") + QByteArray(1 << 20, '[') + QByteArray("\r\n"));
    const TIniFile longLine(path(QStringLiteral("longline.ini")));
    EXPECT_EQ(longLine.ReadString(QStringLiteral("dvs"), QStringLiteral("version"), QString()).size(), 2047)
        << "a byte-order mark does not hide the first section";
    EXPECT_EQ(longLine.ReadInteger(QStringLiteral("dvs"), QStringLiteral("run"), 0), 3);

    writeBytes(path(QStringLiteral("cr.ini")), QByteArray("[dvs]\rrun=4\rmenu=1"));
    EXPECT_EQ(TIniFile(path(QStringLiteral("cr.ini")))
                  .ReadInteger(QStringLiteral("dvs"), QStringLiteral("menu"), 0),
              1);
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
    const QString message = errorOf([&] {
        TIniFile(path()).WriteString(QStringLiteral("dvs"), QStringLiteral("lastdir"),
                                     QString(10000, QLatin1Char('d')));
    });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(message, refused(path()));
    EXPECT_EQ(readBytes(path()), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("settings.ini")})
        << "no temporary or lock file is left behind";
}

TEST_F(TIniFileTest, AFileThatCannotBeReadIsNeverOverwritten)
{
    writeText(path(), QStringLiteral("[dvs]\nversion=ver3\ncounter=40\n"));
    const QByteArray before = readBytes(path());
    giveToOrdinaryUser(dir.path(), 0777);
    // Writable but not readable: only the check that it can be read keeps it.
    giveToOrdinaryUser(path(), 0200);
    QString read;
    QString message;
    const bool ran = asOrdinaryUser([&] {
        TIniFile ini(path());
        read = ini.ReadString(QStringLiteral("dvs"), QStringLiteral("version"), QStringLiteral("default"));
        message = errorOf(
            [&] { ini.WriteString(QStringLiteral("dvs"), QStringLiteral("menu"), QStringLiteral("2")); });
    });
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    if (!ran)
        GTEST_SKIP() << "the tests cannot take the rights of an ordinary user here";
    EXPECT_EQ(read, QStringLiteral("default")) << "reads never fail";
    EXPECT_EQ(message, refused(path()));
    EXPECT_EQ(readBytes(path()), before);
}

TEST_F(TIniFileTest, AWriteIsRefusedWhereAPlainWriteWouldBeAndKeepsOwnerGroupAndMode)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "files of other users need the tests to run as root";
    giveToOrdinaryUser(dir.path(), 0777);
    const struct
    {
        const char *name;
        bool ownedByTheUser; // else by root
        int mode;
        bool asUser; // else as root
        bool written;
    } cases[] = {
        {"read-only", true, 0444, true, false},
        {"another user's", false, 0644, true, false},
        {"another user's, open to all", false, 0666, true, false}, // its owner could not be kept
        {"own", true, 0640, true, true},
        {"another user's, written by root", true, 0604, false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writeText(path(), QStringLiteral("[dvs]\ncounter=1\n"));
        if (c.ownedByTheUser)
            giveToOrdinaryUser(path(), c.mode);
        else
            ::chmod(QFile::encodeName(path()).constData(), mode_t(c.mode));
        const QByteArray before = readBytes(path());
        struct stat was
        {
        };
        ::stat(QFile::encodeName(path()).constData(), &was);
        QString message;
        const auto write = [&] {
            message = errorOf(
                [&] { TIniFile(path()).WriteInteger(QStringLiteral("dvs"), QStringLiteral("counter"), 2); });
        };
        ASSERT_TRUE(c.asUser ? asOrdinaryUser(write) : (write(), true));
        struct stat now
        {
        };
        ::stat(QFile::encodeName(path()).constData(), &now);
        EXPECT_EQ(message, c.written ? QStringLiteral("<no error>") : refused(path()));
        EXPECT_EQ(readBytes(path()), c.written ? crlf(QStringLiteral("[dvs]\ncounter=2\n")) : before);
        EXPECT_EQ(now.st_uid, was.st_uid);
        EXPECT_EQ(now.st_gid, was.st_gid);
        EXPECT_EQ(now.st_mode, was.st_mode);
        QFile::remove(path());
    }
}

TEST_F(TIniFileTest, TwoProgramsWritingAtOnceKeepEachOthersKeys)
{
    constexpr int kKeys = 150;
    const auto writer = [&](char who) {
        TIniFile ini(path());
        for (int i = 0; i < kKeys; ++i)
            ini.WriteInteger(QStringLiteral("dvs"), QStringLiteral("%1%2").arg(QLatin1Char(who)).arg(i), i);
    };
    pid_t children[2] = {};
    for (int c = 0; c < 2; ++c) {
        children[c] = fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            // A child leaves without running the test framework's exit steps.
            try {
                writer(c == 0 ? 'a' : 'b');
            } catch (const DvsError &) {
                _exit(2);
            }
            _exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer reported a failure";
    }
    EXPECT_EQ(TIniFile(path()).ReadSection(QStringLiteral("dvs")).size(), 2 * kKeys);
    EXPECT_FALSE(QFileInfo::exists(FileLock::lockFileOf(path())));
}

TEST_F(TIniFileTest, TheBusyLockOfAnotherWriterIsWaitedForAWhileOnly)
{
    std::optional<FileLock> first(std::in_place, path());
    ASSERT_TRUE(first->isHeld());
    EXPECT_EQ(FileLock(path(), 50).state(), FileLock::State::Busy);
    first.reset();
    EXPECT_EQ(FileLock(path(), 50).state(), FileLock::State::Held);
    EXPECT_EQ(FileLock(dir.path() + QStringLiteral("/missing/settings.ini"), 50).state(),
              FileLock::State::Failed);
}

TEST_F(TIniFileTest, AWriteThroughAChainOfLinksChangesTheFileAtItsEnd)
{
    writeText(path(QStringLiteral("real.ini")), QStringLiteral("[dvs]\nrun=1\n"));
    ASSERT_TRUE(QFile::link(QStringLiteral("real.ini"), path(QStringLiteral("link2"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("link2"), path()));
    TIniFile(path()).WriteInteger(QStringLiteral("dvs"), QStringLiteral("run"), 2);
    EXPECT_EQ(readBytes(path(QStringLiteral("real.ini"))), crlf(QStringLiteral("[dvs]\nrun=2\n")));
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("link2"))).isSymLink());

    ASSERT_TRUE(QFile::link(QStringLiteral("loop.ini"), path(QStringLiteral("loop.ini"))));
    EXPECT_EQ(errorOf([&] {
                  TIniFile(path(QStringLiteral("loop.ini")))
                      .WriteInteger(QStringLiteral("dvs"), QStringLiteral("run"), 2);
              }),
              refused(path(QStringLiteral("loop.ini"))));
}

TEST_F(TIniFileTest, TemporaryFilesAnInterruptedWriteLeftAreRemovedByTheNextWrite)
{
    const auto make = [&](const char *name, bool old) {
        writeBytes(path(QString::fromLatin1(name)), QByteArray("partial"));
        if (old) {
            struct utimbuf times = {std::time(nullptr) - 3600, std::time(nullptr) - 3600};
            ::utime(QFile::encodeName(path(QString::fromLatin1(name))).constData(), &times);
        }
    };
    make("settings.ini.0badc0de.tmp", true);
    make("settings.ini.1234abcd.tmp", false); // may belong to a writer just starting
    make("settings.ini.feedf00d.tmp", true);  // being written: its writer holds it
    make("settings.ini.backup.tmp", true);    // not one of ours
    make("other.ini.0badc0de.tmp", true);     // of another file
    const int held =
        ::open(QFile::encodeName(path(QStringLiteral("settings.ini.feedf00d.tmp"))).constData(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    TIniFile(path()).WriteInteger(QStringLiteral("dvs"), QStringLiteral("run"), 1);
    ::close(held);
    QStringList left = QDir(dir.path()).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{QStringLiteral("other.ini.0badc0de.tmp"), QStringLiteral("settings.ini"),
                                 QStringLiteral("settings.ini.1234abcd.tmp"),
                                 QStringLiteral("settings.ini.backup.tmp"),
                                 QStringLiteral("settings.ini.feedf00d.tmp")}));
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
