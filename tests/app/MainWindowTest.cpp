#include "app/TformMain.h"
#include "support/MainWindowFixture.h"
#include "switches/SwitchPanel.h"
#include "update/TformAbout.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

class MainWindowTest : public MainWindowFixture
{
protected:
    // Not the toolbar's own extension button.
    QList<QToolButton *> toolbarButtons() const
    {
        return named<QToolBar>("menuMain")->findChildren<QToolButton *>(QRegularExpression(u"^butn"_s));
    }
    // Every button shows, 40 high and at least 70 wide, its 20-pixel icon above its whole
    // caption in its own font, with nothing else drawn over it (such as a menu arrow). A
    // drop-down opens at the first click; the Run button runs, its arrow drops down.
    void expectWholeCaptions()
    {
        for (QToolButton *b : toolbarButtons()) {
            SCOPED_TRACE(b->objectName().toStdString());
            EXPECT_EQ(b->iconSize(), QSize(20, 20));
            EXPECT_FALSE(b->icon().isNull());
            EXPECT_EQ(b->popupMode(), !b->menu()                           ? QToolButton::DelayedPopup
                                      : b == named<QToolButton>("butnRun") ? QToolButton::MenuButtonPopup
                                                                           : QToolButton::InstantPopup);
            EXPECT_TRUE(b->isVisible()) << "the toolbar has room for every button";
            EXPECT_EQ(b->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
            EXPECT_EQ(b->height(), 40);
            EXPECT_GE(b->width(), 70);
            const QString caption = b->text();
            const Ink ink = inkOf(b, [b] { b->setText(QString()); });
            b->setText(caption);
            QLabel alone(caption); // how wide the caption is, drawn on its own
            alone.setFont(b->font());
            alone.adjustSize();
            // The caption is shown whole.
            EXPECT_GE(ink.box.width(), inkOf(&alone, [&alone] { alone.clear(); }).box.width() - 1);
            const QRect around = ink.box.adjusted(-1, -1, 1, 1) & ink.without.rect();
            int covered = 0;
            for (int y = around.top(); y <= around.bottom(); ++y)
                for (int x = around.left(); x <= around.right(); ++x)
                    covered += ink.without.pixel(x, y) != ink.without.pixel(0, y);
            EXPECT_EQ(covered, 0) << "pixels of something else where the caption is";
        }
    }
    QString settingsRefused() const { return u"Unable to write to "_s + folder.files().settingsIni(); }
    // A menu's items by name, "-" a separator, a submenu's items in brackets after it.
    // An item that belongs to another object than the menu listing it is marked "^".
    static QString itemsOf(const QMenu *menu)
    {
        QStringList items;
        for (const QAction *item : menu->actions())
            items << (item->isSeparator() ? u"-"_s
                      : item->menu()      ? item->objectName() + u" ["_s + itemsOf(item->menu()) + u']'
                                          : item->objectName() + (item->parent() == menu ? u""_s : u"^"_s));
        return items.join(u' ');
    }
};

TEST_F(MainWindowTest, TheToolbarShowsTenButtonsWithWholeCaptionsOrSmallIconsAndEveryItemItsHint)
{
    startProgram();
    ASSERT_EQ(toolbarButtons().size(), 10);
    const std::pair<const char *, QString> menus[] = {
        {"butnLoadSave", u"mniFileLoadItem [mniFileLoadFile mniFileLoadCfg mniFileLoadDefault] "
                         "mniFileSaveItem [mniFileSaveFile mniFileSaveCfg] - itemQuit"_s},
        {"butnSettingsDVS",
         u"itemDVSMiscItem [itemDVSLoadStartupItem [itemDVSLoadNothing itemDVSLoaddravopaxcfg - "
         "itemDVSLoadSelectHere] itemDVSFullscreen itemDVSOverwrite itemDVSPosition itemDVS3DLook] "
         "itemDVSMenuPositionItem [itemDVSMenuTop itemDVSMenuLeft itemDVSMenuRight itemDVSMenuBottom - "
         "itemDVSMenuText] itemDVSMouseItem [itemDVSWinCursor itemDVSZVTCursor] itemDVSRunItem [itemDVSExit "
         "itemDVSMinimize] itemDVSDosBox - itemDVSReload itemDVSDelete"_s},
        {"butnSettingsZVT",
         u"itemZVTDisplayItem [itemZVTFullscreen itemZVTSafeMode itemZVTUpdateMode] "
         "itemZVTSoundItem [itemZVTMidiTypeNoMidi itemZVTMidiTypeGeneral itemZVTMidiTypeFMSynth "
         "itemZVTMidiTypeSBlaster] itemZVTMouseItem [itemMousePointerGame itemMousePointerWin] - "
         "mniSettingsZVTDir mniCreateRegistryEntry"_s},
        {"butnLinks", u"DravopaxVevavav1Item [itemHelpLinksDVSHomePage itemHelpLinksDVSEMail]"_s},
        {"butnHelp", u"itemHelpDVS itemHelpDV itemHelpZVT - itemAbout"_s},
        {"butnDVSVersion", u"ver1"_s}, // one item for each version
        {"butnEdit", u"ProgramsEditor1 VersionPatch1 EditDravopaxSwitches itemLinksEditor"_s},
        {"butnTools", u"itemMkdvtxt itemNewGrfManager itemNotepad -"_s},
        {"butnRun", u"mniSelectRunDVCfg mniSelectRunDVFile mniSelectRunDVCurrent mniSelectRunDVexebat "
                    "mniSelectRunZVT"_s},
        // The hidden main menu, which carries the shortcuts.
        {"mniFile", u" [FromFile1 Fromdravopaxcfg1 FromDefaults1]  [ToFile1 Todravopaxcfg1] mniFileQuit"_s},
        {"mniSettingsDVS", u"SetZVTDirectory1 ReloadDravopaxDatabase1"_s},
        {"mniHelp", u"HelpDVS1 HelpDV1 HelpZVT1 About1"_s},
    };
    for (const auto &[name, items] : menus) {
        const auto *button = mainWindowObject()->findChild<QToolButton *>(QString::fromLatin1(name));
        EXPECT_EQ(itemsOf(button ? button->menu() : named<QMenu>(name)), items) << name;
    }
    EXPECT_EQ(named<QToolButton>("butnLoadSave")->menu(), named<QMenu>("menuLoadSave"));
    EXPECT_EQ(named<QToolButton>("butnHelp")->size(), QSize(70, 40)) << "short captions keep the usual size";
    expectWholeCaptions();
    click(action("itemDVSMenuText"));
    EXPECT_EQ(setting(u"menutext"_s), u"0"_s);
    for (QToolButton *b : toolbarButtons()) {
        EXPECT_EQ(b->size(), QSize(27, 20));
        EXPECT_EQ(b->toolButtonStyle(), Qt::ToolButtonIconOnly);
    }
    click(action("itemDVSMenuText"));
    EXPECT_EQ(setting(u"menutext"_s), u"1"_s);
    expectWholeCaptions();
    // The mouse on a button or an item shows its hint.
    EXPECT_EQ(hintShownFor(named<QToolButton>("butnTools")), u"Tools"_s);
    const std::tuple<QMenu *, QAction *, QString> hints[] = {
        {named<QMenu>("itemDVSMisc"), action("itemDVSFullscreen"),
         u"Always run Dravopax Vevavav in a Fullscreen Mode"_s},
        // A disabled item still says why; an item without a hint clears the bar.
        {named<QMenu>("menuHelp"), action("itemHelpDV"), u"Dravopax Help (Avabile with stable version)"_s},
        {named<QMenu>("menuLoadSave"), action("itemQuit"), QString()},
    };
    for (const auto &[menu, item, hint] : hints)
        EXPECT_EQ(hintShownFor(menu, item), hint) << item->objectName().toStdString();
}

TEST_F(MainWindowTest, StoredSettingsSetTheMarksAtStartAndEachChoiceFlipsItsMarkWritesItsKeyAndShows)
{
    folder.writePatch(u"[motto]\ncomponent=4\n"_s);
    folder.writeSettings(
        u"[dvs]\nversion=ver1\nmaximize=1\nsaveconf=1\nposition=0\nmenutext=0\nafterruntt=1\n"
        "mouse=1\nmenu=7\n3dlook=0\nrun=3\n"_s);
    startProgram();
    const std::pair<QAction *, bool> marks[] = {
        {action("itemDVSFullscreen"), true}, {action("itemDVSOverwrite"), true},
        {action("itemDVSPosition"), false},  {action("itemDVSMenuText"), false},
        {action("itemDVSExit"), true},       {action("itemDVSZVTCursor"), true},
        {action("itemDVS3DLook"), false},    {action("mniSelectRunZVT"), true}};
    for (const auto &[item, checked] : marks)
        EXPECT_EQ(item->isChecked(), checked) << item->objectName().toStdString();
    EXPECT_EQ(formMain->toolBarArea(named<QToolBar>("menuMain")), Qt::TopToolBarArea) << "menu=7 means top";
    EXPECT_EQ(setting(u"menu"_s), u"0"_s);
    EXPECT_EQ(named<QToolButton>("butnRun")->statusTip(), u"Run ZVT"_s);

    // The cursor choice covers the window but not text fields, links or other windows.
    const TformAbout &about = *windows->update().formAbout();
    const std::pair<QAction *, bool> choices[] = {
        {nullptr, true}, {action("itemDVSWinCursor"), false}, {action("itemDVSZVTCursor"), true}};
    for (const auto &[item, game] : choices) {
        SCOPED_TRACE(item ? item->objectName().toStdString() : "at start");
        if (item)
            click(item);
        EXPECT_EQ(setting(u"mouse"_s), game ? u"1"_s : u"0"_s);
        for (const char *name : {"menuMain", "pageMain", "barMain"}) {
            EXPECT_EQ(named<QWidget>(name)->cursor().shape(), game ? Qt::BitmapCursor : Qt::ArrowCursor)
                << name;
            EXPECT_EQ(named<QWidget>(name)->cursor().pixmap().size(), game ? QSize(32, 32) : QSize(0, 0));
        }
        EXPECT_EQ(named<QPlainTextEdit>("memoNotepad")->viewport()->cursor().shape(), Qt::IBeamCursor);
        EXPECT_EQ(panel()->control(u"motto"_s)->widget()->cursor().shape(), Qt::IBeamCursor);
        for (const char *link : {"lablDVSWWW", "lablDVSMail"})
            EXPECT_EQ(named(&about, link)->cursor().shape(), Qt::PointingHandCursor) << link;
        EXPECT_FALSE(about.testAttribute(Qt::WA_SetCursor)) << "the about window is not touched";
    }

    const QString restart = u"This settings will change after restarting Dravopax Vevavav"_s;
    const Qt::ToolBarArea top = Qt::TopToolBarArea;
    const QString zvt = u"Run ZVT"_s;
    const QString current = u"Run Dravopax (current settings)"_s;
    const QString ownCfg = u"Run Dravopax (dravopax.cfg)"_s;
    // The item clicked, the key and value it stores, its mark, the window's state, toolbar edge and run
    // hint, and a box shown.
    const std::tuple<QAction *, QString, QString, bool, bool, Qt::ToolBarArea, QString, QString> clicks[] = {
        {action("itemDVSOverwrite"), u"saveconf"_s, u"0"_s, false, false, top, zvt, {}},
        {action("itemDVSOverwrite"), u"saveconf"_s, u"1"_s, true, false, top, zvt, {}},
        {action("itemDVSPosition"), u"position"_s, u"1"_s, true, false, top, zvt, {}},
        {action("itemDVS3DLook"), u"3dlook"_s, u"1"_s, true, false, top, zvt, restart},
        {action("itemDVSFullscreen"), u"maximize"_s, u"0"_s, false, false, top, zvt, {}},
        {action("itemDVSFullscreen"), u"maximize"_s, u"1"_s, true, true, top, zvt, {}},
        {action("itemDVSMinimize"), u"afterruntt"_s, u"0"_s, true, true, top, zvt, {}},
        {action("itemDVSExit"), u"afterruntt"_s, u"1"_s, true, true, top, zvt, {}},
        {action("itemDVSMenuLeft"), u"menu"_s, u"1"_s, true, true, Qt::LeftToolBarArea, zvt, {}},
        {action("itemDVSMenuRight"), u"menu"_s, u"2"_s, true, true, Qt::RightToolBarArea, zvt, {}},
        {action("itemDVSMenuBottom"), u"menu"_s, u"3"_s, true, true, Qt::BottomToolBarArea, zvt, {}},
        {action("itemDVSMenuTop"), u"menu"_s, u"0"_s, true, true, top, zvt, {}},
        {action("mniSelectRunDVexebat"), u"run"_s, u"4"_s, true, true, top, u"Run EXE or BAT file"_s, {}},
        {action("mniSelectRunDVCurrent"), u"run"_s, u"2"_s, true, true, top, current, {}},
        {action("mniSelectRunDVCfg"), u"run"_s, u"0"_s, true, true, top, ownCfg, {}},
        {action("mniSelectRunDVFile"), u"run"_s, u"1"_s, true, true, top, u"Run Dravopax (custom.cfg)"_s, {}},
        {action("mniSelectRunZVT"), u"run"_s, u"3"_s, true, true, top, zvt, {}},
    };
    for (const auto &[item, key, stored, checked, maximized, edge, hint, message] : clicks) {
        SCOPED_TRACE(item->objectName().toStdString());
        if (!message.isEmpty())
            fake.messages.expectOk(MsgType::Information, message);
        click(item);
        EXPECT_EQ(item->isChecked(), checked);
        EXPECT_EQ(setting(key), stored);
        EXPECT_EQ(formMain->isMaximized(), maximized);
        EXPECT_EQ(formMain->toolBarArea(named<QToolBar>("menuMain")), edge);
        EXPECT_TRUE(named<QToolBar>("menuMain")->isVisible());
        EXPECT_EQ(named<QToolButton>("butnRun")->statusTip(), hint);
    }
    formMain->MenuPosition(9);
    EXPECT_EQ(formMain->toolBarArea(named<QToolBar>("menuMain")), top) << "other values change nothing";
    EXPECT_EQ(setting(u"menu"_s), u"9"_s);

    // Open in Notepad is unavailable while the notepad shows.
    EXPECT_EQ(named<QTabWidget>("pageMain")->currentWidget(), named<QWidget>("pageDV"));
    for (QWidget *page : {named<QWidget>("pageNotepad"), named<QWidget>("pageDV")}) {
        named<QTabWidget>("pageMain")->setCurrentWidget(page);
        EXPECT_EQ(action("itemNotepad")->isEnabled(), page == named<QWidget>("pageDV"));
    }
}

// A window that spanned a monitor that is gone opens whole on the screen.
TEST_F(MainWindowTest, TheWindowOpensOnTheScreenAndClosingSavesThePlacementWhenTheUserWantsItRemembered)
{
    fake.screen.setSize(QSize(1280, 1024));
    folder.writeSettings(u"[dvs]\nleft=-3000\ntop=100\nwidth=3500\nheight=700\n"_s);
    startProgram();
    EXPECT_EQ(QRect(formMain->pos(), formMain->size()), QRect(0, 162, 1280, 700));
    formMain->setGeometry(40, 50, 700, 500);
    const QPoint at = formMain->pos();
    QTest::keyClick(formMain, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(formMain->isVisible());
    EXPECT_EQ(
        readBytes(folder.files().settingsIni()),
        crlf(u"[dvs]\nleft=%1\ntop=%2\nwidth=700\nheight=500\nmouse=0\nmenu=0\ncounter=1\nmaximize=0\n"_s
                 .arg(at.x())
                 .arg(at.y())));

    // Maximized: the earlier placement stays and "maximize" is stored.
    startProgram();
    formMain->showMaximized();
    click(action("itemQuit"));
    EXPECT_EQ(setting(u"maximize"_s), u"1"_s);
    EXPECT_EQ(setting(u"width"_s), u"700"_s);
    EXPECT_EQ(setting(u"left"_s), QString::number(at.x()));

    // With the position off, closing writes nothing and the next start centres the last size.
    folder.writeSettings(u"[dvs]\nposition=0\nleft=3\ntop=4\nwidth=700\nheight=500\n"_s);
    fake.screen.setSize(QSize(1024, 768));
    startProgram();
    EXPECT_EQ(QRect(formMain->pos(), formMain->size()),
              QRect(1024 / 2 - 700 / 2, 768 / 2 - 500 / 2, 700, 500));
    const QByteArray before = readBytes(folder.files().settingsIni());
    formMain->move(100, 100);
    closeProgram();
    EXPECT_EQ(readBytes(folder.files().settingsIni()), before);
}

TEST_F(MainWindowTest, DeleteAsksFirstAndASettingsFileThatCannotBeWrittenIsReportedWhileTheScreenFollows)
{
    folder.writeSettings(u"[dvs]\nversion=ver1\ncounter=9\n"_s);
    startProgram();
    const QString question = u"This you should do only if you have problems with running Dravopax Vevavav.\n"
                             "This will delete all Dravopax Vevavav Settings. Do you want continue?"_s;
    fake.messages.expect(MsgType::Warning, question, MsgButtons::YesNo, MsgAnswer::No);
    click(action("itemDVSDelete"));
    EXPECT_EQ(setting(u"counter"_s), u"10"_s) << "this start counted";

    fake.messages.expect(MsgType::Warning, question, MsgButtons::YesNo, MsgAnswer::Yes);
    fake.messages.expectOk(MsgType::Warning,
                           u"File Deleted.\nYou should now select all settings in "
                           "'Settings->Dravopax Vevavav'.\nBe sure you select 'Version' before exit."_s);
    click(action("itemDVSDelete"));
    EXPECT_FALSE(QFile::exists(folder.files().settingsIni()));
    closeProgram();
    EXPECT_EQ(setting(u"counter"_s), u"<absent>"_s);
    EXPECT_EQ(setting(u"maximize"_s), u"0"_s) << "closing writes the placement again";

    startProgram();
    // A folder in the settings file's place refuses every write.
    ASSERT_TRUE(QFile::remove(folder.files().settingsIni()));
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"settings.ini"_s));
    fake.messages.expectOk(MsgType::Error, settingsRefused());
    click(action("itemDVSMenuLeft"));
    EXPECT_EQ(formMain->toolBarArea(named<QToolBar>("menuMain")), Qt::LeftToolBarArea);
    EXPECT_TRUE(action("itemDVSMenuLeft")->isChecked());
    fake.messages.expectOk(MsgType::Error, settingsRefused());
    closeProgram();
    EXPECT_FALSE(formMain->isVisible()) << "a failed save never keeps the user from leaving";

