#include "ToolFixture.h"
#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "tools/TformGrfManager.h"
#include "tools/TformMkdvtxt.h"

#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QStorageInfo>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString kNoListFile =
    u"Sorry. This file 'newgrf.txt' or 'newgrfw.txt' was not found in your ZVT directory"_s;
const QString kExists =
    u"File with this name already exists. To rename new one press 'No', to replace press 'Yes'"_s;
const QString kDeleteSource = u"Do you want to delete source file?"_s;
const QString kNotInstalled = u"File not installed"_s;
const QString kInstalled = u"New file installed\nSource file not deleted"_s;

// A FAT file system in an image file, mounted over `folder` through FUSE, as a game folder on a
// memory card or a shared drive may be; `whyNot` says why not where this machine cannot mount one.
class FatFolder final
{
public:
    FatFolder(const QString &folder, const QString &image) : m_folder(folder)
    {
        const QStringList bins =
            qEnvironmentVariable("PATH").split(u':') + QStringList{u"/usr/sbin"_s, u"/sbin"_s};
        const QString mkfs = QStandardPaths::findExecutable(u"mkfs.vfat"_s, bins);
        const QString fusefat = QStandardPaths::findExecutable(u"fusefat"_s, bins);
        m_unmount = QStandardPaths::findExecutable(u"fusermount"_s, bins);
        QFile file(image);
        if (::access("/dev/fuse", R_OK | W_OK) != 0)
            whyNot = u"FUSE is not available here (/dev/fuse)"_s;
        else if (mkfs.isEmpty() || fusefat.isEmpty() || m_unmount.isEmpty())
            whyNot = u"mkfs.vfat, fusefat or fusermount is missing (Debian: dosfstools, fusefat)"_s;
        else if (!file.open(QIODevice::WriteOnly) || !file.resize(4 << 20))
            whyNot = u"no room for a FAT image"_s;
        else if ((whyNot = run(mkfs, {image})).isEmpty())
            whyNot = run(fusefat, {u"-o"_s, u"rw+"_s, image, folder});
        m_mounted = whyNot.isEmpty();
        if (m_mounted && QStorageInfo(folder).rootPath() != QFileInfo(folder).canonicalFilePath())
            whyNot = u"fusefat did not mount the image"_s;
    }
    ~FatFolder()
    {
        if (m_mounted)
            run(m_unmount, {u"-u"_s, m_folder});
    }

    QString whyNot;

private:
    // What went wrong, or nothing when the program did its work.
    static QString run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        if (process.waitForFinished() && process.exitStatus() == QProcess::NormalExit &&
            process.exitCode() == 0)
            return QString();
        return program + u": "_s + QString::fromLocal8Bit(process.readAll()) + process.errorString();
    }

    QString m_folder;
    QString m_unmount;
    bool m_mounted = false;
};

class GrfManagerTest : public ToolFixture<TformGrfManager>
{
protected:
    GrfManagerTest() { QDir(game.path()).mkdir(u"newgrf"_s); }

    QString grf(const QString &name) const { return inGame(u"newgrf/"_s + name); }
    void addGrfs(const QStringList &names)
    {
        for (const QString &name : names)
            writeBytes(grf(name), name.toUtf8());
    }
    // The entries as the user sees them, checked ones marked with "x ".
    QStringList entries() const
    {
        QStringList shown;
        for (const QListWidgetItem *item : list()->findItems(u"*"_s, Qt::MatchWildcard))
            shown << (item->checkState() == Qt::Checked ? u"x "_s : QString()) + item->text();
        return shown;
    }
    QListWidget *list() const { return named<QListWidget>(&form, "listGrfFiles"); }
    QStringList onDisk() const { return QDir(grf(QString())).entryList(QDir::Files | QDir::Hidden); }
    // Install `source`; a name already there gets `answer`; the source goes as `outcome` says.
    void install(const QString &source, std::optional<MsgAnswer> answer, const QString &outcome)
    {
        fake.fileDialogs.answerOpen(source);
        if (answer)
            fake.messages.expect(MsgType::Warning, kExists, MsgButtons::YesNoCancel, *answer);
        if (outcome.startsWith(u"New file"_s) && source != grf(QFileInfo(source).fileName()))
            confirm(kDeleteSource, outcome.endsWith(u"file deleted"_s) ? MsgAnswer::Yes : MsgAnswer::No);
        fake.messages.expectOk(MsgType::Information, outcome);
        click("butnInstallGrf");
        fake.verify();
    }
};

