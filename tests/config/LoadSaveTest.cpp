#include "app/TformMain.h"
#include "ini/TIniFile.h"
#include "platform/Cp1252.h"
#include "platform/QtDialogs.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchPanel.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {

const QString kLoadFilter = u"Configuration files (*.cfg)|*.cfg|All files (*.*)|*.*"_s;
const QString kAllFirst = u"All files (*.*)|*.*|Configuration files (*.cfg)|*.cfg"_s;

class LoadSaveTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        folder.writePatch(u"[lanterns]\ncomponent=2\ncaption=Lanterns\n[motto]\ncomponent=4\nvalue=gold\n"
                          "[huge]\ncomponent=5\nnumber=1\nvalue0=1073741824\nvalue1=1073741824\n"_s);
        installGame(u"dos+dvp"_s, "", {}, u"game"_s);
        startProgram();
    }

    OnOffSwitch *lanterns() const { return control<OnOffSwitch>("lanterns"); }
    QString gameCfg() const { return game + u"/dravopax.cfg"_s; }
    QString file(const char *name) const { return games.path() + u'/' + QString::fromLatin1(name); }
    const FileDialogRequest &lastDialog() const { return fake.fileDialogs.shown().back(); }

    // What a save of the panel writes, with the lanterns as given and both huge items
    // checked: a check-list sum beyond 32 bits wraps as the patch reads it.
    static QByteArray savedPanel(bool lanternsOn)
    {
        return crlf(u"// Created by Dravopax Vevavav [http://dravopax-vevavav.example.org/]\n"
                    "// Compatibile with UNKNOWN\n\nlanterns %1\nmotto gold\nhuge -2147483648\n"_s.arg(
                        lanternsOn ? u"on"_s : u"off"_s));
    }
};

