#include "app/TformMain.h"
#include "editors/TformSwitches.h"
#include "editors/TformVersion.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchPanel.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>

using namespace Qt::StringLiterals;

namespace {

const QString kVersions =
    u"[version]\nnumber=2\ndisplay1=First\nnumber1=v1\nv1=1\ndisplay2=Second\nnumber2=v2\nv2=2\n"_s;
const QString kPatch = u"[data]\norgdata=2026-11-20\n[speed]\ncomponent=1\ncaption=Speed\nleft=8\ntop=10\n"
                       "width=60\nversion=v1\n[lanterns]\nversion=v2\ncomponent=2\ncaption=Lanterns\nleft=8\n"
                       "top=40\n[broken]\ncomponent=9\ncaption=Broken\n"_s;
// The data section once a switch was saved or deleted on the fake clock's day.
const QString kStamped = u"[data]\norgdata=2026-11-20\nuserdata=2026-11-20(2026-12-06)\nuserchnage=1\n"_s;
const QString kNotepadQuestion = u"Do you want to leave this editor and open %1 file in notepad?"_s;
const QString kQuitQuestion =
    u"You are going to end editing Dravopax Data.\nYou will lost every not-saved changes.\n"
    "After proceed Dravopax Vevavav will rebuild all switches.\nContinue?"_s;

class EditorWindowsTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        folder.writeVersions(kVersions);
        folder.writePatch(kPatch);
        folder.writeSettings(u"[dvs]\nversion=ver2\n"_s);
    }

    TformSwitches *openSwitches()
    {
        click(action("EditDravopaxSwitches"));
        return windows->editors().formSwitches();
    }

    static QStringList items(const QObject *window, const char *name)
    {
        const auto *list = named<QComboBox>(window, name);
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->itemText(i));
        return texts;
    }

    static QStringList grid(const QObject *window, const char *name)
    {
        const QAbstractItemModel *cells = named<QTableWidget>(window, name)->model();
        QStringList rows;
        for (int row = 0; row < cells->rowCount(); ++row)
            rows.append(cells->index(row, 0).data().toString() + u'=' +
                        cells->index(row, 1).data().toString());
        return rows;
    }

    QByteArray patchFile() const { return readBytes(folder.files().patchIni()); }
};

TEST_F(EditorWindowsTest, TheSwitchEditorOpensBesideTheWindowWithThePanelsSwitchesAndLeavesOnlyByItsButtons)
{
    startProgram();
    formMain->move(40, 30);
    formMain->resize(800, 600);
    TformSwitches *editor = openSwitches();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->windowModality(), Qt::ApplicationModal);
    const QRect mainFrame = formMain->frameGeometry();
    EXPECT_EQ(editor->frameGeometry().left(), mainFrame.left() + mainFrame.width() / 2 - 123);
    EXPECT_EQ(editor->frameGeometry().height(), mainFrame.height() - 20);
    EXPECT_EQ(editor->frameGeometry().top(), formMain->frameGeometry().top());
    EXPECT_FALSE(panel()->isEnabled());
    EXPECT_EQ(items(editor, "cboxSwitchesList"), (QStringList{u"lanterns"_s, u"speed"_s}));
    EXPECT_EQ(items(editor, "cboxSwitchVersion"), (QStringList{u"First"_s, u"Second"_s}));
    EXPECT_FALSE(named(editor, "butnSave")->isEnabled());

    choose(editor, "cboxSwitchesList", u"lanterns"_s);
    EXPECT_EQ(grid(editor, "listSwitchValues"),
              (QStringList{u"caption=Lanterns"_s, u"left=8"_s, u"top=40"_s}));
    EXPECT_EQ(named<QComboBox>(editor, "cboxSwitchType")->currentText(), u"On/Off Editor"_s);
    EXPECT_EQ(named<QComboBox>(editor, "cboxSwitchVersion")->currentText(), u"Second"_s);
    EXPECT_FALSE(named(editor, "cboxSwitchType")->isEnabled());
    EXPECT_TRUE(named(editor, "butnSwitchDelete")->isEnabled());
    QTest::keyClick(named(editor, "listSwitchValues"), Qt::Key_Right);
    EXPECT_FALSE(named(editor, "butnSave")->isEnabled()) << "moving about the grid changes nothing";
    QTest::keyClick(named(editor, "listSwitchValues"), Qt::Key_X);
    EXPECT_TRUE(named(editor, "butnSave")->isEnabled());

    editor->close();
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_TRUE(editor->isVisible()) << "only the editor's buttons close it";

    // Nothing changed: no question, and the panel keeps its controls.
    SwitchControl *before = panel()->control(u"speed"_s);
    click(editor, "butnCancel");
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(panel()->isEnabled());
    EXPECT_EQ(panel()->control(u"speed"_s), before);
    EXPECT_EQ(patchFile(), crlf(kPatch));
}