TEST_F(GrfManagerTest, OpensOnTheSortedFolderWithTheListedEntriesCheckedAndTellsWhatIsMissing)
{
    addGrfs({u"b.grf"_s, u"A.grf"_s, u"c.GRF"_s, u"my trains ü.grf"_s, u"x.grf"_s});
    writeBytes(grf(u"readme.txt"_s), "not a GRF");
    QDir(game.path()).mkpath(u"newgrf/folder.grf"_s);
    // The Windows list is read whatever the kind; line ends CR, LF and CR LF, both slashes. A line in
    // capitals finds its file but checks nothing: entries compare case-sensitively.
    writeBytes(inGame(u"newgrfw.txt"_s),
               "newgrf/b.grf\rnewgrf\\A.grf\nNEWGRF/X.GRF\r\nnewgrf/my trains \xfc.grf\r\n"
               "newgrf/gone.grf\r\n\r\nnewgrf/c.GRF");
    writeBytes(inGame(u"newgrf.txt"_s), "newgrf/x.grf\r\n");
    setGame(u"dos"_s);
    fake.messages.expectOk(MsgType::Warning,
                           u"Files:\n%1\n%2/\nwere not found."_s.arg(grf(u"gone.grf"_s), game.path()));
    form.Initialize();
    EXPECT_EQ(entries(),
              QStringList({u"x A.grf"_s, u"x b.grf"_s, u"x c.GRF"_s, u"x my trains ü.grf"_s, u"x.grf"_s}));
    EXPECT_FALSE(named(&form, "butnDelete")->isEnabled());
    EXPECT_EQ(form.height(), 600);
}

TEST_F(GrfManagerTest, SaveWritesTheCheckedEntriesToTheListFileOfTheEdition)
{
    addGrfs({u"a.grf"_s, u"b.grf"_s, u"c.grf"_s});
    const QString question = u"File 'newgrf.txt' or 'newgrfw.txt' exists. Do you want to replace it ?"_s;
    // The game's kind, the settings, the answer to the question (if it is asked), and the list file
    // written (if any).
    const std::tuple<const char *, const char *, std::optional<MsgAnswer>, QString> cases[] = {
        {"win", "", MsgAnswer::Yes, u"newgrfw.txt"_s},
        {"win+dvp", "saveconf=1", MsgAnswer::No, {}},
        {"dos", "saveconf=0", {}, u"newgrf.txt"_s},
        {"dos+dvp", "saveconf=0", {}, u"newgrf.txt"_s},
        {"unk", "", MsgAnswer::Yes, {}},
    };
    for (const auto &[kind, settings, answer, written] : cases) {
        SCOPED_TRACE(kind);
        setGame(QString::fromLatin1(kind), QString::fromLatin1(settings));
        writeBytes(inGame(u"newgrfw.txt"_s), "newgrf/c.grf\r\n");
        QFile::remove(inGame(u"newgrf.txt"_s));
        form.Initialize();
        list()->item(0)->setCheckState(Qt::Checked);
        if (answer)
            confirm(question, *answer);
        if (!written.isEmpty())
            fake.messages.expectOk(MsgType::Information, u"'%1' saved"_s.arg(written));
        else if (answer == MsgAnswer::Yes)
            fake.messages.expectOk(MsgType::Error, u"Dravopax Vevavav can't recognize your ZVT version now.\n"
                                                   "You must set ZVT directory first."_s);
        click("butnSave");
        fake.verify();
        for (const QString &list : {u"newgrfw.txt"_s, u"newgrf.txt"_s}) {
            const QByteArray old = list == u"newgrfw.txt"_s ? "newgrf/c.grf\r\n" : "";
            EXPECT_EQ(readBytes(inGame(list)), list == written ? "newgrf/a.grf\r\nnewgrf/c.grf\r\n" : old);
        }
    }

    // A name the 8-bit list cannot hold is refused and the list kept; nothing checked writes an
    // empty list; a game directory gone meanwhile is refused and reported.
    setGame(u"win"_s, u"saveconf=0"_s);
    addGrfs({u"Поезд.grf"_s});
    form.Initialize();
    list()->item(3)->setCheckState(Qt::Checked);
    fake.messages.expectOk(MsgType::Error, u"Unable to write to %1\nThese characters cannot be stored in it: "
                                           "Поезд\n(in \"Поезд.grf\")\nThe file holds Western European "
                                           "(Windows-1252) text only."_s.arg(inGame(u"newgrfw.txt"_s)));
    click("butnSave");
    EXPECT_EQ(readBytes(inGame(u"newgrfw.txt"_s)), QByteArray("newgrf/c.grf\r\n"));
    list()->item(2)->setCheckState(Qt::Unchecked);
    list()->item(3)->setCheckState(Qt::Unchecked);
    fake.messages.expectOk(MsgType::Information, u"'newgrfw.txt' saved"_s);
    click("butnSave");
    EXPECT_EQ(readBytes(inGame(u"newgrfw.txt"_s)), QByteArray());
    QDir(game.path()).removeRecursively();
    fake.messages.expectOk(MsgType::Error, u"Unable to write to "_s + inGame(u"newgrfw.txt"_s));
    click("butnSave");
}

