#include "app/SettingNames.h"
#include "app/TIniFile.h"
#include "platform/SystemShell.h"
#include "support/FakePlatform.h"
#include "support/TestFiles.h"
#include "tools/TformMkdvtxt.h"

#include <QDir>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kRunQuestion =
    u"File 'zvtdvtxt.txt' has been changed.\nDo you want to save it before running 'mkdvtxt.exe'?"_s;
const QString kQuitQuestion = u"You are going to close Mkdvtxt Tool but you have made some changes in "
                              "'zvtdvtxt.txt'.\nDo you want to save this file now?"_s;
const QString kRenameQuestion =
    u"This option will rename 'zvtdvtxt.new' file to 'zvtdvtxt.txt' file.\nTo be sure that nothing will be "
    "replaced you should run 'mkdvtxt.exe' first.\nDo you want to replace 'zvtdvtxt.txt' file?"_s;
const QString kRecreateQuestion =
    u"You are going to re-create 'zvtdvtxt.txt'. Do you want to backup existed file?"_s;

// The language text tool on a game directory of its own.
class MkdvtxtTest : public ::testing::Test
{
protected:
    MkdvtxtTest()
    {
        folder.writeSettings(u"[zvt]\nversion=win\n"_s);
        TIniFile(folder.files().settingsIni()).WritePath(kZvt, u"dir"_s, game.path());
    }
    ~MkdvtxtTest() override { fake.verify(); }

    QString inGame(const char *name) const { return game.path() + u'/' + QString::fromLatin1(name); }
    // The memo's text as it stands, no-break spaces included.
    QString memo() const
    {
        return form.memoZvtdvtxt->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
    }
    void click(QPushButton *button)
    {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void type(const QString &text)
    {
        form.memoZvtdvtxt->moveCursor(QTextCursor::End);
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(form.memoZvtdvtxt, &press);
        }
    }
    // Which of Rename, Save, Re-create and the memo are enabled, as "NSRM" with "-" for off.
    QString enabled() const
    {
        QString shown;
        shown += form.butnNew->isEnabled() ? u'N' : u'-';
        shown += form.butnSave->isEnabled() ? u'S' : u'-';
        shown += form.butnReCreate->isEnabled() ? u'R' : u'-';
        shown += form.memoZvtdvtxt->isEnabled() ? u'M' : u'-';
        return shown;
    }
    FakeShell::Start toolStart() const { return {inGame("mkdvtxt.exe"), QString(), game.path()}; }

    TestProgramFolder folder;
    QTemporaryDir game;
    FakePlatform fake;
    TformMkdvtxt form{folder.files(), fake.platform()};
};

