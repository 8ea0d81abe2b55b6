#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"
#include "update/TformAbout.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

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

    QStringList captions(QMenu *menu) const
    {
        QStringList list;
        for (QAction *a : menu->actions())
            list << (a->isSeparator() ? QStringLiteral("-") : a->text().section(QLatin1Char('\t'), 0, 0));
        return list;
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
};

TEST_F(MainWindowTest, TheToolbarHasItsTenButtonsWithCaptionsHintsAndMenus)
{
    startProgram();
    QStringList shown;
    for (QToolButton *b : toolbarButtons())
        shown << b->text() + QStringLiteral(" | ") + b->statusTip();
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Load / Save | Load / Save Configuration File"),
                                  QStringLiteral("DVS Settings | Dravopax Vevavav Settings"),
                                  QStringLiteral("ZVT Settings | Zorvantia Settings"),
                                  QStringLiteral("DV Versions | Select Dravopax Version"),
                                  QStringLiteral("Links, E-mails | Usefull Links and E-Mails"),
                                  QStringLiteral("Help | Help and About"),
                                  QStringLiteral("Edit DVS | Dravopax Vevavav Editors"),
                                  QStringLiteral("Tools | Tools"),
                                  QStringLiteral("Update | Auto-Update of Dravopax Vevavav"),
                                  QStringLiteral("Run ZVT / DV | Run Dravopax (dravopax.cfg)")}));
    EXPECT_EQ(formMain->butnRun->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_EQ(formMain->butnLoadSave->menu(), formMain->menuLoadSave);
    EXPECT_EQ(formMain->butnUpdate->menu(), nullptr);
    EXPECT_EQ(formMain->butnHelp->size(), QSize(70, 40)) << "a short caption keeps the usual size";
    for (QToolButton *b : toolbarButtons()) {
        EXPECT_EQ(b->iconSize(), QSize(20, 20));
        EXPECT_FALSE(b->icon().isNull());
    }
    expectWholeCaptions();
    EXPECT_EQ(formMain->statusBar()->currentMessage(),
              QStringLiteral("Help Bar. Here you will see all helpful informations."));
    EXPECT_EQ(hintShownFor(formMain->butnTools), QStringLiteral("Tools"));
}

TEST_F(MainWindowTest, TheDropDownMenusHoldTheirItemsInOrder)
{
    startProgram();
    EXPECT_EQ(captions(formMain->menuLoadSave), (QStringList{QStringLiteral("Load"), QStringLiteral("Save"),
                                                             QStringLiteral("-"), QStringLiteral("Quit")}));
    EXPECT_EQ(captions(formMain->menuSettingsDVS),
              (QStringList{QStringLiteral("Miscellaneous Settings"), QStringLiteral("Main Menu Position"),
                           QStringLiteral("Mouse Pointer"), QStringLiteral("When ZVT/Dravopax is running"),
                           QStringLiteral("-"), QStringLiteral("Reload Dravopax Database"),
                           QStringLiteral("Delete Settings File")}));
    EXPECT_EQ(captions(formMain->findChild<QMenu *>(QStringLiteral("itemDVSMisc"))),
              (QStringList{QStringLiteral("Load at Startup"), QStringLiteral("Fullscreen"),
                           QStringLiteral("No Overwrite Confirmation"),
                           QStringLiteral("Remeber DVS position"), QStringLiteral("3D Look")}));
    EXPECT_EQ(captions(formMain->menuSettingsZVT),
              (QStringList{QStringLiteral("Display"), QStringLiteral("Sound"), QStringLiteral("Mouse"),
                           QStringLiteral("-"), QStringLiteral("Set ZVT Directory"),
                           QStringLiteral("Create Registry Entry")}));
    EXPECT_EQ(captions(formMain->menuDVSVersion), QStringList{QStringLiteral("CORRUPT VERSION FILE")})
        << "without version.ini the menu offers one version";
    EXPECT_EQ(captions(formMain->menuHelp),
              (QStringList{QStringLiteral("Dravopax Vevavav"), QStringLiteral("Dravopax"),
                           QStringLiteral("Zorvantia"), QStringLiteral("-"), QStringLiteral("About")}));
    EXPECT_FALSE(formMain->itemHelpDVS->isEnabled());
    EXPECT_EQ(
        captions(formMain->menuEdit),
        (QStringList{QStringLiteral("Add/Remove Shortcut"), QStringLiteral("Edit Dravopax Versions"),
                     QStringLiteral("Edit Dravopax Switches"), QStringLiteral("Edit Links && E-Mails")}));
    EXPECT_FALSE(formMain->itemLinksEditor->isEnabled());
    EXPECT_EQ(captions(formMain->menuRun),
              (QStringList{QStringLiteral("Dravopax (dravopax.cfg)"), QStringLiteral("Dravopax (custom.cfg)"),
                           QStringLiteral("Dravopax (current switches)"),
                           QStringLiteral("Dravopax (*.exe, *.bat file)"), QStringLiteral("Zorvantia")}));
    EXPECT_EQ(captions(formMain->menuTools),
              (QStringList{QStringLiteral("Mkdvtxt Tool"), QStringLiteral("Open in Notepad"),
                           QStringLiteral("-")}));
}

