#include "base/ProgramHome.h"
#include "app/CommandLine.h"
#include "ini/TIniFile.h"
#include "platform/Paths.h"
#include "support/FakePlatform.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kPatch = crlf(u"[data]\nversion=12\n"_s);
const QByteArray kTools = crlf(u"[tool1]\nname=Editor\n"_s);

// The folders of an installed program: its own (bin), the Data it ships, and a home for the user
// where nothing has been made yet.
class ProgramHomeTest : public ::testing::Test
{
protected:
    ProgramHomeTest()
    {
        QDir().mkpath(places.programFolder);
        QDir().mkpath(places.installedData);
        QDir().mkpath(root.path() + u"/home"_s);
        writeBytes(places.installedData + u"/patch.ini"_s, kPatch);
        // As a package may ship it: a copy that keeps this mode could not be saved.
        writeBytes(places.installedData + u"/tool.ini"_s, kTools);
        QFile::setPermissions(places.installedData + u"/tool.ini"_s, QFile::ReadOwner | QFile::ReadOther);
    }
    ~ProgramHomeTest() override { messages.verify(); }

    static QStringList entries(const QString &folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir root;
    ProgramPlaces places{root.path() + u"/bin"_s, root.path() + u"/share/Data"_s,
                         root.path() + u"/home/.local/share/dravopax-vevavav"_s};
    FakeMessageBoxes messages;
};

// An installed program's folder holds no Data (root may write in it all the same): the user's
// folder is made and given a copy of the shipped Data the first time, which is the user's from
// then on. A user folder that cannot be made is said, and the program does not start.
TEST_F(ProgramHomeTest, AnInstalledProgramGivesTheUserAFolderWithTheirOwnCopyOfTheDataOrDoesNotStart)
{
    const std::optional<ProgramFiles> files = openProgramHome(places, messages);
    ASSERT_TRUE(files);
    EXPECT_EQ(files->folder(), places.userFolder);
    EXPECT_FALSE(files->besideProgram());
    EXPECT_EQ(entries(places.userFolder), QStringList{u"Data"_s});
    EXPECT_EQ(entries(places.userFolder + u"/Data"_s), (QStringList{u"patch.ini"_s, u"tool.ini"_s}));
    EXPECT_EQ(readBytes(files->patchIni()), kPatch);
    EXPECT_EQ(readBytes(files->toolIni()), kTools);
    EXPECT_EQ(entries(places.programFolder), QStringList());

    TIniFile(files->toolIni()).WriteString(u"tool2"_s, u"name"_s, u"Mine"_s);
    const QByteArray changed = readBytes(files->toolIni());
    EXPECT_EQ(changed, kTools + crlf(u"[tool2]\nname=Mine\n"_s));
    ASSERT_TRUE(openProgramHome(places, messages));
    EXPECT_EQ(readBytes(files->toolIni()), changed) << "a later start copies nothing over the user's files";
    // but gives back a lost file, and one a newer installation brings.
    QFile::remove(files->patchIni());
    writeBytes(places.installedData + u"/help.ini"_s, kTools);
    ASSERT_TRUE(openProgramHome(places, messages));
    EXPECT_EQ(entries(places.userFolder + u"/Data"_s),
              (QStringList{u"help.ini"_s, u"patch.ini"_s, u"tool.ini"_s}));
    EXPECT_EQ(readBytes(files->patchIni()), kPatch);

    // An installation without its Data does not start half-working.
    places.installedData = root.path() + u"/nowhere/Data"_s;
    places.userFolder = root.path() + u"/home/other"_s;
    messages.expectOk(MsgType::Error, u"Dravopax Vevavav could not copy its data files into your folder\n"_s +
                                          places.userFolder + u"\nThe installed data folder "_s +
                                          places.installedData + u" is missing."_s);
    EXPECT_FALSE(openProgramHome(places, messages));

    writeBytes(root.path() + u"/home/.local/file"_s, "a file where a folder should be");
    places.userFolder = root.path() + u"/home/.local/file/dravopax-vevavav"_s;
    messages.expectOk(MsgType::Error,
                      u"Dravopax Vevavav keeps your settings and data files in\n"_s + places.userFolder +
                          u"\nbut cannot create that folder or write in it: Not a directory"_s);
    EXPECT_FALSE(openProgramHome(places, messages));
}

// A copy of the program with its Data keeps every file there, leaving no trace elsewhere, while the user
// may write in it; where the user may not (a read-only medium, a folder of root's), the folder is left
// alone and the user's folder is seeded from the Data beside it.
TEST_F(ProgramHomeTest, AProgramFolderHoldingDataIsUsedWhereTheUserMayWriteInItAndLeftAloneWhereNot)
{
    QDir().mkpath(places.programFolder + u"/Data"_s);
    std::optional<ProgramFiles> files = openProgramHome(places, messages);
    ASSERT_TRUE(files);
    EXPECT_EQ(files->folder(), places.programFolder);
    EXPECT_TRUE(files->besideProgram());
    EXPECT_EQ(entries(places.programFolder), QStringList{u"Data"_s});
    EXPECT_EQ(entries(root.path() + u"/home"_s), QStringList());

    writeBytes(places.programFolder + u"/Data/version.ini"_s, kPatch);
    giveToOrdinaryUser(root.path(), 0755);
    giveToOrdinaryUser(root.path() + u"/home"_s, 0755);
    giveToOrdinaryUser(places.programFolder, 0555);
    ASSERT_TRUE(asOrdinaryUser([&] { files = openProgramHome(places, messages); }));
    ASSERT_TRUE(files);
    EXPECT_EQ(files->folder(), places.userFolder);
    EXPECT_EQ(entries(places.userFolder + u"/Data"_s), QStringList{u"version.ini"_s});
    EXPECT_EQ(entries(places.programFolder), QStringList{u"Data"_s});
    giveToOrdinaryUser(places.programFolder, 0755);
}

TEST(UserDataHomeTest, IsXdgDataHomeWhenAbsoluteElseTheDefaultUnderHome)
{
    const QByteArray home = qgetenv("HOME");
    const std::optional<QByteArray> xdg =
        qEnvironmentVariableIsSet("XDG_DATA_HOME") ? std::optional(qgetenv("XDG_DATA_HOME")) : std::nullopt;
    qputenv("HOME", "/home/player");
    for (const auto &[value, expected] :
         {std::pair{"/data/xdg/", "/data/xdg"}, std::pair{"relative/xdg", "/home/player/.local/share"},
          std::pair{"", "/home/player/.local/share"}}) {
        SCOPED_TRACE(value);
        qputenv("XDG_DATA_HOME", value);
        EXPECT_EQ(Paths::userDataHome(), QString::fromLatin1(expected));
    }
    qputenv("HOME", home);
    if (xdg)
        qputenv("XDG_DATA_HOME", *xdg);
    else
        qunsetenv("XDG_DATA_HOME");
}

TEST(CommandLineTest, OptionsAreAnsweredAndTheOtherWordsAreOneFile)
{
    using Request = CommandLine::Request;
    using Toolkit = CommandLine::ToolkitOptions;
    // The words, whether the toolkit has taken its options, the request read and its file or unknown option.
    const std::tuple<QStringList, Toolkit, Request, QString> cases[] = {
        {{}, Toolkit::Taken, Request::Start, QString()},
        {{u"/games/my"_s, u"start.cfg"_s}, Toolkit::Taken, Request::Start, u"/games/my start.cfg"_s},
        {{u"a.cfg"_s, u"--help"_s}, Toolkit::Pending, Request::Help, QString()},
        {{u"-h"_s}, Toolkit::Taken, Request::Help, QString()},
        {{u"--version"_s, u"--bogus"_s}, Toolkit::Pending, Request::Version, QString()},
        {{u"--bogus"_s, u"--help"_s}, Toolkit::Pending, Request::UnknownOption, u"--bogus"_s},
        // Until the toolkit has taken its options, a single dash may be one of them.
        {{u"-style"_s, u"fusion"_s}, Toolkit::Pending, Request::Start, u"fusion"_s},
        {{u"-platform=offscreen"_s}, Toolkit::Pending, Request::Start, QString()},
        {{u"-verison"_s}, Toolkit::Pending, Request::UnknownOption, u"-verison"_s},
        {{u"a.cfg"_s, u"-x"_s}, Toolkit::Taken, Request::UnknownOption, u"-x"_s},
        {{u"--"_s, u"--help"_s, u"-"_s, u"-x.cfg"_s}, Toolkit::Taken, Request::Start, u"--help - -x.cfg"_s},
    };
    for (const auto &[words, toolkit, request, fileOrOption] : cases) {
        SCOPED_TRACE(words.join(u' ').toStdString());
        const CommandLine command = CommandLine::read(words, toolkit);
        EXPECT_EQ(command.request, request);
        EXPECT_EQ(request == Request::UnknownOption ? command.option : command.startFile, fileOrOption);
    }
}

} // namespace
