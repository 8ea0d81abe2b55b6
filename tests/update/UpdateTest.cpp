#include "app/TformMain.h"
#include "support/LoopbackServer.h"
#include "support/MainWindowFixture.h"
#include "update/TformAbout.h"
#include "update/TformUpdate.h"
#include "update/UpdateManifest.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kPatch = crlf(u"[data]\nversion=12\norgdata=2026-01-01\n"_s);
const QByteArray kVersions = crlf(u"[ver1]\nname=first\n"_s);
const QByteArray kNewPatch = crlf(u"[data]\nversion=13\n[caravanlimit]\ncomponent=1\n"_s);
const QByteArray kNewVersions = crlf(u"[version]\nnumber=2\ndisplay2=second\n"_s);
const QString kOffered = u"CORRUPTED FILE (?\?-?\?-?\?) [??? KB] (on)"_s;

const QString kNotConnected =
    u"Dravopax Vevavav could not connect.\nTry again later or e-mail me (maintainer@dravopax-vevavav.example.org)"_s;
const QStringList kDataFiles{u"data.ini"_s, u"patch.ini"_s, u"version.ini"_s};

class UpdateTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        writeText(folder.files().dataIni(),
                  u"[data]\nversion=3\nupdatefile="_s + server.url(u"/update.ini"_s));
        writeBytes(folder.files().patchIni(), kPatch);
        writeBytes(folder.files().versionIni(), kVersions);
    }
    // Serves a manifest whose addresses "@/x" lead to path /x of the test's server.
    void serveManifest(QString text)
    {
        server.serve("/update.ini", LoopbackServer::ok(crlf(text.replace(u"@"_s, server.url(QString())))));
    }

    TformUpdate &update() const { return *windows->update().formUpdate(); }
    QLineEdit *timeout() const { return named<QLineEdit>(&update(), "editTimeout"); }
    void openUpdate()
    {
        QTest::mouseClick(named<QToolButton>("butnUpdate"), Qt::LeftButton);
        ASSERT_TRUE(update().isVisible());
    }
    QStringList captions() const
    {
        QStringList shown;
        for (const char *name : {"cboxDVS", "cboxDVSDV", "cboxDVSData", "cboxDVSHelp"}) {
            const QCheckBox *box = named<QCheckBox>(&update(), name);
            shown << box->text() + (box->isEnabled() ? u" (on)"_s : u""_s);
        }
        return shown;
    }
    QStringList dataFolder() const { return QDir(folder.path() + u"/Data"_s).entryList(QDir::Files); }
    // Check, and the poll's tick once the manifest's transfer is over.
    void check()
    {
        click(&update(), "butnCheck");
        update().timeUpdateTimer();
    }

    LoopbackServer server;
};

