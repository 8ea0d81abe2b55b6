#include "app/ProgramWindows.h"
#include "app/TformMain.h"
#include "support/LoopbackServer.h"
#include "support/MainWindowFixture.h"
#include "update/TformUpdate.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kPatch = crlf(u"[data]\nversion=12\norgdata=2026-01-01\n"_s);
const QByteArray kVersions = crlf(u"[ver1]\nname=first\n"_s);

QString failureMessage(const QString &prefix)
{
    return prefix +
           u"Dravopax Vevavav could not connect.\nTry again later or e-mail me (maintainer@dravopax-vevavav.example.org)"_s;
}

class UpdateTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        setUpdateFile(server.url(u"/update.ini"_s));
        writeBytes(folder.files().patchIni(), kPatch);
        writeBytes(folder.files().versionIni(), kVersions);
    }
    void setUpdateFile(const QString &url)
    {
        writeText(folder.files().dataIni(), u"[data]\nversion=3\nupdatefile="_s + url + u"\n"_s);
    }
    // Serves a manifest whose addresses "@/x" lead to path /x of the test's server.
    void serveManifest(const QString &text)
    {
        QString manifest = text;
        server.serve("/update.ini",
                     LoopbackServer::ok(crlf(manifest.replace(u"@"_s, server.url(QString())))));
    }

    TformUpdate &update() const { return windows->formUpdate(); }
    void openUpdate()
    {
        QTest::mouseClick(formMain->butnUpdate, Qt::LeftButton);
        ASSERT_TRUE(update().isVisible());
    }
    void typeTimeOut(const QString &text)
    {
        update().editTimeout->selectAll();
        QTest::keyClicks(update().editTimeout, text);
    }
    // Check, and the poll's tick once the transfer is over.
    void check()
    {
        QTest::mouseClick(update().butnCheck, Qt::LeftButton);
        ASSERT_TRUE(update().timeUpdate->isActive());
        update().timeUpdateTimer();
    }
    QStringList captions() const
    {
        QStringList shown;
        for (const QCheckBox *box :
             {update().cboxDVS, update().cboxDVSDV, update().cboxDVSData, update().cboxDVSHelp})
            shown << box->text() + (box->isEnabled() ? u" (on)"_s : u""_s);
        return shown;
    }
    QStringList requestedPaths() const
    {
        QStringList paths;
        for (const QByteArray &head : server.requests())
            paths << QString::fromLatin1(head.split(' ').value(1));
        return paths;
    }
    QStringList dataFolder() const { return QDir(folder.path() + u"/Data"_s).entryList(QDir::Files); }

    LoopbackServer server;
};

