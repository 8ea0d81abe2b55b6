#include "app/SettingNames.h"
#include "app/TIniFile.h"
#include "support/FakePlatform.h"
#include "support/TestFiles.h"
#include "tools/GrfFiles.h"
#include "tools/TformGrfManager.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kNoListFile =
    u"Sorry. This file 'newgrf.txt' or 'newgrfw.txt' was not found in your ZVT directory"_s;
const QString kReplaceQuestion = u"File 'newgrf.txt' or 'newgrfw.txt' exists. Do you want to replace it ?"_s;
const QString kExistsQuestion =
    u"File with this name already exists. To rename new one press 'No', to replace press 'Yes'"_s;
const QString kDeleteSource = u"Do you want to delete source file?"_s;

// The GRF manager on a game directory of its own, with a "newgrf" folder.
class GrfManagerTest : public ::testing::Test
{
protected:
    GrfManagerTest()
    {
        QDir(game.path()).mkdir(u"newgrf"_s);
        setGame(u"win"_s);
    }
    ~GrfManagerTest() override { fake.verify(); }

    void setGame(const QString &kind, const QString &extra = QString())
    {
        folder.writeSettings(u"[dvs]\n%1\n[zvt]\nversion=%2\n"_s.arg(extra, kind));
        TIniFile(folder.files().settingsIni()).WritePath(kZvt, u"dir"_s, game.path());
    }
    QString inGame(const QString &name) const { return game.path() + u'/' + name; }
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
        for (int row = 0; row < form.listGrfFiles->count(); ++row) {
            const QListWidgetItem *item = form.listGrfFiles->item(row);
            shown << (item->checkState() == Qt::Checked ? u"x "_s : QString()) + item->text();
        }
        return shown;
    }
    void select(const QString &name)
    {
        const QList<QListWidgetItem *> found = form.listGrfFiles->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        const QRect at = form.listGrfFiles->visualItemRect(found.front());
        QTest::mouseClick(form.listGrfFiles->viewport(), Qt::LeftButton, {}, at.center());
    }
    void click(QPushButton *button)
    {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // The next install picks `source`.
    void choose(const QString &source) { fake.fileDialogs.answerOpen(source); }

    TestProgramFolder folder;
    QTemporaryDir game;
    QTemporaryDir elsewhere;
    FakePlatform fake;
    TformGrfManager form{folder.files(), fake.platform()};
};

TEST_F(GrfManagerTest, OpensOnTheSortedFolderWithTheListedEntriesCheckedAndTellsWhatIsMissing)
{
    addGrfs({u"b.grf"_s, u"A.grf"_s, u"c.GRF"_s, u"my trains ü.grf"_s, u"x.grf"_s});
    writeBytes(grf(u"readme.txt"_s), "not a GRF");
    QDir(game.path()).mkpath(u"newgrf/folder.grf"_s);
    // The Windows list is read whatever the kind; line ends CR, LF and CR LF, both slashes.
    writeBytes(inGame(u"newgrfw.txt"_s),
               "newgrf/b.grf\rnewgrf\\A.grf\nNEWGRF/X.GRF\r\nnewgrf/my trains \xfc.grf\r\n"
               "newgrf/gone.grf\r\n\r\nnewgrf/c.GRF");
    writeBytes(inGame(u"newgrf.txt"_s), "newgrf/x.grf\r\n");
    setGame(u"dos"_s);
    fake.messages.expectOk(MsgType::Warning, u"Files:\n%1\n%2/\nwere not found."_s.arg(
                                                 inGame(u"newgrf/gone.grf"_s), game.path()));
    form.Initialize();
    // A line in capitals finds its file but checks nothing: entries compare case-sensitively.
    EXPECT_EQ(entries(),
              QStringList({u"x A.grf"_s, u"x b.grf"_s, u"x c.GRF"_s, u"x my trains ü.grf"_s, u"x.grf"_s}));
    EXPECT_FALSE(form.butnDelete->isEnabled());
    EXPECT_EQ(form.windowTitle(), u"NewGrf Manager"_s);
    EXPECT_EQ(form.height(), 600);
    EXPECT_EQ(form.minimumSize(), QSize(295, 480));

    // Each opening starts afresh; without a list file nothing is checked. A low screen gets a low window.
    QFile::remove(inGame(u"newgrfw.txt"_s));
    QFile::remove(inGame(u"newgrf.txt"_s));
    fake.screen.setSize(QSize(800, 599));
    click(form.butnQuit);
    EXPECT_EQ(form.listGrfFiles->count(), 0);
    fake.messages.expectOk(MsgType::Error, kNoListFile);
    form.Initialize();
    EXPECT_EQ(entries(), QStringList({u"A.grf"_s, u"b.grf"_s, u"c.GRF"_s, u"my trains ü.grf"_s, u"x.grf"_s}));
    EXPECT_EQ(form.height(), 480);
}