TEST_F(UpdateTest, CheckOffersTheNewerGroupsAndDownloadReplacesTheirFilesThenStartsTheProgramAgain)
{
    folder.writeSettings(u"[dvs]\nping=30000\n"_s);
    serveManifest(u"[patch]\nversion=13\nnewest=2004-07-22\ndate=04-07-22\nsize=35 KB\n"
                  u"patch_ini=@/patch\nversion_ini=@/version\n"
                  u"[links]\nversion=3\ndata_ini=@/data\n"
                  u"[help]\nversion=1\nhelp_ini=ftp://x\next_zvt=chm\nzvt_help=@/zvt\ndv_help=@/dv\n"
                  u"ext_dvs=../evil\ndvs_help=@/dvs\n"_s);
    server.serve("/patch", LoopbackServer::ok(kNewPatch));
    server.serve("/version", LoopbackServer::ok(kNewVersions));
    startProgram();
    const QString executable = update().executablePath();
    writeBytes(executable + u"NEW"_s, "new program");

    openUpdate();
    EXPECT_TRUE(update().isModal());
    EXPECT_EQ(update().Http.timeOut(), 30000) << "the ping setting, until the first check";
    EXPECT_FALSE(named(&update(), "butnDownload")->isEnabled());
    EXPECT_EQ(captions(), QStringList(4, u"Not checked"_s));

    click(&update(), "butnCheck");
    EXPECT_EQ(update().Http.timeOut(), 100000);
    EXPECT_EQ(named<QPushButton>(&update(), "butnCheck")->text(), u"Checking"_s);
    EXPECT_FALSE(named(&update(), "butnCheck")->isEnabled());
    EXPECT_FALSE(timeout()->isEnabled());
    // The poll's own timer finds the manifest.
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !named<QTimer>(&update(), "timeUpdate")->isActive(); }, 3000));
    EXPECT_EQ(captions(), (QStringList{u"Not checked"_s, u"2004-07-22 (04-07-22) [35 KB] (on)"_s,
                                       u"No new updates"_s, kOffered}));
    EXPECT_TRUE(timeout()->isEnabled());

    click(&update(), "cboxDVSDV");
    EXPECT_TRUE(named(&update(), "butnDownload")->isEnabled());
    click(&update(), "cboxDVSDV");
    EXPECT_FALSE(named(&update(), "butnDownload")->isEnabled());
    click(&update(), "cboxDVSDV");
    click(&update(), "cboxDVSHelp");

    // An address that is none, and an extension leading out of the Help folder, fail their
    // whole group: nothing of it is fetched.
    fake.messages.expectOk(MsgType::Error, u"Dravopax Vevavav could not download some Help files"_s);
    fake.messages.expectOk(MsgType::Information, u"Dravopax Vevavav now will reboot itself"_s);
    QSignalSpy ended(&update(), &TformUpdate::programEndRequested);
    click(&update(), "butnDownload");

    QStringList paths;
    for (const QByteArray &head : server.requests())
        paths << QString::fromLatin1(head.split(' ').value(1));
    EXPECT_EQ(paths, (QStringList{u"/update.ini"_s, u"/patch"_s, u"/version"_s}));
    EXPECT_EQ(readBytes(folder.files().patchIni()), kNewPatch);
    EXPECT_EQ(readBytes(folder.files().versionIni()), kNewVersions);
    EXPECT_FALSE(QFile::exists(folder.path() + u"/Help"_s));
    EXPECT_EQ(dataFolder(), kDataFiles);
    const auto *bar = named<QProgressBar>(&update(), "barProgress");
    EXPECT_EQ(std::pair(bar->maximum(), bar->value()), std::pair(6, 6));
    EXPECT_FALSE(QFile::exists(folder.files().updateIni()));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(readBytes(executable), "new program") << "the new executable replaced the old";
    EXPECT_EQ(fake.shell.starts(), (std::vector<FakeShell::Start>{{executable, QString(), folder.path()}}));
}