TEST_F(UpdateTest, CheckOffersTheNewerGroupsAndDownloadReplacesTheirFilesThenStartsTheProgramAgain)
{
    folder.writeSettings(u"[dvs]\nping=30000\n"_s);
    serveManifest(u"[patch]\nversion=13\nnewest=2004-07-22\ndate=04-07-22\nsize=35 KB\n"
                  u"patch_ini=@/patch\nversion_ini=@/version\n"
                  u"[links]\nversion=3\ndata_ini=@/data\n"
                  u"[help]\nversion=1\nhelp_ini=@/help\next_zvt=chm\nzvt_help=@/zvt\ndv_help=@/dv\n"
                  u"ext_dvs=../evil\ndvs_help=@/dvs\n"_s);
    const QByteArray newPatch = crlf(u"[data]\nversion=13\n"_s);
    server.serve("/patch", LoopbackServer::ok(newPatch));
    server.serve("/version", LoopbackServer::ok("[ver1]\r\nname=new\r\n"));
    server.serve("/help", LoopbackServer::ok("[data]\r\nversion=1\r\n"));
    server.serve("/zvt", LoopbackServer::ok("game help"));
    server.serve("/dv", LoopbackServer::ok("patch help"));
    startProgram();
    const QString executable = update().executablePath();
    writeBytes(executable + u"NEW"_s, "new program");

    ASSERT_TRUE(formMain->butnUpdate->isEnabled());
    openUpdate();
    EXPECT_TRUE(update().isModal());
    EXPECT_EQ(update().windowTitle(), u"Update"_s);
    EXPECT_EQ(update().size(), QSize(302, 215));
    EXPECT_EQ(update().Http.timeOut(), 30000) << "the ping setting, until the first check";
    EXPECT_FALSE(update().butnDownload->isEnabled());
    EXPECT_EQ(captions(), QStringList(4, u"Not checked"_s));

    QTest::mouseClick(update().butnCheck, Qt::LeftButton);
    EXPECT_EQ(update().Http.timeOut(), 100000);
    EXPECT_EQ(update().butnCheck->text(), u"Checking"_s);
    EXPECT_FALSE(update().butnCheck->isEnabled());
    EXPECT_FALSE(update().editTimeout->isEnabled());
    EXPECT_EQ(update().timeUpdate->interval(), 1000);
    // The poll's own timer finds the manifest.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !update().timeUpdate->isActive(); }, 3000));
    EXPECT_EQ(captions(),
              (QStringList{u"Not checked"_s, u"2004-07-22 (04-07-22) [35 KB] (on)"_s, u"No new updates"_s,
                           u"CORRUPTED FILE (?\?-?\?-?\?) [??? KB] (on)"_s}));
    EXPECT_TRUE(update().editTimeout->isEnabled());
    EXPECT_FALSE(update().butnCheck->isEnabled());

    QTest::mouseClick(update().cboxDVSDV, Qt::LeftButton);
    EXPECT_TRUE(update().butnDownload->isEnabled());
    QTest::mouseClick(update().cboxDVSDV, Qt::LeftButton);
    EXPECT_FALSE(update().butnDownload->isEnabled());
    QTest::mouseClick(update().cboxDVSDV, Qt::LeftButton);
    QTest::mouseClick(update().cboxDVSHelp, Qt::LeftButton);

    fake.messages.expectOk(MsgType::Error, u"Dravopax Vevavav could not download some Help files"_s);
    fake.messages.expectOk(MsgType::Information, u"Dravopax Vevavav now will reboot itself"_s);
    QSignalSpy ended(&update(), &TformUpdate::programEndRequested);
    QTest::mouseClick(update().butnDownload, Qt::LeftButton);

    EXPECT_EQ(requestedPaths(),
              (QStringList{u"/update.ini"_s, u"/patch"_s, u"/version"_s, u"/help"_s, u"/zvt"_s, u"/dv"_s}));
    EXPECT_EQ(readBytes(folder.files().patchIni()), newPatch);
    EXPECT_EQ(readBytes(folder.files().versionIni()), "[ver1]\r\nname=new\r\n");
    EXPECT_EQ(readBytes(folder.path() + u"/Help/ZVT.chm"_s), "game help");
    EXPECT_EQ(readBytes(folder.path() + u"/Help/DV.0"_s), "patch help");
    EXPECT_EQ(QDir(folder.path() + u"/Help"_s).entryList(QDir::Files),
              (QStringList{u"DV.0"_s, u"ZVT.chm"_s}));
    EXPECT_FALSE(QFile::exists(folder.path() + u"/evil"_s));
    EXPECT_EQ(dataFolder(), (QStringList{u"data.ini"_s, u"help.ini"_s, u"patch.ini"_s, u"version.ini"_s}));
    EXPECT_EQ(update().barProgress->maximum(), 6);
    EXPECT_EQ(update().barProgress->value(), 6);
    EXPECT_FALSE(QFile::exists(folder.files().updateIni()));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(readBytes(executable), "new program") << "the new executable replaced the old";
    EXPECT_EQ(fake.shell.starts(), (std::vector<FakeShell::Start>{{executable, QString(), folder.path()}}));
}

TEST_F(UpdateTest, AFailedDownloadIsReportedAndLeavesTheOldFilesByteIdentical)
{
    struct Row
    {
        const char *name;
        LoopbackServer::Reply patch;
        const char *prefix;
    };
    const Row rows[] = {
        {"not found", LoopbackServer::status("HTTP/1.0 404 Not Found"), "[2]"},
        {"closed mid-body",
         {"HTTP/1.0 200 OK\r\nContent-Length: 400\r\n\r\n[data]\r\nversion=13\r\n"},
         "[2]"},
        {"time-out", {"HTTP/1.0 200 OK\r\nContent-Length: 400\r\n\r\n[data]\r\n", true}, "[2]"},
        {"no server", {}, "[1]"},
    };
    startProgram();
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QString patchUrl = row.patch.bytes.isEmpty() ? LoopbackServer::refusingUrl() : u"@/patch"_s;
        serveManifest(u"[patch]\nversion=13\npatch_ini="_s + patchUrl + u"\nversion_ini=@/version\n"_s);
        server.serve("/patch", row.patch);
        server.serve("/version", LoopbackServer::ok("new versions"));
        openUpdate();
        EXPECT_TRUE(update().butnCheck->isEnabled()) << "every showing starts at Ready";
        typeTimeOut(u"800"_s);
        check();
        QTest::mouseClick(update().cboxDVSDV, Qt::LeftButton);
        fake.messages.expectOk(MsgType::Error, failureMessage(QString::fromLatin1(row.prefix)));
        QTest::mouseClick(update().butnDownload, Qt::LeftButton);

        EXPECT_EQ(readBytes(folder.files().patchIni()), kPatch);
        EXPECT_EQ(readBytes(folder.files().versionIni()), kVersions) << "the download ended with the failure";
        EXPECT_EQ(dataFolder(), (QStringList{u"data.ini"_s, u"patch.ini"_s, u"version.ini"_s}));
        EXPECT_TRUE(fake.shell.starts().empty());
        EXPECT_FALSE(update().butnCheck->isEnabled());
        EXPECT_FALSE(update().cboxDVSDV->isEnabled());

        QTest::mouseClick(update().butnQuit, Qt::LeftButton);
        EXPECT_FALSE(update().isVisible());
        EXPECT_FALSE(QFile::exists(folder.files().updateIni()));
        EXPECT_FALSE(update().barProgress->isVisible());
        EXPECT_FALSE(update().cboxDVSDV->isChecked());
        EXPECT_EQ(captions(), QStringList(4, u"Not checked"_s));
    }
}

