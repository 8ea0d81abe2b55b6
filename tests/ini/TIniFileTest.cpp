#include "ini/TIniFile.h"
#include "platform/Cp1252.h"
#include "platform/DvsError.h"
#include "platform/FileLock.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class TIniFileTest : public ::testing::Test
{
protected:
    QString path(const QString &name = u"settings.ini"_s) const { return dir.path() + u'/' + name; }
    QString refused(const QString &file) const { return u"Unable to write to "_s + file; }
    static QString read(const TIniFile &ini, const QString &section, const QString &key)
    {
        return ini.ReadString(section, key, u"<none>"_s);
    }

    QTemporaryDir dir;
};

TEST_F(TIniFileTest, ReadsFindNamesAsTheFileHoldsThemCommentsAreNeverKeysAndNumbersReadInDecimalOrHexadecimal)
{
    writeText(path(),
              u"early=1\n; remark=1\n[DVS]\nVersion =  ver3  \nQuoted=\"  spaced  \"\nTwice=\"\"inner\"\"\n"
              "Lone=\"\nEmpty=\"\"\njust words\nkey=a=b\n;c=comment\n  ; d = also a comment\n"
              "single='x'\nmixed='x\"\n[notes]\n;x=1\n"_s);
    const TIniFile ini(path());
    const QString reads[][3] = {
        {u"dvs"_s, u"version"_s, u"ver3"_s},      {u"Dvs"_s, u"QUOTED"_s, u"  spaced  "_s},
        {u"dvs"_s, u"twice"_s, u"\"inner\""_s},   {u"dvs"_s, u"lone"_s, u"\""_s},
        {u"dvs"_s, u"empty"_s, QString()},        {u"dvs"_s, u"key"_s, u"a=b"_s},
        {u" dvs "_s, u"  version "_s, u"ver3"_s}, {u"dvs"_s, u"\tversion"_s, u"<none>"_s},
        {u"dvs"_s, u";c"_s, u"<none>"_s},         {u"dvs"_s, u"; d"_s, u"<none>"_s},
        {u"notes"_s, u";x"_s, u"<none>"_s},       {u"dvs"_s, u"early"_s, u"<none>"_s},
        {u"dvs"_s, u"single"_s, u"x"_s},          {u"dvs"_s, u"mixed"_s, u"'x\""_s},
    };
    for (const auto &[section, key, expected] : reads)
        EXPECT_EQ(read(ini, section, key), expected) << (section + u'/' + key).toStdString();
    EXPECT_EQ(ini.ReadSection(u"dvs"_s), (QStringList{u"Version"_s, u"Quoted"_s, u"Twice"_s, u"Lone"_s,
                                                      u"Empty"_s, u"key"_s, u"single"_s, u"mixed"_s}));
    EXPECT_TRUE(ini.ReadSectionValues(u" notes "_s).isEmpty());
    EXPECT_FALSE(ini.SectionExists(u"notes"_s));
    EXPECT_TRUE(ini.ValueExists(u" DVS "_s, u" KEY "_s));
    EXPECT_EQ(ini.ReadSections(), (QStringList{u"DVS"_s, u"notes"_s}));

    const TIniFile missing(path(u"missing.ini"_s));
    EXPECT_EQ(read(missing, u"dvs"_s, u"lastdir"_s), u"<none>"_s);
    EXPECT_FALSE(missing.SectionExists(u"dvs"_s));
    EXPECT_TRUE(missing.ReadSections().isEmpty());

    // Integers in decimal and hexadecimal, and booleans as numbers.
    const std::pair<QString, int> numbers[] = {
        {u"0x1F"_s, 31}, {u"0X1f"_s, 31},  {u"$1F"_s, 31},        {u"-42"_s, -42},
        {u"+7"_s, 7},    {u"12abc"_s, -9}, {u"2147483648"_s, -9}, {u"-2147483648"_s, -2147483647 - 1},
        {u"0x"_s, -9},   {u""_s, -9},      {u"$FFFFFFFF"_s, -1},  {u"1.5"_s, -9},
        {u" 9 "_s, 9},   {u"$a"_s, 10},    {u"0xA0"_s, 160},
    };
    QString text = u"[n]\n"_s;
    for (std::size_t i = 0; i < std::size(numbers); ++i)
        text += u"k%1=%2\n"_s.arg(i).arg(numbers[i].first);
    writeText(path(), text + u"two=2\nminus=-1\nzero=0\nyes=yes\n"_s);
    for (std::size_t i = 0; i < std::size(numbers); ++i)
        EXPECT_EQ(ini.ReadInteger(u"n"_s, u"k%1"_s.arg(i), -9), numbers[i].second)
            << numbers[i].first.toStdString();
    EXPECT_TRUE(ini.ReadBool(u"n"_s, u"two"_s, false));
    EXPECT_TRUE(ini.ReadBool(u"n"_s, u"minus"_s, false));
    EXPECT_FALSE(ini.ReadBool(u"n"_s, u"zero"_s, true));
    EXPECT_TRUE(ini.ReadBool(u"n"_s, u"yes"_s, true));
    EXPECT_FALSE(ini.ReadBool(u"n"_s, u"yes"_s, false));
}