TEST_F(GrfManagerTest, InstallCopiesReplacesOrRenamesIntoTheFolderOnly)
{
    addGrfs({u"b.grf"_s, u"old.grf"_s});
    fake.messages.expectOk(MsgType::Error, kNoListFile);
    form.Initialize();
    const QString source = elsewhere.path() + u"/old.grf"_s;
    const QString fresh = elsewhere.path() + u"/a new one.grf"_s;
    writeBytes(source, "NEW");
    writeBytes(fresh, "FRESH");

    // A new name lands at the end of the list, unchecked, though the folder would sort it first.
    install(fresh, std::nullopt, u"New file installed\nSource file deleted"_s);
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_EQ(fake.fileDialogs.shown().back().filter, u"Zorvantia Graphic Files (*.grf)|*.grf"_s);

    install(source, MsgAnswer::Yes, u"New file installed\nSource file not deleted"_s);
    EXPECT_EQ(readBytes(grf(u"old.grf"_s)), QByteArray("NEW"));
    install(source, MsgAnswer::Cancel, kNotInstalled);
    // No asks for a new name: the longest names install; one that is taken, a cancelled box, or
    // one that leads out of the folder or that file names cannot hold installs nothing, and says why.
    const QString long243 = QString(239, u'x') + u".grf"_s;
    const QString long255 = u"a"_s + QString(125, u'ü') + u".grf"_s;
    std::vector<std::pair<std::optional<QString>, QString>> renames = {
        {u"renamed.grf"_s, kInstalled},
        {long243, kInstalled},
        {long255, kInstalled},
        {long255 + u'x', u"The new name is too long for a file name."_s},
        {u"b.grf"_s, u"\"b.grf\" is already in the 'newgrf' folder."_s},
        {std::nullopt, u"\"old.grf\" is already in the 'newgrf' folder."_s},
        {u"../out.grf"_s,
         u"\"../out.grf\" holds a path separator; the file must go into the 'newgrf' folder itself."_s},
        {u"..\\out.grf"_s,
         u"\"..\\out.grf\" holds a path separator; the file must go into the 'newgrf' folder itself."_s},
        {u".."_s, u"\"..\" holds \"..\", which could lead out of the 'newgrf' folder."_s},
        {u"why?.grf"_s, u"\"why?.grf\" holds characters a file name cannot hold: ?"_s},
    };
    for (const QString &device : {u"con"_s, u"COM0"_s, u"lpt0"_s, u"COM\u00b9"_s, u"CONIN$"_s, u"conout$ "_s})
        renames.emplace_back(device + u".grf"_s,
                             u"\"%1.grf\" is a name the system keeps for a device."_s.arg(device));
    for (const auto &[typed, outcome] : renames) {
        SCOPED_TRACE(typed.value_or(u"<cancelled>"_s).toStdString());
        fake.input.answer(typed);
        install(source, MsgAnswer::No, outcome == kInstalled ? outcome : kNotInstalled + u'\n' + outcome);
    }
    EXPECT_EQ(fake.input.shown().front(), u"New FileName"_s);
    EXPECT_EQ(readBytes(grf(u"renamed.grf"_s)), QByteArray("NEW"));
    EXPECT_EQ(readBytes(grf(long255)), QByteArray("NEW"));
    EXPECT_EQ(onDisk(), QStringList({u"a new one.grf"_s, long255, u"b.grf"_s, u"old.grf"_s, u"renamed.grf"_s,
                                     long243}));
    EXPECT_EQ(entries(), QStringList({u"b.grf"_s, u"old.grf"_s, u"a new one.grf"_s, u"renamed.grf"_s, long243,
                                      long255}));

    // The folder's own file picked again is an installed file, whatever name it is installed
    // under: it is never offered for deletion.
    install(grf(u"b.grf"_s), MsgAnswer::Yes, kInstalled);
    fake.input.answer(u"b copy.grf"_s);
    install(grf(u"b.grf"_s), MsgAnswer::No, kInstalled);
    EXPECT_EQ(readBytes(grf(u"b copy.grf"_s)), QByteArray("b.grf"));
    EXPECT_EQ(readBytes(grf(u"b.grf"_s)), QByteArray("b.grf")) << "a taken name is never replaced";
    // A cancelled dialog, or a chosen file gone by then, installs nothing.
    fake.fileDialogs.answerOpen(std::nullopt);
    click("butnInstallGrf");
    fake.fileDialogs.answerOpen(elsewhere.path() + u"/vanished.grf"_s);
    click("butnInstallGrf");
}