TEST_F(MkdvtxtTest, EditsAndSavesTheTextWhileTheWatchFollowsTheFiles)
{
    // Bytes the code page leaves undefined, a no-break space and a lone CR survive unchanged but for line
    // ends.
    writeBytes(inGame("zvtdvtxt.txt"), "first\r\n\x81\xa0\x9d end\rthird\n");
    form.Initialize();
    EXPECT_EQ(memo(), u"first\n\u0081\u00a0\u009d end\nthird"_s);
    EXPECT_TRUE(form.timeNew->isActive());
    EXPECT_EQ(form.timeNew->interval(), 1000);
    EXPECT_EQ(enabled(), u"--RM"_s);
    EXPECT_EQ(form.size(), QSize(529, 566));

    writeBytes(inGame("zvtdvtxt.new"), "new\r\n");
    form.timeNewTimer();
    EXPECT_EQ(enabled(), u"N-RM"_s);
    type(u"!"_s);
    EXPECT_TRUE(form.changed());
    EXPECT_EQ(enabled(), u"NSRM"_s);
    QFile::remove(inGame("zvtdvtxt.new"));
    form.timeNewTimer();
    EXPECT_EQ(enabled(), u"-SRM"_s);

    click(form.butnSave);
    EXPECT_EQ(readBytes(inGame("zvtdvtxt.txt")), QByteArray("first\r\n\x81\xa0\x9d end\r\nthird!\r\n"));
    EXPECT_FALSE(form.changed());
    EXPECT_EQ(enabled(), u"--RM"_s);

    // A refused write is reported and the edits stay unsaved, also when quitting.
    type(u"Ω"_s);
    fake.messages.expectOk(MsgType::Error, u"Unable to write to %1\nThese characters cannot be stored in it: "
                                           "Ω\n(in \"third!Ω\")\nThe file holds Western European "
                                           "(Windows-1252) text only."_s.arg(inGame("zvtdvtxt.txt")));
    click(form.butnSave);
    EXPECT_TRUE(form.changed());
    EXPECT_TRUE(form.butnSave->isEnabled());
    fake.messages.expect(MsgType::Confirmation, kQuitQuestion, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Error, u"Unable to write to %1\nThese characters cannot be stored in it: "
                                           "Ω\n(in \"third!Ω\")\nThe file holds Western European "
                                           "(Windows-1252) text only."_s.arg(inGame("zvtdvtxt.txt")));
    click(form.butnQuit);
    EXPECT_TRUE(memo().endsWith(u"third!Ω"_s)) << "the window keeps the edits";
    EXPECT_TRUE(form.timeNew->isActive());

    // Quit without saving keeps the flag, so the next Quit asks again; Yes there saves.
    fake.messages.expect(MsgType::Confirmation, kQuitQuestion, MsgButtons::YesNo, MsgAnswer::No);
    click(form.butnQuit);
    EXPECT_TRUE(memo().isEmpty());
    EXPECT_FALSE(form.timeNew->isActive());
    EXPECT_TRUE(form.changed());
    fake.screen.setSize(QSize(800, 599));
    form.Initialize();
    EXPECT_EQ(form.height(), 480 - 34);
    fake.messages.expect(MsgType::Confirmation, kQuitQuestion, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Information, u"File saved."_s);
    form.memoZvtdvtxt->setPlainText(u"saved\nat quit"_s);
    click(form.butnQuit);
    EXPECT_EQ(readBytes(inGame("zvtdvtxt.txt")), QByteArray("saved\r\nat quit\r\n"));
    EXPECT_TRUE(fake.shell.starts().empty());
}

TEST_F(MkdvtxtTest, AMissingTextIsCreatedByTheToolAndPickedUpByTheWatch)
{
    const QString question =
        u"File not exsits:\n%1\nDo you want to run mkdvtxt.exe to create this file?"_s.arg(
            inGame("zvtdvtxt.txt"));
    fake.messages.expect(MsgType::Error, question, MsgButtons::YesNo, MsgAnswer::No);
    form.Initialize();
    EXPECT_EQ(enabled(), u"----"_s);
    EXPECT_TRUE(fake.shell.starts().empty());
    writeBytes(inGame("zvtdvtxt.txt"), "made\r\n");
    form.timeNewTimer();
    EXPECT_EQ(memo(), u"made"_s);
    EXPECT_EQ(enabled(), u"--R-"_s) << "enabled at the next tick";
    form.timeNewTimer();
    EXPECT_EQ(enabled(), u"--RM"_s);
    EXPECT_FALSE(form.changed()) << "the program's own load is no edit";

    fake.messages.expect(MsgType::Confirmation, kQuitQuestion, MsgButtons::YesNo, MsgAnswer::No);
    type(u"x"_s);
    click(form.butnQuit);
    QFile::remove(inGame("zvtdvtxt.txt"));
    fake.messages.expect(MsgType::Error, question, MsgButtons::YesNo, MsgAnswer::Yes);
    form.Initialize();
    EXPECT_EQ(fake.shell.starts(), std::vector<FakeShell::Start>{toolStart()});
    EXPECT_EQ(enabled(), u"-S-M"_s) << "the flag outlived the closing";

    // Run after typing: No clears the flag all the same, so Quit does not ask.
    writeBytes(inGame("zvtdvtxt.txt"), "one\r\n");
    form.timeNewTimer();
    fake.messages.expect(MsgType::Confirmation, kRunQuestion, MsgButtons::YesNo, MsgAnswer::No);
    click(form.butnRunMkdvtxt);
    EXPECT_FALSE(form.changed());
    type(u"2"_s);
    fake.messages.expect(MsgType::Confirmation, kRunQuestion, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Information, u"File saved."_s);
    click(form.butnRunMkdvtxt);
    EXPECT_EQ(readBytes(inGame("zvtdvtxt.txt")), QByteArray("one2\r\n"));
    EXPECT_EQ(fake.shell.starts(), std::vector<FakeShell::Start>(3, toolStart()));
    click(form.butnQuit);
}