// A group is put in place only when each of its files came whole and is what it should be; a
// group not wholly in place is offered again, and only a group put in place brings a new start.
TEST_F(UpdateTest, OnlyAGroupWhoseFilesAllCameRightIsPutInPlaceAndTheOthersAreOfferedAgain)
{
    using Reply = LoopbackServer::Reply;
    const QByteArray oldData = readBytes(folder.files().dataIni());
    const QByteArray oldHelp = crlf(u"[Data]\nversion=2\n"_s);
    const QByteArray newData = crlf(u"[Data]\nversion=4\nupdatefile="_s + server.url(u"/update.ini"_s) +
                                    u"\n[Sites]\nHome=PAGE|x\n"_s);
    const QByteArray newHelp = crlf(u"[Data]\ndata=2026-12-01\nversion=3\n"_s);
    const std::map<QByteArray, QByteArray> right = {
        {"/patch", kNewPatch}, {"/version", kNewVersions}, {"/data", newData},  {"/help", newHelp},
        {"/zvt", "zvt help"},  {"/dv", "dv help"},         {"/dvs", "dvs help"}};
    const Reply page =
        LoopbackServer::ok("<!DOCTYPE html>\n<html><body>\n[data]\nversion=13\n</body></html>\n");
    const Reply toHttps = {"HTTP/1.0 302 Found\r\nLocation: https://127.0.0.1/x\r\n\r\n"};
    const QString patch = u"Dravopax Vevavav could not download some Dravopax update files\n"_s;
    const QString links = u"Dravopax Vevavav could not download some Links update files\n"_s;
    const QString help = u"Dravopax Vevavav could not download some Help files\n"_s;
    const QString invalid = u"The server did not send a valid "_s;
    const QString secure = u"HTTP Secure Socket is not supported"_s;
    const QString failed = u"[2]"_s + kNotConnected;
    const QStringList allInvalid = {patch + invalid + u"patch.ini"_s, links + invalid + u"data.ini"_s,
                                    help + invalid + u"help.ini"_s};
    // What is tested, the replies that differ (the other files come right; "*": every file), the
    // boxes shown, and the groups put in place.
    const std::tuple<const char *, std::vector<std::pair<QByteArray, Reply>>, QStringList, QByteArray>
        rows[] = {
            {"empty bodies", {{"*", LoopbackServer::ok({})}}, allInvalid, {}},
            {"error pages", {{"*", page}}, allInvalid, {}},
            {"redirects to https", {{"*", toHttps}}, {patch + secure, links + secure, help + secure}, {}},
            {"no content ends the download", {{"/patch", {"HTTP/1.0 204 No Content\r\n\r\n"}}}, {failed}, {}},
            {"the group's second file fails",
             {{"/version", {"HTTP/1.0 404 Not Found\r\n\r\n"}}},
             {failed},
             {}},
            {"an old version, no manifest address, an empty help file",
             {{"/patch", LoopbackServer::ok(crlf(u"[data]\nversion=12\n"_s))},
              {"/data", LoopbackServer::ok(crlf(u"[Data]\nversion=4\n"_s))},
              {"/dv", LoopbackServer::ok({})}},
             {patch + invalid + u"patch.ini"_s, links + invalid + u"data.ini"_s, help + invalid + u"DV.0"_s},
             {}},
            {"every file right", {}, {}, "patch links help"},
            {"a page for the versions",
             {{"/version", page}},
             {patch + invalid + u"version.ini"_s},
             "links help"},
        };
    serveManifest(u"[patch]\nversion=13\npatch_ini=@/patch\nversion_ini=@/version\n"
                  u"[links]\nversion=4\ndata_ini=@/data\n"
                  u"[help]\nversion=3\nhelp_ini=@/help\next_zvt=chm\nzvt_help=@/zvt\ndv_help=@/dv\n"
                  u"ext_dvs=txt\ndvs_help=@/dvs\n"_s);
    startProgram();
    // The rows go on after a new start: the old program is kept from ending.
    QObject::disconnect(&update(), &TformUpdate::programEndRequested, nullptr, nullptr);
    const QString helpFolder = folder.path() + u"/Help"_s;
    const QString stale = helpFolder + u"/DV.htm.download"_s;
    for (const auto &[name, replies, boxes, groups] : rows) {
        SCOPED_TRACE(name);
        writeBytes(folder.files().patchIni(), kPatch);
        writeBytes(folder.files().versionIni(), kVersions);
        writeBytes(folder.files().dataIni(), oldData);
        writeBytes(folder.files().helpIni(), oldHelp);
        QDir(helpFolder).removeRecursively();
        QDir().mkpath(helpFolder);
        // What a download killed part-way leaves behind goes at the next check.
        for (const QString &left : {folder.files().patchIni() + u".download"_s, stale,
                                    folder.files().versionIni() + u".download.0123abcd.tmp"_s})
            writeBytes(left, "left by a killed download");
        for (const auto &[path, body] : right)
            server.serve(path, LoopbackServer::ok(body));
        for (const auto &[path, reply] : replies) {
            for (const auto &[each, body] : right)
                if (path == "*" || path == each)
                    server.serve(each, reply);
        }
        const std::size_t starts = fake.shell.starts().size();
        openUpdate();
        check();
        EXPECT_FALSE(QFile::exists(stale));
        for (const char *box : {"cboxDVSDV", "cboxDVSData", "cboxDVSHelp"})
            click(&update(), box);
        for (const QString &box : boxes)
            fake.messages.expectOk(MsgType::Error, box);
        const auto stored = [&groups](const char *group) { return groups.contains(group); };
        if (!groups.isEmpty())
            fake.messages.expectOk(MsgType::Information, u"Dravopax Vevavav now will reboot itself"_s);
        click(&update(), "butnDownload");
        fake.messages.verify();

        EXPECT_EQ(readBytes(folder.files().patchIni()), stored("patch") ? kNewPatch : kPatch);
        EXPECT_EQ(readBytes(folder.files().versionIni()), stored("patch") ? kNewVersions : kVersions);
        EXPECT_EQ(readBytes(folder.files().dataIni()), stored("links") ? newData : oldData);
        EXPECT_EQ(readBytes(folder.files().helpIni()), stored("help") ? newHelp : oldHelp);
        EXPECT_EQ(dataFolder(),
                  (QStringList{u"data.ini"_s, u"help.ini"_s, u"patch.ini"_s, u"version.ini"_s}));
        QStringList helpFiles;
        for (const QString &name : QDir(helpFolder).entryList(QDir::Files))
            helpFiles << name + u'=' + QString::fromLatin1(readBytes(helpFolder + u'/' + name));
        const QStringList newHelpFiles{u"DV.0=dv help"_s, u"DVS.txt=dvs help"_s, u"ZVT.chm=zvt help"_s};
        EXPECT_EQ(helpFiles, stored("help") ? newHelpFiles : QStringList());
        EXPECT_EQ(fake.shell.starts().size(), starts + (groups.isEmpty() ? 0 : 1));

        click(&update(), "butnQuit");
        openUpdate();
        check();
        const auto offer = [&](const char *group) { return stored(group) ? u"No new updates"_s : kOffered; };
        EXPECT_EQ(captions(), (QStringList{u"Not checked"_s, offer("patch"), offer("links"), offer("help")}));
        click(&update(), "butnQuit");
    }
}

