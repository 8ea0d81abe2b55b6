#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"
#include "update/TformAbout.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

class MainWindowTest : public MainWindowFixture
{
protected:
    // How wide `text` is on screen, drawn on its own.
    static int inkWidth(const QFont &font, const QString &text)
    {
        QLabel alone(text);
        alone.setFont(font);
        alone.adjustSize();
        return inkOf(&alone, [&alone] { alone.clear(); }).box.width();
    }
    QList<QToolButton *> toolbarButtons() const
    {
        QList<QToolButton *> buttons;
        for (QAction *a : formMain->menuMain->actions())
            if (auto *b = qobject_cast<QToolButton *>(formMain->menuMain->widgetForAction(a)))
                buttons << b;
        return buttons;
    }
    // Every button shows, 40 high and at least 70 wide, its whole caption in
    // its own font, with nothing else drawn over it (such as a menu arrow).
    void expectWholeCaptions()
    {
        for (QToolButton *b : toolbarButtons()) {
            SCOPED_TRACE(b->objectName().toStdString());
            EXPECT_TRUE(b->isVisible()) << "the toolbar has room for every button";
            EXPECT_EQ(b->height(), 40);
            EXPECT_GE(b->width(), 70);
            const QString caption = b->text();
            const Ink ink = inkOf(b, [b] { b->setText(QString()); });
            b->setText(caption);
            EXPECT_GE(ink.box.width(), inkWidth(b->font(), caption) - 1) << "the caption is shown whole";
            const QRect around = ink.box.adjusted(-1, -1, 1, 1) & ink.without.rect();
            int covered = 0;
            for (int y = around.top(); y <= around.bottom(); ++y) {
                for (int x = around.left(); x <= around.right(); ++x)
                    covered += ink.without.pixel(x, y) != ink.without.pixel(0, y);
            }
            EXPECT_EQ(covered, 0) << "pixels of something else where the caption is";
        }
    }
    QString settingsRefused() const { return u"Unable to write to "_s + folder.files().settingsIni(); }
};

TEST_F(MainWindowTest, TheToolbarHasItsTenButtonsWithCaptionsHintsAndMenus)
{
    startProgram();
    ASSERT_EQ(toolbarButtons().size(), 10);
    // A drop-down opens at the first click; the Run button runs, its arrow drops down.
    for (QToolButton *b : toolbarButtons()) {
        EXPECT_EQ(b->iconSize(), QSize(20, 20));
        EXPECT_FALSE(b->icon().isNull());
        const auto expected = !b->menu()               ? QToolButton::DelayedPopup
                              : b == formMain->butnRun ? QToolButton::MenuButtonPopup
                                                       : QToolButton::InstantPopup;
        EXPECT_EQ(b->popupMode(), expected) << b->objectName().toStdString();
    }
    EXPECT_EQ(formMain->butnLoadSave->menu(), formMain->menuLoadSave);
    EXPECT_EQ(formMain->butnHelp->size(), QSize(70, 40)) << "a short caption keeps the usual size";
    expectWholeCaptions();
    EXPECT_EQ(hintShownFor(formMain->butnTools), u"Tools"_s);
}

TEST_F(MainWindowTest, MenuItemsShowTheirHintsInTheStatusBar)
{
    startProgram();
    const std::tuple<QMenu *, QAction *, QString> hints[] = {
        {formMain->findChild<QMenu *>(u"itemDVSMisc"_s), formMain->itemDVSFullscreen,
         u"Always run Dravopax Vevavav in a Fullscreen Mode"_s},
        // A disabled item still says why; an item without a hint clears the bar.
        {formMain->menuHelp, formMain->itemHelpDV, u"Dravopax Help (Avabile with stable version)"_s},
        {formMain->menuLoadSave, formMain->itemQuit, QString()},
    };
    for (const auto &[menu, item, hint] : hints)
        EXPECT_EQ(hintShownFor(menu, item), hint) << item->objectName().toStdString();
}