TEST_F(MkdvtxtTest, RenameMovesTheNewFileOverTheTextAndKeepsItWhenThatFails)
{
    writeBytes(inGame("zvtdvtxt.txt"), "old\r\n");
    writeBytes(inGame("zvtdvtxt.new"), "new\r\ntext\r\n");
    form.Initialize();
    form.timeNewTimer();
    fake.messages.expect(MsgType::Confirmation, kRenameQuestion, MsgButtons::YesNo, MsgAnswer::No);
    fake.messages.expectOk(MsgType::Information, u"File not replaced."_s);
    click(form.butnNew);

    // The text file refuses the copy: the new file stays, and the failure is what the user hears.
    giveToOrdinaryUser(folder.path(), 0777);
    giveToOrdinaryUser(folder.files().settingsIni(), 0666);
    giveToOrdinaryUser(game.path(), 0777);
    giveToOrdinaryUser(inGame("zvtdvtxt.new"), 0666);
    giveToOrdinaryUser(inGame("zvtdvtxt.txt"), 0444);
    ASSERT_TRUE(asOrdinaryUser([&] {
        fake.messages.expect(MsgType::Confirmation, kRenameQuestion, MsgButtons::YesNo, MsgAnswer::Yes);
        fake.messages.expectOk(MsgType::Error,
                               u"Unable to write to %1\nFile not replaced; 'zvtdvtxt.new' was "
                               "kept."_s.arg(inGame("zvtdvtxt.txt")));
        click(form.butnNew);
    }));
    EXPECT_EQ(readBytes(inGame("zvtdvtxt.new")), QByteArray("new\r\ntext\r\n"));
    EXPECT_EQ(readBytes(inGame("zvtdvtxt.txt")), QByteArray("old\r\n"));

    giveToOrdinaryUser(inGame("zvtdvtxt.txt"), 0666);
    fake.messages.expect(MsgType::Confirmation, kRenameQuestion, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Information, u"File replaced."_s);
    click(form.butnNew);
    EXPECT_FALSE(QFile::exists(inGame("zvtdvtxt.new")));
    EXPECT_EQ(readBytes(inGame("zvtdvtxt.txt")), QByteArray("new\r\ntext\r\n"));
    EXPECT_EQ(memo(), u"new\ntext"_s);
    form.timeNewTimer();
    EXPECT_EQ(enabled(), u"--RM"_s);
}

