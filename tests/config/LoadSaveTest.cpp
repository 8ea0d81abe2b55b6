#include "app/TIniFile.h"
#include "app/TformMain.h"
#include "platform/Cp1252.h"
#include "platform/QtDialogs.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kLoadFilter = QStringLiteral("Configuration files (*.cfg)|*.cfg|All files (*.*)|*.*");
const QString kAllFirst = QStringLiteral("All files (*.*)|*.*|Configuration files (*.cfg)|*.cfg");

class LoadSaveTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        folder.writePatch(
            QStringLiteral("[lanterns]\ncomponent=2\ncaption=Lanterns\n[motto]\ncomponent=4\nvalue=gold\n"));
        game = games.path() + QStringLiteral("/game");
        QDir().mkpath(game);
        folder.writeSettings(
            QStringLiteral("[dvs]\nversion=ver1\n[zvt]\ndir=%1\nversion=dos+dvp\n").arg(game));
    }

    OnOffSwitch *lanterns() const
    {
        return static_cast<OnOffSwitch *>(formMain->scrlMain->control(QStringLiteral("lanterns")));
    }
    QString gameCfg() const { return game + QStringLiteral("/dravopax.cfg"); }
    QString file(const char *name) const
    {
        return games.path() + QLatin1Char('/') + QString::fromLatin1(name);
    }
    const FileDialogRequest &lastDialog() const { return fake.fileDialogs.shown().back().request; }

    // What a save of the panel writes, with the lanterns as given.
    static QByteArray savedPanel(bool lanternsOn)
    {
        return crlf(QStringLiteral("// Created by Dravopax Vevavav [http://dravopax-vevavav.example.org/]\n"
                                   "// Compatibile with UNKNOWN\n\nlanterns %1\nmotto gold\n")
                        .arg(lanternsOn ? QStringLiteral("on") : QStringLiteral("off")));
    }

    QTemporaryDir games;
    QString game;
};