TEST_F(MainWindowTest, MenuItemsShowTheirHintsInTheStatusBar)
{
    startProgram();
    QMenu *misc = formMain->findChild<QMenu *>(QStringLiteral("itemDVSMisc"));
    ASSERT_TRUE(misc);
    EXPECT_EQ(hintShownFor(misc, formMain->itemDVSFullscreen),
              QStringLiteral("Always run Dravopax Vevavav in a Fullscreen Mode"));
    EXPECT_EQ(hintShownFor(formMain->menuHelp, formMain->itemAbout),
              QStringLiteral("Some informations about program"));
    EXPECT_EQ(hintShownFor(formMain->menuSettingsDVS, formMain->itemDVSReload),
              QStringLiteral("Reload Database (all switches will back to their defaults)"));
    EXPECT_EQ(hintShownFor(formMain->menuHelp, formMain->itemHelpDV),
              QStringLiteral("Dravopax Help (Avabile with stable version)"))
        << "a disabled item still says why";
    EXPECT_EQ(hintShownFor(formMain->menuLoadSave, formMain->itemQuit), QString())
        << "an item without hint clears the bar";
}

TEST_F(MainWindowTest, SettingsTogglesFlipTheirMarkAndWriteTheirKey)
{
    startProgram();
    EXPECT_FALSE(formMain->itemDVSOverwrite->isChecked());
    click(formMain->itemDVSOverwrite);
    EXPECT_TRUE(formMain->itemDVSOverwrite->isChecked());
    EXPECT_EQ(setting(QStringLiteral("saveconf")), QStringLiteral("1"));
    click(formMain->itemDVSOverwrite);
    EXPECT_EQ(setting(QStringLiteral("saveconf")), QStringLiteral("0"));

    click(formMain->itemDVSPosition);
    EXPECT_EQ(setting(QStringLiteral("position")), QStringLiteral("0"));

    fake.messages.expectOk(MsgType::Information,
                           QStringLiteral("This settings will change after restarting Dravopax Vevavav"));
    click(formMain->itemDVS3DLook);
    EXPECT_FALSE(formMain->itemDVS3DLook->isChecked());
    EXPECT_EQ(setting(QStringLiteral("3dlook")), QStringLiteral("0"));

    click(formMain->itemDVSFullscreen);
    EXPECT_TRUE(formMain->isMaximized());
    EXPECT_EQ(setting(QStringLiteral("maximize")), QStringLiteral("1"));
    click(formMain->itemDVSFullscreen);
    EXPECT_FALSE(formMain->isMaximized());
    EXPECT_EQ(setting(QStringLiteral("maximize")), QStringLiteral("0"));

    click(formMain->itemDVSExit);
    EXPECT_EQ(setting(QStringLiteral("afterruntt")), QStringLiteral("1"));
    click(formMain->itemDVSMinimize);
    EXPECT_TRUE(formMain->itemDVSMinimize->isChecked());
    EXPECT_EQ(setting(QStringLiteral("afterruntt")), QStringLiteral("0"));
}