TEST_F(MkdvtxtTest, ReCreateBacksUpDeletesRunsTheToolAndLetsTheWatchFinish)
{
    const QString backedUp = u"File backed up:\n"_s + inGame("zvtdvtxt.bak");
    struct Case
    {
        const char *backup;               // an earlier backup, if any
        MsgAnswer answer;                 // to the backup question
        std::optional<MsgAnswer> replace; // to the question about the earlier backup
        QString message;
        const char *backupAfter;
    };
    const Case cases[] = {
        {nullptr, MsgAnswer::Cancel, std::nullopt, QString(), nullptr},
        {nullptr, MsgAnswer::Yes, std::nullopt, backedUp, "text\r\n"},
        {"older\r\n", MsgAnswer::Yes, MsgAnswer::Yes, backedUp, "text\r\n"},
        {"older\r\n", MsgAnswer::Yes, MsgAnswer::No,
         u"File not backed up. Previous backup avabile:\n"_s + inGame("zvtdvtxt.bak"), "older\r\n"},
        {nullptr, MsgAnswer::No, std::nullopt, QString(), nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(&c - cases));
        writeBytes(inGame("zvtdvtxt.txt"), "text\r\n");
        QFile::remove(inGame("zvtdvtxt.bak"));
        if (c.backup)
            writeBytes(inGame("zvtdvtxt.bak"), c.backup);
        form.Initialize();
        type(u"unsaved"_s);
        const std::size_t startsBefore = fake.shell.starts().size();
        fake.messages.expect(MsgType::Confirmation, kRecreateQuestion, MsgButtons::YesNoCancel, c.answer);
        if (c.replace)
            fake.messages.expect(MsgType::Confirmation,
                                 u"There exist copy of 'zvtdvtxt.txt' file.\nDo you want to replace it?"_s,
                                 MsgButtons::YesNo, *c.replace);
        if (!c.message.isEmpty())
            fake.messages.expectOk(MsgType::Information, c.message);
        click(form.butnReCreate);
        fake.messages.verify();
        EXPECT_FALSE(form.changed());
        EXPECT_EQ(readBytes(inGame("zvtdvtxt.bak")), QByteArray(c.backupAfter));
        const bool ran = c.answer != MsgAnswer::Cancel;
        EXPECT_EQ(QFile::exists(inGame("zvtdvtxt.txt")), !ran);
        EXPECT_EQ(fake.shell.starts().size(), startsBefore + (ran ? 1 : 0));
        EXPECT_EQ(form.recreating(), ran);
        if (!ran) {
            click(form.butnQuit);
            continue;
        }
        // The wait reloads the text until it holds two lines, and the window stays usable meanwhile.
        EXPECT_EQ(enabled(), u"----"_s);
        writeBytes(inGame("zvtdvtxt.txt"), "half");
        form.timeNewTimer();
        EXPECT_TRUE(form.recreating());
        EXPECT_EQ(enabled(), u"----"_s);
        writeBytes(inGame("zvtdvtxt.txt"), "whole\r\ntext\r\n");
        form.timeNewTimer();
        EXPECT_FALSE(form.recreating());
        EXPECT_EQ(memo(), u"whole\ntext"_s);
        EXPECT_EQ(enabled(), u"--RM"_s);
        click(form.butnQuit);
    }

    // A tool that never delivers ends the wait after a while; Quit ends it at once.
    form.Initialize();
    fake.messages.expect(MsgType::Confirmation, kRecreateQuestion, MsgButtons::YesNoCancel, MsgAnswer::No);
    click(form.butnReCreate);
    for (int tick = 1; tick < TformMkdvtxt::kRecreateTicks; ++tick)
        form.timeNewTimer();
    EXPECT_TRUE(form.recreating());
    form.timeNewTimer();
    EXPECT_FALSE(form.recreating());
    writeBytes(inGame("zvtdvtxt.txt"), "text\r\n");
    form.timeNewTimer();
    fake.messages.expect(MsgType::Confirmation, kRecreateQuestion, MsgButtons::YesNoCancel, MsgAnswer::No);
    click(form.butnReCreate);
    click(form.butnQuit);
    EXPECT_FALSE(form.recreating());

    // A refused backup ends the command before the text is deleted.
    writeBytes(inGame("zvtdvtxt.txt"), "keep\r\n");
    QDir(game.path()).mkdir(u"zvtdvtxt.bak"_s);
    form.Initialize();
    fake.messages.expect(MsgType::Confirmation, kRecreateQuestion, MsgButtons::YesNoCancel, MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Error, u"Unable to write to "_s + inGame("zvtdvtxt.bak"));
    click(form.butnReCreate);
    EXPECT_EQ(readBytes(inGame("zvtdvtxt.txt")), QByteArray("keep\r\n"));
    EXPECT_FALSE(form.recreating());
    click(form.butnQuit);
}

// The platform's own start of a Windows program, through a stand-in for wine
// that writes the new file, and the real one-second timer noticing it.
TEST_F(MkdvtxtTest, TheWatchPicksUpTheNewFileARealToolProcessWrites)
{
    QTemporaryDir bin;
    const QString wine = bin.path() + u"/wine"_s;
    writeBytes(wine, "#!/bin/sh\n[ \"$(basename \"$1\")\" = mkdvtxt.exe ] && printf 'made by the tool\\r\\n' "
                     "> zvtdvtxt.new\n");
    QFile::setPermissions(wine, QFile::permissions(wine) | QFile::ExeOwner);
    writeBytes(inGame("mkdvtxt.exe"), "MZ");
    writeBytes(inGame("zvtdvtxt.txt"), "text\r\n");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);

    SystemShell shell;
    Platform platform = fake.platform();
    TformMkdvtxt real(folder.files(), Platform{platform.messages, platform.fileDialogs, platform.folders,
                                               platform.input, shell, platform.registry, platform.screen,
                                               platform.clock, platform.clipboard});
    real.Initialize();
    EXPECT_FALSE(real.butnNew->isEnabled());
    QTest::mouseClick(real.butnRunMkdvtxt, Qt::LeftButton);
    qputenv("PATH", path);
    EXPECT_TRUE(QTest::qWaitFor([&] { return real.butnNew->isEnabled(); }, 10000));
    EXPECT_EQ(readBytes(inGame("zvtdvtxt.new")), QByteArray("made by the tool\r\n"));
}

} // namespace