// Quit while a file comes ends its transfer and leaves no part of it, as a failure does.
TEST_F(UpdateTest, AFailedOrQuitDownloadIsReportedAndLeavesTheOldFilesByteIdentical)
{
    // What is tested, the reply to patch.ini (none: nobody listens), and the prefix of the message
    // (none: no message).
    const std::tuple<const char *, LoopbackServer::Reply, const char *> rows[] = {
        {"not found", {"HTTP/1.0 404 Not Found\r\n\r\n"}, "[2]"},
        {"closes early", {"HTTP/1.0 200 OK\r\nContent-Length: 400\r\n\r\n[data]\r\nversion=13\r\n"}, "[2]"},
        {"time-out", {"HTTP/1.0 200 OK\r\nContent-Length: 400\r\n\r\n[data]\r\n", true}, "[2]"},
        {"no server", {}, "[1]"},
        {"Quit mid-body",
         {"HTTP/1.0 200 OK\r\nContent-Length: 4000\r\n\r\n" + QByteArray(2000, 'x'), true,
          [this] { click(&update(), "butnQuit"); }},
         nullptr},
    };
    startProgram();
    for (const auto &[name, reply, prefix] : rows) {
        SCOPED_TRACE(name);
        const QString patchUrl = reply.bytes.isEmpty() ? LoopbackServer::refusingUrl() : u"@/patch"_s;
        serveManifest(u"[patch]\nversion=13\npatch_ini="_s + patchUrl + u"\nversion_ini=@/version\n"_s);
        server.serve("/patch", reply);
        server.serve("/version", LoopbackServer::ok("new versions"));
        openUpdate();
        EXPECT_TRUE(named(&update(), "butnCheck")->isEnabled()) << "every showing starts at Ready";
        timeout()->setText(u"800"_s);
        check();
        click(&update(), "cboxDVSDV");
        if (prefix)
            fake.messages.expectOk(MsgType::Error, QString::fromLatin1(prefix) + kNotConnected);
        click(&update(), "butnDownload");

        EXPECT_EQ(readBytes(folder.files().patchIni()), kPatch);
        EXPECT_EQ(readBytes(folder.files().versionIni()), kVersions) << "the download ended with the failure";
        EXPECT_EQ(dataFolder(), kDataFiles);
        EXPECT_TRUE(fake.shell.starts().empty());
        EXPECT_FALSE(named(&update(), "butnCheck")->isEnabled());
        EXPECT_FALSE(named(&update(), "cboxDVSDV")->isEnabled());

        EXPECT_EQ(update().isVisible(), prefix != nullptr);
        if (prefix)
            click(&update(), "butnQuit");
        EXPECT_FALSE(update().isVisible());
        EXPECT_FALSE(QFile::exists(folder.files().updateIni()));
        EXPECT_FALSE(named<QProgressBar>(&update(), "barProgress")->isVisible());
        EXPECT_FALSE(named<QCheckBox>(&update(), "cboxDVSDV")->isChecked());
        EXPECT_EQ(captions(), QStringList(4, u"Not checked"_s));
    }
}

