#include "game/GameFolder.h"
#include "support/TestFiles.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(GameFolder, TheFilesTellTheEditionAndThePatchInAnyLetterCaseAndTrailingSeparatorsGo)
{
    // The files of each folder, separated by blanks, and the kind they make.
    const std::pair<const char *, const char *> folders[] = {
        {"", "no game"},
        {"dravopax.exe dravopaxw.exe", "no game"},
        {"zorvan.exe", "dos"},
        {"zvtlx.exe", "dos"},
        {"zorvan.exe dravopaxw.exe", "dos"}, // the Windows patch beside DOS
        {"zvtx.exe dravopax.exe", "dos+dvp"},
        {"ZizaVEZ.exe", "win"},
        {"ZizaVEZ.exe zorvan.exe", "win"},   // both editions' files: Windows
        {"ZizaVEZ.exe dravopax.exe", "win"}, // the DOS patch beside Windows
        {"ZizaVEZ.exe dravopaxw.exe", "win+dvp"},
        {"ZIZAVEZ.EXE DravopaxW.Exe", "win+dvp"}, // copied from a system that ignores case
    };
    for (const auto &[files, kind] : folders) {
        SCOPED_TRACE(kind);
        QTemporaryDir dir;
        for (const QString &name : QString::fromLatin1(files).split(u' ', Qt::SkipEmptyParts))
            writeBytes(dir.path() + u'/' + name, QByteArray("MZ"));
        const GameFolder folder(dir.path());
        EXPECT_EQ(folder.holdsGame() ? folder.kind() : u"no game"_s, QString::fromLatin1(kind));
    }
    QTemporaryDir dir;
    writeBytes(dir.path() + u"/ZIZAVEZ.EXE"_s, QByteArray("MZ"));
    QDir(dir.path()).mkdir(u"zorvan.exe"_s);
    EXPECT_EQ(GameFolder(dir.path()).find(u"ZizaVEZ.exe"_s), dir.path() + u"/ZIZAVEZ.EXE"_s);
    EXPECT_FALSE(GameFolder(dir.path()).has(u"zorvan.exe"_s)) << "a folder of that name is no game file";

    // A chosen folder loses its trailing separators.
    EXPECT_EQ(GameFolder::trimmed(u"C:\\"_s), u"C:"_s);
    EXPECT_EQ(GameFolder::trimmed(u"/games/zvt//"_s), u"/games/zvt"_s);
    EXPECT_EQ(GameFolder::trimmed(u"/"_s), QString()) << "the root, whose files are \"/name\"";
    EXPECT_EQ(GameFolder(QString()).file(u"zorvan.exe"_s), u"/zorvan.exe"_s);
}

} // namespace