TEST_F(MainWindowTest, SettingsTogglesFlipTheirMarkWriteTheirKeyAndChangeTheScreen)
{
    startProgram();
    const QString restart = u"This settings will change after restarting Dravopax Vevavav"_s;
    const struct
    {
        QAction *item;
        const char *key;
        const char *stored;
        bool checked;
        std::optional<bool> maximized;
        QString message;
    } clicks[] = {
        {formMain->itemDVSOverwrite, "saveconf", "1", true, {}, {}},
        {formMain->itemDVSOverwrite, "saveconf", "0", false, {}, {}},
        {formMain->itemDVSPosition, "position", "0", false, {}, {}},
        {formMain->itemDVS3DLook, "3dlook", "0", false, {}, restart},
        {formMain->itemDVSFullscreen, "maximize", "1", true, true, {}},
        {formMain->itemDVSFullscreen, "maximize", "0", false, false, {}},
        {formMain->itemDVSExit, "afterruntt", "1", true, {}, {}},
        {formMain->itemDVSMinimize, "afterruntt", "0", true, {}, {}},
    };
    for (const auto &c : clicks) {
        SCOPED_TRACE(c.item->objectName().toStdString());
        if (!c.message.isEmpty())
            fake.messages.expectOk(MsgType::Information, c.message);
        click(c.item);
        EXPECT_EQ(c.item->isChecked(), c.checked);
        EXPECT_EQ(setting(QString::fromLatin1(c.key)), QString::fromLatin1(c.stored));
        if (c.maximized) {
            EXPECT_EQ(formMain->isMaximized(), *c.maximized);
        }
    }
}

