#include "app/TformMain.h"
#include "editors/ShortcutList.h"
#include "editors/TformLinks.h"
#include "editors/TformPrograms.h"
#include "support/MainWindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

class LinksAndShortcutsTest : public MainWindowFixture
{
protected:
    QString tool() const { return folder.files().toolIni(); }
    QString data() const { return folder.files().dataIni(); }

    // The main window's items of a menu, as "caption|hint".
    static QStringList shown(const QMenu *menu)
    {
        QStringList items;
        for (const QAction *item : menu->actions())
            items.append(item->text() + u'|' + item->statusTip());
        return items;
    }
    QMenu *linkMenu(const QString &caption) const
    {
        for (QAction *item : named<QMenu>("menuLinks")->actions())
            if (item->menu() && item->text() == caption)
                return item->menu();
        return nullptr;
    }
};

TEST_F(LinksAndShortcutsTest, EveryShortcutEditReachesToolIniWhole)
{
    const QString three =
        u"[programs]\nnumber=3\ndisplay1=A\npath1=/a\ndisplay2=B\npath2=/b\ndisplay3=C\npath3=/c\n"_s;
    // What is tested, tool.ini before (none: no file), the edit, and tool.ini after.
    const std::tuple<const char *, QString, std::function<void(ShortcutList &)>, QString> cases[] = {
        {"add to an empty file", QString(), [](ShortcutList &s) { s.add(u"Editor"_s, u"/usr/bin/ed"_s); },
         u"[programs]\nnumber=1\ndisplay1=Editor\npath1=/usr/bin/ed\n"_s},
        {"delete the middle one", three, [](ShortcutList &s) { s.remove(2); },
         u"[programs]\nnumber=2\ndisplay1=A\npath1=/a\ndisplay2=C\npath2=/c\n"_s},
        {"delete the last one", three, [](ShortcutList &s) { s.remove(3); },
         u"[programs]\nnumber=2\ndisplay1=A\npath1=/a\ndisplay2=B\npath2=/b\n"_s},
        {"a gap moves down as a gap",
         u"[programs]\nnumber=3\ndisplay1=A\npath1=/a\ndisplay2=B\npath2=/b\npath3=/c\n"_s,
         [](ShortcutList &s) { s.remove(1); }, u"[programs]\nnumber=2\npath2=/c\ndisplay1=B\npath1=/b\n"_s},
        // A count beyond the keys present counts only those.
        {"delete beyond the keys", u"[programs]\nnumber=2000000000\ndisplay1=A\npath1=/a\n"_s,
         [](ShortcutList &s) { s.remove(1); }, u"[programs]\nnumber=0\n"_s},
        {"add beyond the keys", u"[programs]\nnumber=2000000000\ndisplay1=A\npath1=/a\n"_s,
         [](ShortcutList &s) { s.add(u"B"_s, u"/b"_s); },
         u"[programs]\nnumber=2\ndisplay1=A\npath1=/a\ndisplay2=B\npath2=/b\n"_s},
        // Without a count, a new shortcut goes after the ones the file holds.
        {"add without a count", u"[programs]\ndisplay1=A\npath1=/a\n"_s,
         [](ShortcutList &s) { s.add(u"B"_s, u"/b"_s); },
         u"[programs]\ndisplay1=A\npath1=/a\nnumber=2\ndisplay2=B\npath2=/b\n"_s},
        {"rename and re-target", three,
         [](ShortcutList &s) {
             s.rename(2, u"Bee"_s);
             s.setPath(3, u"/see"_s);
         },
         u"[programs]\nnumber=3\ndisplay1=A\npath1=/a\ndisplay2=Bee\npath2=/b\ndisplay3=C\npath3=/see\n"_s},
    };
    for (const auto &[what, before, edit, after] : cases) {
        QFile::remove(tool());
        if (!before.isEmpty())
            writeText(tool(), before);
        ShortcutList shortcuts(tool());
        edit(shortcuts);
        EXPECT_EQ(readBytes(tool()), crlf(after)) << what;
    }
    writeText(tool(), u"[programs]\nnumber=-5\ndisplay1=A\n"_s);
    EXPECT_TRUE(ShortcutList(tool()).menuEntries().isEmpty());
    // A key numbered beyond the keys of the section is no entry a count reaches.
    writeText(tool(), u"[programs]\nnumber=99999\ndisplay1=A\npath1=/a\ndisplay99999=B\npath99999=/b\n"_s);
    EXPECT_EQ(ShortcutList(tool()).displays(), QStringList{u"A"_s});
    EXPECT_EQ(ShortcutList(tool()).menuEntries().size(), 1);
}