TEST_F(TIniFileTest, ValuesAreCutAt2047CharactersListingsAt16384BytesOfNamesAndDamagedFilesStillRead)
{
    // 2000 names of 9 bytes each take 20000 bytes with their terminators.
    QString text = u"[s]\nlong="_s + QString(1 << 20, u'x') + u"\nnum=1"_s + QString(3000, u'0') + u"\n"_s;
    QString keys = u"[keys]\n"_s;
    for (int i = 0; i < 2000; ++i) {
        text += u"[sect%1]\nk=1\n"_s.arg(i, 4, 10, QLatin1Char('0'));
        keys += u"keyn%1=v\n"_s.arg(i, 4, 10, QLatin1Char('0'));
    }
    writeBytes(path(), "\xEF\xBB\xBF" + crlf(text + keys));
    const TIniFile ini(path());
    EXPECT_EQ(read(ini, u"s"_s, u"long"_s).size(), 2047) << "a byte-order mark hides nothing";
    EXPECT_EQ(ini.ReadInteger(u"s"_s, u"num"_s, 5), 5);
    EXPECT_EQ(ini.ReadSectionValues(u"s"_s).constFirst().size(), 5 + 2047);
    const QStringList sections = ini.ReadSections();
    EXPECT_EQ(sections.size(), 1 + (16384 - 2) / 9) << "\"s\" takes two bytes";
    EXPECT_EQ(sections[1], u"sect0000"_s);
    EXPECT_EQ(ini.ReadAllSections().size(), 2002);
    EXPECT_EQ(ini.ReadSection(u"keys"_s).size(), 16384 / 9);
    EXPECT_EQ(ini.ReadSectionValues(u"keys"_s).size(), 16384 / 9) << "the limit counts key names only";
    EXPECT_EQ(read(ini, u"keys"_s, u"keyn1999"_s), u"v"_s);

    writeBytes(path(u"cr.ini"_s), "[dvs]\rrun=4\rmenu=1\r" + QByteArray(1 << 20, '['));
    EXPECT_EQ(TIniFile(path(u"cr.ini"_s)).ReadInteger(u"dvs"_s, u"menu"_s, 0), 1);

    writeBytes(path(u"bom.ini"_s), "\xEF\xBB\xBF[dvs]\r\nrun=1\r\n");
    TIniFile(path(u"bom.ini"_s)).WriteInteger(u"dvs"_s, u"run"_s, 2);
    EXPECT_EQ(readBytes(path(u"bom.ini"_s)), QByteArray("\xEF\xBB\xBF[dvs]\r\nrun=2\r\n")) << "mark is kept";
}