TEST_F(EditorWindowsTest, ASavedSwitchIsWrittenAsTheGridShowsItAndQuitRebuildsThePanel)
{
    startProgram();
    TformSwitches *editor = openSwitches();
    choose(editor, "cboxSwitchesList", u"speed"_s);
    auto *table = named<QTableWidget>(editor, "listSwitchValues");
    table->setFocus();
    table->setCurrentCell(table->rowCount() - 1, 0);
    QTest::keyClick(table, Qt::Key_Down);
    ASSERT_EQ(table->rowCount(), 5) << "Down on the last row adds one";
    table->setItem(4, 0, new QTableWidgetItem(u"Caption"_s));
    table->setItem(4, 1, new QTableWidgetItem(u"again"_s));
    fake.messages.expectOk(MsgType::Error, u"Switch not saved.\nThe key \"Caption\" is given twice."_s);
    click(editor, "butnSave");
    EXPECT_EQ(patchFile(), crlf(kPatch));

    table->item(4, 0)->setText(u"hint"_s);
    table->setCurrentCell(1, 0);
    QTest::keyClick(table, Qt::Key_Delete, Qt::ControlModifier);
    choose(editor, "cboxSwitchVersion", u"Second"_s);
    fake.messages.expectOk(MsgType::Information, u"Switch \"speed\" saved"_s);
    click(editor, "butnSave");
    EXPECT_EQ(patchFile(),
              crlf(kStamped +
                   u"[lanterns]\nversion=v2\ncomponent=2\ncaption=Lanterns\nleft=8\ntop=40\n"
                   "[broken]\ncomponent=9\ncaption=Broken\n"
                   "[speed]\nversion=v2\ncomponent=1\ncaption=Speed\ntop=10\nwidth=60\nhint=again\n"_s));

    fake.messages.expect(MsgType::Confirmation, kQuitQuestion, MsgButtons::YesNo, MsgAnswer::No);
    click(editor, "butnCancel");
    EXPECT_TRUE(editor->isVisible());
    SwitchControl *before = panel()->control(u"speed"_s);
    fake.messages.expect(MsgType::Confirmation, kQuitQuestion, MsgButtons::YesNo, MsgAnswer::Yes);
    click(editor, "butnCancel");
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(panel()->isEnabled());
    SwitchControl *after = panel()->control(u"speed"_s);
    ASSERT_NE(after, nullptr);
    EXPECT_NE(after, before) << "the panel was built again";
    EXPECT_EQ(after->widget()->statusTip(), u"again"_s);
}

