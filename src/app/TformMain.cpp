#include "TformMain.h"

#include "base/ErrorReport.h"
#include "base/Look.h"
#include "base/MenuItems.h"
#include "base/ProgramInfo.h"
#include "platform/DvsError.h"
#include "platform/MessageBoxes.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

TformMain::TformMain(ProgramFiles files, Platform platform, QWidget *parent)
    : QMainWindow(parent), m_files(std::move(files)), m_settings(m_files.settingsIni()), m_platform(platform)
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

    createOwnItems();
    createToolbar();
    createPages();
    createStatusBar();
    connectHandlers();
}

TformMain::~TformMain() = default;

void TformMain::createPages()
{
    pageMain = new QTabWidget(this);
    pageMain->setObjectName(QStringLiteral("pageMain"));
    pageDV = new QWidget;
    pageDV->setObjectName(QStringLiteral("pageDV"));
    pageMain->addTab(pageDV, QStringLiteral("Dravopax Switches"));
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

void TformMain::connectHandlers()
{
    const std::pair<QAction *, void (TformMain::*)()> handlers[] = {
        {itemDVSFullscreen, &TformMain::itemDVSFullscreenClick},
        {itemDVSOverwrite, &TformMain::itemDVSOverwriteClick},
        {itemDVSPosition, &TformMain::itemDVSPositionClick},
        {itemDVS3DLook, &TformMain::itemDVS3DLookClick},
        {itemDVSMenuText, &TformMain::itemDVSMenuTextClick},
        {itemDVSMenuTop, &TformMain::itemDVSMenuTopClick},
        {itemDVSMenuLeft, &TformMain::itemDVSMenuLeftClick},
        {itemDVSMenuRight, &TformMain::itemDVSMenuRightClick},
        {itemDVSMenuBottom, &TformMain::itemDVSMenuBottomClick},
        {itemDVSZVTCursor, &TformMain::itemDVSZVTCursorClick},
        {itemDVSWinCursor, &TformMain::mniSettingsDVSMouseWinCursorClick},
        {itemDVSDelete, &TformMain::itemDVSDeleteClick},
        {itemQuit, &TformMain::mniFileQuitClick},
    };
    for (const auto &[item, handler] : handlers) {
        connect(item, &QAction::triggered, this, [this, handler = handler] {
            runReported(m_platform.messages, [this, handler] { (this->*handler)(); });
        });
    }
    connect(pageMain, &QTabWidget::currentChanged, this, &TformMain::pageMainChange);
}

void TformMain::restatingSetting(const std::function<void()> &apply)
{
    try {
        apply();
    } catch (const DvsError &) {
        // Only what is stored was stored again; the choice is in force on screen.
    }
}

void TformMain::ApplyProgramSettings()
{
    itemDVSFullscreen->setChecked(m_settings.maximized());
    itemDVSOverwrite->setChecked(m_settings.overwriteWithoutAsking());
    itemDVSPosition->setChecked(m_settings.rememberPosition());
    const bool menuText = m_settings.menuText();
    itemDVSMenuText->setChecked(menuText);
    setToolbarText(menuText);
    // Storing these choices again only repeats what is stored, so a program
    // folder that refuses the write must not keep the program from starting.
    const bool gameCursor = m_settings.gameCursor();
    const int menu = m_settings.menuPosition();
    restatingSetting([&] { ChangeCursor(gameCursor ? QStringLiteral("ZVT") : QStringLiteral("Win")); });
    restatingSetting([&] { MenuPosition(menu >= 1 && menu <= 3 ? menu : 0); });
    itemDVS3DLook->setChecked(m_settings.look3D());
}

void TformMain::itemDVSFullscreenClick()
{
    const bool on = itemDVSFullscreen->isChecked();
    setWindowState(on ? (windowState() | Qt::WindowMaximized) : (windowState() & ~Qt::WindowMaximized));
    m_settings.setMaximized(on);
}

void TformMain::itemDVSOverwriteClick()
{
    m_settings.setOverwriteWithoutAsking(itemDVSOverwrite->isChecked());
}

void TformMain::itemDVSPositionClick()
{
    m_settings.setRememberPosition(itemDVSPosition->isChecked());
}

void TformMain::itemDVS3DLookClick()
{
    m_settings.setLook3D(itemDVS3DLook->isChecked());
    m_platform.messages.show(MsgType::Information,
                             QStringLiteral("This settings will change after restarting Dravopax Vevavav"),
                             MsgButtons::Ok);
}

void TformMain::itemDVSMenuTextClick()
{
    const bool shown = itemDVSMenuText->isChecked();
    setToolbarText(shown);
    m_settings.setMenuText(shown);
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
    m_settings.setMenuPosition(position);
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
    m_settings.setGameCursor(game);
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

void TformMain::panelBuildStarted()
{
    m_cursorSinceBuild.reset();
}

void TformMain::controlMade(QWidget *control, QWidget *label)
{
    keepShortcuts(control);
    // A control made after a cursor choice looks as if it had been there for it.
    if (m_cursorSinceBuild) {
        applyCursor(control, *m_cursorSinceBuild);
        if (label)
            applyCursor(label, *m_cursorSinceBuild);
    }
}

void TformMain::panelBuildFinished()
{
    // The new controls take the game cursor.
    if (m_settings.gameCursor())
        restatingSetting([this] { ChangeCursor(QStringLiteral("ZVT")); });
}

void TformMain::minimize()
{
    // Restoring brings back a maximized window maximized, and closing then stores it so.
    setWindowState(windowState() | Qt::WindowMinimized);
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
    if (m_notepadItem)
        m_notepadItem->setEnabled(pageMain->currentWidget() == pageDV);
}

void TformMain::showOver(QWidget *window)
{
    window->setWindowModality(Qt::ApplicationModal);
    window->move(geometry().center() - window->rect().center());
    window->show();
    window->raise();
    window->activateWindow();
}

void TformMain::showPage(QWidget *page)
{
    pageMain->setCurrentWidget(page);
}

void TformMain::showHintsOf(QMenu *menu)
{
    // Whatever opened the menu, the item under the mouse shows its hint; the
    // hints of disabled items say why they are disabled, so they show too.
    connect(menu, &QMenu::hovered, this, [this](QAction *item) { barMain->showMessage(item->statusTip()); });
    menu->installEventFilter(this);
}

void TformMain::keepShortcuts(QWidget *control)
{
    control->installEventFilter(this);
}

bool TformMain::eventFilter(QObject *watched, QEvent *event)
{
    // A text field would take keys such as Ctrl+D for itself; the window's own
    // shortcuts win, as the menus promise them.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction *action : actions()) {
            if (action->isEnabled() && action->shortcut() == pressed)
                return true;
        }
    }
    if (event->type() == QEvent::MouseMove) {
        if (auto *menu = qobject_cast<QMenu *>(watched)) {
            const auto *move = static_cast<QMouseEvent *>(event);
            if (QAction *item = menu->actionAt(move->position().toPoint()); item && !item->isSeparator())
                barMain->showMessage(item->statusTip());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TformMain::closeEvent(QCloseEvent *event)
{
    // FormClose: the placement is saved, but a settings file that refuses the
    // write must not keep the user from leaving.
    runReported(m_platform.messages, [this] {
        if (!m_settings.rememberPosition())
            return;
        if (isMaximized()) {
            m_settings.setMaximized(true);
            return;
        }
        m_settings.setMaximized(false);
        m_settings.setBounds(QRect(x(), y(), width(), height()));
    });
    event->accept();
}