TEST_F(TIniFileTest, WritesKeepKeysInPlaceAppendNewOnesEraseEveryOccurrenceAndLeaveSectionsWithoutKeys)
{
    writeText(path(), u"[dvs]\nfirst=1\nVersion=ver1\nlast=3\n \t\n[zvt]\ndir=C:\\Games\n"_s);
    TIniFile ini(path());
    ini.WriteString(u"DVS"_s, u"version"_s, u"ver4"_s);
    for (int twice = 0; twice < 2; ++twice)
        ini.WriteString(u" dvs "_s, u" added  "_s, u"x"_s);
    ini.WriteString(u" new "_s, u" key "_s, u"v"_s);
    ini.WriteString(u"new"_s, u"key"_s, u"w"_s);
    EXPECT_EQ(
        readBytes(path()),
        crlf(u"[dvs]\nfirst=1\nVersion=ver4\nlast=3\nadded=x\n \t\n[zvt]\ndir=C:\\Games\n[new]\nkey=w\n"_s));
    EXPECT_EQ(read(ini, u" new "_s, u" key "_s), u"w"_s);
    for (const QString &exact : {u" padded\t"_s, u"\"quoted\""_s, u"'single'"_s}) {
        ini.WriteString(u"new"_s, u"exact"_s, exact);
        EXPECT_EQ(read(ini, u"new"_s, u"exact"_s), exact) << "stored inside one more pair of quotes";
    }
    ini.DeleteKey(u"new"_s, u"exact"_s);
    ini.DeleteKey(u" dvs "_s, u" first "_s);
    ini.EraseSection(u" zvt "_s);
    EXPECT_EQ(readBytes(path()), crlf(u"[dvs]\nVersion=ver4\nlast=3\nadded=x\n \t\n[new]\nkey=w\n"_s));
    ini.WriteString(u"new"_s, u"key"_s, QString());
    EXPECT_TRUE(ini.ValueExists(u"NEW"_s, u"KEY"_s)) << "an empty value exists";
    EXPECT_EQ(read(ini, u"new"_s, u"key"_s), QString());
    EXPECT_TRUE(ini.SectionExists(u"new"_s));
    ini.DeleteKey(u"new"_s, u"key"_s);
    EXPECT_FALSE(ini.ValueExists(u"new"_s, u"key"_s));
    EXPECT_FALSE(ini.SectionExists(u"new"_s));
    // The empty header stays in the file.
    EXPECT_EQ(readBytes(path()), crlf(u"[dvs]\nVersion=ver4\nlast=3\nadded=x\n \t\n[new]\n"_s));

    // Of repeated sections and keys the first is read and written; erasing takes every occurrence.
    writeText(path(), u"[a]\nk=1\n[gone]\nx=1\nloose text\n\n[s]\nk=first\nK=second\n[GONE]\ny=2\n"
                      "[S]\nk=third\nother=1\n"_s);
    EXPECT_EQ(read(ini, u"s"_s, u"k"_s), u"first"_s);
    EXPECT_FALSE(ini.ValueExists(u"s"_s, u"other"_s));
    EXPECT_EQ(ini.ReadSectionValues(u"s"_s), (QStringList{u"k=first"_s, u"K=first"_s}));
    ini.EraseSection(u"Gone"_s);
    ini.WriteString(u"s"_s, u"k"_s, u"new"_s);
    EXPECT_EQ(readBytes(path()), crlf(u"[a]\nk=1\n[s]\nk=new\nK=second\n[S]\nk=third\nother=1\n"_s));
}