// Where the folders refuse a write, the old files stay and the user is told: a group whose
// version list may not be replaced keeps its old database too (the version carrier goes last),
// and the downloaded program takes the old one's place only whole.
TEST_F(UpdateTest, RefusedWritesAreReportedAndKeepTheOldGroupAndTheOldProgram)
{
    serveManifest(u"[patch]\nversion=13\npatch_ini=@/patch\nversion_ini=@/version\n"
                  u"[links]\nversion=4\ndata_ini=@/data\n"_s);
    const QByteArray newData =
        crlf(u"[Data]\nversion=4\nupdatefile="_s + server.url(u"/update.ini"_s) + u"\n"_s);
    server.serve("/patch", LoopbackServer::ok(kNewPatch));
    server.serve("/version", LoopbackServer::ok(kNewVersions));
    server.serve("/data", LoopbackServer::ok(newData));
    startProgram();
    const QString executable = update().executablePath();
    writeBytes(executable, "old program");
    writeBytes(executable + u"NEW"_s, "new program");
    openUpdate();
    check();
    click(&update(), "cboxDVSDV");
    click(&update(), "cboxDVSData");
    // The user may write in the Data folder and its files, but not version.ini nor the program folder.
    giveToOrdinaryUser(folder.path(), 0555);
    giveToOrdinaryUser(folder.path() + u"/Data"_s, 0755);
    giveToOrdinaryUser(folder.files().patchIni(), 0644);
    giveToOrdinaryUser(folder.files().dataIni(), 0644);
    fake.messages.expectOk(
        MsgType::Error,
        u"Dravopax Vevavav could not download some Dravopax update files\nUnable to write to "_s +
            folder.files().versionIni());
    fake.messages.expectOk(MsgType::Information, u"Dravopax Vevavav now will reboot itself"_s);
    fake.messages.expectOk(MsgType::Error, u"Unable to write to "_s + executable);
    ASSERT_TRUE(asOrdinaryUser([&] { click(&update(), "butnDownload"); }));

    EXPECT_EQ(readBytes(folder.files().patchIni()), kPatch);
    EXPECT_EQ(readBytes(folder.files().versionIni()), kVersions);
    EXPECT_EQ(readBytes(folder.files().dataIni()), newData);
    EXPECT_EQ(dataFolder(), kDataFiles);
    EXPECT_EQ(readBytes(executable), "old program");
    EXPECT_EQ(readBytes(executable + u"NEW"_s), "new program");
    EXPECT_EQ(fake.shell.starts(), (std::vector<FakeShell::Start>{{executable, QString(), folder.path()}}));
}