TEST_F(GrfManagerTest, InstallReplacesAndInstallsUnderNewNamesInAFatFolder)
{
    // FAT has neither hard links nor permissions of its own.
    const FatFolder fat(grf(QString()), elsewhere.path() + u"/fat.img"_s);
    if (!fat.whyNot.isEmpty())
        GTEST_SKIP() << fat.whyNot.toStdString();
    addGrfs({u"old.grf"_s});
    fake.messages.expectOk(MsgType::Error, kNoListFile);
    form.Initialize();
    const QString source = elsewhere.path() + u"/old.grf"_s;
    writeBytes(source, "NEW");
    install(source, MsgAnswer::Yes, kInstalled);
    const QString long255 = QString(251, u'x') + u".grf"_s;
    for (const QString &name : {u"renamed.grf"_s, long255}) {
        fake.input.answer(name);
        install(source, MsgAnswer::No, kInstalled);
    }
    for (const QString &name : {u"old.grf"_s, u"renamed.grf"_s, long255})
        EXPECT_EQ(readBytes(grf(name)), QByteArray("NEW")) << name.toStdString();
    EXPECT_EQ(onDisk(), QStringList({u"old.grf"_s, u"renamed.grf"_s, long255}));
}

TEST_F(GrfManagerTest, DeleteSaysDeletedOnlyForAFileThatIsGoneAndARefusingFolderKeepsEverything)
{
    addGrfs({u"a.grf"_s, u"b.grf"_s});
    fake.screen.setSize(QSize(800, 599));
    fake.messages.expectOk(MsgType::Error, kNoListFile);
    form.Initialize();
    EXPECT_EQ(form.height(), 480) << "a low screen gets a low window";
    const QString question = u"Do you want to delete b.grf file?"_s;
    const QRect b = list()->visualItemRect(list()->item(1));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, b.center());
    fake.messages.expect(MsgType::Warning, question, MsgButtons::YesNo, MsgAnswer::No);
    click("butnDelete");
    const QString source = elsewhere.path() + u"/c.grf"_s;
    writeBytes(source, QByteArray(100000, 'c'));
    withReadOnly(grf(QString()), [&] {
        fake.messages.expect(MsgType::Warning, question, MsgButtons::YesNo, MsgAnswer::Yes);
        fake.messages.expectOk(MsgType::Error,
                               u"File:\n%1\nnot deleted.\nPermission denied"_s.arg(grf(u"b.grf"_s)));
        click("butnDelete");
        install(source, std::nullopt, kNotInstalled + u"\nPermission denied"_s);
    });
    // A copy cut short, as by a full disk, leaves no part of the file either.
    withFileSizeLimit(4096, [&] { install(source, std::nullopt, kNotInstalled + u"\nFile too large"_s); });
    EXPECT_EQ(onDisk(), QStringList({u"a.grf"_s, u"b.grf"_s}));
    EXPECT_EQ(entries(), QStringList({u"a.grf"_s, u"b.grf"_s}));

    fake.messages.expect(MsgType::Warning, question, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Error, u"File:\n%1\ndeleted."_s.arg(grf(u"b.grf"_s)));
    click("butnDelete");
    EXPECT_EQ(onDisk(), QStringList({u"a.grf"_s}));
    EXPECT_EQ(entries(), QStringList({u"a.grf"_s}));
    EXPECT_FALSE(named(&form, "butnDelete")->isEnabled());
}