TEST_F(TIniFileTest, AWriteOrAnotherProgramsChangeIsSeenAtOnceThroughEveryObject)
{
    TIniFile writer(path());
    const TIniFile reader(path());
    for (int i = 0; i < 3; ++i) {
        writer.WriteInteger(u"dvs"_s, u"run"_s, i);
        ASSERT_EQ(reader.ReadInteger(u"dvs"_s, u"run"_s, -1), i);
    }
    const IniSnapshot snapshot = reader.snapshot();
    for (int i = 7; i <= 8; ++i) {
        // Rewritten in place: same file, same size, only the content differs.
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(u"[dvs]\r\nrun="_s.size());
        file.write(QByteArray::number(i));
        file.close();
        ASSERT_EQ(reader.ReadInteger(u"dvs"_s, u"run"_s, -1), i);
    }
    // Replaced by another program long ago, as far as its time says.
    writeText(path(), u"[dvs]\nrun=42\n"_s);
    makeOld(path());
    EXPECT_EQ(reader.ReadInteger(u"dvs"_s, u"run"_s, -1), 42);
    ASSERT_TRUE(QFile::remove(path()));
    EXPECT_EQ(reader.ReadInteger(u"dvs"_s, u"run"_s, -1), -1);
    writer.WriteString(u"dvs"_s, u"menu"_s, u"2"_s);
    EXPECT_EQ(readBytes(path()), crlf(u"[dvs]\nmenu=2\n"_s));
    EXPECT_EQ(snapshot.ReadInteger(u"dvs"_s, u"run"_s, -1), 2) << "a snapshot is the file as it was";
}

TEST_F(TIniFileTest, WesternTextKeepsItsBytesPathsInAnyScriptSurviveAndTextTheFileCannotHoldIsRefused)
{
    const QByteArray western("[sw]\r\ncaption=Caf\xE9 \x80 \x81\r\nold=C:\\Spiele\\J\xFCrgen\r\n");
    writeBytes(path(), western);
    TIniFile ini(path());
    const QString caption = read(ini, u"sw"_s, u"caption"_s);
    EXPECT_EQ(caption, u"Café € \u0081"_s);
    // A path written as Windows-1252 text before still reads.
    EXPECT_EQ(ini.ReadPath(u"sw"_s, u"old"_s, QString()), u"C:\\Spiele\\Jürgen"_s);
    ini.WriteString(u"sw"_s, u"hint"_s, caption);
    const QString folder = u"/home/user/Игры/Zorvantia é"_s;
    ini.WritePath(u"zvt"_s, u"dir"_s, folder);
    EXPECT_EQ(readBytes(path()),
              western + "hint=Caf\xE9 \x80 \x81\r\n[zvt]\r\ndir=" + folder.toUtf8() + QByteArray("\r\n"));
    EXPECT_EQ(TIniFile(path()).ReadPath(u"zvt"_s, u"dir"_s, QString()), folder);

    // Text the file cannot hold as given is refused and nothing changes.
    writeText(path(), u"[dvs]\nversion=ver2\n"_s);
    const QByteArray before = readBytes(path());
    // Section, key, value, and why (none: characters outside the code page).
    QList<std::array<QString, 4>> writes = {
        {u"dvs"_s, u"motto"_s, u"MottoΩ中"_s, QString()},
        {u"dvs"_s, u"Ω"_s, u"1"_s, QString()},
        {u"dvs"_s, u"lastdir"_s, u"C:\\a\r\n[zvt]\r\ndir=evil"_s,
         u"The value of lastdir holds a line break."_s},
        {u"a]b"_s, u"k"_s, u"1"_s, u"\"a]b\" cannot be the name of a section."_s}};
    for (const QString &name : {u";a"_s, u"a=b"_s, u"  "_s, u"[k"_s, u"\tk"_s})
        writes.append({u"dvs"_s, name, u"1"_s, u"\"%1\" cannot be the name of a key."_s.arg(name)});
    for (const auto &[section, name, value, why] : writes) {
        SCOPED_TRACE((name + u" = "_s + value).toStdString());
        const QString expected = why.isEmpty()
                                     ? Cp1252::refusal(path(), Cp1252::canEncode(name) ? value : name)
                                     : refused(path()) + u'\n' + why;
        EXPECT_EQ(errorOf([&] { ini.WriteString(section, name, value); }), expected);
        EXPECT_EQ(readBytes(path()), before);
        EXPECT_EQ(ini.ReadSection(u"dvs"_s), QStringList{u"version"_s});
    }
}