TEST_F(UpdateTest, ABadTimeOutADamagedDataFileOrAFailedCheckStopsTheCheckAndOffersNothing)
{
    startProgram();
    openUpdate();
    timeout()->selectAll();
    QTest::keyClicks(timeout(), u"x2.5y"_s);
    EXPECT_EQ(timeout()->text(), u"2.5"_s) << "only digits and the point are typed";
    // Keys that edit or move on are no characters and pass.
    timeout()->setFocus();
    QTest::keyClick(timeout(), Qt::Key_Home);
    QTest::keyClick(timeout(), Qt::Key_Delete);
    EXPECT_EQ(timeout()->text(), u".5"_s);
    QTest::keyClick(timeout(), Qt::Key_Tab);
    EXPECT_NE(update().focusWidget(), timeout()) << "Tab leaves the field";
    timeout()->setFocus();
    QTest::keyClick(timeout(), Qt::Key_Escape);
    EXPECT_FALSE(update().isVisible()) << "Escape in the field leaves the window";
    openUpdate();
    timeout()->selectAll();
    QTest::keyClicks(timeout(), u"2.5"_s);
    fake.messages.expectOk(MsgType::Error, u"'2.5' is not a valid integer value"_s);
    click(&update(), "butnCheck");
    EXPECT_TRUE(named(&update(), "butnCheck")->isEnabled());
    QTest::keyClicks(timeout(), u"\b\b000"_s);
    EXPECT_EQ(timeout()->text(), u"2000"_s);

    writeText(folder.files().dataIni(), u"[data]\nversion=3\n"_s);
    fake.messages.expectOk(MsgType::Error, u"Data file damaged.\nDravopax Vevavav cannot update."_s);
    click(&update(), "butnCheck");
    EXPECT_FALSE(named(&update(), "butnCheck")->isEnabled());
    EXPECT_FALSE(timeout()->isEnabled());
    EXPECT_FALSE(named<QTimer>(&update(), "timeUpdate")->isActive());
    EXPECT_TRUE(server.requests().empty());
    QTest::keyClick(&update(), Qt::Key_Escape);
    EXPECT_FALSE(update().isVisible()) << "Escape leaves as Quit does";

    openUpdate();
    EXPECT_EQ(named<QPushButton>(&update(), "butnCheck")->text(), u"Checking"_s) << "the caption stays";

    // A manifest an earlier run left behind offers nothing when the one asked for does not come.
    writeText(folder.files().dataIni(), u"[data]\nversion=3\nupdatefile="_s + server.url(u"/update.ini"_s));
    writeText(folder.files().updateIni(), u"[patch]\nversion=13\npatch_ini=http://x/p\n"_s);
    fake.messages.expectOk(MsgType::Error, u"[2]"_s + kNotConnected);
    check();
    EXPECT_EQ(captions(), QStringList(4, u"Not checked"_s));
    EXPECT_FALSE(named<QTimer>(&update(), "timeUpdate")->isActive());
    EXPECT_FALSE(named(&update(), "butnCheck")->isEnabled());

    // What comes as the manifest without being one is a failed check, not "No new updates".
    for (const QByteArray &body : {QByteArray("<html><body>Try again</body></html>"), QByteArray(),
                                  QByteArray("[error]\r\ncode=503\r\n")}) {
        SCOPED_TRACE(body.toStdString());
        QTest::keyClick(&update(), Qt::Key_Escape);
        openUpdate();
        server.serve("/update.ini", LoopbackServer::ok(body));
        fake.messages.expectOk(MsgType::Error, u"[2]"_s + kNotConnected);
        check();
        EXPECT_EQ(captions(), QStringList(4, u"Not checked"_s));
    }
}

TEST(UpdateManifest, AGroupIsNewerOnlyWhenItsVersionExceedsTheInstalledStampAndGarbageOffersNothing)
{
    const QByteArray garbage = QByteArray("\x00\xff\x01[\x9c=\x00\n\x7f", 10).repeated(500);
    // The patch section of the manifest, and patch.ini's data section (none: no file).
    const std::tuple<QByteArray, QByteArray, bool> rows[] = {
        {"version=13", "version=12", true},
        {"version=12", "version=12", false},
        {"version=1", {}, true},
        {{}, {}, false},
        {"version=abc", {}, false},
        {"version=99999999999", {}, false},
        {"version=13", "version=abc", true},
        {"version=-1", {}, false},
        {"version=5\n" + garbage, {}, true},
        {garbage, {}, false},
    };
    for (const auto &[section, installed, newer] : rows) {
        SCOPED_TRACE(section.left(20).toStdString() + " / " + installed.toStdString());
        TestProgramFolder folder;
        writeBytes(folder.files().updateIni(), "[patch]\n" + section + "\n[links]\nversion=1\n");
        if (!installed.isEmpty())
            writeBytes(folder.files().patchIni(), "[data]\n" + installed + "\n");
        writeBytes(folder.files().dataIni(), "[data]\nversion=1\n");
        const UpdateManifest manifest(folder.files(), QString());
        EXPECT_EQ(manifest.isNewer(UpdateGroup::Patch), newer);
        EXPECT_FALSE(manifest.isNewer(UpdateGroup::Links)) << "the same version is not newer";
        EXPECT_FALSE(manifest.isNewer(UpdateGroup::Executable)) << "the executable carries no version";
    }
}

