#include "TformMain.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QStatusBar>
#include <QStyleFactory>
#include <QStyleOptionToolButton>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

QActionGroup *radioGroup(QObject *owner, std::initializer_list<QAction *> items)
{
    auto *group = new QActionGroup(owner);
    group->setExclusive(true);
    for (QAction *item : items) {
        item->setCheckable(true);
        group->addAction(item);
    }
    return group;
}

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

void TformMain::showHintsOf(QMenu *menu)
{
    // Whatever opened the menu, the item under the mouse shows its hint; the
    // hints of disabled items say why they are disabled, so they show too.
    connect(menu, &QMenu::hovered, this, [this](QAction *item) { barMain->showMessage(item->statusTip()); });
    menu->installEventFilter(this);
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

QAction *TformMain::addItem(QMenu *menu, const char *name, const QString &caption, const QString &hint,
                            const QKeySequence &shortcut)
{
    auto *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(hint);
    if (!shortcut.isEmpty()) {
        // The hidden main menu carries the working shortcut. A drop-down item
        // only shows it, after a tab in its text, since a second action with
        // the same shortcut would make the key do nothing at all.
        action->setText(caption + QLatin1Char('\t') + shortcut.toString(QKeySequence::NativeText));
        action->setProperty("shownShortcut", shortcut);
    }
    return action;
}

QAction *TformMain::addCheckItem(QMenu *menu, const char *name, const QString &caption, const QString &hint)
{
    QAction *action = addItem(menu, name, caption, hint);
    action->setCheckable(true);
    return action;
}

QMenu *TformMain::addSubmenu(QMenu *menu, const char *name, const QString &caption, const QString &hint)
{
    QMenu *sub = menu->addMenu(caption);
    sub->setObjectName(QString::fromLatin1(name));
    sub->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
    sub->menuAction()->setStatusTip(hint);
    showHintsOf(sub);
    return sub;
}

void TformMain::createMenus()
{
    auto newMenu = [this](const char *name) {
        auto *menu = new QMenu(this);
        menu->setObjectName(QString::fromLatin1(name));
        showHintsOf(menu);
        return menu;
    };

    menuLoadSave = newMenu("menuLoadSave");
    QMenu *load = addSubmenu(menuLoadSave, "mniFileLoad", QStringLiteral("Load"));
    mniFileLoadFile = addItem(load, "mniFileLoadFile", QStringLiteral("From File"),
                              QStringLiteral("Load from *.cfg file"), QKeySequence(Qt::CTRL | Qt::Key_L));
    mniFileLoadCfg =
        addItem(load, "mniFileLoadCfg", QStringLiteral("From dravopax.cfg"),
                QStringLiteral("Load from dravopax.cfg"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    mniFileLoadDefault =
        addItem(load, "mniFileLoadDefault", QStringLiteral("From Defaults"),
                QStringLiteral("Set all switches to their defaults"), QKeySequence(Qt::CTRL | Qt::Key_D));
    QMenu *save = addSubmenu(menuLoadSave, "mniFileSave", QStringLiteral("Save"));
    mniFileSaveFile =
        addItem(save, "mniFileSaveFile", QStringLiteral("To File"),
                QStringLiteral("Save Switches to *.cfg file"), QKeySequence(Qt::CTRL | Qt::Key_S));
    mniFileSaveCfg = addItem(save, "mniFileSaveCfg", QStringLiteral("To dravopax.cfg"),
                             QStringLiteral("Save Switches to dravopax.cfg"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    menuLoadSave->addSeparator();
    itemQuit = addItem(menuLoadSave, "itemQuit", QStringLiteral("Quit"), QString(),
                       QKeySequence(Qt::CTRL | Qt::Key_Q));

    menuSettingsDVS = newMenu("menuSettingsDVS");
    QMenu *misc = addSubmenu(menuSettingsDVS, "itemDVSMisc", QStringLiteral("Miscellaneous Settings"),
                             QStringLiteral("Interface Settings"));
    QMenu *startup = addSubmenu(misc, "itemDVSLoadStartup", QStringLiteral("Load at Startup"));
    itemDVSLoadNothing = addItem(startup, "itemDVSLoadNothing", QStringLiteral("Nothing"));
    itemDVSLoaddravopaxcfg = addItem(startup, "itemDVSLoaddravopaxcfg", QStringLiteral("dravopax.cfg"));
    startup->addSeparator();
    itemDVSLoadSelectHere = addItem(startup, "itemDVSLoadSelectHere", QStringLiteral("Select File Here"));
    radioGroup(this, {itemDVSLoadNothing, itemDVSLoaddravopaxcfg, itemDVSLoadSelectHere});
    itemDVSLoadNothing->setChecked(true);
    m_startupChoice = itemDVSLoadNothing;
    itemDVSFullscreen = addCheckItem(misc, "itemDVSFullscreen", QStringLiteral("Fullscreen"),
                                     QStringLiteral("Always run Dravopax Vevavav in a Fullscreen Mode"));
    itemDVSOverwrite = addCheckItem(misc, "itemDVSOverwrite", QStringLiteral("No Overwrite Confirmation"),
                                    QStringLiteral("Auto Overwriting files (without asking)"));
    itemDVSPosition = addCheckItem(misc, "itemDVSPosition", QStringLiteral("Remeber DVS position"),
                                   QStringLiteral("Does Dravopax Vevavav should remember position and size"));
    itemDVS3DLook = addCheckItem(misc, "itemDVS3DLook", QStringLiteral("3D Look"));
    itemDVSPosition->setChecked(true);
    itemDVS3DLook->setChecked(true);

    QMenu *position = addSubmenu(menuSettingsDVS, "itemDVSMenuPosition", QStringLiteral("Main Menu Position"),
                                 QStringLiteral("On which side should be main menu"));
    itemDVSMenuTop =
        addItem(position, "itemDVSMenuTop", QStringLiteral("Top"), QStringLiteral("Menu on the top"));
    itemDVSMenuLeft =
        addItem(position, "itemDVSMenuLeft", QStringLiteral("Left"), QStringLiteral("Menu on the left"));
    itemDVSMenuRight =
        addItem(position, "itemDVSMenuRight", QStringLiteral("Right"), QStringLiteral("Menu on the right"));
    itemDVSMenuBottom = addItem(position, "itemDVSMenuBottom", QStringLiteral("Bottom"),
                                QStringLiteral("Menu at the bottom"));
    radioGroup(this, {itemDVSMenuTop, itemDVSMenuLeft, itemDVSMenuRight, itemDVSMenuBottom});
    itemDVSMenuTop->setChecked(true);
    position->addSeparator();
    itemDVSMenuText = addCheckItem(position, "itemDVSMenuText", QStringLiteral("Show Text"));
    itemDVSMenuText->setChecked(true);

    QMenu *mouse = addSubmenu(menuSettingsDVS, "itemDVSMouse", QStringLiteral("Mouse Pointer"),
                              QStringLiteral("Mouse Settings"));
    itemDVSWinCursor = addItem(mouse, "itemDVSWinCursor", QStringLiteral("Cusror from Windows"),
                               QStringLiteral("Select Windows mouse cursor in Pointer in Dravopax Vevavav"));
    itemDVSZVTCursor =
        addItem(mouse, "itemDVSZVTCursor", QStringLiteral("Cursor from ZVT"),
                QStringLiteral("Select mouse cursor in Pointer in Dravopax Vevavav from Zorvantia"));
    radioGroup(this, {itemDVSWinCursor, itemDVSZVTCursor});
    itemDVSWinCursor->setChecked(true);

    QMenu *afterRun =
        addSubmenu(menuSettingsDVS, "itemDVSRun", QStringLiteral("When ZVT/Dravopax is running"));
    itemDVSExit = addItem(afterRun, "itemDVSExit", QStringLiteral("DVS will exit"),
                          QStringLiteral("When you run Zorvantia in Dravopax Vevavav it will exit"));
    itemDVSMinimize = addItem(afterRun, "itemDVSMinimize", QStringLiteral("DVS will minimize"),
                              QStringLiteral("When you run Zorvantia in Dravopax Vevavav it will minimize"));
    radioGroup(this, {itemDVSExit, itemDVSMinimize});
    itemDVSMinimize->setChecked(true);
    menuSettingsDVS->addSeparator();
    itemDVSReload = addItem(menuSettingsDVS, "itemDVSReload", QStringLiteral("Reload Dravopax Database"),
                            QStringLiteral("Reload Database (all switches will back to their defaults)"),
                            QKeySequence(Qt::CTRL | Qt::Key_F12));
    itemDVSDelete = addItem(menuSettingsDVS, "itemDVSDelete", QStringLiteral("Delete Settings File"));

    menuSettingsZVT = newMenu("menuSettingsZVT");
    itemZVTDisplay = addSubmenu(menuSettingsZVT, "itemZVTDisplay", QStringLiteral("Display"),
                                QStringLiteral("Display Settings"));
    itemZVTFullscreen = addCheckItem(itemZVTDisplay, "itemZVTFullscreen", QStringLiteral("Fullscreen"),
                                     QStringLiteral("Run Zorvantia in a Fullscreen Mode"));
    itemZVTSafeMode =
        addCheckItem(itemZVTDisplay, "itemZVTSafeMode", QStringLiteral("Safe Mode"),
                     QStringLiteral("Run Zorvantia using Safe Mode (if you have problems select this)"));
    itemZVTUpdateMode =
        addCheckItem(itemZVTDisplay, "itemZVTUpdateMode", QStringLiteral("Update Mode"),
                     QStringLiteral("Run Zorvantia with Update Mode (don't know what it is)"));
    itemZVTSound = addSubmenu(menuSettingsZVT, "itemZVTSound", QStringLiteral("Sound"),
                              QStringLiteral("Sound Settings"));
    itemZVTMidiTypeNoMidi = addItem(itemZVTSound, "itemZVTMidiTypeNoMidi", QStringLiteral("No Midi"));
    itemZVTMidiTypeGeneral = addItem(itemZVTSound, "itemZVTMidiTypeGeneral", QStringLiteral("General Midi"));
    itemZVTMidiTypeFMSynth =
        addItem(itemZVTSound, "itemZVTMidiTypeFMSynth", QStringLiteral("FM Synth/SoundBlaster"));
    itemZVTMidiTypeSBlaster =
        addItem(itemZVTSound, "itemZVTMidiTypeSBlaster", QStringLiteral("SoundBlaster AWE32"));
    radioGroup(this, {itemZVTMidiTypeNoMidi, itemZVTMidiTypeGeneral, itemZVTMidiTypeFMSynth,
                      itemZVTMidiTypeSBlaster});
    itemZVTMouse = addSubmenu(menuSettingsZVT, "itemZVTMouse", QStringLiteral("Mouse"),
                              QStringLiteral("Mouse Settings"));
    itemMousePointerGame = addItem(itemZVTMouse, "itemMousePointerGame", QStringLiteral("Game Pointer"));
    itemMousePointerWin = addItem(itemZVTMouse, "itemMousePointerWin", QStringLiteral("Windows Pointer"));
    radioGroup(this, {itemMousePointerGame, itemMousePointerWin});
    menuSettingsZVT->addSeparator();
    mniSettingsZVTDir =
        addItem(menuSettingsZVT, "mniSettingsZVTDir", QStringLiteral("Set ZVT Directory"),
                QStringLiteral("Set Zorvantia Directory"), QKeySequence(Qt::CTRL | Qt::Key_F11));
    mniCreateRegistryEntry =
        addItem(menuSettingsZVT, "mniCreateRegistryEntry", QStringLiteral("Create Registry Entry"),
                QStringLiteral("Creates Registry Entry (Makes Everything Default)"));

    menuDVSVersion = newMenu("menuDVSVersion");

    menuLinks = newMenu("menuLinks");
    QMenu *own = addSubmenu(menuLinks, "DravopaxVevavav1", QStringLiteral("Dravopax Vevavav"),
                            QStringLiteral("Dravopax Vevavav Links & E-Mails"));
    itemHelpLinksDVSHomePage = addItem(own, "itemHelpLinksDVSHomePage", QStringLiteral("Home Page"));
    itemHelpLinksDVSEMail = addItem(own, "itemHelpLinksDVSEMail", QStringLiteral("E-Mail"));

    menuHelp = newMenu("menuHelp");
    itemHelpDVS = addItem(menuHelp, "itemHelpDVS", QStringLiteral("Dravopax Vevavav"),
                          QStringLiteral("Dravopax Vevavav Help (Avabile with stable version)"),
                          QKeySequence(Qt::Key_F2));
    itemHelpDV =
        addItem(menuHelp, "itemHelpDV", QStringLiteral("Dravopax"),
                QStringLiteral("Dravopax Help (Avabile with stable version)"), QKeySequence(Qt::Key_F3));
    itemHelpZVT = addItem(menuHelp, "itemHelpZVT", QStringLiteral("Zorvantia"),
                          QStringLiteral("ZVT Help (Avabile with stable version)"), QKeySequence(Qt::Key_F4));
    for (QAction *help : {itemHelpDVS, itemHelpDV, itemHelpZVT})
        help->setEnabled(false);
    menuHelp->addSeparator();
    itemAbout = addItem(menuHelp, "itemAbout", QStringLiteral("About"),
                        QStringLiteral("Some informations about program"), QKeySequence(Qt::Key_F1));

    menuEdit = newMenu("menuEdit");
    ProgramsEditor1 = addItem(menuEdit, "ProgramsEditor1", QStringLiteral("Add/Remove Shortcut"),
                              QStringLiteral("Add/Remove programs in 'Tools' menu"));
    VersionPatch1 = addItem(menuEdit, "VersionPatch1", QStringLiteral("Edit Dravopax Versions"),
                            QStringLiteral("Edit data about Dravopax versions"));
    EditDravopaxSwitches = addItem(menuEdit, "EditDravopaxSwitches", QStringLiteral("Edit Dravopax Switches"),
                                   QStringLiteral("Edit Dravopax Switches Database"));
    itemLinksEditor = addItem(menuEdit, "itemLinksEditor", QStringLiteral("Edit Links && E-Mails"),
                              QStringLiteral("Add/Remove Links and E-Mails in Dravopax Vevavav"));

    menuTools = newMenu("menuTools");
    itemMkdvtxt = addItem(menuTools, "itemMkdvtxt", QStringLiteral("Mkdvtxt Tool"));
    itemNewGrfManager = addItem(menuTools, "itemNewGrfManager", QStringLiteral("NewGrf Manager"),
                                QStringLiteral("Install and select GRF files"));
    itemNotepad = addItem(menuTools, "itemNotepad", QStringLiteral("Open in Notepad"));
    menuTools->addSeparator();

    menuRun = newMenu("menuRun");
    mniSelectRunDVCfg = addItem(menuRun, "mniSelectRunDVCfg", QStringLiteral("Dravopax (dravopax.cfg)"),
                                QStringLiteral("Dravopax with dravopax.cfg will run after pushing button"));
    mniSelectRunDVFile =
        addItem(menuRun, "mniSelectRunDVFile", QStringLiteral("Dravopax (custom.cfg)"),
                QStringLiteral("Dravopax with custom *.cfg file will run after pushing button"));
    mniSelectRunDVCurrent =
        addItem(menuRun, "mniSelectRunDVCurrent", QStringLiteral("Dravopax (current switches)"),
                QStringLiteral("Dravopax with current settings will run after pushing button"));
    mniSelectRunDVexebat =
        addItem(menuRun, "mniSelectRunDVexebat", QStringLiteral("Dravopax (*.exe, *.bat file)"),
                QStringLiteral("After pushing button you can select file you want to run"));
    mniSelectRunZVT = addItem(menuRun, "mniSelectRunZVT", QStringLiteral("Zorvantia"),
                              QStringLiteral("ZVT will run after pushing button"));
    radioGroup(this, {mniSelectRunDVCfg, mniSelectRunDVFile, mniSelectRunDVCurrent, mniSelectRunDVexebat,
                      mniSelectRunZVT});
    mniSelectRunDVCfg->setChecked(true);

    createHiddenMainMenu();
}

void TformMain::createHiddenMainMenu()
{
    mnmMain = new QMenuBar(this);
    mnmMain->setObjectName(QStringLiteral("mnmMain"));
    mnmMain->hide();

    // The hidden menu repeats drop-down items for their shortcuts. Shortcuts of
    // a hidden menu work only through actions the window itself holds.
    auto repeat = [this](QMenu *menu, const char *name, const QAction *item) {
        auto *action = menu->addAction(item->text().section(QLatin1Char('\t'), 0, 0));
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(item->property("shownShortcut").value<QKeySequence>());
        action->setStatusTip(item->statusTip());
        action->setEnabled(item->isEnabled());
        addAction(action);
        return action;
    };
    auto topMenu = [this](QMenu *parent, const char *name, const QString &caption) {
        QMenu *menu = parent ? parent->addMenu(caption) : mnmMain->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };

    QMenu *file = topMenu(nullptr, "mniFile", QStringLiteral("File"));
    QMenu *load = topMenu(file, "Load1", QStringLiteral("Load"));
    FromFile1 = repeat(load, "FromFile1", mniFileLoadFile);
    Fromdravopaxcfg1 = repeat(load, "Fromdravopaxcfg1", mniFileLoadCfg);
    FromDefaults1 = repeat(load, "FromDefaults1", mniFileLoadDefault);
    QMenu *save = topMenu(file, "Save1", QStringLiteral("Save"));
    ToFile1 = repeat(save, "ToFile1", mniFileSaveFile);
    Todravopaxcfg1 = repeat(save, "Todravopaxcfg1", mniFileSaveCfg);
    mniFileQuit = repeat(file, "mniFileQuit", itemQuit);
    mniFileQuit->setStatusTip(QStringLiteral("Exit from Dravopax Vevavav"));

    QMenu *settings = topMenu(nullptr, "mniSettingsDVS", QStringLiteral("DVS Settings"));
    SetZVTDirectory1 = repeat(settings, "SetZVTDirectory1", mniSettingsZVTDir);
    ReloadDravopaxDatabase1 = repeat(settings, "ReloadDravopaxDatabase1", itemDVSReload);

    QMenu *help = topMenu(nullptr, "mniHelp", QStringLiteral("Help"));
    HelpDVS1 = repeat(help, "HelpDVS1", itemHelpDVS);
    HelpDV1 = repeat(help, "HelpDV1", itemHelpDV);
    HelpZVT1 = repeat(help, "HelpZVT1", itemHelpZVT);
    About1 = repeat(help, "About1", itemAbout);

    itemRun = mnmMain->addAction(QStringLiteral("Run ZVT/Dravopax"));
    itemRun->setObjectName(QStringLiteral("itemRun"));
    itemRun->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    itemRun->setStatusTip(QStringLiteral("Run Dravopax or ZVT (Ctrl+R). It can be set in Settings"));
    addAction(itemRun);
}

QToolButton *TformMain::addButton(const char *name, const QString &caption, const QString &hint, int image,
                                  QMenu *menu)
{
    auto *button = new QToolButton(menuMain);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setStatusTip(hint);
    button->setIcon(QIcon(QStringLiteral(":/images/tb%1.png").arg(image)));
    button->setIconSize(QSize(20, 20));
    button->setAutoRaise(true);
    button->setStyle(m_toolbarStyle);
    if (menu) {
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
    }
    menuMain->addWidget(button);
    return button;
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
                             QStringLiteral("Load / Save Configuration File"), 0, menuLoadSave);
    butnSettingsDVS = addButton("butnSettingsDVS", QStringLiteral("DVS Settings"),
                                QStringLiteral("Dravopax Vevavav Settings"), 6, menuSettingsDVS);
    butnSettingsZVT = addButton("butnSettingsZVT", QStringLiteral("ZVT Settings"),
                                QStringLiteral("Zorvantia Settings"), 1, menuSettingsZVT);
    butnDVSVersion = addButton("butnDVSVersion", QStringLiteral("DV Versions"),
                               QStringLiteral("Select Dravopax Version"), 5, menuDVSVersion);
    butnLinks = addButton("butnLinks", QStringLiteral("Links, E-mails"),
                          QStringLiteral("Usefull Links and E-Mails"), 2, menuLinks);
    butnHelp = addButton("butnHelp", QStringLiteral("Help"), QStringLiteral("Help and About"), 3, menuHelp);
    butnEdit = addButton("butnEdit", QStringLiteral("Edit DVS"), QStringLiteral("Dravopax Vevavav Editors"),
                         8, menuEdit);
    butnTools = addButton("butnTools", QStringLiteral("Tools"), QStringLiteral("Tools"), 7, menuTools);
    butnUpdate = addButton("butnUpdate", QStringLiteral("Update"),
                           QStringLiteral("Auto-Update of Dravopax Vevavav"), 9, nullptr);
    butnRun =
        addButton("butnRun", QStringLiteral("Run ZVT / DV"), QStringLiteral("Run ZVT/Dravopax"), 4, menuRun);
    butnRun->setPopupMode(QToolButton::MenuButtonPopup);
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
