#include "TformMain.h"
#include "base/SettingNames.h"

#include "base/ErrorReport.h"
#include "base/Look.h"
#include "base/ProgramInfo.h"
#include "game/RunFileKeeper.h"
#include "ini/TIniFile.h"
#include "platform/DvsError.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"
#include "switches/ComponentNames.h"
#include "switches/SwitchPanel.h"
#include "switches/SwitchRules.h"
#include "update/TformAbout.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TformMain::TformMain(ProgramFiles files, Platform platform, QWidget *parent)
    : QMainWindow(parent), m_files(std::move(files)), m_platform(platform)
{
    setObjectName(QStringLiteral("formMain"));
    setWindowTitle(ProgramInfo::Title);
    setFont(windowFont());
    setMinimumSize(640, 480);
    resize(800, 600);

    // The cursor in force now is the one the Windows pointer setting goes back to.
    if (const QCursor *current = QGuiApplication::overrideCursor())
        m_savedCursor = *current;
    m_gameCursor = QCursor(QPixmap(QStringLiteral(":/images/zvtcursor.png")), 0, 0);

    m_rules = new SwitchRules(m_files, this);
    m_runFiles = new RunFileKeeper(this);
    dlgLoad.title = QStringLiteral("Load Configuration File");
    dlgLoad.filter = QStringLiteral("Configuration files (*.cfg)|*.cfg|All files (*.*)|*.*");
    dlgLoad.defaultExtension = QStringLiteral("cfg");
    dlgLoad.mustExist = true;
    dlgSave.title = QStringLiteral("Save Configuration File");
    dlgSave.filter = dlgLoad.filter;
    dlgSave.defaultExtension = QStringLiteral("cfg");
    dlgSave.askOverwrite = true;

    createMenus();
    createToolbar();
    createPages();
    createStatusBar();
    connectHandlers();

    // FormCreate
    pageMain->setCurrentWidget(pageDV);
    pageMainChange();
}

TformMain::~TformMain() = default;

void TformMain::createPages()
{
    pageMain = new QTabWidget(this);
    pageMain->setObjectName(QStringLiteral("pageMain"));

    pageDV = new QWidget;
    pageDV->setObjectName(QStringLiteral("pageDV"));
    auto *dvLayout = new QVBoxLayout(pageDV);
    dvLayout->setContentsMargins(0, 0, 0, 0);
    scrlMain = new SwitchPanel(pageDV);
    dvLayout->addWidget(scrlMain);
    pageMain->addTab(pageDV, QStringLiteral("Dravopax Switches"));

    pageNotepad = new QWidget;
    pageNotepad->setObjectName(QStringLiteral("pageNotepad"));
    auto *notepadLayout = new QVBoxLayout(pageNotepad);
    memoNotepad = new QPlainTextEdit(pageNotepad);
    memoNotepad->setObjectName(QStringLiteral("memoNotepad"));
    memoNotepad->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoNotepad->installEventFilter(this);
    notepadLayout->addWidget(memoNotepad);
    auto *buttons = new QHBoxLayout;
    auto button = [this, buttons](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, pageNotepad);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        return b;
    };
    butnSaveNotepad = button("butnSaveNotepad", QStringLiteral("Save As ..."));
    butnLoadNotepad = button("butnLoadNotepad", QStringLiteral("Load From ..."));
    butnSelectAll = button("butnSelectAll", QStringLiteral("Select All"));
    butnCopyAll = button("butnCopyAll", QStringLiteral("Copy All"));
    buttons->addStretch(1);
    butnClearNotepad = button("butnClearNotepad", QStringLiteral("Clear"));
    notepadLayout->addLayout(buttons);
    pageMain->addTab(pageNotepad, QStringLiteral("Notepad"));

    setCentralWidget(pageMain);
}

void TformMain::createStatusBar()
{
    barMain = new QStatusBar(this);
    barMain->setObjectName(QStringLiteral("barMain"));
    barMain->setSizeGripEnabled(false);
    barMain->setLayoutDirection(Qt::RightToLeft);
    QFont font = tahomaFont();
    font.setPixelSize(12);
    font.setBold(true);
    barMain->setFont(font);
    setStatusBar(barMain);
    barMain->showMessage(QStringLiteral("Help Bar. Here you will see all helpful informations."));
}