TEST_F(GrfManagerTest, AFullFolderAndAHugeBinaryListFileAreReadWithoutAnEndlessMessage)
{
    QStringList many;
    for (int i = 0; i < 5000; ++i)
        many << u"Zügé set %1.grf"_s.arg(i, 4, 10, QLatin1Char('0'));
    addGrfs(many + QStringList{u"a.grf"_s});
    QByteArray list = "newgrf/a.grf\r\n";
    QString missing;
    for (int i = 0; i < 100000; ++i) {
        list += QByteArray::number(i, 16) + (i % 2 ? '\0' : '\xff') + "\n";
        if (i < 20)
            missing += inGame(QString::number(i, 16) + QChar(i % 2 ? 0 : 0xff)) + u'\n';
    }
    writeBytes(inGame(u"newgrf.txt"_s), list);
    fake.messages.expectOk(MsgType::Warning,
                           u"Files:\n"_s + missing + u"... and 99980 more\nwere not found."_s);
    form.Initialize();
    EXPECT_EQ(entries(), QStringList{u"x a.grf"_s} + many);
}

using ToolsMenuTest = MainWindowFixture;

TEST_F(ToolsMenuTest, TheToolsMenuOpensBothToolsModallyOverTheMainWindow)
{
    installGame(u"dos"_s, "");
    writeBytes(game + u"/zvtdvtxt.txt"_s, "text\r\n");
    startProgram();
    EXPECT_EQ(hintShownFor(named<QMenu>("menuTools"), action("itemNewGrfManager")),
              u"Install and select GRF files"_s);
    fake.messages.expectOk(MsgType::Error,
                           u"Sorry. Following directory not exist:\n%1/newgrf\nSelect your ZVT "
                           "directory again and be sure you have 'NEWGRF' directory in it."_s.arg(game));
    click(action("itemNewGrfManager"));
    EXPECT_FALSE(windows->tools().formGrfManager()->isVisible());

    // The folder and the list are found in any letter case, as the game's own system finds them.
    QDir(game).mkpath(u"NewGRF"_s);
    writeBytes(game + u"/NewGRF/a.grf"_s, "a");
    writeBytes(game + u"/NEWGRF.TXT"_s, "newgrf/a.grf\r\n");
    click(action("itemNewGrfManager"));
    EXPECT_EQ(named<QListWidget>(windows->tools().formGrfManager(), "listGrfFiles")->item(0)->checkState(),
              Qt::Checked);
    click(action("itemMkdvtxt"));
    for (QDialog *tool : std::initializer_list<QDialog *>{windows->tools().formGrfManager(),
                                                          windows->tools().formMkdvtxt()}) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(tool));
        EXPECT_TRUE(tool->isModal());
        EXPECT_LE((tool->geometry().center() - formMain->geometry().center()).manhattanLength(), 4);
        // Neither Escape nor the system close leaves; Quit does.
        QTest::keyClick(tool, Qt::Key_Escape);
        tool->close();
        EXPECT_TRUE(tool->isVisible());
        click(tool, "butnQuit");
        EXPECT_FALSE(tool->isVisible());
    }
}

} // namespace