TEST_F(LoadSaveTest, FromFileLoadsTheChosenFileAndRemembersItsFolder)
{
    startProgram();
    fake.fileDialogs.answerOpen(std::nullopt);
    QTest::keyClick(formMain, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(lastDialog().title, QStringLiteral("Load Configuration File"));
    EXPECT_EQ(lastDialog().filter, kLoadFilter);
    EXPECT_EQ(lastDialog().folder, QStringLiteral("0")) << "no folder yet: the dialog's own";
    EXPECT_TRUE(lastDialog().mustExist);
    EXPECT_EQ(setting(QStringLiteral("lastdir")), QStringLiteral("<absent>")) << "cancelled: nothing changes";

    writeBytes(file("mine.cfg"), QByteArray("lanterns on\r\n"));
    fake.fileDialogs.answerOpen(file("mine.cfg"));
    click(formMain->mniFileLoadFile);
    EXPECT_TRUE(lanterns()->isChecked());
    EXPECT_EQ(setting(QStringLiteral("lastdir")), games.path() + QLatin1Char('/'));

    fake.fileDialogs.answerOpen(file("gone.cfg"));
    fake.messages.expectOk(MsgType::Error, QStringLiteral("Sorry, file:\n") + file("gone.cfg") +
                                               QStringLiteral("\nnot found"));
    click(formMain->mniFileLoadFile);
    EXPECT_EQ(lastDialog().folder, games.path() + QLatin1Char('/'));
}

TEST_F(LoadSaveTest, FromDravopaxCfgReadsTheGamesFileOrSaysItIsMissing)
{
    startProgram();
    fake.messages.expectOk(MsgType::Error,
                           QStringLiteral("Sorry, file:\n") + gameCfg() + QStringLiteral("\nnot found"));
    QTest::keyClick(formMain, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    writeBytes(gameCfg(), QByteArray("lanterns: on\r\n"));
    click(formMain->mniFileLoadCfg);
    EXPECT_TRUE(lanterns()->isChecked());
}

TEST_F(LoadSaveTest, ToFileAsksBeforeOverwritingUnlessTheUserTurnedThatOff)
{
    startProgram();
    fake.fileDialogs.answerSave(file("out.cfg"));
    QTest::keyClick(formMain, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(lastDialog().title, QStringLiteral("Save Configuration File"));
    EXPECT_EQ(lastDialog().defaultExtension, QStringLiteral("cfg"));
    EXPECT_TRUE(lastDialog().askOverwrite);
    EXPECT_EQ(readBytes(file("out.cfg")), savedPanel(false));
    EXPECT_TRUE(formMain->dlgSave.fileName.isEmpty());

    click(formMain->itemDVSOverwrite);
    fake.fileDialogs.answerSave(std::nullopt);
    click(formMain->mniFileSaveFile);
    EXPECT_FALSE(lastDialog().askOverwrite);
    EXPECT_EQ(lastDialog().folder, games.path() + QLatin1Char('/'));
}

TEST_F(LoadSaveTest, ToDravopaxCfgFollowsTheOverwriteSetting)
{
    startProgram();
    const QString create =
        QStringLiteral("File not found:\n") + gameCfg() + QStringLiteral("\nDo you want to create it?");
    const QString overwrite =
        QStringLiteral("File exists:\n") + gameCfg() + QStringLiteral("\nDo you want to overwrite it?");

    fake.messages.expect(MsgType::Information, create, MsgButtons::YesNo, MsgAnswer::No);
    QTest::keyClick(formMain, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(QFile::exists(gameCfg()));

    fake.messages.expect(MsgType::Information, create, MsgButtons::YesNo, MsgAnswer::Yes);
    click(formMain->mniFileSaveCfg);
    EXPECT_EQ(readBytes(gameCfg()), savedPanel(false));

    lanterns()->setChecked(true);
    fake.messages.expect(MsgType::Information, overwrite, MsgButtons::YesNo, MsgAnswer::No);
    click(formMain->mniFileSaveCfg);
    EXPECT_EQ(readBytes(gameCfg()), savedPanel(false)) << "No writes nothing";

    click(formMain->itemDVSOverwrite);
    click(formMain->mniFileSaveCfg);
    EXPECT_EQ(readBytes(gameCfg()), savedPanel(true)) << "no question with saveconf";
}

TEST_F(LoadSaveTest, ToDravopaxCfgWithoutAGameDirectoryWarnsAndWritesNothing)
{
    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\n"));
    startProgram();
    fake.messages.expectOk(MsgType::Warning,
                           QStringLiteral("Zorvantia not found.\nPlease select ZVT directory.\n"
                                          "(Settings->Zorvantia->Change ZVT Directory)"));
    click(formMain->mniFileSaveCfg);
    EXPECT_EQ(QDir(games.path()).entryList(QStringList{QStringLiteral("*.cfg")}, QDir::Files), QStringList());
}

TEST_F(LoadSaveTest, NotepadSaveAsWritesTheTextAndSaysSo)
{
    startProgram();
    formMain->pageMain->setCurrentWidget(formMain->pageNotepad);
    formMain->memoNotepad->setPlainText(QStringLiteral("first line\nCafé=2\n"));
    fake.fileDialogs.answerSave(file("notes.txt"));
    fake.messages.expectOk(MsgType::Information, QStringLiteral("File saved"));
    QTest::mouseClick(formMain->butnSaveNotepad, Qt::LeftButton);
    EXPECT_EQ(lastDialog().title, QStringLiteral("Save File"));
    EXPECT_EQ(lastDialog().filter, kAllFirst);
    EXPECT_TRUE(lastDialog().fileName.isEmpty());
    EXPECT_EQ(readBytes(file("notes.txt")), QByteArray("first line\r\nCaf\xE9=2\r\n"));
    EXPECT_EQ(setting(QStringLiteral("lastdir")), games.path() + QLatin1Char('/'));
    EXPECT_EQ(formMain->dlgSave.title, QStringLiteral("Save Configuration File")) << "put back";
    EXPECT_EQ(formMain->dlgSave.filter, kLoadFilter);
}

TEST_F(LoadSaveTest, TextAConfigurationFileCannotHoldIsKeptOutOrRefusedNeverWrittenAsQuestionMarks)
{
    startProgram();
    auto *motto = static_cast<TextSwitch *>(formMain->scrlMain->control(QStringLiteral("motto")));
    motto->clear();
    motto->setFocus();
    for (const QString &typed :
         {QStringLiteral("M"), QStringLiteral("Ω"), QStringLiteral("é"), QStringLiteral("中")}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, typed);
        QApplication::sendEvent(motto, &press);
    }
    EXPECT_EQ(motto->text(), QStringLiteral("Mé"));
    for (const QString &pasted : {QStringLiteral("ab"), QStringLiteral("x中")}) {
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(motto, Qt::Key_V, Qt::ControlModifier);
    }
    EXPECT_EQ(motto->text(), QStringLiteral("Méab")) << "a paste passes no key filter";

    // A value that reaches the writer all the same is refused, and the older file stays.
    writeBytes(file("mine.cfg"), QByteArray("older\r\n"));
    motto->setText(QStringLiteral("MottoΩ中"));
    fake.fileDialogs.answerSave(file("mine.cfg"));
    fake.messages.expectOk(MsgType::Error,
                           Cp1252::refusal(file("mine.cfg"), QStringLiteral("motto MottoΩ中")));
    QTest::keyClick(formMain, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(readBytes(file("mine.cfg")), QByteArray("older\r\n"));

    formMain->memoNotepad->setPlainText(QStringLiteral("fine\nŁódź"));
    fake.messages.expectOk(MsgType::Error,
                           QStringLiteral("File not saved\n") + Cp1252::whyNotStored(u"Łódź"));
    QTest::mouseClick(formMain->butnSaveNotepad, Qt::LeftButton);
    EXPECT_TRUE(fake.fileDialogs.shown().size() == 1u) << "no file is asked for";
}

TEST_F(LoadSaveTest, NotepadSaveAsThatFailsSaysSoAndKeepsTheOlderFile)
{
    startProgram();
    writeBytes(file("notes.txt"), QByteArray("older\r\n"));
    TIniFile(folder.files().settingsIni())
        .WriteString(QStringLiteral("dvs"), QStringLiteral("lastdir"), QStringLiteral("/kept/"));
    formMain->memoNotepad->setPlainText(QString(30000, QLatin1Char('n')));

    struct rlimit old
    {
    };
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    fake.fileDialogs.answerSave(file("notes.txt"));
    fake.messages.expectOk(MsgType::Error, QStringLiteral("File not saved"));
    setrlimit(RLIMIT_FSIZE, &small);
    QTest::mouseClick(formMain->butnSaveNotepad, Qt::LeftButton);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(readBytes(file("notes.txt")), QByteArray("older\r\n"));
    EXPECT_EQ(setting(QStringLiteral("lastdir")), QStringLiteral("/kept/"));
}

TEST_F(LoadSaveTest, NotepadLoadFromReplacesTheTextButNotTheLastFolder)
{
    startProgram();
    formMain->memoNotepad->setPlainText(QStringLiteral("old text"));
    writeBytes(file("in.cfg"), QByteArray("one\r\ntwo\rthree\nfour\r\n"));
    fake.fileDialogs.answerOpen(file("in.cfg"));
    QTest::mouseClick(formMain->butnLoadNotepad, Qt::LeftButton);
    EXPECT_EQ(lastDialog().filter, kAllFirst);
    EXPECT_EQ(formMain->memoNotepad->toPlainText(), QStringLiteral("one\ntwo\nthree\nfour"));
    EXPECT_EQ(setting(QStringLiteral("lastdir")), QStringLiteral("<absent>"));
    EXPECT_EQ(formMain->dlgLoad.filter, kLoadFilter) << "put back";

    fake.fileDialogs.answerOpen(file("vanished.cfg"));
    fake.messages.expectOk(MsgType::Error, QStringLiteral("Sorry, file:\n") + file("vanished.cfg") +
                                               QStringLiteral("\nnot found"));
    QTest::mouseClick(formMain->butnLoadNotepad, Qt::LeftButton);
    EXPECT_EQ(formMain->memoNotepad->toPlainText(), QStringLiteral("one\ntwo\nthree\nfour"))
        << "nothing lost";
}

TEST_F(LoadSaveTest, ClearAsksSelectAllSelectsAndCopyAllReachesTheClipboard)
{
    startProgram();
    formMain->pageMain->setCurrentWidget(formMain->pageNotepad);
    formMain->memoNotepad->setPlainText(QStringLiteral("alpha\nbeta"));

    QTest::mouseClick(formMain->butnSelectAll, Qt::LeftButton);
    EXPECT_EQ(formMain->memoNotepad->textCursor().selectedText(), QStringLiteral("alpha\u2029beta"));

    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(formMain->butnCopyAll, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("alpha\nbeta"));
    EXPECT_FALSE(formMain->memoNotepad->textCursor().hasSelection());
    EXPECT_EQ(formMain->memoNotepad->textCursor().position(), 0);

    const QString question = QStringLiteral("This will erase whole text in notepad. Continue?");
    fake.messages.expect(MsgType::Confirmation, question, MsgButtons::YesNo, MsgAnswer::No);
    QTest::mouseClick(formMain->butnClearNotepad, Qt::LeftButton);
    EXPECT_EQ(formMain->memoNotepad->toPlainText(), QStringLiteral("alpha\nbeta"));
    fake.messages.expect(MsgType::Confirmation, question, MsgButtons::YesNo, MsgAnswer::Yes);
    QTest::mouseClick(formMain->butnClearNotepad, Qt::LeftButton);
    EXPECT_TRUE(formMain->memoNotepad->toPlainText().isEmpty());
}

TEST_F(LoadSaveTest, TheStartUpChoiceIsStoredAndShownOnTheNextStart)
{
    startProgram();
    EXPECT_TRUE(formMain->itemDVSLoadNothing->isChecked());
    for (const QAction *item :
         {formMain->itemDVSLoadNothing, formMain->itemDVSLoaddravopaxcfg, formMain->itemDVSLoadSelectHere})
        EXPECT_TRUE(item->actionGroup() && item->actionGroup()->isExclusive())
            << item->objectName().toStdString() << " is drawn as a radio item";

    fake.messages.expectOk(MsgType::Error,
                           QStringLiteral("File: dravopax.cfg was not found in your Zorvantia Directory.\n"
                                          "Anyway this path is saved:\n") +
                               gameCfg());
    click(formMain->itemDVSLoaddravopaxcfg);
    EXPECT_EQ(setting(QStringLiteral("startup")), gameCfg());
    EXPECT_TRUE(formMain->itemDVSLoaddravopaxcfg->isChecked());
    EXPECT_FALSE(formMain->itemDVSLoadNothing->isChecked());

    writeBytes(file("start me.cfg"), QByteArray("lanterns on\r\n"));
    fake.fileDialogs.answerOpen(file("start me.cfg"));
    click(formMain->itemDVSLoadSelectHere);
    EXPECT_EQ(lastDialog().filter, QStringLiteral("Configuration files (*.cfg)|*.cfg"));
    EXPECT_EQ(formMain->dlgLoad.filter, kLoadFilter) << "put back";
    EXPECT_EQ(setting(QStringLiteral("startup")), file("start me.cfg"));
    EXPECT_EQ(formMain->itemDVSLoadSelectHere->text(), QStringLiteral("Select File Here (start me.cfg)"));
    EXPECT_TRUE(formMain->itemDVSLoadSelectHere->isChecked());
    EXPECT_FALSE(formMain->itemDVSLoaddravopaxcfg->isChecked());
    closeProgram();

    startProgram();
    EXPECT_TRUE(formMain->itemDVSLoadSelectHere->isChecked());
    EXPECT_EQ(formMain->itemDVSLoadSelectHere->text(), QStringLiteral("Select File Here (start me.cfg)"));

    const QString refused = QStringLiteral(
        "This file not exists, or you can't select it.\nPlease try again.\nChanges not saved.");
    fake.fileDialogs.answerOpen(std::nullopt);
    fake.messages.expectOk(MsgType::Error, refused);
    click(formMain->itemDVSLoadSelectHere);
    EXPECT_TRUE(formMain->itemDVSLoadSelectHere->isChecked()) << "the earlier choice stays";
    EXPECT_EQ(setting(QStringLiteral("startup")), file("start me.cfg"));

    click(formMain->itemDVSLoadNothing);
    EXPECT_EQ(setting(QStringLiteral("startup")), QStringLiteral("<absent>"))
        << "the key goes, not just its value";
    EXPECT_EQ(formMain->itemDVSLoadSelectHere->text(), QStringLiteral("Select File Here"));
    EXPECT_TRUE(formMain->itemDVSLoadNothing->isChecked());

    fake.fileDialogs.answerOpen(std::nullopt);
    fake.messages.expectOk(MsgType::Error, refused);
    click(formMain->itemDVSLoadSelectHere);
    EXPECT_TRUE(formMain->itemDVSLoadNothing->isChecked()) << "the earlier choice stays";
    EXPECT_FALSE(formMain->itemDVSLoadSelectHere->isChecked());
}

// The dialogs' filters as the toolkit's dialog takes them. "*.*" passes every
// file, so the notepad can load a file named without a dot.
TEST(QtFileDialogs, FiltersBecomeTheToolkitsFormAndStarDotStarPassesEveryFile)
{
    const std::pair<QString, QStringList> cases[] = {
        {kLoadFilter,
         {QStringLiteral("Configuration files (*.cfg) (*.cfg)"), QStringLiteral("All files (*.*) (*)")}},
        {kAllFirst,
         {QStringLiteral("All files (*.*) (*)"), QStringLiteral("Configuration files (*.cfg) (*.cfg)")}},
        {QStringLiteral("EXE and BAT files files (*.exe;*.bat)|*.exe;*.bat"),
         {QStringLiteral("EXE and BAT files files (*.exe;*.bat) (*.exe *.bat)")}},
        {QString(), {QStringLiteral("All files (*)")}},
    };
    for (const auto &[filter, expected] : cases)
        EXPECT_EQ(QtFileDialogs::nameFilters(filter), expected) << filter.toStdString();

    QTemporaryDir dir;
    for (const char *name : {"readme", "dravopax", "game.cfg"})
        writeBytes(dir.path() + QLatin1Char('/') + QString::fromLatin1(name), QByteArray());
    // The dialog lists what the patterns in the last brackets pass.
    const QString all = QtFileDialogs::nameFilters(kAllFirst).constFirst();
    const QStringList patterns =
        all.mid(all.lastIndexOf(QLatin1Char('(')) + 1).chopped(1).split(QLatin1Char(' '));
    EXPECT_EQ(
        QDir(dir.path()).entryList(patterns, QDir::Files, QDir::Name),
        (QStringList{QStringLiteral("dravopax"), QStringLiteral("game.cfg"), QStringLiteral("readme")}));
}

} // namespace