TEST_F(GrfManagerTest, SaveWritesTheCheckedEntriesToTheListFileOfTheEdition)
{
    addGrfs({u"a.grf"_s, u"b.grf"_s, u"c.grf"_s});
    struct Case
    {
        const char *kind;
        const char *settings;
        std::optional<MsgAnswer> answer; // to the question, if asked
        const char *written;             // the file written, if any
        bool checkA;
    };
    const Case cases[] = {
        {"win", "", MsgAnswer::Yes, "newgrfw.txt", true},
        {"win+dvp", "saveconf=1", MsgAnswer::No, nullptr, true},
        {"dos", "saveconf=0", std::nullopt, "newgrf.txt", true},
        {"dos+dvp", "saveconf=0", std::nullopt, "newgrf.txt", false},
        {"unk", "", MsgAnswer::Yes, nullptr, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.kind);
        setGame(QString::fromLatin1(c.kind), QString::fromLatin1(c.settings));
        writeBytes(inGame(u"newgrfw.txt"_s), "newgrf/c.grf\r\n");
        QFile::remove(inGame(u"newgrf.txt"_s));
        form.Initialize();
        form.listGrfFiles->item(0)->setCheckState(c.checkA ? Qt::Checked : Qt::Unchecked);
        if (c.answer)
            fake.messages.expect(MsgType::Confirmation, kReplaceQuestion, MsgButtons::YesNo, *c.answer);
        if (c.written)
            fake.messages.expectOk(MsgType::Information, u"'%1' saved"_s.arg(QString::fromLatin1(c.written)));
        else if (c.answer == MsgAnswer::Yes)
            fake.messages.expectOk(MsgType::Error, u"Dravopax Vevavav can't recognize your ZVT version now.\n"
                                                   "You must set ZVT directory first."_s);
        click(form.butnSave);
        fake.messages.verify();
        const QByteArray expected = c.checkA ? "newgrf/a.grf\r\nnewgrf/c.grf\r\n" : "newgrf/c.grf\r\n";
        EXPECT_EQ(readBytes(inGame(u"newgrfw.txt"_s)),
                  qstrcmp(c.written, "newgrfw.txt") == 0 ? expected : QByteArray("newgrf/c.grf\r\n"));
        EXPECT_EQ(QFile::exists(inGame(u"newgrf.txt"_s)), c.written && qstrcmp(c.written, "newgrf.txt") == 0);
        if (c.written && qstrcmp(c.written, "newgrf.txt") == 0)
            EXPECT_EQ(readBytes(inGame(u"newgrf.txt"_s)), expected);
    }

    // Nothing checked writes an empty list; a name the 8-bit list cannot hold is refused, the list kept.
    setGame(u"win"_s, u"saveconf=0"_s);
    form.Initialize();
    form.listGrfFiles->item(2)->setCheckState(Qt::Unchecked);
    fake.messages.expectOk(MsgType::Information, u"'newgrfw.txt' saved"_s);
    click(form.butnSave);
    EXPECT_EQ(readBytes(inGame(u"newgrfw.txt"_s)), QByteArray());
    addGrfs({u"Поезд.grf"_s});
    form.Initialize();
    form.listGrfFiles->item(3)->setCheckState(Qt::Checked);
    fake.messages.expectOk(MsgType::Error,
                           u"Unable to write to %1\nThese characters cannot be stored in it: "
                           "Поезд\n(in \"Поезд.grf\")\nThe file holds Western "
                           "European (Windows-1252) text only."_s.arg(inGame(u"newgrfw.txt"_s)));
    click(form.butnSave);
    EXPECT_EQ(readBytes(inGame(u"newgrfw.txt"_s)), QByteArray());
}

