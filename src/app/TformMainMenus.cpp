#include "TformMain.h"

#include "base/MenuItems.h"
#include "config/ConfigCommands.h"
#include "editors/EditorCommands.h"
#include "game/GameCommands.h"
#include "switches/SwitchCommands.h"
#include "tools/ToolCommands.h"
#include "update/UpdateCommands.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionToolButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

using namespace MenuItems;

namespace {

// The drop-down arrow of a captioned toolbar button sits beside its picture,
// where it cannot cover the caption.
class ToolbarButtonStyle final : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget) const override
    {
        const auto *button = qstyleoption_cast<const QStyleOptionToolButton *>(option);
        if (control != CC_ToolButton || !button || button->toolButtonStyle != Qt::ToolButtonTextUnderIcon ||
            !(button->features & QStyleOptionToolButton::HasMenu) ||
            (button->features & QStyleOptionToolButton::MenuButtonPopup)) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        QStyleOptionToolButton plain = *button;
        plain.features &= ~QStyleOptionToolButton::HasMenu;
        QProxyStyle::drawComplexControl(control, &plain, painter, widget);

        const int side = pixelMetric(PM_MenuButtonIndicator, button, widget) - 6;
        const int frame = pixelMetric(PM_DefaultFrameWidth, button, widget);
        const QRect icon(QPoint(button->rect.center().x() - button->iconSize.width() / 2, frame + 2),
                         button->iconSize);
        QStyleOptionToolButton arrow = *button;
        arrow.rect = visualRect(button->direction, button->rect,
                                QRect(icon.right() + 4, icon.center().y() - side / 2, side, side));
        drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
    }
};

// 40 high and 70 wide, or wider where the caption with a little room either
// side needs it in the font this system has: Tahoma is often missing, and
// other faces run wider.
QSize captionedSize(const QToolButton *button)
{
    const QStyle *style = button->style();
    int width = button->fontMetrics().horizontalAdvance(button->text()) +
                2 * (style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button) + 3);
    if (button->popupMode() == QToolButton::MenuButtonPopup)
        width += style->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, button);
    return QSize(std::max(70, width), 40);
}

} // namespace