TEST_F(MainWindowTest, ShowTextOffGivesSmallIconButtonsAndOnBringsTheCaptionsBack)
{
    startProgram();
    click(formMain->itemDVSMenuText);
    EXPECT_EQ(setting(u"menutext"_s), u"0"_s);
    for (QToolButton *b : toolbarButtons()) {
        EXPECT_EQ(b->size(), QSize(27, 20));
        EXPECT_EQ(b->toolButtonStyle(), Qt::ToolButtonIconOnly);
    }
    click(formMain->itemDVSMenuText);
    EXPECT_EQ(setting(u"menutext"_s), u"1"_s);
    for (QToolButton *b : toolbarButtons())
        EXPECT_EQ(b->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    expectWholeCaptions();
}

TEST_F(MainWindowTest, TheToolbarMovesToTheChosenEdgeAndTheChoiceIsStored)
{
    startProgram();
    const std::tuple<QAction *, Qt::ToolBarArea, QString> moves[] = {
        {formMain->itemDVSMenuLeft, Qt::LeftToolBarArea, u"1"_s},
        {formMain->itemDVSMenuRight, Qt::RightToolBarArea, u"2"_s},
        {formMain->itemDVSMenuBottom, Qt::BottomToolBarArea, u"3"_s},
        {formMain->itemDVSMenuTop, Qt::TopToolBarArea, u"0"_s},
    };
    for (const auto &[item, area, stored] : moves) {
        click(item);
        EXPECT_EQ(formMain->toolBarArea(formMain->menuMain), area);
        EXPECT_TRUE(item->isChecked());
        EXPECT_TRUE(formMain->menuMain->isVisible());
        EXPECT_EQ(setting(u"menu"_s), stored);
    }
    formMain->MenuPosition(9);
    EXPECT_EQ(formMain->toolBarArea(formMain->menuMain), Qt::TopToolBarArea) << "other values change nothing";
    EXPECT_EQ(setting(u"menu"_s), u"9"_s);
}

TEST_F(MainWindowTest, StoredSettingsSetTheMarksAtStartAndTheRunModeShowsInTheButtonHint)
{
    folder.writeSettings(
        u"[dvs]\nmaximize=1\nsaveconf=1\nposition=0\nmenutext=0\nafterruntt=1\nmouse=1\nmenu=7\n3dlook=0\nrun=3\n"_s);
    startProgram();
    for (const auto &[item, checked] : {std::pair{formMain->itemDVSFullscreen, true},
                                        {formMain->itemDVSOverwrite, true},
                                        {formMain->itemDVSPosition, false},
                                        {formMain->itemDVSMenuText, false},
                                        {formMain->itemDVSExit, true},
                                        {formMain->itemDVSZVTCursor, true},
                                        {formMain->itemDVS3DLook, false},
                                        {formMain->mniSelectRunZVT, true}})
        EXPECT_EQ(item->isChecked(), checked) << item->objectName().toStdString();
    EXPECT_EQ(formMain->toolBarArea(formMain->menuMain), Qt::TopToolBarArea) << "menu=7 places it at the top";
    EXPECT_EQ(setting(u"menu"_s), u"0"_s);
    EXPECT_EQ(formMain->butnRun->statusTip(), u"Run ZVT"_s);
    closeProgram();

    folder.writeSettings(u"[dvs]\nrun=7\n"_s);
    startProgram();
    EXPECT_TRUE(formMain->mniSelectRunDVCfg->isChecked());
    EXPECT_EQ(formMain->butnRun->statusTip(), u"Run Dravopax (dravopax.cfg)"_s);
    const std::tuple<QAction *, QString, QString> modes[] = {
        {formMain->mniSelectRunDVexebat, u"4"_s, u"Run EXE or BAT file"_s},
        {formMain->mniSelectRunDVCurrent, u"2"_s, u"Run Dravopax (current settings)"_s},
    };
    for (const auto &[item, stored, hint] : modes) {
        click(item);
        EXPECT_EQ(setting(u"run"_s), stored);
        EXPECT_EQ(formMain->butnRun->statusTip(), hint);
    }
}

TEST_F(MainWindowTest, TheCursorChoiceCoversTheWindowButNotTextFieldsLinksOrOtherWindows)
{
    folder.writePatch(u"[motto]\ncomponent=4\n"_s);
    folder.writeSettings(u"[dvs]\nversion=ver1\n"_s);
    startProgram();
    const TformAbout &about = *formMain->formAbout;
    const std::pair<QAction *, bool> choices[] = {
        {nullptr, false}, {formMain->itemDVSZVTCursor, true}, {formMain->itemDVSWinCursor, false}};
    for (const auto &[item, game] : choices) {
        SCOPED_TRACE(item ? item->objectName().toStdString() : "at start");
        if (item)
            click(item);
        EXPECT_EQ(setting(u"mouse"_s), game ? u"1"_s : u"0"_s);
        for (const QWidget *w : std::initializer_list<const QWidget *>{formMain->menuMain, formMain->pageMain,
                                                                       formMain->barMain}) {
            EXPECT_EQ(w->cursor().shape(), game ? Qt::BitmapCursor : Qt::ArrowCursor)
                << w->objectName().toStdString();
            if (game) {
                EXPECT_EQ(w->cursor().pixmap().size(), QSize(32, 32));
            }
        }
        EXPECT_EQ(formMain->memoNotepad->viewport()->cursor().shape(), Qt::IBeamCursor);
        EXPECT_EQ(formMain->scrlMain->control(u"motto"_s)->widget()->cursor().shape(), Qt::IBeamCursor);
        EXPECT_EQ(about.lablDVSWWW->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(about.lablDVSMail->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_FALSE(about.testAttribute(Qt::WA_SetCursor)) << "the about window is not touched";
    }
}

TEST_F(MainWindowTest, OpenInNotepadIsUnavailableWhileTheNotepadShows)
{
    startProgram();
    EXPECT_EQ(formMain->pageMain->currentWidget(), formMain->pageDV);
    for (QWidget *page : {formMain->pageNotepad, formMain->pageDV}) {
        formMain->pageMain->setCurrentWidget(page);
        EXPECT_EQ(formMain->itemNotepad->isEnabled(), page == formMain->pageDV);
    }
}

TEST_F(MainWindowTest, ClosingSavesThePlacementWhenTheUserWantsItRemembered)
{
    startProgram();
    formMain->setGeometry(40, 50, 700, 500);
    const QPoint at = formMain->pos();
    QTest::keyClick(formMain, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(formMain->isVisible());
    EXPECT_EQ(
        readBytes(folder.files().settingsIni()),
        crlf(u"[dvs]\nmouse=0\nmenu=0\ncounter=1\nmaximize=0\nleft=%1\ntop=%2\nwidth=700\nheight=500\n"_s
                 .arg(at.x())
                 .arg(at.y())));

    // Maximized: the earlier placement stays and "maximize" is stored.
    startProgram();
    formMain->showMaximized();
    click(formMain->itemQuit);
    EXPECT_FALSE(formMain->isVisible());
    EXPECT_EQ(setting(u"maximize"_s), u"1"_s);
    EXPECT_EQ(setting(u"width"_s), u"700"_s);
    EXPECT_EQ(setting(u"left"_s), QString::number(at.x()));
}

TEST_F(MainWindowTest, WithPositionOffClosingWritesNothingAndTheNextStartCentresTheLastSize)
{
    folder.writeSettings(u"[dvs]\nposition=0\nleft=3\ntop=4\nwidth=700\nheight=500\n"_s);
    fake.screen.setSize(QSize(1024, 768));
    startProgram();
    EXPECT_EQ(formMain->size(), QSize(700, 500));
    EXPECT_EQ(formMain->pos(), QPoint(1024 / 2 - 700 / 2, 768 / 2 - 500 / 2));
    const QByteArray before = readBytes(folder.files().settingsIni());
    formMain->move(100, 100);
    closeProgram();
    EXPECT_EQ(readBytes(folder.files().settingsIni()), before);
}

TEST_F(MainWindowTest, DeleteSettingsFileAsksFirstAndThenDeletes)
{
    folder.writeSettings(u"[dvs]\nversion=ver1\ncounter=9\n"_s);
    startProgram();
    const QString question = u"This you should do only if you have problems with running Dravopax Vevavav.\n"
                             "This will delete all Dravopax Vevavav Settings. Do you want continue?"_s;
    fake.messages.expect(MsgType::Warning, question, MsgButtons::YesNo, MsgAnswer::No);
    click(formMain->itemDVSDelete);
    EXPECT_EQ(setting(u"counter"_s), u"10"_s) << "this start counted";

    fake.messages.expect(MsgType::Warning, question, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Warning,
                           u"File Deleted.\nYou should now select all settings in "
                           "'Settings->Dravopax Vevavav'.\nBe sure you select 'Version' before exit."_s);
    click(formMain->itemDVSDelete);
    EXPECT_FALSE(QFile::exists(folder.files().settingsIni()));
    closeProgram();
    EXPECT_EQ(setting(u"counter"_s), u"<absent>"_s);
    EXPECT_EQ(setting(u"maximize"_s), u"0"_s) << "closing writes the placement again";
}

TEST_F(MainWindowTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheScreenStillFollows)
{
    startProgram();
    // A folder in the settings file's place refuses every write.
    ASSERT_TRUE(QFile::remove(folder.files().settingsIni()));
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"settings.ini"_s));
    fake.messages.expectOk(MsgType::Error, settingsRefused());
    click(formMain->itemDVSMenuLeft);
    EXPECT_EQ(formMain->toolBarArea(formMain->menuMain), Qt::LeftToolBarArea);
    EXPECT_TRUE(formMain->itemDVSMenuLeft->isChecked());
    fake.messages.expectOk(MsgType::Error, settingsRefused());
    closeProgram();
    EXPECT_FALSE(formMain->isVisible()) << "a failed save never keeps the user from leaving";

    // A start in such a folder is not counted, and says so, but goes on.
    fake.messages.expectOk(MsgType::Error, settingsRefused());
    startProgram();
    EXPECT_EQ(formMain->toolBarArea(formMain->menuMain), Qt::TopToolBarArea);
    fake.messages.expectOk(MsgType::Error, settingsRefused());
    closeProgram();
}

TEST_F(MainWindowTest, ADamagedSettingsFileStillStartsWithDefaults)
{
    const QByteArray damaged[] = {
        QByteArray(),
        QByteArray(100000, '\x8F'),
        QByteArray("version=ver2\r\nmenu=2\r\n"),
        "[dvs]\r\nmenu=" + QByteArray(1 << 20, '3') + "\r\n",
    };
    for (const QByteArray &bytes : damaged) {
        writeBytes(folder.files().settingsIni(), bytes);
        startProgram();
        EXPECT_EQ(formMain->windowTitle(), u"Dravopax Vevavav - version not set"_s);
        EXPECT_EQ(formMain->toolBarArea(formMain->menuMain), Qt::TopToolBarArea);
        EXPECT_TRUE(formMain->itemDVSPosition->isChecked());
        closeProgram();
    }
}

TEST_F(MainWindowTest, TheProgramsOwnLinksOpenThroughTheShell)
{
    startProgram();
    click(formMain->itemHelpLinksDVSHomePage);
    click(formMain->itemHelpLinksDVSEMail);
    ASSERT_EQ(fake.shell.starts().size(), 2u);
    EXPECT_EQ(fake.shell.starts()[0].file, u"http://dravopax-vevavav.example.org/"_s);
    EXPECT_EQ(fake.shell.starts()[1].file,
              u"mailto:author@dravopax-vevavav.example.org?subject=Dravopax Vevavav"_s);
}

} // namespace