TEST_F(GrfManagerTest, InstallCopiesReplacesOrRenamesAndOffersToDeleteTheSource)
{
    addGrfs({u"b.grf"_s, u"old.grf"_s});
    fake.messages.allow(MsgType::Error, kNoListFile, MsgButtons::Ok, MsgAnswer::Ok);
    form.Initialize();
    const QString source = elsewhere.path() + u"/old.grf"_s;
    const QString fresh = elsewhere.path() + u"/a new one.grf"_s;
    writeBytes(source, "NEW CONTENT");
    writeBytes(fresh, "FRESH");

    // A new name lands at the end of the list, unchecked, though the folder would sort it first.
    choose(fresh);
    fake.messages.expect(MsgType::Confirmation, kDeleteSource, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Information, u"New file installed\nSource file deleted"_s);
    click(form.butnInstallGrf);
    EXPECT_EQ(readBytes(grf(u"a new one.grf"_s)), QByteArray("FRESH"));
    EXPECT_FALSE(QFile::exists(fresh));

    // Yes replaces the file of that name.
    choose(source);
    fake.messages.expect(MsgType::Warning, kExistsQuestion, MsgButtons::YesNoCancel, MsgAnswer::Yes);
    fake.messages.expect(MsgType::Confirmation, kDeleteSource, MsgButtons::YesNo, MsgAnswer::No);
    fake.messages.expectOk(MsgType::Information, u"New file installed\nSource file not deleted"_s);
    click(form.butnInstallGrf);
    EXPECT_EQ(readBytes(grf(u"old.grf"_s)), QByteArray("NEW CONTENT"));

    // No asks for a new name; one that is taken, or Cancel, installs nothing.
    struct Rename
    {
        MsgAnswer answer;
        std::optional<QString> typed;
        QString message;
    };
    const Rename renames[] = {
        {MsgAnswer::No, u"renamed.grf"_s, QString()},
        {MsgAnswer::No, u"b.grf"_s, u"File not installed"_s},
        {MsgAnswer::No, std::nullopt, u"File not installed"_s},
        {MsgAnswer::Cancel, std::nullopt, u"File not installed"_s},
        {MsgAnswer::No, u"../outside.grf"_s,
         u"File not installed\n\"../outside.grf\" holds a path separator; the file must go into the 'newgrf' "
         "folder itself."_s},
        {MsgAnswer::No, u"..\\outside.grf"_s,
         u"File not installed\n\"..\\outside.grf\" holds a path separator; the file must go into the "
         "'newgrf' folder itself."_s},
        {MsgAnswer::No, u".."_s,
         u"File not installed\n\"..\" holds \"..\", which could lead out of the 'newgrf' folder."_s},
        {MsgAnswer::No, u"what?.grf"_s,
         u"File not installed\n\"what?.grf\" holds characters a file name cannot hold: ?"_s},
        {MsgAnswer::No, u"   "_s, u"File not installed\nThe new name is empty."_s},
        {MsgAnswer::No, u"trailing."_s,
         u"File not installed\n\"trailing.\" ends in a dot or a blank, which a file name cannot."_s},
        {MsgAnswer::No, u"con.grf"_s,
         u"File not installed\n\"con.grf\" is a name the system keeps for a device."_s},
    };
    for (const Rename &r : renames) {
        SCOPED_TRACE(r.typed.value_or(u"<cancelled>"_s).toStdString());
        choose(source);
        fake.messages.expect(MsgType::Warning, kExistsQuestion, MsgButtons::YesNoCancel, r.answer);
        if (r.answer == MsgAnswer::No)
            fake.input.answer(r.typed);
        if (r.message.isEmpty()) {
            fake.messages.expect(MsgType::Confirmation, kDeleteSource, MsgButtons::YesNo, MsgAnswer::No);
            fake.messages.expectOk(MsgType::Information, u"New file installed\nSource file not deleted"_s);
        } else {
            fake.messages.expectOk(MsgType::Information, r.message);
        }
        click(form.butnInstallGrf);
        fake.verify();
    }
    EXPECT_EQ(fake.input.shown().front(), u"New FileName"_s);
    EXPECT_EQ(readBytes(grf(u"renamed.grf"_s)), QByteArray("NEW CONTENT"));
    EXPECT_EQ(readBytes(grf(u"b.grf"_s)), QByteArray("b.grf")) << "a taken name is never replaced";
    EXPECT_FALSE(QFile::exists(inGame(u"outside.grf"_s)));
    EXPECT_EQ(QDir(grf(QString())).entryList(QDir::Files),
              QStringList({u"a new one.grf"_s, u"b.grf"_s, u"old.grf"_s, u"renamed.grf"_s}));
    EXPECT_EQ(entries(), QStringList({u"b.grf"_s, u"old.grf"_s, u"a new one.grf"_s, u"renamed.grf"_s}));

    // The folder's own file picked again is the installed file: it is never offered for deletion.
    choose(grf(u"b.grf"_s));
    fake.messages.expect(MsgType::Warning, kExistsQuestion, MsgButtons::YesNoCancel, MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Information, u"New file installed\nSource file not deleted"_s);
    click(form.butnInstallGrf);
    EXPECT_EQ(readBytes(grf(u"b.grf"_s)), QByteArray("b.grf"));

    // A cancelled dialog, or a chosen file that is gone by then, installs nothing.
    fake.fileDialogs.answerOpen(std::nullopt);
    click(form.butnInstallGrf);
    choose(elsewhere.path() + u"/vanished.grf"_s);
    click(form.butnInstallGrf);
    EXPECT_EQ(fake.fileDialogs.shown().back().filter, u"Zorvantia Graphic Files (*.grf)|*.grf"_s);
    EXPECT_TRUE(fake.fileDialogs.shown().back().mustExist);
}

