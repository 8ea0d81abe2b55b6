#include "game/GameFolder.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class GameFolderTest : public ::testing::Test
{
protected:
    GameFolder with(std::initializer_list<const char *> files)
    {
        for (const char *name : files)
            writeBytes(dir.path() + QLatin1Char('/') + QString::fromLatin1(name), QByteArray("MZ"));
        return GameFolder(dir.path());
    }
    QTemporaryDir dir;
};

QString kindOf(std::initializer_list<const char *> files)
{
    QTemporaryDir fresh;
    for (const char *name : files)
        writeBytes(fresh.path() + QLatin1Char('/') + QString::fromLatin1(name), QByteArray("MZ"));
    const GameFolder folder(fresh.path());
    return folder.holdsGame() ? folder.kind() : QStringLiteral("no game");
}

TEST(GameFolderKinds, TheFilesTellTheEditionAndThePatch)
{
    EXPECT_EQ(kindOf({}), QStringLiteral("no game"));
    EXPECT_EQ(kindOf({"dravopax.exe", "dravopaxw.exe"}), QStringLiteral("no game"));
    EXPECT_EQ(kindOf({"zorvan.exe"}), QStringLiteral("dos"));
    EXPECT_EQ(kindOf({"zorvan.exe", "dravopaxw.exe"}), QStringLiteral("dos"))
        << "the Windows patch beside DOS";
    EXPECT_EQ(kindOf({"zvtx.exe", "dravopax.exe"}), QStringLiteral("dos+dvp"));
    EXPECT_EQ(kindOf({"ZizaVEZ.exe"}), QStringLiteral("win"));
    EXPECT_EQ(kindOf({"ZizaVEZ.exe", "zorvan.exe"}), QStringLiteral("win"))
        << "both editions' files: Windows";
    EXPECT_EQ(kindOf({"ZizaVEZ.exe", "dravopax.exe"}), QStringLiteral("win"))
        << "the DOS patch beside Windows";
    EXPECT_EQ(kindOf({"ZizaVEZ.exe", "dravopaxw.exe"}), QStringLiteral("win+dvp"));
}

TEST_F(GameFolderTest, AnyOfTheFourGameFilesHoldsTheGame)
{
    for (const char *marker : {"zvtx.exe", "zvtlx.exe", "ZizaVEZ.exe"}) {
        QTemporaryDir other;
        writeBytes(other.path() + QLatin1Char('/') + QString::fromLatin1(marker), QByteArray("MZ"));
        EXPECT_TRUE(GameFolder(other.path()).holdsGame()) << marker;
    }
    QDir(dir.path()).mkdir(QStringLiteral("zorvan.exe"));
    EXPECT_FALSE(GameFolder(dir.path()).holdsGame()) << "a folder of that name is no game";
}

TEST_F(GameFolderTest, FilesCopiedFromASystemThatIgnoresCaseAreFound)
{
    with({"ZIZAVEZ.EXE", "DravopaxW.Exe"});
    const GameFolder folder(dir.path());
    EXPECT_EQ(folder.kind(), QStringLiteral("win+dvp"));
    EXPECT_EQ(folder.find(QStringLiteral("ZizaVEZ.exe")), dir.path() + QStringLiteral("/ZIZAVEZ.EXE"));
}

TEST(GameFolderNames, AChosenFolderLosesItsTrailingSeparators)
{
    EXPECT_EQ(GameFolder::trimmed(QStringLiteral("C:\\")), QStringLiteral("C:"));
    EXPECT_EQ(GameFolder::trimmed(QStringLiteral("/games/zvt//")), QStringLiteral("/games/zvt"));
    EXPECT_EQ(GameFolder::trimmed(QStringLiteral("/")), QString()) << "the root, whose files are \"/name\"";
    EXPECT_EQ(GameFolder(QString()).file(QStringLiteral("zorvan.exe")), QStringLiteral("/zorvan.exe"));
}

} // namespace