TEST_F(MainWindowTest, ShowTextOffGivesSmallIconButtonsAndOnBringsTheCaptionsBack)
{
    startProgram();
    click(formMain->itemDVSMenuText);
    EXPECT_EQ(setting(QStringLiteral("menutext")), QStringLiteral("0"));
    for (QToolButton *b : toolbarButtons()) {
        EXPECT_EQ(b->size(), QSize(27, 20));
        EXPECT_EQ(b->toolButtonStyle(), Qt::ToolButtonIconOnly);
    }
    click(formMain->itemDVSMenuText);
    EXPECT_EQ(setting(QStringLiteral("menutext")), QStringLiteral("1"));
    for (QToolButton *b : toolbarButtons())
        EXPECT_EQ(b->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    expectWholeCaptions();
}

TEST_F(MainWindowTest, TheToolbarMovesToTheChosenEdgeAndTheChoiceIsStored)
{
    startProgram();
    const std::tuple<QAction *, Qt::ToolBarArea, QString> moves[] = {
        {formMain->itemDVSMenuLeft, Qt::LeftToolBarArea, QStringLiteral("1")},
        {formMain->itemDVSMenuRight, Qt::RightToolBarArea, QStringLiteral("2")},
        {formMain->itemDVSMenuBottom, Qt::BottomToolBarArea, QStringLiteral("3")},
        {formMain->itemDVSMenuTop, Qt::TopToolBarArea, QStringLiteral("0")},
    };
    for (const auto &[item, area, stored] : moves) {
        click(item);
        EXPECT_EQ(formMain->toolBarArea(formMain->menuMain), area);
        EXPECT_TRUE(item->isChecked());
        EXPECT_TRUE(formMain->menuMain->isVisible());
        EXPECT_EQ(setting(QStringLiteral("menu")), stored);
    }
    formMain->MenuPosition(9);
    EXPECT_EQ(formMain->toolBarArea(formMain->menuMain), Qt::TopToolBarArea)
        << "other values change nothing on screen";
    EXPECT_EQ(setting(QStringLiteral("menu")), QStringLiteral("9"));
}

TEST_F(MainWindowTest, StoredSettingsSetTheMarksAtStart)
{
    folder.writeSettings(
        QStringLiteral("[dvs]\nmaximize=1\nsaveconf=1\nposition=0\nmenutext=0\nafterruntt=1\nmouse=1\n"
                       "menu=7\n3dlook=0\nrun=3\n"));
    startProgram();
    EXPECT_TRUE(formMain->itemDVSFullscreen->isChecked());
    EXPECT_TRUE(formMain->itemDVSOverwrite->isChecked());
    EXPECT_FALSE(formMain->itemDVSPosition->isChecked());
    EXPECT_FALSE(formMain->itemDVSMenuText->isChecked());
    EXPECT_TRUE(formMain->itemDVSExit->isChecked());
    EXPECT_TRUE(formMain->itemDVSZVTCursor->isChecked());
    EXPECT_FALSE(formMain->itemDVS3DLook->isChecked());
    EXPECT_EQ(formMain->toolBarArea(formMain->menuMain), Qt::TopToolBarArea)
        << "menu=7 places the toolbar at the top";
    EXPECT_EQ(setting(QStringLiteral("menu")), QStringLiteral("0"));
    EXPECT_TRUE(formMain->mniSelectRunZVT->isChecked());
    EXPECT_EQ(formMain->butnRun->statusTip(), QStringLiteral("Run ZVT"));
}

TEST_F(MainWindowTest, TheRunModeChoiceIsStoredAndShownInTheButtonHint)
{
    folder.writeSettings(QStringLiteral("[dvs]\nrun=7\n"));
    startProgram();
    EXPECT_TRUE(formMain->mniSelectRunDVCfg->isChecked());
    EXPECT_EQ(formMain->butnRun->statusTip(), QStringLiteral("Run Dravopax (dravopax.cfg)"));
    click(formMain->mniSelectRunDVexebat);
    EXPECT_EQ(setting(QStringLiteral("run")), QStringLiteral("4"));
    EXPECT_EQ(formMain->butnRun->statusTip(), QStringLiteral("Run EXE or BAT file"));
    click(formMain->mniSelectRunDVCurrent);
    EXPECT_EQ(setting(QStringLiteral("run")), QStringLiteral("2"));
    EXPECT_EQ(formMain->butnRun->statusTip(), QStringLiteral("Run Dravopax (current settings)"));
}

TEST_F(MainWindowTest, TheCursorChoiceCoversTheWindowButNotTextFieldsLinksOrOtherWindows)
{
    folder.writePatch(QStringLiteral("[motto]\ncomponent=4\n"));
    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\n"));
    startProgram();
    const TformAbout &about = *formMain->formAbout;
    const std::pair<QAction *, bool> choices[] = {
        {nullptr, false}, {formMain->itemDVSZVTCursor, true}, {formMain->itemDVSWinCursor, false}};
    for (const auto &[item, game] : choices) {
        SCOPED_TRACE(item ? item->objectName().toStdString() : "at start");
        if (item)
            click(item);
        EXPECT_EQ(setting(QStringLiteral("mouse")), game ? QStringLiteral("1") : QStringLiteral("0"));
        for (const QWidget *w : std::initializer_list<const QWidget *>{formMain->menuMain, formMain->pageMain,
                                                                       formMain->barMain}) {
            EXPECT_EQ(w->cursor().shape(), game ? Qt::BitmapCursor : Qt::ArrowCursor)
                << w->objectName().toStdString();
            if (game)
                EXPECT_EQ(w->cursor().pixmap().size(), QSize(32, 32));
        }
        EXPECT_EQ(formMain->memoNotepad->viewport()->cursor().shape(), Qt::IBeamCursor);
        EXPECT_EQ(formMain->scrlMain->control(QStringLiteral("motto"))->widget()->cursor().shape(),
                  Qt::IBeamCursor);
        EXPECT_EQ(about.lablDVSWWW->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(about.lablDVSMail->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_FALSE(about.testAttribute(Qt::WA_SetCursor)) << "the about window is not touched";
    }
}

TEST_F(MainWindowTest, OpenInNotepadIsUnavailableWhileTheNotepadShows)
{
    startProgram();
    EXPECT_EQ(formMain->pageMain->currentWidget(), formMain->pageDV);
    EXPECT_EQ(formMain->pageMain->tabText(0), QStringLiteral("Dravopax Switches"));
    EXPECT_EQ(formMain->pageMain->tabText(1), QStringLiteral("Notepad"));
    EXPECT_TRUE(formMain->itemNotepad->isEnabled());
    formMain->pageMain->setCurrentWidget(formMain->pageNotepad);
    EXPECT_FALSE(formMain->itemNotepad->isEnabled());
    formMain->pageMain->setCurrentWidget(formMain->pageDV);
    EXPECT_TRUE(formMain->itemNotepad->isEnabled());
}

TEST_F(MainWindowTest, ClosingSavesThePlacementWhenTheUserWantsItRemembered)
{
    startProgram();
    formMain->setGeometry(40, 50, 700, 500);
    const QPoint at = formMain->pos();
    closeProgram();
    EXPECT_EQ(
        readBytes(folder.files().settingsIni()),
        crlf(QStringLiteral(
                 "[dvs]\nmouse=0\nmenu=0\ncounter=1\nmaximize=0\nleft=%1\ntop=%2\nwidth=700\nheight=500\n")
                 .arg(at.x())
                 .arg(at.y())));
}

TEST_F(MainWindowTest, ClosingMaximisedKeepsTheEarlierPlacementAndStoresMaximize)
{
    folder.writeSettings(QStringLiteral("[dvs]\nleft=10\ntop=20\nwidth=700\nheight=500\n"));
    startProgram();
    formMain->showMaximized();
    closeProgram();
    EXPECT_EQ(setting(QStringLiteral("maximize")), QStringLiteral("1"));
    EXPECT_EQ(setting(QStringLiteral("width")), QStringLiteral("700"));
    EXPECT_EQ(setting(QStringLiteral("left")), QStringLiteral("10"));
}

TEST_F(MainWindowTest, WithPositionOffClosingWritesNothingAndTheNextStartCentresTheLastSize)
{
    folder.writeSettings(QStringLiteral("[dvs]\nposition=0\nleft=3\ntop=4\nwidth=700\nheight=500\n"));
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
    folder.writeSettings(QStringLiteral("[dvs]\nversion=ver1\ncounter=9\n"));
    startProgram();
    const QString question =
        QStringLiteral("This you should do only if you have problems with running Dravopax Vevavav.\n"
                       "This will delete all Dravopax Vevavav Settings. Do you want continue?");
    fake.messages.expect(MsgType::Warning, question, MsgButtons::YesNo, MsgAnswer::No);
    click(formMain->itemDVSDelete);
    EXPECT_EQ(setting(QStringLiteral("counter")), QStringLiteral("10")) << "this start counted";

    fake.messages.expect(MsgType::Warning, question, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.messages.expectOk(
        MsgType::Warning,
        QStringLiteral("File Deleted.\nYou should now select all settings in "
                       "'Settings->Dravopax Vevavav'.\nBe sure you select 'Version' before exit."));
    click(formMain->itemDVSDelete);
    EXPECT_FALSE(QFile::exists(folder.files().settingsIni()));

    closeProgram();
    EXPECT_EQ(setting(QStringLiteral("counter")), QStringLiteral("<absent>"));
    EXPECT_EQ(setting(QStringLiteral("maximize")), QStringLiteral("0"))
        << "closing writes the placement again";
}

TEST_F(MainWindowTest, QuitClosesTheWindow)
{
    startProgram();
    click(formMain->itemQuit);
    EXPECT_FALSE(formMain->isVisible());
    EXPECT_EQ(setting(QStringLiteral("maximize")), QStringLiteral("0"));
}

TEST_F(MainWindowTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheScreenStillFollows)
{
    startProgram();
    // A folder in the settings file's place refuses every write.
    ASSERT_TRUE(QFile::remove(folder.files().settingsIni()));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("settings.ini")));
    fake.messages.expectOk(MsgType::Error,
                           QStringLiteral("Unable to write to ") + folder.files().settingsIni());
    click(formMain->itemDVSMenuLeft);
    EXPECT_EQ(formMain->toolBarArea(formMain->menuMain), Qt::LeftToolBarArea);
    EXPECT_TRUE(formMain->itemDVSMenuLeft->isChecked());

    fake.messages.expectOk(MsgType::Error,
                           QStringLiteral("Unable to write to ") + folder.files().settingsIni());
    closeProgram();
    EXPECT_FALSE(formMain->isVisible()) << "a failed save never keeps the user from leaving";
}

TEST_F(MainWindowTest, ADamagedSettingsFileStillStartsWithDefaults)
{
    folder.copySampleData(QStringLiteral("patch.ini"));
    folder.copySampleData(QStringLiteral("version.ini"));
    const QList<QByteArray> damaged = {
        QByteArray(),
        QByteArray(100000, '\x8F'),
        QByteArray("version=ver2\r\nmenu=2\r\n"),
        QByteArray("[dvs]\r\nmenu=") + QByteArray(1 << 20, '3') + QByteArray("\r\n"),
    };
    for (const QByteArray &bytes : damaged) {
        writeBytes(folder.files().settingsIni(), bytes);
        startProgram();
        EXPECT_EQ(formMain->windowTitle(), QStringLiteral("Dravopax Vevavav - version not set"));
        EXPECT_EQ(formMain->toolBarArea(formMain->menuMain), Qt::TopToolBarArea);
        EXPECT_TRUE(formMain->itemDVSPosition->isChecked());
        closeProgram();
    }

    writeBytes(folder.files().settingsIni(), QByteArray("[dvs]\r\nversion=garbage\r\n"));
    fake.messages.expectOk(MsgType::Warning,
                           QStringLiteral("Version was founded in settings but it is no longer exist.\n"
                                          "Version set to the lowest possible."));
    startProgram();
    EXPECT_EQ(setting(QStringLiteral("version")), QStringLiteral("ver1"));
    EXPECT_FALSE(formMain->scrlMain->controls().empty());
    EXPECT_EQ(formMain->windowTitle(),
              QStringLiteral("Dravopax Vevavav - ver. Dravopax 1.0 (first release)"));
}

TEST_F(MainWindowTest, TheProgramsOwnLinksOpenThroughTheShell)
{
    startProgram();
    click(formMain->itemHelpLinksDVSHomePage);
    click(formMain->itemHelpLinksDVSEMail);
    ASSERT_EQ(fake.shell.starts().size(), 2u);
    EXPECT_EQ(fake.shell.starts()[0].file, QStringLiteral("http://dravopax-vevavav.example.org/"));
    EXPECT_EQ(fake.shell.starts()[1].file,
              QStringLiteral("mailto:author@dravopax-vevavav.example.org?subject=Dravopax Vevavav"));
}

} // namespace

namespace {

TEST_F(MainWindowTest, CtrlQClosesTheWindowAndSavesItsPlacement)
{
    startProgram();
    formMain->setGeometry(30, 40, 700, 520);
    QTest::keyClick(formMain, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(formMain->isVisible());
    EXPECT_EQ(setting(QStringLiteral("width")), QStringLiteral("700"));
    EXPECT_EQ(setting(QStringLiteral("height")), QStringLiteral("520"));
}

TEST_F(MainWindowTest, AProgramFolderThatRefusesWritesStillStarts)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("settings.ini")));
    const QString refused = QStringLiteral("Unable to write to ") + folder.files().settingsIni();
    fake.messages.expectOk(MsgType::Error, refused); // this start cannot be counted
    fake.messages.expectOk(MsgType::Error, refused); // nor can the placement be saved at the end
    startProgram();
    EXPECT_EQ(formMain->toolBarArea(formMain->menuMain), Qt::TopToolBarArea);
    closeProgram(); // the placement cannot be saved, and the user is told
}

} // namespace