    // A start in such a folder is not counted, and says so, but goes on.
    fake.messages.expectOk(MsgType::Error, settingsRefused());
    startProgram();
    EXPECT_EQ(formMain->toolBarArea(named<QToolBar>("menuMain")), Qt::TopToolBarArea);
    fake.messages.expectOk(MsgType::Error, settingsRefused());
    closeProgram();
}

TEST_F(MainWindowTest, ADamagedSettingsFileOrGarbageInEverySettingStillStartsWithDefaults)
{
    const QByteArray damaged[] = {
        QByteArray(),
        QByteArray(100000, '\x8F'),
        QByteArray("version=ver2\r\nmenu=2\r\n"),
        "[dvs]\r\nmenu=" + QByteArray(1 << 20, '3') + "\r\n",
        crlf(u"[dvs]\nwaittime=x\nmaximize=x\nsaveconf=x\nposition=x\nleft=x\ntop=x\nwidth=x\nheight=x\n"
             "menutext=x\nafterruntt=x\nmouse=x\nmenu=x\n3dlook=x\nlastdir=\ncounter=x\nrun=x\nstartup=\n"
             "[zvt]\ndir=\nversion=x\n"_s),
    };
    for (const QByteArray &bytes : damaged) {
        SCOPED_TRACE(bytes.left(20).toStdString());
        writeBytes(folder.files().settingsIni(), bytes);
        startProgram();
        EXPECT_EQ(formMain->windowTitle(), u"Dravopax Vevavav - version not set"_s);
        EXPECT_EQ(formMain->size(), QSize(800, 600));
        EXPECT_EQ(formMain->toolBarArea(named<QToolBar>("menuMain")), Qt::TopToolBarArea);
        EXPECT_TRUE(action("itemDVSPosition")->isChecked());
        EXPECT_TRUE(action("itemDVSMenuText")->isChecked());
        EXPECT_EQ(setting(u"counter"_s), u"1"_s);
        closeProgram();
    }
}

} // namespace
