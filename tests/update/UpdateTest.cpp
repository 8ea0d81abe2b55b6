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

    TformUpdate &update() const { return windows->formUpdate(); }
    void openUpdate()
    {
        QTest::mouseClick(formMain->butnUpdate, Qt::LeftButton);
        ASSERT_TRUE(update().isVisible());
    }
    QStringList captions() const
    {
        QStringList shown;
        for (const QCheckBox *box :
             {update().cboxDVS, update().cboxDVSDV, update().cboxDVSData, update().cboxDVSHelp})
            shown << box->text() + (box->isEnabled() ? u" (on)"_s : u""_s);
        return shown;
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
                  u"[help]\nversion=1\nhelp_ini=ftp://x\next_zvt=chm\nzvt_help=@/zvt\ndv_help=@/dv\n"
                  u"ext_dvs=../evil\ndvs_help=@/dvs\n"_s);
    for (const char *name : {"patch", "version", "zvt", "dv"})
        server.serve('/' + QByteArray(name), LoopbackServer::ok("new " + QByteArray(name)));
    startProgram();
    const QString executable = update().executablePath();
    writeBytes(executable + u"NEW"_s, "new program");

    openUpdate();
    EXPECT_TRUE(update().isModal());
    EXPECT_EQ(update().Http.timeOut(), 30000) << "the ping setting, until the first check";
    EXPECT_FALSE(update().butnDownload->isEnabled());
    EXPECT_EQ(captions(), QStringList(4, u"Not checked"_s));

    QTest::mouseClick(update().butnCheck, Qt::LeftButton);
    EXPECT_EQ(update().Http.timeOut(), 100000);
    EXPECT_EQ(update().butnCheck->text(), u"Checking"_s);
    EXPECT_FALSE(update().butnCheck->isEnabled());
    EXPECT_FALSE(update().editTimeout->isEnabled());
    // The poll's own timer finds the manifest.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !update().timeUpdate->isActive(); }, 3000));
    EXPECT_EQ(captions(),
              (QStringList{u"Not checked"_s, u"2004-07-22 (04-07-22) [35 KB] (on)"_s, u"No new updates"_s,
                           u"CORRUPTED FILE (?\?-?\?-?\?) [??? KB] (on)"_s}));
    EXPECT_TRUE(update().editTimeout->isEnabled());

    QTest::mouseClick(update().cboxDVSDV, Qt::LeftButton);
    EXPECT_TRUE(update().butnDownload->isEnabled());
    QTest::mouseClick(update().cboxDVSDV, Qt::LeftButton);
    EXPECT_FALSE(update().butnDownload->isEnabled());
    QTest::mouseClick(update().cboxDVSDV, Qt::LeftButton);
    QTest::mouseClick(update().cboxDVSHelp, Qt::LeftButton);

    // An address that is none, and an extension leading out of the Help folder, skip their files.
    fake.messages.expectOk(MsgType::Error, u"Invalid URL: ftp://x"_s);
    fake.messages.expectOk(MsgType::Error, u"Dravopax Vevavav could not download some Help files"_s);
    fake.messages.expectOk(MsgType::Information, u"Dravopax Vevavav now will reboot itself"_s);
    QSignalSpy ended(&update(), &TformUpdate::programEndRequested);
    QTest::mouseClick(update().butnDownload, Qt::LeftButton);

    QStringList paths;
    for (const QByteArray &head : server.requests())
        paths << QString::fromLatin1(head.split(' ').value(1));
    EXPECT_EQ(paths, (QStringList{u"/update.ini"_s, u"/patch"_s, u"/version"_s, u"/zvt"_s, u"/dv"_s}));
    EXPECT_EQ(readBytes(folder.files().patchIni()), "new patch");
    EXPECT_EQ(readBytes(folder.files().versionIni()), "new version");
    EXPECT_EQ(readBytes(folder.path() + u"/Help/ZVT.chm"_s), "new zvt");
    EXPECT_EQ(readBytes(folder.path() + u"/Help/DV.0"_s), "new dv");
    EXPECT_EQ(QDir(folder.path() + u"/Help"_s).entryList(QDir::Files),
              (QStringList{u"DV.0"_s, u"ZVT.chm"_s}));
    EXPECT_EQ(dataFolder(), kDataFiles);
    EXPECT_EQ(update().barProgress->maximum(), 6);
    EXPECT_EQ(update().barProgress->value(), 6);
    EXPECT_FALSE(QFile::exists(folder.files().updateIni()));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(readBytes(executable), "new program") << "the new executable replaced the old";
    EXPECT_EQ(fake.shell.starts(), (std::vector<FakeShell::Start>{{executable, QString(), folder.path()}}));
}

