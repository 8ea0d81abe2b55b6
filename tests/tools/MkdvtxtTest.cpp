#include "ToolFixture.h"
#include "platform/EventWait.h"
#include "platform/SystemShell.h"
#include "tools/TformMkdvtxt.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTimer>

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

class MkdvtxtTest : public ToolFixture<TformMkdvtxt>
{
protected:
    QString text() const { return inGame(u"zvtdvtxt.txt"_s); }
    QPlainTextEdit *memoEdit() const { return named<QPlainTextEdit>(&form, "memoZvtdvtxt"); }
    // The memo's text as it stands, no-break spaces included.
    QString memo() const
    {
        return memoEdit()->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
    }
    void type(const QString &typed)
    {
        memoEdit()->moveCursor(QTextCursor::End);
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Press, memoEdit(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    // Which of Rename, Save, Re-create and the memo are enabled, as "NSRM" with "-" for off.
    QString enabled() const
    {
        QString shown;
        for (const char *name : {"butnNew", "butnSave", "butnReCreate", "memoZvtdvtxt"})
            shown += named(&form, name)->isEnabled() ? u"NSRM"_s[shown.size()] : u'-';
        return shown;
    }
    std::vector<FakeShell::Start> toolStarts(std::size_t count) const
    {
        return std::vector<FakeShell::Start>(count, {inGame(u"mkdvtxt.exe"_s), QString(), game.path()});
    }
};

const QString kOmega =
    u"\nThese characters cannot be stored in it: Ω\n(in \"third!Ω\")\nThe file holds Western "
    "European (Windows-1252) text only."_s;

TEST_F(MkdvtxtTest, EditsAndSavesTheTextWholeUpToTwentyMegabytesWhileTheWatchFollowsTheFiles)
{
    QByteArray big;
    for (int line = 0; big.size() < 20'000'000; ++line)
        big += "STR_" + QByteArray::number(line) + " :\xe9t\xe9 \x81\r\n";
    writeBytes(text(), big);
    form.Initialize();
    type(u"!"_s);
    click("butnSave");
    EXPECT_EQ(readBytes(text()), big.chopped(2) + "!\r\n");

    // Bytes the code page leaves undefined and a no-break space survive; line ends become CR LF.
    writeBytes(text(), "first\r\n\x81\xa0\x9d end\rthird\n");
    form.Initialize();
    EXPECT_EQ(memo(), u"first\n\u0081\u00a0\u009d end\nthird"_s);
    EXPECT_TRUE(named<QTimer>(&form, "timeNew")->isActive());
    EXPECT_EQ(named<QTimer>(&form, "timeNew")->interval(), 1000);
    EXPECT_EQ(enabled(), u"--RM"_s);
    EXPECT_EQ(form.size(), QSize(529, 566));

    writeBytes(inGame(u"zvtdvtxt.new"_s), "new\r\n");
    form.timeNewTimer();
    type(u"!"_s);
    EXPECT_EQ(enabled(), u"NSRM"_s);
    QFile::remove(inGame(u"zvtdvtxt.new"_s));
    form.timeNewTimer();
    EXPECT_EQ(enabled(), u"-SRM"_s);
    click("butnSave");
    EXPECT_EQ(readBytes(text()), QByteArray("first\r\n\x81\xa0\x9d end\r\nthird!\r\n"));
    EXPECT_EQ(enabled(), u"--RM"_s);

    // A refused write is reported and the edits stay unsaved, also when quitting.
    type(u"Ω"_s);
    fake.messages.expectOk(MsgType::Error, u"Unable to write to "_s + text() + kOmega);
    click("butnSave");
    confirm(kQuitQuestion, MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Error, u"Unable to write to "_s + text() + kOmega);
    click("butnQuit");
    EXPECT_TRUE(memo().endsWith(u"third!Ω"_s)) << "the window stays open with the edits";
    EXPECT_TRUE(named<QTimer>(&form, "timeNew")->isActive());

    // Quit without saving keeps the flag, so the next Quit asks again; Yes there saves.
    confirm(kQuitQuestion, MsgAnswer::No);
    click("butnQuit");
    EXPECT_FALSE(named<QTimer>(&form, "timeNew")->isActive());
    fake.screen.setSize(QSize(800, 599));
    writeBytes(text(), "saved\nat quit");
    form.Initialize();
    EXPECT_EQ(form.height(), 480 - 34);
    confirm(kQuitQuestion, MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Information, u"File saved."_s);
    click("butnQuit");
    EXPECT_EQ(readBytes(text()), QByteArray("saved\r\nat quit\r\n"));

    // A game directory gone while the window is open: the watch goes on, a save is refused.
    form.Initialize();
    type(u"x"_s);
    QDir(game.path()).removeRecursively();
    form.timeNewTimer();
    fake.messages.expectOk(MsgType::Error, u"Unable to write to "_s + text());
    click("butnSave");
}

TEST_F(MkdvtxtTest, AMissingTextIsMadeByTheToolAndRenameMovesTheNewFileOverTheTextKeepingItWhenThatFails)
{
    const QString question =
        u"File not exsits:\n%1\nDo you want to run mkdvtxt.exe to create this file?"_s.arg(text());
    fake.messages.expect(MsgType::Error, question, MsgButtons::YesNo, MsgAnswer::No);
    form.Initialize();
    EXPECT_EQ(enabled(), u"----"_s);
    writeBytes(text(), "made\r\n");
    form.timeNewTimer();
    EXPECT_EQ(memo(), u"made"_s);
    EXPECT_EQ(enabled(), u"--R-"_s) << "enabled at the next tick";
    form.timeNewTimer();
    EXPECT_EQ(enabled(), u"--RM"_s) << "the program's own load is no edit";

    confirm(kQuitQuestion, MsgAnswer::No);
    type(u"x"_s);
    click("butnQuit");
    QFile::remove(text());
    fake.messages.expect(MsgType::Error, question, MsgButtons::YesNo, MsgAnswer::Yes);
    form.Initialize();
    EXPECT_EQ(fake.shell.starts(), toolStarts(1));

    // Run after typing: No clears the flag all the same, so Quit does not ask; Yes saves first.
    writeBytes(text(), "one\r\n");
    form.timeNewTimer();
    confirm(kRunQuestion, MsgAnswer::No);
    click("butnRunMkdvtxt");
    type(u"2"_s);
    confirm(kRunQuestion, MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Information, u"File saved."_s);
    click("butnRunMkdvtxt");
    EXPECT_EQ(readBytes(text()), QByteArray("one2\r\n"));
    EXPECT_EQ(fake.shell.starts(), toolStarts(3));
    click("butnQuit");

    writeBytes(text(), "old\r\n");
    writeBytes(inGame(u"zvtdvtxt.new"_s), "new\r\ntext\r\n");
    form.Initialize();
    form.timeNewTimer();
    confirm(kRenameQuestion, MsgAnswer::No);
    fake.messages.expectOk(MsgType::Information, u"File not replaced."_s);
    click("butnNew");
    withReadOnly(text(), [&] {
        confirm(kRenameQuestion, MsgAnswer::Yes);
        fake.messages.expectOk(MsgType::Error, u"Unable to write to "_s + text() +
                                                   u"\nFile not replaced; 'zvtdvtxt.new' was kept."_s);
        click("butnNew");
    });
    EXPECT_EQ(readBytes(text()), QByteArray("old\r\n"));

    confirm(kRenameQuestion, MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Information, u"File replaced."_s);
    click("butnNew");
    EXPECT_FALSE(QFile::exists(inGame(u"zvtdvtxt.new"_s)));
    EXPECT_EQ(readBytes(text()), QByteArray("new\r\ntext\r\n"));
    EXPECT_EQ(memo(), u"new\ntext"_s);
}

TEST_F(MkdvtxtTest, ReCreateBacksUpDeletesRunsTheToolAndLetsTheWatchFinish)
{
    const QString backup = inGame(u"zvtdvtxt.bak"_s);
    // An earlier backup (if any), the answers to the backup question and to the question about the
    // earlier backup, the message then, and the backup afterwards.
    const std::tuple<const char *, MsgAnswer, std::optional<MsgAnswer>, QString, QByteArray> cases[] = {
        {nullptr, MsgAnswer::Cancel, {}, {}, {}},
        {nullptr, MsgAnswer::Yes, {}, u"File backed up:\n"_s + backup, "text\r\n"},
        {"older", MsgAnswer::Yes, MsgAnswer::Yes, u"File backed up:\n"_s + backup, "text\r\n"},
        {"older", MsgAnswer::Yes, MsgAnswer::No, u"File not backed up. Previous backup avabile:\n"_s + backup,
         "older"},
        {nullptr, MsgAnswer::No, {}, {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(&c - cases));
        const auto &[older, answer, replace, message, backupAfter] = c;
        writeBytes(text(), "text\r\n");
        QFile::remove(backup);
        if (older)
            writeBytes(backup, older);
        form.Initialize();
        type(u"unsaved"_s);
        fake.messages.expect(MsgType::Confirmation, kRecreateQuestion, MsgButtons::YesNoCancel, answer);
        if (replace)
            confirm(u"There exist copy of 'zvtdvtxt.txt' file.\nDo you want to replace it?"_s, *replace);
        if (!message.isEmpty())
            fake.messages.expectOk(MsgType::Information, message);
        click("butnReCreate");
        fake.verify();
        EXPECT_EQ(readBytes(backup), backupAfter);
        const bool ran = answer != MsgAnswer::Cancel;
        EXPECT_EQ(QFile::exists(text()), !ran);
        if (ran) {
            // The watch reloads the text until it holds two lines; the window stays usable meanwhile.
            writeBytes(text(), "half");
            form.timeNewTimer();
            EXPECT_EQ(memo(), u"half"_s);
            EXPECT_EQ(enabled(), u"----"_s);
            writeBytes(text(), "whole\r\ntext\r\n");
            form.timeNewTimer();
            EXPECT_EQ(memo(), u"whole\ntext"_s);
            EXPECT_EQ(enabled(), u"--RM"_s);
        }
        // Re-create drops the unsaved edits; a Cancel keeps them.
        if (!ran)
            confirm(kQuitQuestion, MsgAnswer::No);
        click("butnQuit");
    }
    EXPECT_EQ(fake.shell.starts(), toolStarts(4));

    // A tool that never delivers ends the wait after a while; Quit ends it at once.
    form.Initialize();
    fake.messages.expect(MsgType::Confirmation, kRecreateQuestion, MsgButtons::YesNoCancel, MsgAnswer::No);
    click("butnReCreate");
    for (int tick = 1; tick < TformMkdvtxt::kRecreateTicks; ++tick)
        form.timeNewTimer();
    EXPECT_TRUE(form.recreating());
    form.timeNewTimer();
    EXPECT_FALSE(form.recreating());
    writeBytes(text(), "text\r\n");
    form.timeNewTimer();
    fake.messages.expect(MsgType::Confirmation, kRecreateQuestion, MsgButtons::YesNoCancel, MsgAnswer::No);
    click("butnReCreate");
    click("butnQuit");
    EXPECT_FALSE(form.recreating());

    // A refused backup ends the command before the text is deleted.
    writeBytes(text(), "keep\r\n");
    QDir(game.path()).mkdir(u"zvtdvtxt.bak"_s);
    form.Initialize();
    fake.messages.expect(MsgType::Confirmation, kRecreateQuestion, MsgButtons::YesNoCancel, MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Error, u"Unable to write to "_s + backup);
    click("butnReCreate");
    EXPECT_EQ(readBytes(text()), QByteArray("keep\r\n"));
    EXPECT_FALSE(form.recreating());

    // A tool that cannot start leaves the text, and the edits, where they were.
    type(u"more"_s);
    fake.shell.failWith(u"wine is not installed"_s);
    fake.messages.expect(MsgType::Confirmation, kRecreateQuestion, MsgButtons::YesNoCancel, MsgAnswer::No);
    fake.messages.expectOk(MsgType::Error, u"wine is not installed"_s);
    click("butnReCreate");
    EXPECT_EQ(readBytes(text()), QByteArray("keep\r\n"));
    EXPECT_EQ(QDir(game.path()).entryList({u"zvtdvtxt*"_s}),
              (QStringList{u"zvtdvtxt.bak"_s, u"zvtdvtxt.txt"_s}));
    confirm(kQuitQuestion, MsgAnswer::No);
    click("butnQuit");
}

// The platform's own start of a Windows program, through a stand-in for wine
// that writes the new file, and the real one-second timer noticing it.
TEST_F(MkdvtxtTest, TheWatchPicksUpTheNewFileARealToolProcessWrites)
{
    QTemporaryDir bin;
    writeProgram(
        bin.path() + u"/wine"_s,
        "#!/bin/sh\n[ \"$(basename \"$1\")\" = mkdvtxt.exe ] && printf 'made\\r\\n' > zvtdvtxt.new\n");
    writeBytes(inGame(u"mkdvtxt.exe"_s), windowsProgram());
    writeBytes(text(), "text\r\n");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);

    EventWait wait;
    SystemShell shell(wait);
    const Platform p = fake.platform();
    TformMkdvtxt real(folder.files(), Platform{p.messages, p.fileDialogs, p.folders, p.input, shell,
                                               p.registry, p.screen, p.clock, p.clipboard, p.http});
    real.Initialize();
    EXPECT_FALSE(named(&real, "butnNew")->isEnabled());
    click("butnRunMkdvtxt", &real);
    qputenv("PATH", path);
    EXPECT_TRUE(QTest::qWaitFor([&] { return named(&real, "butnNew")->isEnabled(); }, 10000));
    EXPECT_EQ(readBytes(inGame(u"zvtdvtxt.new"_s)), QByteArray("made\r\n"));
}

} // namespace