TEST_F(LoadSaveTest, LoadingSaysWhenTheFileIsMissingAndSavingAsksBeforeOverwritingUnlessTheUserTurnedThatOff)
{
    fake.fileDialogs.answerOpen(std::nullopt);
    QTest::keyClick(formMain, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(lastDialog().title, u"Load Configuration File"_s);
    EXPECT_EQ(lastDialog().filter, kLoadFilter);
    EXPECT_EQ(lastDialog().folder, u"0"_s) << "no folder yet: the dialog's own";
    EXPECT_TRUE(lastDialog().mustExist);
    EXPECT_EQ(setting(u"lastdir"_s), u"<absent>"_s) << "cancelled: nothing changes";

    writeBytes(file("mine.cfg"), "lanterns on\r\n");
    fake.fileDialogs.answerOpen(file("mine.cfg"));
    click(action("mniFileLoadFile"));
    EXPECT_TRUE(lanterns()->isChecked());

    fake.fileDialogs.answerOpen(file("gone.cfg"));
    fake.messages.expectOk(MsgType::Error, u"Sorry, file:\n"_s + file("gone.cfg") + u"\nnot found"_s);
    click(action("mniFileLoadFile"));
    EXPECT_EQ(lastDialog().folder, games.path() + u'/') << "the folder of the file loaded last";

    fake.messages.expectOk(MsgType::Error, u"Sorry, file:\n"_s + gameCfg() + u"\nnot found"_s);
    QTest::keyClick(formMain, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    writeBytes(gameCfg(), "lanterns: off\r\n");
    click(action("mniFileLoadCfg"));
    EXPECT_FALSE(lanterns()->isChecked());

    QFile::remove(gameCfg());
    control<SetSwitch>("huge")->setCheckStates({true, true});
    fake.fileDialogs.answerSave(file("out.cfg"));
    QTest::keyClick(formMain, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(lastDialog().title, u"Save Configuration File"_s);
    EXPECT_EQ(lastDialog().defaultExtension, u"cfg"_s);
    EXPECT_TRUE(lastDialog().askOverwrite);
    EXPECT_EQ(readBytes(file("out.cfg")), savedPanel(false));

    const QString create = u"File not found:\n"_s + gameCfg() + u"\nDo you want to create it?"_s;
    fake.messages.expect(MsgType::Information, create, MsgButtons::YesNo, MsgAnswer::No);
    QTest::keyClick(formMain, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(QFile::exists(gameCfg()));
    fake.messages.expect(MsgType::Information, create, MsgButtons::YesNo, MsgAnswer::Yes);
    click(action("mniFileSaveCfg"));
    EXPECT_EQ(readBytes(gameCfg()), savedPanel(false));

    lanterns()->setChecked(true);
    fake.messages.expect(MsgType::Information,
                         u"File exists:\n"_s + gameCfg() + u"\nDo you want to overwrite it?"_s,
                         MsgButtons::YesNo, MsgAnswer::No);
    click(action("mniFileSaveCfg"));
    EXPECT_EQ(readBytes(gameCfg()), savedPanel(false)) << "No writes nothing";

    click(action("itemDVSOverwrite"));
    click(action("mniFileSaveCfg"));
    EXPECT_EQ(readBytes(gameCfg()), savedPanel(true)) << "no question with saveconf";
    fake.fileDialogs.answerSave(std::nullopt);
    click(action("mniFileSaveFile"));
    EXPECT_FALSE(lastDialog().askOverwrite);
    EXPECT_EQ(lastDialog().folder, game + u'/');

    closeProgram();
    folder.writeSettings(u"[dvs]\nversion=ver1\n"_s);
    startProgram();
    fake.messages.expectOk(MsgType::Warning, u"Zorvantia not found.\nPlease select ZVT directory.\n"
                                             "(Settings->Zorvantia->Change ZVT Directory)"_s);
    click(action("mniFileSaveCfg"));
    EXPECT_EQ(setting(u"lastdir"_s), u"<absent>"_s) << "no game directory: nothing written";
}

TEST_F(LoadSaveTest, TheNotepadSavesLoadsSelectsCopiesAndClearsItsText)
{
    named<QTabWidget>("pageMain")->setCurrentWidget(named<QWidget>("pageNotepad"));
    auto *memo = named<QPlainTextEdit>("memoNotepad");
    memo->setPlainText(u"first line\nCafé=2\n"_s);
    fake.fileDialogs.answerSave(file("notes.txt"));
    fake.messages.expectOk(MsgType::Information, u"File saved"_s);
    QTest::mouseClick(named<QPushButton>("butnSaveNotepad"), Qt::LeftButton);
    EXPECT_EQ(lastDialog().title, u"Save File"_s);
    EXPECT_EQ(lastDialog().filter, kAllFirst);
    EXPECT_TRUE(lastDialog().fileName.isEmpty());
    EXPECT_EQ(readBytes(file("notes.txt")), QByteArray("first line\r\nCaf\xE9=2\r\n"));
    EXPECT_EQ(setting(u"lastdir"_s), games.path() + u'/');
    EXPECT_EQ(windows->config().dlgSave.title, u"Save Configuration File"_s);
    EXPECT_EQ(windows->config().dlgSave.filter, kLoadFilter);

    TIniFile(folder.files().settingsIni()).WriteString(u"dvs"_s, u"lastdir"_s, u"/kept/"_s);
    writeBytes(file("in.cfg"), "one\r\ntwo\rthree\nfour\r\n");
    fake.fileDialogs.answerOpen(file("in.cfg"));
    QTest::mouseClick(named<QPushButton>("butnLoadNotepad"), Qt::LeftButton);
    EXPECT_EQ(lastDialog().filter, kAllFirst);
    EXPECT_EQ(memo->toPlainText(), u"one\ntwo\nthree\nfour"_s);
    EXPECT_EQ(setting(u"lastdir"_s), u"/kept/"_s) << "a loaded text gives no last folder";
    EXPECT_EQ(windows->config().dlgLoad.filter, kLoadFilter);

    fake.fileDialogs.answerOpen(file("vanished.cfg"));
    fake.messages.expectOk(MsgType::Error, u"Sorry, file:\n"_s + file("vanished.cfg") + u"\nnot found"_s);
    QTest::mouseClick(named<QPushButton>("butnLoadNotepad"), Qt::LeftButton);
    EXPECT_EQ(memo->toPlainText(), u"one\ntwo\nthree\nfour"_s) << "nothing lost";

    memo->setPlainText(u"alpha\nbeta"_s);
    QTest::mouseClick(named<QPushButton>("butnSelectAll"), Qt::LeftButton);
    EXPECT_EQ(memo->textCursor().selectedText(), u"alpha\u2029beta"_s);

    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(named<QPushButton>("butnCopyAll"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"alpha\nbeta"_s);
    EXPECT_FALSE(memo->textCursor().hasSelection());
    EXPECT_EQ(memo->textCursor().position(), 0);
    EXPECT_TRUE(memo->hasFocus()) << "the text, not the button clicked, takes the keys";

    for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        fake.messages.expect(MsgType::Confirmation, u"This will erase whole text in notepad. Continue?"_s,
                             MsgButtons::YesNo, answer);
        QTest::mouseClick(named<QPushButton>("butnClearNotepad"), Qt::LeftButton);
        EXPECT_EQ(memo->toPlainText().isEmpty(), answer == MsgAnswer::Yes);
    }
}

TEST_F(LoadSaveTest, AWriteThatFailsOrTextTheFileCannotHoldIsRefusedAndTheOlderFileStays)
{
    TIniFile(folder.files().settingsIni()).WriteString(u"dvs"_s, u"lastdir"_s, u"/kept/"_s);
    auto *motto = control<TextSwitch>("motto");
    motto->clear();
    motto->setFocus();
    for (const QString &pasted : {u"ab"_s, u"x中"_s}) {
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(motto, Qt::Key_V, Qt::ControlModifier);
    }
    EXPECT_EQ(motto->text(), u"ab"_s) << "a paste holding a letter the file cannot hold is refused whole";
    // A value that reaches the writer all the same is refused, never written with "?".
    writeBytes(file("older.cfg"), "older\r\n");
    motto->setText(u"MottoΩ中"_s);
    fake.fileDialogs.answerSave(file("older.cfg"));
    fake.messages.expectOk(MsgType::Error, Cp1252::refusal(file("older.cfg"), u"motto MottoΩ中"_s));
    QTest::keyClick(formMain, Qt::Key_S, Qt::ControlModifier);
    const std::size_t asked = fake.fileDialogs.shown().size();
    named<QPlainTextEdit>("memoNotepad")->setPlainText(u"fine\nŁódź"_s);
    fake.messages.expectOk(MsgType::Error, u"File not saved\n"_s + Cp1252::whyNotStored(u"Łódź"));
    QTest::mouseClick(named<QPushButton>("butnSaveNotepad"), Qt::LeftButton);
    EXPECT_EQ(fake.fileDialogs.shown().size(), asked) << "no file is asked for";

    // A disk that fills up part-way through the write.
    motto->setText(QString(20000, u'm'));
    named<QPlainTextEdit>("memoNotepad")->setPlainText(QString(30000, u'n'));
    fake.fileDialogs.answerSave(file("older.cfg"));
    fake.messages.expectOk(MsgType::Error, u"Unable to write to "_s + file("older.cfg"));
    fake.fileDialogs.answerSave(file("older.cfg"));
    fake.messages.expectOk(MsgType::Error, u"File not saved"_s);
    withFileSizeLimit(4096, [&] {
        QTest::keyClick(formMain, Qt::Key_S, Qt::ControlModifier);
        QTest::mouseClick(named<QPushButton>("butnSaveNotepad"), Qt::LeftButton);
    });
    EXPECT_EQ(setting(u"lastdir"_s), u"/kept/"_s);

    // A read-only file is not replaced, though its folder would let a rename through.
    motto->setText(u"m"_s);
    giveToOrdinaryUser(games.path(), 0777);
    giveToOrdinaryUser(file("older.cfg"), 0444);
    asOrdinaryUser([&] {
        fake.fileDialogs.answerSave(file("older.cfg"));
        fake.messages.expectOk(MsgType::Error, u"Unable to write to "_s + file("older.cfg"));
        QTest::keyClick(formMain, Qt::Key_S, Qt::ControlModifier);
    });
    EXPECT_EQ(readBytes(file("older.cfg")), QByteArray("older\r\n"));
}

TEST_F(LoadSaveTest, TheStartUpChoiceIsStoredAndShownInTheMenu)
{
    // The start-up items as the menu shows them, the checked one marked.
    const auto items = [this] {
        QStringList shown;
        for (QAction *item : {action("itemDVSLoadNothing"), action("itemDVSLoaddravopaxcfg"),
                              action("itemDVSLoadSelectHere")})
            shown << item->text() + (item->isChecked() ? u"*"_s : QString());
        return shown.join(u", "_s);
    };
    EXPECT_EQ(items(), u"Nothing*, dravopax.cfg, Select File Here"_s);

    writeBytes(file("start me.cfg"), "lanterns on\r\n");
    fake.fileDialogs.answerOpen(file("start me.cfg"));
    click(action("itemDVSLoadSelectHere"));
    EXPECT_EQ(lastDialog().filter, u"Configuration files (*.cfg)|*.cfg"_s);
    EXPECT_EQ(windows->config().dlgLoad.filter, kLoadFilter) << "put back";
    EXPECT_EQ(setting(u"startup"_s), file("start me.cfg"));
    EXPECT_EQ(items(), u"Nothing, dravopax.cfg, Select File Here (start me.cfg)*"_s);

    fake.fileDialogs.answerOpen(std::nullopt);
    fake.messages.expectOk(MsgType::Error,
                           u"This file not exists, or you can't select it.\nPlease try again.\n"
                           "Changes not saved."_s);
    click(action("itemDVSLoadSelectHere"));
    EXPECT_EQ(items(), u"Nothing, dravopax.cfg, Select File Here (start me.cfg)*"_s) << "the choice stays";
    EXPECT_EQ(setting(u"startup"_s), file("start me.cfg"));

    fake.messages.expectOk(MsgType::Error, u"File: dravopax.cfg was not found in your Zorvantia Directory.\n"
                                           "Anyway this path is saved:\n"_s +
                                               gameCfg());
    click(action("itemDVSLoaddravopaxcfg"));
    EXPECT_EQ(setting(u"startup"_s), gameCfg());
    EXPECT_EQ(items(), u"Nothing, dravopax.cfg*, Select File Here"_s);
    closeProgram();
    startProgram();
    EXPECT_EQ(items(), u"Nothing, dravopax.cfg*, Select File Here"_s) << "as the next start shows it";

    click(action("itemDVSLoadNothing"));
    EXPECT_EQ(setting(u"startup"_s), u"<absent>"_s) << "the key goes, not just its value";
    EXPECT_EQ(items(), u"Nothing*, dravopax.cfg, Select File Here"_s);
    for (const QAction *item :
         {action("itemDVSLoadNothing"), action("itemDVSLoaddravopaxcfg"), action("itemDVSLoadSelectHere")})
        EXPECT_TRUE(item->actionGroup() && item->actionGroup()->isExclusive())
            << item->objectName().toStdString() << " is drawn as a radio item";
}

// The dialogs' filters as the toolkit's dialog takes them. "*.*" becomes "*", which
// passes every file, so the notepad can load a file named without a dot.
TEST(QtFileDialogs, FiltersBecomeTheToolkitsFormAndStarDotStarPassesEveryFile)
{
    const std::pair<QString, QStringList> cases[] = {
        {kLoadFilter, {u"Configuration files (*.cfg) (*.cfg)"_s, u"All files (*.*) (*)"_s}},
        {kAllFirst, {u"All files (*.*) (*)"_s, u"Configuration files (*.cfg) (*.cfg)"_s}},
        {u"EXE and BAT files files (*.exe;*.bat)|*.exe;*.bat"_s,
         {u"EXE and BAT files files (*.exe;*.bat) (*.exe *.bat)"_s}},
        {QString(), {u"All files (*)"_s}},
    };
    for (const auto &[filter, expected] : cases)
        EXPECT_EQ(QtFileDialogs::nameFilters(filter), expected) << filter.toStdString();
}

} // namespace