TEST_F(GrfManagerTest, DeleteRemovesTheSelectedFileAndSaysSoOnlyWhenItIsGone)
{
    addGrfs({u"a.grf"_s, u"b.grf"_s});
    fake.messages.allow(MsgType::Error, kNoListFile, MsgButtons::Ok, MsgAnswer::Ok);
    form.Initialize();
    select(u"b.grf"_s);
    ASSERT_TRUE(form.butnDelete->isEnabled());
    fake.messages.expect(MsgType::Warning, u"Do you want to delete b.grf file?"_s, MsgButtons::YesNo,
                         MsgAnswer::No);
    click(form.butnDelete);
    EXPECT_TRUE(QFile::exists(grf(u"b.grf"_s)));

    // A folder that refuses the delete keeps the file and the entry.
    giveToOrdinaryUser(folder.path(), 0777);
    giveToOrdinaryUser(folder.files().settingsIni(), 0666);
    giveToOrdinaryUser(game.path(), 0777);
    giveToOrdinaryUser(grf(QString()), 0555);
    ASSERT_TRUE(asOrdinaryUser([&] {
        fake.messages.expect(MsgType::Warning, u"Do you want to delete b.grf file?"_s, MsgButtons::YesNo,
                             MsgAnswer::Yes);
        fake.messages.expectOk(MsgType::Error,
                               u"File:\n%1\nnot deleted.\nPermission denied"_s.arg(grf(u"b.grf"_s)));
        click(form.butnDelete);
    }));
    EXPECT_EQ(entries(), QStringList({u"a.grf"_s, u"b.grf"_s}));
    EXPECT_TRUE(QFile::exists(grf(u"b.grf"_s)));

    giveToOrdinaryUser(grf(QString()), 0777);
    fake.messages.expect(MsgType::Warning, u"Do you want to delete b.grf file?"_s, MsgButtons::YesNo,
                         MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Error, u"File:\n%1\ndeleted."_s.arg(grf(u"b.grf"_s)));
    click(form.butnDelete);
    EXPECT_FALSE(QFile::exists(grf(u"b.grf"_s)));
    EXPECT_EQ(entries(), QStringList({u"a.grf"_s}));
    EXPECT_FALSE(form.butnDelete->isEnabled());
}

TEST_F(GrfManagerTest, AReadOnlyFolderTakesNoInstallAndKeepsNoPartOfOne)
{
    fake.messages.allow(MsgType::Error, kNoListFile, MsgButtons::Ok, MsgAnswer::Ok);
    form.Initialize();
    const QString source = elsewhere.path() + u"/c.grf"_s;
    writeBytes(source, QByteArray(100000, 'c'));
    for (const QString &path : {folder.path(), game.path(), elsewhere.path()})
        giveToOrdinaryUser(path, 0777);
    giveToOrdinaryUser(folder.files().settingsIni(), 0666);
    giveToOrdinaryUser(source, 0666);
    giveToOrdinaryUser(grf(QString()), 0555);
    ASSERT_TRUE(asOrdinaryUser([&] {
        choose(source);
        fake.messages.expectOk(MsgType::Information, u"File not installed"_s);
        click(form.butnInstallGrf);
    }));
    EXPECT_TRUE(QDir(grf(QString())).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    EXPECT_TRUE(entries().isEmpty());
    // A copy cut short by a full disk leaves nothing either.
    giveToOrdinaryUser(grf(QString()), 0777);
    withFileSizeLimit(4096, [&] {
        choose(source);
        fake.messages.expectOk(MsgType::Information, u"File not installed"_s);
        click(form.butnInstallGrf);
    });
    EXPECT_TRUE(QDir(grf(QString())).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST_F(GrfManagerTest, AHugeOrBinaryListFileIsReadWithoutAnEndlessMessage)
{
    addGrfs({u"a.grf"_s});
    QByteArray list = "newgrf/a.grf\r\n";
    for (int i = 0; i < 100000; ++i)
        list += QByteArray::number(i * 7919, 16) + (i % 2 ? '\0' : '\xff') + "\n";
    writeBytes(inGame(u"newgrf.txt"_s), list);
    QString missing;
    for (int i = 0; i < 20; ++i)
        missing +=
            game.path() + u'/' + QString::number(i * 7919, 16) + (i % 2 ? QChar(0) : QChar(0xff)) + u'\n';
    fake.messages.expectOk(MsgType::Warning,
                           u"Files:\n"_s + missing + u"... and 99980 more\nwere not found."_s);
    form.Initialize();
    EXPECT_EQ(entries(), QStringList({u"x a.grf"_s}));
}

} // namespace