TEST_F(UpdateTest, ABadTimeOutADamagedDataFileAndAnUnreachableServerStopTheCheck)
{
    startProgram();
    openUpdate();
    typeTimeOut(u"x2.5y"_s);
    EXPECT_EQ(update().editTimeout->text(), u"2.5"_s) << "only digits and the point are typed";
    fake.messages.expectOk(MsgType::Error, u"'2.5' is not a valid integer value"_s);
    QTest::mouseClick(update().butnCheck, Qt::LeftButton);
    EXPECT_TRUE(update().butnCheck->isEnabled());
    QTest::keyClick(update().editTimeout, Qt::Key_Backspace);
    QTest::keyClick(update().editTimeout, Qt::Key_Backspace);
    QTest::keyClicks(update().editTimeout, u"000"_s);
    EXPECT_EQ(update().editTimeout->text(), u"2000"_s);

    writeText(folder.files().dataIni(), u"[data]\nversion=3\n"_s);
    fake.messages.expectOk(MsgType::Error, u"Data file damaged.\nDravopax Vevavav cannot update."_s);
    QTest::mouseClick(update().butnCheck, Qt::LeftButton);
    EXPECT_FALSE(update().butnCheck->isEnabled());
    EXPECT_FALSE(update().editTimeout->isEnabled());
    EXPECT_FALSE(update().timeUpdate->isActive());
    EXPECT_TRUE(server.requests().empty());
    QTest::keyClick(&update(), Qt::Key_Escape);
    EXPECT_FALSE(update().isVisible()) << "Escape leaves as Quit does";

    setUpdateFile(LoopbackServer::refusingUrl());
    openUpdate();
    EXPECT_EQ(update().butnCheck->text(), u"Checking"_s) << "the caption stays as it was left";
    fake.messages.expectOk(MsgType::Error, failureMessage(u"[1]"_s));
    QTest::mouseClick(update().butnCheck, Qt::LeftButton);
    EXPECT_FALSE(update().butnCheck->isEnabled());
    EXPECT_FALSE(update().cboxDVSDV->isEnabled());
    EXPECT_FALSE(QFile::exists(folder.files().updateIni()));
}

TEST_F(UpdateTest, AddressesThatAreNoHttpAddressesAreReportedAndSkipped)
{
    const QString longUrl = u"http://"_s + QString(10000, u'a');
    serveManifest(u"[help]\nversion=2\nhelp_ini=ftp://x\nzvt_help=http://\ndv_help=http://[::1\n"
                  u"dvs_help="_s +
                  longUrl + u"\n"_s);
    startProgram();
    openUpdate();
    check();
    QTest::mouseClick(update().cboxDVSHelp, Qt::LeftButton);
    for (const QString &refused :
         {u"ftp://x"_s, u"http://"_s, u"http://[::1"_s, longUrl.left(100) + u"..."_s})
        fake.messages.expectOk(MsgType::Error, u"Invalid URL: "_s + refused);
    fake.messages.expectOk(MsgType::Error, u"Dravopax Vevavav could not download some Help files"_s);
    fake.messages.expectOk(MsgType::Information, u"Dravopax Vevavav now will reboot itself"_s);
    QTest::mouseClick(update().butnDownload, Qt::LeftButton);
    EXPECT_EQ(requestedPaths(), QStringList{u"/update.ini"_s});
    EXPECT_EQ(dataFolder(), (QStringList{u"data.ini"_s, u"patch.ini"_s, u"version.ini"_s}));
}

TEST_F(UpdateTest, QuitDuringADownloadEndsTheTransferAndLeavesNoPartialFile)
{
    serveManifest(u"[patch]\nversion=13\npatch_ini=@/patch\nversion_ini=@/version\n"_s);
    LoopbackServer::Reply half{"HTTP/1.0 200 OK\r\nContent-Length: 4000\r\n\r\n" + QByteArray(2000, 'x'),
                               true};
    half.afterSent = [this] { QTest::mouseClick(update().butnQuit, Qt::LeftButton); };
    server.serve("/patch", half);
    startProgram();
    openUpdate();
    check();
    QTest::mouseClick(update().cboxDVSDV, Qt::LeftButton);
    QTest::mouseClick(update().butnDownload, Qt::LeftButton);
    EXPECT_FALSE(update().isVisible());
    EXPECT_EQ(requestedPaths(), (QStringList{u"/update.ini"_s, u"/patch"_s})) << "nothing fetched after Quit";
    EXPECT_EQ(readBytes(folder.files().patchIni()), kPatch);
    EXPECT_EQ(dataFolder(), (QStringList{u"data.ini"_s, u"patch.ini"_s, u"version.ini"_s}));
    EXPECT_TRUE(fake.shell.starts().empty());
}

} // namespace