TEST(UpdateManifest, AFileIsReplacedOnlyByOneOfItsKindWithTheAnnouncedVersionAndHelpStaysInItsFolder)
{
    TestProgramFolder folder;
    const ProgramFiles &files = folder.files();
    for (const char *name : {"patch.ini", "version.ini", "data.ini", "help.ini"})
        folder.copySampleData(QString::fromLatin1(name));
    writeBytes(files.updateIni(), "[patch]\nversion=7\n[links]\nversion=3\n[help]\nversion=2\n");
    using enum UpdateGroup;
    const std::tuple<const char *, UpdateGroup, QString, QByteArray, bool> rows[] = {
        {"the shipped switches", Patch, files.patchIni(), readBytes(files.patchIni()), true},
        {"the shipped versions", Patch, files.versionIni(), readBytes(files.versionIni()), true},
        {"the shipped links", Links, files.dataIni(), readBytes(files.dataIni()), true},
        {"the shipped help stamp", Help, files.helpIni(), readBytes(files.helpIni()), true},
        {"a mark, comments and blanks first", Patch, files.patchIni(),
         "\xEF\xBB\xBF; database\r\n\r\n  [DATA]\r\nVersion = 7\r\n", true},
        {"markup first", Patch, files.patchIni(), "<pre>\n[data]\nversion=7\n", false},
        {"a NUL byte", Help, files.helpIni(), QByteArray("[data]\nversion=2\n\0", 18), false},
        {"the version elsewhere", Patch, files.patchIni(), "[other]\nversion=7\n", false},
        {"a newer version than announced", Help, files.helpIni(), "[data]\nversion=3\n", false},
        {"no count of versions", Patch, files.versionIni(), "[version]\ndisplay1=x\n", false},
        {"a help file that is a page", Help, files.file(u"\\Help\\DV.htm"_s), "<html></html>", true},
    };
    const UpdateManifest manifest(files, QString());
    for (const auto &[name, group, target, body, accepted] : rows)
        EXPECT_EQ(manifest.accepts(group, UpdateFile{u"http://h/f"_s, target}, body), accepted) << name;

    // A help extension that would lead out of the Help folder is refused.
    for (const QString &extension :
         {u"a/b"_s, u"a\\b"_s, u".."_s, u"x..y"_s, u"c:x"_s, u"a*"_s, u"a\tb"_s, u"\u00e9.chm"_s}) {
        SCOPED_TRACE(extension.toStdString());
        writeText(folder.files().updateIni(),
                  u"[help]\next_zvt="_s + extension + u"\nzvt_help=http://h/z\n"_s);
        const UpdateFile file = UpdateManifest(folder.files(), QString()).files(UpdateGroup::Help)[1];
        const bool plain = extension.startsWith(u'\u00e9');
        EXPECT_EQ(file.fetchable(), plain);
        EXPECT_EQ(file.target, plain ? folder.path() + u"/Help/ZVT."_s + extension : QString());
    }
}

class AboutTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        writeText(folder.files().dataIni(), u"[Data]\ndata=2026-11-20\nversion=3\n"_s);
        writeText(folder.files().helpIni(), u"[data]\nDATA=2026-10-01\n"_s);
        folder.writePatch(u"[data]\norgdata=2026-09-09\nuserdata=2026-12-01\n"_s); // no flag: no user date
        folder.writeSettings(u"[dvs]\ncounter=6\n"_s);
    }
    TformAbout &about() const { return *windows->update().formAbout(); }
    QLabel *label(const char *name) const { return named<QLabel>(&about(), name); }
    QColor colourOf(QLabel *label) const { return label->palette().color(QPalette::WindowText); }
};