TEST_F(EditorWindowsTest, ANewSwitchNeedsAFreeNameStartsFromItsKindsTemplateAndCanBeGivenUp)
{
    startProgram();
    TformSwitches *editor = openSwitches();
    const QString notAdded = u"Switch not added.\n"_s;
    const QString invalid = notAdded +
                            u"\"%1\" is not a valid name: use letters, digits and \"_\", and begin "
                            "with a letter or \"_\"."_s;
    const QString taken = notAdded + u"\"%1\" is already a section of the switch database."_s;
    const std::pair<QString, QString> refused[] = {
        {QString(), notAdded + u"A switch needs a name."_s},
        {u"1st"_s, invalid.arg(u"1st"_s)},
        {u"two words"_s, invalid.arg(u"two words"_s)},
        {u"SPEED"_s, taken.arg(u"speed"_s)},
        {u"Broken"_s, taken.arg(u"broken"_s)},
        {u"Data"_s, taken.arg(u"data"_s)},
        {u"BUTNRUN"_s, notAdded + u"\"BUTNRUN\" is already the name of a part of the main window."_s},
    };
    for (const auto &[name, message] : refused) {
        SCOPED_TRACE(name.toStdString());
        fake.input.answer(name);
        fake.messages.expectOk(MsgType::Error, message);
        click(editor, "butnSwitchAdd");
        EXPECT_EQ(items(editor, "cboxSwitchesList"), (QStringList{u"lanterns"_s, u"speed"_s}));
        EXPECT_TRUE(named(editor, "butnSwitchAdd")->isEnabled());
    }
    const QString added = u"Now select type, version and all values of new switch\nTo save switch push 'Save "
                          "Switch' else\nif you give up click 'Delete'"_s;
    fake.input.answer(u"_new_2"_s);
    fake.messages.expectOk(MsgType::Information, added);
    click(editor, "butnSwitchAdd");
    click(editor, "butnSwitchDelete");
    // The editor's own parts are no part of the main window.
    fake.input.answer(u"butnSave"_s);
    fake.messages.expectOk(MsgType::Information, added);
    click(editor, "butnSwitchAdd");
    EXPECT_EQ(items(editor, "cboxSwitchesList"), (QStringList{u"butnSave"_s, u"lanterns"_s, u"speed"_s}));
    EXPECT_EQ(named<QComboBox>(editor, "cboxSwitchesList")->currentText(), u"butnSave"_s);
    EXPECT_FALSE(named(editor, "cboxSwitchesList")->isEnabled());

    choose(editor, "cboxSwitchType", u"Custom Text"_s);
    const QStringList rows = grid(editor, "listSwitchValues");
    EXPECT_EQ(rows.size(), 8);
    EXPECT_EQ(rows.value(6),
              u"type=number (if it exist only number will be allowed, DELETE if not neccessary)"_s);
    fake.messages.expectOk(MsgType::Error, u"Switch not saved.\nYou do not select either:\n"
                                           "Type, Version or do not fill Keys/Values"_s);
    click(editor, "butnSave");

    click(editor, "butnSwitchDelete");
    EXPECT_EQ(items(editor, "cboxSwitchesList"), (QStringList{u"lanterns"_s, u"speed"_s}));
    EXPECT_TRUE(named(editor, "cboxSwitchesList")->isEnabled());
    EXPECT_FALSE(editor->adding());
    EXPECT_EQ(patchFile(), crlf(kPatch));
    click(editor, "butnCancel");
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(EditorWindowsTest, DeletingASwitchAsksFirstAndStampsTheDayAndNotepadShowsTheDatabase)
{
    startProgram();
    TformSwitches *editor = openSwitches();
    choose(editor, "cboxSwitchesList", u"lanterns"_s);
    const QString question =
        u"THIS CANNOT BE BACK !!!\nYou are going to delete selected switch.\nAre you sure?"_s;
    fake.messages.expect(MsgType::Warning, question, MsgButtons::YesNo, MsgAnswer::No);
    click(editor, "butnSwitchDelete");
    EXPECT_EQ(patchFile(), crlf(kPatch));
    fake.messages.expect(MsgType::Warning, question, MsgButtons::YesNo, MsgAnswer::Yes);
    click(editor, "butnSwitchDelete");
    const QString after = kStamped +
                          u"[speed]\ncomponent=1\ncaption=Speed\nleft=8\ntop=10\nwidth=60\nversion=v1\n"
                          "[broken]\ncomponent=9\ncaption=Broken\n"_s;
    EXPECT_EQ(patchFile(), crlf(after));
    EXPECT_EQ(items(editor, "cboxSwitchesList"), QStringList{u"speed"_s});

    fake.messages.expect(MsgType::Confirmation, kNotepadQuestion.arg(u"PATCH.INI"_s), MsgButtons::YesNo,
                         MsgAnswer::Yes);
    click(editor, "butnNotepad");
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(named<QTabWidget>("pageMain")->currentWidget(), named<QWidget>("pageNotepad"));
    EXPECT_EQ(named<QPlainTextEdit>("memoNotepad")->toPlainText() + u'\n', after);
    EXPECT_NE(panel()->control(u"lanterns"_s), nullptr) << "this way out does not rebuild the panel";
    EXPECT_TRUE(panel()->isEnabled());
}

// A count beyond the versions present is neither listed nor added to.
TEST_F(EditorWindowsTest, TheVersionEditorListsTheVersionsPresentSavesRenumbersAndKeepsTheVersionMenuInStep)
{
    const QString versions = QString(kVersions).replace(u"number=2\n"_s, u"number=2000000000\n"_s);
    folder.writeVersions(versions);
    startProgram();
    EXPECT_EQ(versionItems(), (QStringList{u"ver1=First"_s, u"ver2=Second*"_s}));
    click(action("VersionPatch1"));
    TformVersion *editor = windows->editors().formVersion();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(items(editor, "cboxVersion"), (QStringList{u"First"_s, u"Second"_s}));
    auto *shortName = named<QLineEdit>(editor, "editVersionShort");
    const auto shown = [editor](const char *field) { return named<QLineEdit>(editor, field)->text(); };
    EXPECT_FALSE(shortName->isEnabled());

    choose(editor, "cboxVersion", u"Second"_s);
    EXPECT_EQ(shown("editNumber"), u"2"_s);
    EXPECT_EQ(shortName->text(), u"v2"_s);
    shortName->selectAll();
    QTest::keyClicks(shortName, u"V1"_s);
    fake.messages.expectOk(MsgType::Error,
                           u"Version not saved.\n\"V1\" is already the short name of version 1."_s);
    click(editor, "butnSave");
    EXPECT_EQ(readBytes(folder.files().versionIni()), crlf(versions));
    EXPECT_EQ(shortName->text(), u"V1"_s) << "a refused save keeps what was typed";

    shortName->selectAll();
    QTest::keyClicks(shortName, u"v2b"_s);
    fake.messages.expectOk(MsgType::Information, u"Version saved"_s);
    click(editor, "butnSave");
    fake.input.answer(u"Third"_s);
    click(editor, "butnAdd");
    EXPECT_EQ(shown("editNumber"), u"3"_s);
    EXPECT_EQ(shown("editVersionLong"), u"Third"_s);
    QTest::keyClicks(shortName, u"v3"_s);
    fake.messages.expectOk(MsgType::Information, u"Version saved"_s);
    click(editor, "butnSave");
    EXPECT_EQ(readBytes(folder.files().versionIni()),
              crlf(u"[version]\nnumber=3\ndisplay1=First\nnumber1=v1\nv1=1\ndisplay2=Second\nnumber2=v2b\n"
                   "v2b=2\ndisplay3=Third\nv3=3\nnumber3=v3\n"_s));
    EXPECT_EQ(versionItems(), (QStringList{u"ver1=First"_s, u"ver2=Second*"_s, u"ver3=Third"_s}));

    choose(editor, "cboxVersion", u"First"_s);
    fake.messages.expect(MsgType::Warning,
                         u"THIS CANNOT BE BACK !!!\nYou are going to delete selected version.\n"
                         "You will have to change all switches that using this version.\nAre you sure?"_s,
                         MsgButtons::YesNo, MsgAnswer::Yes);
    click(editor, "butnDelete");
    EXPECT_EQ(items(editor, "cboxVersion"), (QStringList{u"Second"_s, u"Third"_s}));
    fake.messages.expect(
        MsgType::Confirmation,
        u"You are going to end editing Dravopax Versions.\nYou will lost every not-saved changes.\n"
        "Dravopax Vevavav must rebuild version info now.\nContinue?"_s,
        MsgButtons::YesNo, MsgAnswer::Yes);
    click(editor, "butnCancel");
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(
        readBytes(folder.files().versionIni()),
        crlf(
            u"[version]\nnumber=2\ndisplay2=Third\nnumber2=v3\nv2b=1\nv3=2\ndisplay1=Second\nnumber1=v2b\n"_s));
    EXPECT_EQ(versionItems(), (QStringList{u"ver1=Second"_s, u"ver2=Third*"_s}));
}

TEST_F(EditorWindowsTest, NotepadForAFileThatCannotBeReadSaysSoAndLeavesEachEditorOpen)
{
    startProgram();
    // The item that opens each editor, its name, and its file as the question names it and on disk.
    const std::tuple<QAction *, const char *, const char *, QString> editors[] = {
        {action("EditDravopaxSwitches"), "formSwitches", "PATCH.INI", folder.files().patchIni()},
        {action("VersionPatch1"), "formVersion", "VERSION.INI", folder.files().versionIni()},
        {action("ProgramsEditor1"), "formPrograms", "TOOL.INI", folder.files().toolIni()},
        {action("itemLinksEditor"), "formLinks", "DATA.INI", folder.files().dataIni()},
    };
    for (const auto &[opens, name, shownName, file] : editors) {
        SCOPED_TRACE(name);
        click(opens);
        auto *editor = named<QDialog>(name);
        ASSERT_TRUE(editor && editor->isVisible());
        QFile::remove(file);
        fake.messages.expect(MsgType::Confirmation, kNotepadQuestion.arg(QLatin1String(shownName)),
                             MsgButtons::YesNo, MsgAnswer::Yes);
        fake.messages.expectOk(MsgType::Error, u"Sorry, file:\n"_s + file + u"\nnot found"_s);
        click(editor, "butnNotepad");
        EXPECT_TRUE(editor->isVisible());
        EXPECT_NE(named<QTabWidget>("pageMain")->currentWidget(), named<QWidget>("pageNotepad"));
        click(editor, "butnCancel");
        EXPECT_FALSE(editor->isVisible());
    }
}

TEST_F(EditorWindowsTest, ASwitchOf500KeysAndA100KBValueIsShownAndSavedWhole)
{
    QString big = u"[big]\nversion=v1\ncomponent=4\ncaption=Big\nleft=8\ntop=70\ntext="_s +
                  QString(100000, u'x') + u'\n';
    for (int i = 0; i < 500; ++i)
        big += u"key%1=%1\n"_s.arg(i);
    folder.writePatch(kPatch + big);
    startProgram();
    TformSwitches *editor = openSwitches();
    choose(editor, "cboxSwitchesList", u"big"_s);
    EXPECT_EQ(named<QTableWidget>(editor, "listSwitchValues")->rowCount(), 504);
    choose(editor, "cboxSwitchVersion", u"First"_s);
    fake.messages.expectOk(MsgType::Information, u"Switch \"big\" saved"_s);
    click(editor, "butnSave");
    QString expected = kPatch + big;
    expected.replace(u"[data]\norgdata=2026-11-20\n"_s, kStamped);
    EXPECT_TRUE(patchFile() == crlf(expected)) << "a key or value was changed or lost";
}

} // namespace