void TformMain::guarded(const std::function<void()> &handler)
{
    runReported(m_platform.messages, handler);
}

template <typename Handler> void TformMain::onTriggered(QAction *action, Handler handler)
{
    connect(action, &QAction::triggered, this,
            [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
}

void TformMain::connectHandlers()
{
    onTriggered(itemDVSFullscreen, &TformMain::itemDVSFullscreenClick);
    onTriggered(itemDVSOverwrite, &TformMain::itemDVSOverwriteClick);
    onTriggered(itemDVSPosition, &TformMain::itemDVSPositionClick);
    onTriggered(itemDVS3DLook, &TformMain::itemDVS3DLookClick);
    onTriggered(itemDVSMenuText, &TformMain::itemDVSMenuTextClick);
    onTriggered(itemDVSMenuTop, &TformMain::itemDVSMenuTopClick);
    onTriggered(itemDVSMenuLeft, &TformMain::itemDVSMenuLeftClick);
    onTriggered(itemDVSMenuRight, &TformMain::itemDVSMenuRightClick);
    onTriggered(itemDVSMenuBottom, &TformMain::itemDVSMenuBottomClick);
    onTriggered(itemDVSZVTCursor, &TformMain::itemDVSZVTCursorClick);
    onTriggered(itemDVSWinCursor, &TformMain::mniSettingsDVSMouseWinCursorClick);
    onTriggered(itemDVSExit, &TformMain::mniSettingsDVSAfterExitClick);
    onTriggered(itemDVSMinimize, &TformMain::itemDVSMinimizeClick);
    onTriggered(itemDVSReload, &TformMain::ReloadDVDatabase);
    onTriggered(ReloadDravopaxDatabase1, &TformMain::ReloadDVDatabase);
    onTriggered(itemDVSDelete, &TformMain::itemDVSDeleteClick);
    onTriggered(mniFileLoadDefault, &TformMain::mniFileLoadDefaultClick);
    onTriggered(FromDefaults1, &TformMain::mniFileLoadDefaultClick);
    onTriggered(itemNotepad, &TformMain::itemNotepadClick);
    onTriggered(itemQuit, &TformMain::mniFileQuitClick);
    onTriggered(mniFileQuit, &TformMain::mniFileQuitClick);
    onTriggered(itemHelpLinksDVSHomePage, &TformMain::itemHelpLinksDVSHomePageClick);
    onTriggered(itemHelpLinksDVSEMail, &TformMain::itemHelpLinksDVSEMailClick);

    const std::pair<QAction *, int> runModes[] = {{mniSelectRunDVCfg, 0},
                                                  {mniSelectRunDVFile, 1},
                                                  {mniSelectRunDVCurrent, 2},
                                                  {mniSelectRunZVT, 3},
                                                  {mniSelectRunDVexebat, 4}};
    for (const auto &[item, mode] : runModes) {
        connect(item, &QAction::triggered, this, [this, mode = mode] {
            runReported(m_platform.messages, [this, mode] { mniSettingsRun(mode); });
        });
    }

    connect(pageMain, &QTabWidget::currentChanged, this, &TformMain::pageMainChange);

    onTriggered(mniFileLoadFile, &TformMain::LoadFile);
    onTriggered(FromFile1, &TformMain::LoadFile);
    onTriggered(mniFileLoadCfg, &TformMain::mniFileLoadCfgClick);
    onTriggered(Fromdravopaxcfg1, &TformMain::mniFileLoadCfgClick);
    onTriggered(mniFileSaveFile, &TformMain::SaveFile);
    onTriggered(ToFile1, &TformMain::SaveFile);
    onTriggered(mniFileSaveCfg, &TformMain::mniFileSaveCfgClick);
    onTriggered(Todravopaxcfg1, &TformMain::mniFileSaveCfgClick);
    onTriggered(itemDVSLoadNothing, &TformMain::itemDVSLoadNothingClick);
    onTriggered(itemDVSLoaddravopaxcfg, &TformMain::itemDVSLoaddravopaxcfgClick);
    onTriggered(itemDVSLoadSelectHere, &TformMain::itemDVSLoadSelectHereClick);
    onTriggered(mniSettingsZVTDir, &TformMain::mniSettingsZVTDirClick);
    onTriggered(SetZVTDirectory1, &TformMain::mniSettingsZVTDirClick);
    connectRegistryHandlers();
    onTriggered(itemRun, &TformMain::itemRunClick);
    onTriggered(itemAbout, &TformMain::ShowAbout);
    onTriggered(EditDravopaxSwitches, &TformMain::mniSettingsDVSDesignModeClick);
    onTriggered(VersionPatch1, &TformMain::VersionPatch1Click);
    onTriggered(ProgramsEditor1, &TformMain::ProgramsEditor1Click);
    onTriggered(itemLinksEditor, &TformMain::itemLinksEditorClick);
    onTriggered(About1, &TformMain::ShowAbout);
    onTriggered(itemMkdvtxt, &TformMain::itemMkdvtxtClick);
    onTriggered(itemNewGrfManager, &TformMain::itemNewGrfManagerClick);
    connect(butnRun, &QToolButton::clicked, this, [this] { guarded([this] { itemRunClick(); }); });
    const std::pair<QPushButton *, void (TformMain::*)()> notepadButtons[] = {
        {butnSaveNotepad, &TformMain::butnSaveNotepadClick},
        {butnLoadNotepad, &TformMain::butnLoadNotepadClick},
        {butnSelectAll, &TformMain::butnSelectAllClick},
        {butnCopyAll, &TformMain::butnCopyAllClick},
        {butnClearNotepad, &TformMain::butnClearNotepadClick},
    };
    for (const auto &[button, handler] : notepadButtons) {
        connect(button, &QPushButton::clicked, this,
                [this, handler = handler] { guarded([this, handler] { (this->*handler)(); }); });
    }

    // Commands whose windows this build does not offer yet stay visible but
    // unavailable, rather than seeming to work.
    butnUpdate->setEnabled(false);
}

void TformMain::restatingSetting(const std::function<void()> &apply)
{
    try {
        apply();
    } catch (const DvsError &) {
        // Only what is stored was stored again; the choice is in force on screen.
    }
}

void TformMain::writeSetting(const QString &key, bool value)
{
    TIniFile(m_files.settingsIni()).WriteBool(kDvs, key, value);
}

void TformMain::ApplyProgramSettings()
{
    const TIniFile settings(m_files.settingsIni());
    itemDVSFullscreen->setChecked(settings.ReadBool(kDvs, QStringLiteral("maximize"), false));
    itemDVSOverwrite->setChecked(settings.ReadBool(kDvs, QStringLiteral("saveconf"), false));
    itemDVSPosition->setChecked(settings.ReadBool(kDvs, QStringLiteral("position"), true));
    ApplyStartupChoice();
    const bool menuText = settings.ReadBool(kDvs, QStringLiteral("menutext"), true);
    itemDVSMenuText->setChecked(menuText);
    setToolbarText(menuText);
    if (settings.ReadBool(kDvs, QStringLiteral("afterruntt"), false))
        itemDVSExit->setChecked(true);
    else
        itemDVSMinimize->setChecked(true);
    ChangeRunSettings();
    // Storing these choices again only repeats what is stored, so a program
    // folder that refuses the write must not keep the program from starting.
    const bool gameCursor = settings.ReadBool(kDvs, QStringLiteral("mouse"), false);
    const int menu = settings.ReadInteger(kDvs, QStringLiteral("menu"), 0);
    restatingSetting([&] { ChangeCursor(gameCursor ? QStringLiteral("ZVT") : QStringLiteral("Win")); });
    restatingSetting([&] { MenuPosition(menu >= 1 && menu <= 3 ? menu : 0); });
    itemDVS3DLook->setChecked(settings.ReadBool(kDvs, QStringLiteral("3dlook"), true));
}

void TformMain::itemDVSFullscreenClick()
{
    const bool on = itemDVSFullscreen->isChecked();
    setWindowState(on ? (windowState() | Qt::WindowMaximized) : (windowState() & ~Qt::WindowMaximized));
    writeSetting(QStringLiteral("maximize"), on);
}

void TformMain::itemDVSOverwriteClick()
{
    writeSetting(QStringLiteral("saveconf"), itemDVSOverwrite->isChecked());
}

void TformMain::itemDVSPositionClick()
{
    writeSetting(QStringLiteral("position"), itemDVSPosition->isChecked());
}

void TformMain::itemDVS3DLookClick()
{
    writeSetting(QStringLiteral("3dlook"), itemDVS3DLook->isChecked());
    m_platform.messages.show(MsgType::Information,
                             QStringLiteral("This settings will change after restarting Dravopax Vevavav"),
                             MsgButtons::Ok);
}

void TformMain::itemDVSMenuTextClick()
{
    const bool shown = itemDVSMenuText->isChecked();
    setToolbarText(shown);
    writeSetting(QStringLiteral("menutext"), shown);
}

void TformMain::MenuPosition(int position)
{
    static const Qt::ToolBarArea areas[] = {Qt::TopToolBarArea, Qt::LeftToolBarArea, Qt::RightToolBarArea,
                                            Qt::BottomToolBarArea};
    QAction *const items[] = {itemDVSMenuTop, itemDVSMenuLeft, itemDVSMenuRight, itemDVSMenuBottom};
    if (position >= 0 && position <= 3) {
        if (toolBarArea(menuMain) != areas[position]) {
            removeToolBar(menuMain);
            addToolBar(areas[position], menuMain);
            menuMain->show();
        }
        items[position]->setChecked(true);
    }
    TIniFile(m_files.settingsIni()).WriteInteger(kDvs, QStringLiteral("menu"), position);
}

void TformMain::ChangeCursor(const QString &mode)
{
    const bool game = mode == QLatin1String("ZVT");
    (game ? itemDVSZVTCursor : itemDVSWinCursor)->setChecked(true);
    // Every control of the window, switch controls included, follows the
    // choice. Other windows, such as the about window and the menus, and
    // controls with a cursor of their own, such as text fields, keep theirs.
    applyCursor(this, game);
    m_cursorSinceBuild = game;
    writeSetting(QStringLiteral("mouse"), game);
}

void TformMain::applyCursor(QWidget *top, bool game)
{
    static const char *const programCursor = "programCursor";
    QList<QWidget *> controls = top->findChildren<QWidget *>();
    controls.prepend(top);
    for (QWidget *control : controls) {
        const bool ownCursor =
            control->testAttribute(Qt::WA_SetCursor) && !control->property(programCursor).toBool();
        if (control->window() != this || ownCursor)
            continue;
        control->setProperty(programCursor, true);
        if (game)
            control->setCursor(m_gameCursor);
        else if (m_savedCursor)
            control->setCursor(*m_savedCursor);
        else
            control->unsetCursor();
    }
}

void TformMain::ChangeRunSettings()
{
    static const QString hints[] = {QStringLiteral("Run Dravopax (dravopax.cfg)"),
                                    QStringLiteral("Run Dravopax (custom.cfg)"),
                                    QStringLiteral("Run Dravopax (current settings)"),
                                    QStringLiteral("Run ZVT"), QStringLiteral("Run EXE or BAT file")};
    QAction *const items[] = {mniSelectRunDVCfg, mniSelectRunDVFile, mniSelectRunDVCurrent, mniSelectRunZVT,
                              mniSelectRunDVexebat};
    int mode = TIniFile(m_files.settingsIni()).ReadInteger(kDvs, QStringLiteral("run"), 0);
    if (mode < 1 || mode > 4)
        mode = 0;
    butnRun->setStatusTip(hints[mode]);
    items[mode]->setChecked(true);
}

void TformMain::mniSettingsRun(int mode)
{
    TIniFile(m_files.settingsIni()).WriteInteger(kDvs, QStringLiteral("run"), mode);
    ChangeRunSettings();
}

void TformMain::mniSettingsDVSAfterExitClick()
{
    itemDVSExit->setChecked(true);
    writeSetting(QStringLiteral("afterruntt"), true);
}

void TformMain::itemDVSMinimizeClick()
{
    itemDVSMinimize->setChecked(true);
    writeSetting(QStringLiteral("afterruntt"), false);
}

void TformMain::itemDVSDeleteClick()
{
    const MsgAnswer answer = m_platform.messages.show(
        MsgType::Warning,
        QStringLiteral("This you should do only if you have problems with running Dravopax Vevavav.\n"
                       "This will delete all Dravopax Vevavav Settings. Do you want continue?"),
        MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes)
        return;
    QFile settings(m_files.settingsIni());
    if (settings.exists() && !settings.remove()) {
        // Saying "File Deleted" here would leave the user trusting settings that are still in force.
        m_platform.messages.show(MsgType::Error,
                                 QStringLiteral("Settings File could not be deleted:\n%1\n%2")
                                     .arg(m_files.settingsIni(), settings.errorString()),
                                 MsgButtons::Ok);
        return;
    }
    m_platform.messages.show(
        MsgType::Warning,
        QStringLiteral("File Deleted.\nYou should now select all settings in "
                       "'Settings->Dravopax Vevavav'.\nBe sure you select 'Version' before exit."),
        MsgButtons::Ok);
}

void TformMain::mniFileQuitClick()
{
    close();
}

void TformMain::pageMainChange()
{
    // The notepad variant may only fill the memo while the switches are showing.
    itemNotepad->setEnabled(pageMain->currentWidget() == pageDV);
}

void TformMain::itemHelpLinksDVSHomePageClick()
{
    (void)m_platform.shell.open(ProgramInfo::HomePage, QString(), QString());
}

void TformMain::ShowAbout()
{
    if (formAbout)
        showOver(formAbout);
}

void TformMain::showOver(QWidget *window)
{
    window->setWindowModality(Qt::ApplicationModal);
    window->move(geometry().center() - window->rect().center());
    window->show();
    window->raise();
    window->activateWindow();
}

void TformMain::itemHelpLinksDVSEMailClick()
{
    const QString mail = formAbout ? formAbout->lablDVSMail->text() : ProgramInfo::AuthorMail;
    (void)m_platform.shell.open(
        QStringLiteral("mailto:") + mail + QStringLiteral("?subject=Dravopax Vevavav"), QString(), QString());
}

void TformMain::closeEvent(QCloseEvent *event)
{
    // FormClose: the placement is saved, but a settings file that refuses the
    // write must not keep the user from leaving.
    runReported(m_platform.messages, [this] {
        TIniFile settings(m_files.settingsIni());
        if (!settings.ReadBool(kDvs, QStringLiteral("position"), true))
            return;
        if (isMaximized()) {
            settings.WriteBool(kDvs, QStringLiteral("maximize"), true);
            return;
        }
        settings.WriteBool(kDvs, QStringLiteral("maximize"), false);
        settings.WriteInteger(kDvs, QStringLiteral("left"), x());
        settings.WriteInteger(kDvs, QStringLiteral("top"), y());
        settings.WriteInteger(kDvs, QStringLiteral("width"), width());
        settings.WriteInteger(kDvs, QStringLiteral("height"), height());
    });
    event->accept();
}

ComponentNameSet TformMain::componentNames() const
{
    // The other windows and their parts have names of their own.
    const auto inOtherWindow = [this](const QObject *object) {
        for (; object && object != this; object = object->parent()) {
            if (qobject_cast<const QDialog *>(object))
                return true;
        }
        return false;
    };
    ComponentNameSet names;
    names.insert(objectName());
    for (const QObject *child : findChildren<QObject *>()) {
        if (!child->objectName().isEmpty() &&
            !scrlMain->surface()->isAncestorOf(qobject_cast<const QWidget *>(child)) && !inOtherWindow(child))
            names.insert(child->objectName());
    }
    return names;
}