TEST_F(AboutTest, F1ShowsTheDataVersionsAndStartCountReadAgainAtEveryShowingAndLinksThatOpenInTheShell)
{
    startProgram();
    QTest::keyClick(formMain, Qt::Key_F1);
    ASSERT_TRUE(about().isVisible());
    EXPECT_TRUE(about().isModal());
    EXPECT_EQ(about().windowTitle(), u"About"_s);
    EXPECT_EQ(label("lablVersionExe")->text(), u"0.9.92 (2004-07-22)"_s);
    EXPECT_EQ(label("lablVersionDVSData")->text(), u"2026-11-20"_s);
    EXPECT_EQ(label("lablVersionHelp")->text(), u"2026-10-01"_s);
    EXPECT_EQ(label("lablVersionPatchData")->text(), u"2026-09-09"_s);
    EXPECT_EQ(label("labCOUNT")->text(), u"7"_s) << "this start counted too";
    // The title and the links are drawn underlined; the title's shadow is not.
    for (const char *name : {"lablDVS1", "lablDVS2", "lablDVSWWW", "lablDVSMail"})
        EXPECT_TRUE(label(name)->font().underline()) << name;
    QFont title = label("lablDVS2")->font();
    title.setUnderline(false);
    EXPECT_EQ(label("lablDVS3")->font(), title) << "the shadow has the title's shape";
    // Captions and the values they name stand in columns.
    for (const auto &[a, b] : {std::pair("lablWWW", "lablMail"), std::pair("lablDVSWWW", "lablDVSMail"),
                               std::pair("lablVersionExe", "lablVersionHelp")})
        EXPECT_EQ(label(a)->x(), label(b)->x()) << a << " " << b;
    click(&about(), "butnClose");
    EXPECT_FALSE(about().isVisible());

    folder.writePatch(u"[data]\norgdata=2026-09-09\nuserchnage=1\n"_s);
    QFile::remove(folder.files().dataIni());
    QFile::remove(folder.files().settingsIni());
    click(action("itemAbout"));
    EXPECT_EQ(label("lablVersionPatchData")->text(), u"2026-09-09, User: Not found"_s);
    EXPECT_EQ(label("lablVersionDVSData")->text(), u"Not found"_s);
    EXPECT_EQ(label("labCOUNT")->text(), u"1"_s) << "without settings.ini";

    // The links turn red under the mouse and open through the shell, as the Help menu's links do.
    QLabel *www = label("lablDVSWWW");
    EXPECT_EQ(colourOf(www), QColor(Qt::blue));
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(www, &enter);
    EXPECT_EQ(colourOf(www), QColor(Qt::red));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(www, &leave);
    EXPECT_EQ(colourOf(www), QColor(Qt::blue));

    QTest::mouseClick(www, Qt::RightButton);
    EXPECT_TRUE(fake.shell.starts().empty()) << "only the left button follows a link";
    QTest::mouseClick(www, Qt::LeftButton);
    click(&about(), "lablDVSMail");
    click(action("itemHelpLinksDVSHomePage"));
    click(action("itemHelpLinksDVSEMail"));
    const FakeShell::Start home{u"http://dravopax-vevavav.example.org/"_s, QString(), QString()};
    const FakeShell::Start mail{u"mailto:author@dravopax-vevavav.example.org?subject=Dravopax Vevavav"_s,
                                QString(), QString()};
    EXPECT_EQ(fake.shell.starts(), (std::vector<FakeShell::Start>{home, mail, home, mail}));
}

// An installed program belongs to the system's packages: the update puts the data in the user's
// folder, takes no program file found there for a new one, and starts the installed program anew.
TEST_F(UpdateTest, AnInstalledProgramIsNeitherReplacedNorLookedForInTheUsersFolder)
{
    serveManifest(u"[patch]\nversion=13\npatch_ini=@/patch\nversion_ini=@/version\n"_s);
    server.serve("/patch", LoopbackServer::ok(kNewPatch));
    server.serve("/version", LoopbackServer::ok(kNewVersions));
    TformUpdate update(ProgramFiles(folder.path(), FilesHome::UserFolder), fake.platform());
    const QString installed = QCoreApplication::applicationFilePath();
    const QString besideFiles = folder.path() + u'/' + QFileInfo(installed).fileName();
    writeBytes(besideFiles + u"NEW"_s, "new program");
    update.Initialize();
    update.show();
    QTest::mouseClick(named<QPushButton>(&update, "butnCheck"), Qt::LeftButton);
    update.timeUpdateTimer();
    QTest::mouseClick(named<QCheckBox>(&update, "cboxDVSDV"), Qt::LeftButton);
    fake.messages.expectOk(MsgType::Information, u"Dravopax Vevavav now will reboot itself"_s);
    QTest::mouseClick(named<QPushButton>(&update, "butnDownload"), Qt::LeftButton);

    EXPECT_EQ(readBytes(folder.files().patchIni()), kNewPatch);
    EXPECT_EQ(readBytes(besideFiles + u"NEW"_s), "new program");
    EXPECT_FALSE(QFile::exists(besideFiles));
    EXPECT_EQ(fake.shell.starts(), (std::vector<FakeShell::Start>{{installed, QString(), folder.path()}}));
}

} // namespace