// Quit while a file comes ends its transfer and leaves no part of it, as a failure does.
TEST_F(UpdateTest, AFailedOrQuitDownloadIsReportedAndLeavesTheOldFilesByteIdentical)
{
    struct Row
    {
        const char *name;
        LoopbackServer::Reply patch; // none: nobody listens
        const char *prefix;          // of the message; none: no message
    };
    const Row rows[] = {
        {"not found", {"HTTP/1.0 404 Not Found\r\n\r\n"}, "[2]"},
        {"closed mid-body",
         {"HTTP/1.0 200 OK\r\nContent-Length: 400\r\n\r\n[data]\r\nversion=13\r\n"},
         "[2]"},
        {"time-out", {"HTTP/1.0 200 OK\r\nContent-Length: 400\r\n\r\n[data]\r\n", true}, "[2]"},
        {"no server", {}, "[1]"},
        {"Quit mid-body",
         {"HTTP/1.0 200 OK\r\nContent-Length: 4000\r\n\r\n" + QByteArray(2000, 'x'), true,
          [this] { QTest::mouseClick(update().butnQuit, Qt::LeftButton); }},
         nullptr},
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
        update().editTimeout->setText(u"800"_s);
        QTest::mouseClick(update().butnCheck, Qt::LeftButton);
        update().timeUpdateTimer(); // the poll's tick, once the transfer is over
        QTest::mouseClick(update().cboxDVSDV, Qt::LeftButton);
        if (row.prefix)
            fake.messages.expectOk(MsgType::Error, QString::fromLatin1(row.prefix) + kNotConnected);
        QTest::mouseClick(update().butnDownload, Qt::LeftButton);

        EXPECT_EQ(readBytes(folder.files().patchIni()), kPatch);
        EXPECT_EQ(readBytes(folder.files().versionIni()), kVersions) << "the download ended with the failure";
        EXPECT_EQ(dataFolder(), kDataFiles);
        EXPECT_TRUE(fake.shell.starts().empty());
        EXPECT_FALSE(update().butnCheck->isEnabled());
        EXPECT_FALSE(update().cboxDVSDV->isEnabled());

        EXPECT_EQ(update().isVisible(), row.prefix != nullptr);
        if (row.prefix)
            QTest::mouseClick(update().butnQuit, Qt::LeftButton);
        EXPECT_FALSE(update().isVisible());
        EXPECT_FALSE(QFile::exists(folder.files().updateIni()));
        EXPECT_FALSE(update().barProgress->isVisible());
        EXPECT_FALSE(update().cboxDVSDV->isChecked());
        EXPECT_EQ(captions(), QStringList(4, u"Not checked"_s));
    }
}

TEST_F(UpdateTest, ABadTimeOutOrADamagedDataFileStopsTheCheck)
{
    startProgram();
    openUpdate();
    update().editTimeout->selectAll();
    QTest::keyClicks(update().editTimeout, u"x2.5y"_s);
    EXPECT_EQ(update().editTimeout->text(), u"2.5"_s) << "only digits and the point are typed";
    fake.messages.expectOk(MsgType::Error, u"'2.5' is not a valid integer value"_s);
    QTest::mouseClick(update().butnCheck, Qt::LeftButton);
    EXPECT_TRUE(update().butnCheck->isEnabled());
    QTest::keyClicks(update().editTimeout, u"\b\b000"_s);
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

    openUpdate();
    EXPECT_EQ(update().butnCheck->text(), u"Checking"_s) << "the caption stays as it was left";
}

} // namespace