TEST_F(LinksAndShortcutsTest, TheToolsMenuOpensEachShortcutInItsFolderOrSaysItsFileIsGone)
{
    const QString file = folder.path() + u"/readme.txt"_s;
    writeText(file, u"x\n"_s);
    writeText(tool(), u"[programs]\nnumber=2\ndisplay1=Read & learn\npath1="_s + file +
                          u"\ndisplay2=Gone\npath2=/no/such/file\n"_s);
    startProgram();
    const QStringList items = shown(named<QMenu>("menuTools"));
    ASSERT_EQ(items.mid(items.size() - 2),
              (QStringList{u"Read && learn|"_s + file, u"Gone|/no/such/file"_s}));
    QList<QAction *> actions = named<QMenu>("menuTools")->actions();
    click(actions.value(actions.size() - 2));
    EXPECT_EQ(fake.shell.starts(), (std::vector<FakeShell::Start>{{file, QString(), folder.path()}}));
    fake.messages.expectOk(MsgType::Error, u"Shortcut error.\nFile not exist.\n/no/such/file"_s);
    click(actions.last());
}

TEST_F(LinksAndShortcutsTest, TheShortcutsEditorAddsRenamesAndDeletesAndTheMenuFollows)
{
    writeText(tool(), u"[programs]\nnumber=1\ndisplay1=Old\npath1=/gone\n"_s);
    startProgram();
    click(action("ProgramsEditor1"));
    TformPrograms *editor = windows->editors().formPrograms();
    ASSERT_TRUE(editor->isVisible());

    fake.input.answer(u"Reader"_s);
    click(editor, "butnAdd");
    EXPECT_FALSE(named(editor, "cboxPrograms")->isEnabled());
    const QString file = folder.path() + u"/reader.txt"_s;
    writeText(file, u"x\n"_s);
    fake.fileDialogs.answerOpen(file);
    click(editor, "butnSelectFile");
    EXPECT_EQ(named<QLineEdit>(editor, "editPath")->text(), file);
    EXPECT_EQ(setting(u"lastdir"_s), QDir::toNativeSeparators(folder.path()) + QDir::separator());
    fake.messages.expect(MsgType::Warning, u"You not saved changes.\nDo you want to exit editor?"_s,
                         MsgButtons::YesNo, MsgAnswer::No);
    click(editor, "butnCancel");
    ASSERT_TRUE(editor->isVisible());
    click(editor, "butnSave");
    EXPECT_EQ(
        readBytes(tool()),
        crlf(u"[programs]\nnumber=2\ndisplay1=Old\npath1=/gone\ndisplay2=Reader\npath2="_s + file + u'\n'));
    EXPECT_EQ(shown(named<QMenu>("menuTools")).last(), u"Reader|"_s + file);

    fake.messages.expectOk(MsgType::Error, u"This shortcut is wrong because file not exist"_s);
    choose(editor, "cboxPrograms", u"Old"_s);
    EXPECT_FALSE(named(editor, "butnTest")->isEnabled());
    fake.input.answer(u"Older"_s);
    click(editor, "butnRename");
    fake.messages.expectOk(MsgType::Error, u"This shortcut is wrong because file not exist"_s);
    choose(editor, "cboxPrograms", u"Older"_s);
    fake.messages.expect(MsgType::Warning,
                         u"THIS CANNOT BE BACK !!!\nYou are going to delete shortcut.\nAre you sure?"_s,
                         MsgButtons::YesNo, MsgAnswer::Yes);
    click(editor, "butnDelete");
    EXPECT_EQ(shown(named<QMenu>("menuTools")).last(), u"Reader|"_s + file);
    EXPECT_EQ(named<QMenu>("menuTools")->findChildren<QAction *>(u"prog2"_s).size(), 0);
    // A name that leaves the list leaves nothing chosen, so no neighbour can be
    // given a file or renamed in its place.
    const auto nothingChosen = [editor](const char *after) {
        SCOPED_TRACE(after);
        EXPECT_EQ(named<QComboBox>(editor, "cboxPrograms")->currentIndex(), -1);
        for (const char *name : {"butnSelectFile", "butnRename", "butnSave", "butnDelete", "butnTest"})
            EXPECT_FALSE(named(editor, name)->isEnabled()) << name;
    };
    nothingChosen("delete");
    fake.input.answer(u"Given up"_s);
    click(editor, "butnAdd");
    click(editor, "butnDelete");
    nothingChosen("abandoning a new one");
    EXPECT_EQ(readBytes(tool()), crlf(u"[programs]\nnumber=1\ndisplay1=Reader\npath1="_s + file + u'\n'));

    choose(editor, "cboxPrograms", u"Reader"_s);
    click(editor, "butnTest");
    EXPECT_EQ(fake.shell.starts(), (std::vector<FakeShell::Start>{{file, QString(), folder.path()}}));
    click(editor, "butnCancel");
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(LinksAndShortcutsTest, EachLinkOpensByItsTypeAndBrokenOnesDoNothing)
{
    writeText(
        data(),
        u"[Data]\nversion=3\n[My_Links]\nHome_Page=PAGE|http://h.example/\nQ&A_Mail=MAIL|q@example.org\n"
        "Old Readme=FILE|/tmp/readme.txt\nTalk=NEWS|news://n.example/g\nEmpty=\nBare=http://x\nShort=PAG\n"
        "[data]\nLower=PAGE|http://lower.example/\n[]\nNameless=PAGE|http://x\n"_s);
    startProgram();
    // "data" is the section "Data" spelled otherwise: the data versions, not links.
    EXPECT_EQ(shown(named<QMenu>("menuLinks")),
              (QStringList{u"Dravopax Vevavav|Dravopax Vevavav Links & E-Mails"_s,
                           u"My Links|My Links Links and E-mails"_s}));
    QMenu *links = linkMenu(u"My Links"_s);
    ASSERT_NE(links, nullptr);
    EXPECT_EQ(shown(links),
              (QStringList{u"Home Page|My Links: Home Page"_s, u"Q&&A Mail|My Links: Q&A Mail"_s,
                           u"Old Readme|My Links: Old Readme"_s, u"Talk|My Links: Talk"_s,
                           u"Bare|My Links: Bare"_s, u"Short|My Links: Short"_s}));
    for (QAction *item : links->actions())
        click(item);
    const auto opened = [](const char *to) { return FakeShell::Start{QString::fromLatin1(to), {}, {}}; };
    EXPECT_EQ(fake.shell.starts(),
              (std::vector<FakeShell::Start>{opened("http://h.example/"), opened("mailto:q@example.org"),
                                             opened("/tmp/readme.txt"), opened("news://n.example/g")}));
}

TEST_F(LinksAndShortcutsTest, TheLinksEditorSavesANewSectionWithItsFirstLinkAndTheMenuShowsIt)
{
    // The data versions, in a spelling of their own, are no section of links.
    writeText(data(), u"[dATA]\nversion=3\n[Sites]\nHome=PAGE|http://h.example/\n"_s);
    startProgram();
    click(action("itemLinksEditor"));
    TformLinks *editor = windows->editors().formLinks();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(named<QComboBox>(editor, "cboxSection")->count(), 1);

    fake.input.answer(u"sites"_s);
    fake.messages.expectOk(MsgType::Error, u"There is a section \"sites\" already."_s);
    click(editor, "butnAdd");
    fake.input.answer(u"data"_s);
    fake.messages.expectOk(MsgType::Error, u"\"data\" holds the versions of the data files, not links."_s);
    click(editor, "butnAdd");
    fake.input.answer(u"Team_Mail"_s);
    click(editor, "butnAdd");
    fake.input.answer(u"Boss"_s);
    click(editor, "butnAddLink");
    QTest::keyClicks(named(editor, "editAddress"), u"boss@example.org"_s);
    fake.messages.expectOk(MsgType::Error,
                           u"Link not saved.\nYou do not select either:\nSection, Type or Link name"_s);
    click(editor, "butnSave");
    choose(editor, "cboxType", u"E-Mail"_s);
    fake.messages.expectOk(MsgType::Information, u"Link saved"_s);
    click(editor, "butnSave");
    EXPECT_EQ(readBytes(data()),
              crlf(u"[dATA]\nversion=3\n[Sites]\nHome=PAGE|http://h.example/\n[Team_Mail]\n"
                   "Boss=MAIL|boss@example.org\n"_s));
    QMenu *added = linkMenu(u"Team Mail"_s);
    ASSERT_NE(added, nullptr);
    click(added->actions().value(0));
    click(editor, "butnTest");
    EXPECT_EQ(fake.shell.starts(),
              (std::vector<FakeShell::Start>(2, {u"mailto:boss@example.org"_s, {}, {}})));

    choose(editor, "cboxSection", u"Sites"_s);
    fake.messages.expect(MsgType::Warning,
                         u"THIS CANNOT BE BACK !!!\nYou are going to one section.\nAre you sure?"_s,
                         MsgButtons::YesNo, MsgAnswer::Yes);
    click(editor, "butnDelete");
    EXPECT_EQ(readBytes(data()), crlf(u"[dATA]\nversion=3\n[Team_Mail]\nBoss=MAIL|boss@example.org\n"_s));
    EXPECT_EQ(linkMenu(u"Sites"_s), nullptr);
    EXPECT_FALSE(named(editor, "butnDelete")->isEnabled() || named(editor, "cboxLink")->isEnabled());
    click(editor, "butnCancel");
    EXPECT_FALSE(editor->isVisible());
}

} // namespace