TEST_F(TIniFileTest, AWriteThatRunsOutOfSpaceLeavesTheOldFileWholeAndTheNextWriteRemovesOldTemporaryFiles)
{
    writeText(path(), u"[dvs]\nversion=ver2\ncounter=5\n"_s);
    const QByteArray before = readBytes(path());
    QString message;
    withFileSizeLimit(4096, [&] {
        message =
            errorOf([&] { TIniFile(path()).WriteString(u"dvs"_s, u"lastdir"_s, QString(10000, u'd')); });
    });

    EXPECT_EQ(message, refused(path()));
    EXPECT_EQ(readBytes(path()), before);
    // No temporary or lock file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"settings.ini"_s});
    // A missing folder is not made: the Data folder comes with the program.
    const QString inMissingFolder = dir.path() + u"/Data/patch.ini"_s;
    EXPECT_EQ(errorOf([&] { TIniFile(inMissingFolder).WriteString(u"data"_s, u"userchnage"_s, u"1"_s); }),
              refused(inMissingFolder));
    EXPECT_FALSE(QDir(dir.path() + u"/Data"_s).exists());

    // Temporary files an interrupted write left behind long ago: ours, one being written (its writer
    // holds it), one not of our naming, and one of another file.
    for (const QString &name : {u"settings.ini.0badc0de.tmp"_s, u"settings.ini.feedf00d.tmp"_s,
                                u"settings.ini.backup.tmp"_s, u"other.ini.0badc0de.tmp"_s}) {
        writeBytes(path(name), QByteArray("partial"));
        makeOld(path(name));
    }
    // A new one may belong to a writer just starting.
    writeBytes(path(u"settings.ini.1234abcd.tmp"_s), QByteArray("partial"));
    const int held = ::open(QFile::encodeName(path(u"settings.ini.feedf00d.tmp"_s)).constData(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    TIniFile(path()).WriteInteger(u"dvs"_s, u"run"_s, 1);
    ::close(held);
    QStringList left = QDir(dir.path()).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left,
              (QStringList{u"other.ini.0badc0de.tmp"_s, u"settings.ini"_s, u"settings.ini.1234abcd.tmp"_s,
                           u"settings.ini.backup.tmp"_s, u"settings.ini.feedf00d.tmp"_s}));
}

TEST_F(TIniFileTest, WritesFollowLinksToTheFileAtTheirEndAndNeverOverwriteAFileThatCannotBeRead)
{
    writeText(path(u"real.ini"_s), u"[dvs]\nrun=1\n"_s);
    ASSERT_TRUE(QFile::link(u"real.ini"_s, path(u"link2"_s)));
    ASSERT_TRUE(QFile::link(u"link2"_s, path(u"link1"_s)));
    TIniFile(path(u"link1"_s)).WriteInteger(u"dvs"_s, u"run"_s, 2);
    EXPECT_EQ(readBytes(path(u"real.ini"_s)), crlf(u"[dvs]\nrun=2\n"_s));
    EXPECT_TRUE(QFileInfo(path(u"link1"_s)).isSymLink());
    EXPECT_TRUE(QFileInfo(path(u"link2"_s)).isSymLink());

    ASSERT_TRUE(QFile::link(u"loop.ini"_s, path(u"loop.ini"_s)));
    EXPECT_EQ(errorOf([&] { TIniFile(path(u"loop.ini"_s)).WriteInteger(u"dvs"_s, u"run"_s, 2); }),
              refused(path(u"loop.ini"_s)));

    writeText(path(), u"[dvs]\nversion=ver3\ncounter=40\n"_s);
    const QByteArray before = readBytes(path());
    giveToOrdinaryUser(dir.path(), 0777);
    // Writable but not readable: only the check that it can be read keeps it.
    giveToOrdinaryUser(path(), 0200);
    QString version;
    QString message;
    const bool ran = asOrdinaryUser([&] {
        TIniFile ini(path());
        version = read(ini, u"dvs"_s, u"version"_s);
        message = errorOf([&] { ini.WriteString(u"dvs"_s, u"menu"_s, u"2"_s); });
    });
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    if (!ran)
        GTEST_SKIP() << "the tests cannot take the rights of an ordinary user here";
    EXPECT_EQ(version, u"<none>"_s) << "reads never fail";
    EXPECT_EQ(message, refused(path()));
    EXPECT_EQ(readBytes(path()), before);
}

TEST_F(TIniFileTest, AWriteIsRefusedWhereAPlainWriteWouldBeAndKeepsOwnerGroupAndMode)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "files of other users need the tests to run as root";
    giveToOrdinaryUser(dir.path(), 0777);
    // The file, whether the ordinary user owns it (else root), its mode, whether that user
    // writes it (else root), and whether the write goes through.
    const std::tuple<const char *, bool, int, bool, bool> cases[] = {
        {"read-only", true, 0444, true, false},
        {"another user's", false, 0644, true, false},
        {"another user's, open to all", false, 0666, true, false}, // its owner could not be kept
        {"own", true, 0640, true, true},
        {"another user's, written by root", true, 0604, false, true}};
    for (const auto &[name, ownedByTheUser, mode, asUser, written] : cases) {
        SCOPED_TRACE(name);
        writeText(path(), u"[dvs]\ncounter=1\n"_s);
        if (ownedByTheUser)
            giveToOrdinaryUser(path(), mode);
        else
            ::chmod(QFile::encodeName(path()).constData(), mode_t(mode));
        const QByteArray before = readBytes(path());
        struct stat was = {}, now = {};
        ::stat(QFile::encodeName(path()).constData(), &was);
        QString message;
        QString repeated;
        const auto write = [&] {
            // Repeating what is stored needs no write at all.
            repeated = errorOf([&] { TIniFile(path()).WriteInteger(u"dvs"_s, u"counter"_s, 1); });
            message = errorOf([&] { TIniFile(path()).WriteInteger(u"dvs"_s, u"counter"_s, 2); });
        };
        ASSERT_TRUE(asUser ? asOrdinaryUser(write) : (write(), true));
        ::stat(QFile::encodeName(path()).constData(), &now);
        EXPECT_EQ(repeated, u"<no error>"_s);
        EXPECT_EQ(message, written ? u"<no error>"_s : refused(path()));
        EXPECT_EQ(readBytes(path()), written ? crlf(u"[dvs]\ncounter=2\n"_s) : before);
        // Owner, group and mode are kept.
        EXPECT_EQ(std::tuple(now.st_uid, now.st_gid, now.st_mode),
                  std::tuple(was.st_uid, was.st_gid, was.st_mode));
        QFile::remove(path());
    }
}

TEST_F(TIniFileTest, TwoProgramsWritingAtOnceKeepEachOthersKeysAndABusyLockIsWaitedForAWhileOnly)
{
    constexpr int kKeys = 300;
    pid_t children[2] = {};
    for (int c = 0; c < 2; ++c) {
        children[c] = fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            // A child leaves without running the test framework's exit steps.
            try {
                TIniFile ini(path());
                for (int i = 0; i < kKeys; ++i)
                    ini.WriteInteger(u"dvs"_s, u"%1-%2"_s.arg(c).arg(i), i);
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
    EXPECT_EQ(TIniFile(path()).ReadSection(u"dvs"_s).size(), 2 * kKeys);
    EXPECT_FALSE(QFileInfo::exists(FileLock::lockFileOf(path())));

    std::optional<FileLock> first(std::in_place, path());
    ASSERT_TRUE(first->isHeld());
    EXPECT_EQ(FileLock(path(), 50).state(), FileLock::State::Busy);
    first.reset();
    EXPECT_EQ(FileLock(path(), 50).state(), FileLock::State::Held);
    EXPECT_EQ(FileLock(dir.path() + u"/missing/settings.ini"_s, 50).state(), FileLock::State::Failed);
}

} // namespace