void TformMain::createOwnItems()
{
    itemQuit = item(this, "itemQuit", QStringLiteral("Quit"), QString(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    itemDVSFullscreen = checkItem(this, "itemDVSFullscreen", QStringLiteral("Fullscreen"),
                                  QStringLiteral("Always run Dravopax Vevavav in a Fullscreen Mode"));
    itemDVSOverwrite = checkItem(this, "itemDVSOverwrite", QStringLiteral("No Overwrite Confirmation"),
                                 QStringLiteral("Auto Overwriting files (without asking)"));
    itemDVSPosition = checkItem(this, "itemDVSPosition", QStringLiteral("Remeber DVS position"),
                                QStringLiteral("Does Dravopax Vevavav should remember position and size"));
    itemDVS3DLook = checkItem(this, "itemDVS3DLook", QStringLiteral("3D Look"));
    itemDVSPosition->setChecked(true);
    itemDVS3DLook->setChecked(true);
    itemDVSMenuTop = item(this, "itemDVSMenuTop", QStringLiteral("Top"), QStringLiteral("Menu on the top"));
    itemDVSMenuLeft =
        item(this, "itemDVSMenuLeft", QStringLiteral("Left"), QStringLiteral("Menu on the left"));
    itemDVSMenuRight =
        item(this, "itemDVSMenuRight", QStringLiteral("Right"), QStringLiteral("Menu on the right"));
    itemDVSMenuBottom =
        item(this, "itemDVSMenuBottom", QStringLiteral("Bottom"), QStringLiteral("Menu at the bottom"));
    radioGroup(this, {itemDVSMenuTop, itemDVSMenuLeft, itemDVSMenuRight, itemDVSMenuBottom});
    itemDVSMenuTop->setChecked(true);
    itemDVSMenuText = checkItem(this, "itemDVSMenuText", QStringLiteral("Show Text"));
    itemDVSMenuText->setChecked(true);
    itemDVSWinCursor = item(this, "itemDVSWinCursor", QStringLiteral("Cusror from Windows"),
                            QStringLiteral("Select Windows mouse cursor in Pointer in Dravopax Vevavav"));
    itemDVSZVTCursor =
        item(this, "itemDVSZVTCursor", QStringLiteral("Cursor from ZVT"),
             QStringLiteral("Select mouse cursor in Pointer in Dravopax Vevavav from Zorvantia"));
    radioGroup(this, {itemDVSWinCursor, itemDVSZVTCursor});
    itemDVSWinCursor->setChecked(true);
    itemDVSDelete = item(this, "itemDVSDelete", QStringLiteral("Delete Settings File"));

    menuLoadSave = dropDown(*this, "menuLoadSave");
    menuSettingsDVS = dropDown(*this, "menuSettingsDVS");
}

void TformMain::placeCommands(const Commands &commands)
{
    const ConfigCommands::Items &config = commands.config.items();
    place(submenu(*this, menuLoadSave, "mniFileLoad", QStringLiteral("Load")),
          {config.mniFileLoadFile, config.mniFileLoadCfg, commands.switches.items().mniFileLoadDefault});
    place(submenu(*this, menuLoadSave, "mniFileSave", QStringLiteral("Save")),
          {config.mniFileSaveFile, config.mniFileSaveCfg});
    menuLoadSave->addSeparator();
    place(menuLoadSave, {itemQuit});
    placeSettingsMenu(commands);

    setButtonMenu(butnLoadSave, menuLoadSave);
    setButtonMenu(butnSettingsDVS, menuSettingsDVS);
    setButtonMenu(butnSettingsZVT, commands.game.items().menuSettingsZVT);
    setButtonMenu(butnDVSVersion, commands.switches.items().menuDVSVersion);
    setButtonMenu(butnLinks, commands.editors.items().menuLinks);
    setButtonMenu(butnHelp, commands.update.items().menuHelp);
    setButtonMenu(butnEdit, commands.editors.items().menuEdit);
    QMenu *tools = commands.tools.items().menuTools;
    place(tools, {config.itemNotepad});
    tools->addSeparator();
    commands.editors.setShortcutsMenu(tools);
    setButtonMenu(butnTools, tools);
    commands.update.setUpdateButton(butnUpdate);
    commands.game.setRunButton(butnRun);
    butnRun->setPopupMode(QToolButton::MenuButtonPopup);
    setToolbarText(itemDVSMenuText->isChecked());
    createHiddenMainMenu(commands);

    pageMain->addTab(config.pageNotepad, QStringLiteral("Notepad"));
    m_notepadItem = config.itemNotepad;
    pageMain->setCurrentWidget(pageDV);
    pageMainChange();
}

void TformMain::placeSettingsMenu(const Commands &commands)
{
    const ConfigCommands::Items &config = commands.config.items();
    QMenu *misc = submenu(*this, menuSettingsDVS, "itemDVSMisc", QStringLiteral("Miscellaneous Settings"),
                          QStringLiteral("Interface Settings"));
    QMenu *startup = submenu(*this, misc, "itemDVSLoadStartup", QStringLiteral("Load at Startup"));
    place(startup, {config.itemDVSLoadNothing, config.itemDVSLoaddravopaxcfg});
    startup->addSeparator();
    place(startup, {config.itemDVSLoadSelectHere});
    place(misc, {itemDVSFullscreen, itemDVSOverwrite, itemDVSPosition, itemDVS3DLook});

    QMenu *position =
        submenu(*this, menuSettingsDVS, "itemDVSMenuPosition", QStringLiteral("Main Menu Position"),
                QStringLiteral("On which side should be main menu"));
    place(position, {itemDVSMenuTop, itemDVSMenuLeft, itemDVSMenuRight, itemDVSMenuBottom});
    position->addSeparator();
    place(position, {itemDVSMenuText});

    QMenu *mouse = submenu(*this, menuSettingsDVS, "itemDVSMouse", QStringLiteral("Mouse Pointer"),
                           QStringLiteral("Mouse Settings"));
    place(mouse, {itemDVSWinCursor, itemDVSZVTCursor});
    QMenu *afterRun = commands.game.items().itemDVSRun;
    afterRun->setParent(menuSettingsDVS, afterRun->windowFlags());
    menuSettingsDVS->addMenu(afterRun);
    place(menuSettingsDVS, {commands.game.items().itemDVSDosBox});
    menuSettingsDVS->addSeparator();
    place(menuSettingsDVS, {commands.switches.items().itemDVSReload, itemDVSDelete});
}

void TformMain::createHiddenMainMenu(const Commands &commands)
{
    mnmMain = new QMenuBar(this);
    mnmMain->setObjectName(QStringLiteral("mnmMain"));
    mnmMain->hide();

    // The hidden menu repeats drop-down items for their shortcuts. Shortcuts of
    // a hidden menu work only through actions the window itself holds.
    auto repeat = [this](QMenu *menu, const char *name, QAction *item) {
        auto *action = menu->addAction(item->text().section(QLatin1Char('\t'), 0, 0));
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shownShortcut(item));
        action->setStatusTip(item->statusTip());
        action->setEnabled(item->isEnabled());
        connect(action, &QAction::triggered, item, &QAction::trigger);
        addAction(action);
        return action;
    };
    auto topMenu = [this](QMenu *parent, const char *name, const QString &caption) {
        QMenu *menu = parent ? parent->addMenu(caption) : mnmMain->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };

    const ConfigCommands::Items &config = commands.config.items();
    QMenu *file = topMenu(nullptr, "mniFile", QStringLiteral("File"));
    QMenu *load = topMenu(file, "Load1", QStringLiteral("Load"));
    repeat(load, "FromFile1", config.mniFileLoadFile);
    repeat(load, "Fromdravopaxcfg1", config.mniFileLoadCfg);
    repeat(load, "FromDefaults1", commands.switches.items().mniFileLoadDefault);
    QMenu *save = topMenu(file, "Save1", QStringLiteral("Save"));
    repeat(save, "ToFile1", config.mniFileSaveFile);
    repeat(save, "Todravopaxcfg1", config.mniFileSaveCfg);
    repeat(file, "mniFileQuit", itemQuit)->setStatusTip(QStringLiteral("Exit from Dravopax Vevavav"));

    QMenu *settings = topMenu(nullptr, "mniSettingsDVS", QStringLiteral("DVS Settings"));
    repeat(settings, "SetZVTDirectory1", commands.game.items().mniSettingsZVTDir);
    repeat(settings, "ReloadDravopaxDatabase1", commands.switches.items().itemDVSReload);

    const UpdateCommands::Items &help = commands.update.items();
    QMenu *helpMenu = topMenu(nullptr, "mniHelp", QStringLiteral("Help"));
    repeat(helpMenu, "HelpDVS1", help.itemHelpDVS);
    repeat(helpMenu, "HelpDV1", help.itemHelpDV);
    repeat(helpMenu, "HelpZVT1", help.itemHelpZVT);
    repeat(helpMenu, "About1", help.itemAbout);

    QAction *itemRun = commands.game.items().itemRun;
    itemRun->setParent(mnmMain);
    mnmMain->addAction(itemRun);
    addAction(itemRun);
}

QToolButton *TformMain::addButton(const char *name, const QString &caption, const QString &hint, int image)
{
    auto *button = new QToolButton(menuMain);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setStatusTip(hint);
    button->setIcon(QIcon(QStringLiteral(":/images/tb%1.png").arg(image)));
    button->setIconSize(QSize(20, 20));
    button->setAutoRaise(true);
    button->setStyle(m_toolbarStyle);
    menuMain->addWidget(button);
    return button;
}

void TformMain::place(QMenu *menu, std::initializer_list<QAction *> items)
{
    // An item belongs to the menu that lists it, as one made there would.
    for (QAction *item : items) {
        item->setParent(menu);
        menu->addAction(item);
    }
}

void TformMain::setButtonMenu(QToolButton *button, QMenu *menu)
{
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
}

void TformMain::createToolbar()
{
    m_toolbarStyle = new ToolbarButtonStyle(QStyleFactory::create(QApplication::style()->name()));
    menuMain = new QToolBar(this);
    menuMain->setObjectName(QStringLiteral("menuMain"));
    menuMain->setMovable(false);
    menuMain->setFloatable(false);
    menuMain->setIconSize(QSize(20, 20));
    menuMain->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    addToolBar(Qt::TopToolBarArea, menuMain);

    butnLoadSave = addButton("butnLoadSave", QStringLiteral("Load / Save"),
                             QStringLiteral("Load / Save Configuration File"), 0);
    butnSettingsDVS = addButton("butnSettingsDVS", QStringLiteral("DVS Settings"),
                                QStringLiteral("Dravopax Vevavav Settings"), 6);
    butnSettingsZVT =
        addButton("butnSettingsZVT", QStringLiteral("ZVT Settings"), QStringLiteral("Zorvantia Settings"), 1);
    butnDVSVersion = addButton("butnDVSVersion", QStringLiteral("DV Versions"),
                               QStringLiteral("Select Dravopax Version"), 5);
    butnLinks = addButton("butnLinks", QStringLiteral("Links, E-mails"),
                          QStringLiteral("Usefull Links and E-Mails"), 2);
    butnHelp = addButton("butnHelp", QStringLiteral("Help"), QStringLiteral("Help and About"), 3);
    butnEdit =
        addButton("butnEdit", QStringLiteral("Edit DVS"), QStringLiteral("Dravopax Vevavav Editors"), 8);
    butnTools = addButton("butnTools", QStringLiteral("Tools"), QStringLiteral("Tools"), 7);
    butnUpdate = addButton("butnUpdate", QStringLiteral("Update"),
                           QStringLiteral("Auto-Update of Dravopax Vevavav"), 9);
    // Commands whose windows do not exist yet stay visible but unavailable.
    butnUpdate->setEnabled(false);
    butnRun = addButton("butnRun", QStringLiteral("Run ZVT / DV"), QStringLiteral("Run ZVT/Dravopax"), 4);
    // Made the toolbar's last child, it is deleted after the buttons that use it.
    m_toolbarStyle->setParent(menuMain);
    setToolbarText(true);
}

void TformMain::setToolbarText(bool shown)
{
    for (QToolButton *button : menuMain->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly)) {
        if (button->objectName().isEmpty())
            continue; // the toolbar's own extension button
        button->setToolButtonStyle(shown ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
        button->setFixedSize(shown ? captionedSize(button) : QSize(27, 20));
    }
}
