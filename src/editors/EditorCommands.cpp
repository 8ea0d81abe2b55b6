#include "EditorCommands.h"

#include "LinkList.h"
#include "ShortcutList.h"
#include "TformLinks.h"
#include "TformPrograms.h"
#include "TformSwitches.h"
#include "TformVersion.h"
#include "base/FormParts.h"
#include "base/Frame.h"
#include "base/MenuItems.h"
#include "base/ProgramInfo.h"
#include "ini/TIniFile.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"
#include "switches/SwitchCommands.h"
#include "switches/SwitchPanel.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

using namespace MenuItems;

namespace {

// A caption shows "&" as written, not as the mark of an accelerator.
QString caption(const QString &text)
{
    return QString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

EditorCommands::EditorCommands(ProgramFiles files, Platform platform, Frame &frame, SwitchCommands &switches,
                               NotepadPage &notepad)
    : QObject(frame.mainWindow()), m_files(std::move(files)), m_platform(platform), m_frame(frame),
      m_switches(switches), m_notepad(notepad)
{
    createItems();
}

void EditorCommands::createItems()
{
    Items &i = m_items;
    i.menuEdit = dropDown(m_frame, "menuEdit");
    i.ProgramsEditor1 = item(i.menuEdit, "ProgramsEditor1", QStringLiteral("Add/Remove Shortcut"),
                             QStringLiteral("Add/Remove programs in 'Tools' menu"));
    i.VersionPatch1 = item(i.menuEdit, "VersionPatch1", QStringLiteral("Edit Dravopax Versions"),
                           QStringLiteral("Edit data about Dravopax versions"));
    i.EditDravopaxSwitches =
        item(i.menuEdit, "EditDravopaxSwitches", QStringLiteral("Edit Dravopax Switches"),
             QStringLiteral("Edit Dravopax Switches Database"));
    i.itemLinksEditor = item(i.menuEdit, "itemLinksEditor", QStringLiteral("Edit Links && E-Mails"),
                             QStringLiteral("Add/Remove Links and E-Mails in Dravopax Vevavav"));

    i.menuLinks = dropDown(m_frame, "menuLinks");
    QMenu *own = submenu(m_frame, i.menuLinks, "DravopaxVevavav1", QStringLiteral("Dravopax Vevavav"),
                         QStringLiteral("Dravopax Vevavav Links & E-Mails"));
    i.itemHelpLinksDVSHomePage = item(own, "itemHelpLinksDVSHomePage", QStringLiteral("Home Page"));
    i.itemHelpLinksDVSEMail = item(own, "itemHelpLinksDVSEMail", QStringLiteral("E-Mail"));

    const std::pair<QAction *, void (EditorCommands::*)()> handlers[] = {
        {i.ProgramsEditor1, &EditorCommands::ProgramsEditor1Click},
        {i.VersionPatch1, &EditorCommands::VersionPatch1Click},
        {i.EditDravopaxSwitches, &EditorCommands::mniSettingsDVSDesignModeClick},
        {i.itemLinksEditor, &EditorCommands::itemLinksEditorClick},
        {i.itemHelpLinksDVSHomePage, &EditorCommands::itemHelpLinksDVSHomePageClick},
        {i.itemHelpLinksDVSEMail, &EditorCommands::itemHelpLinksDVSEMailClick},
    };
    for (const auto &[action, handler] : handlers)
        connectReported(this, m_platform.messages, action, &QAction::triggered, handler);
}

void EditorCommands::createSwitchesEditor()
{
    m_formSwitches = new TformSwitches(m_files, m_platform, m_notepad, m_frame.mainWindow());
    SwitchCommands &switches = m_switches;
    connect(m_formSwitches, &TformSwitches::editingStarted, this,
            [&switches] { switches.panel().setEnabled(false); });
    connect(m_formSwitches, &TformSwitches::editingEnded, this,
            [&switches] { switches.panel().setEnabled(true); });
    connect(m_formSwitches, &TformSwitches::switchesChanged, this, [&switches] {
        switches.DeleteSwitches();
        switches.CreateSwitches();
    });
}

void EditorCommands::createVersionEditor()
{
    m_formVersion = new TformVersion(m_files, m_platform, m_notepad, m_frame.mainWindow());
    connect(m_formVersion, &TformVersion::versionsSaved, &m_switches, &SwitchCommands::SetDravopaxVersion);
}

void EditorCommands::createProgramsEditor()
{
    m_formPrograms = new TformPrograms(m_files, m_platform, m_notepad, m_frame.mainWindow());
    connect(m_formPrograms, &TformPrograms::shortcutsSaved, this, &EditorCommands::AddPrograms);
}

void EditorCommands::createLinksEditor()
{
    m_formLinks = new TformLinks(m_files, m_platform, m_notepad, m_frame.mainWindow());
    connect(m_formLinks, &TformLinks::linksSaved, this, &EditorCommands::AddLinks);
}

void EditorCommands::StartDesignMode()
{
    if (!m_formSwitches)
        return;
    QStringList switches;
    for (const SwitchPanel::Entry &entry : m_switches.panel().entries())
        switches.append(entry.name);
    m_formSwitches->showFor(switches, m_switches.componentNames());

    // Beside the main window, overlapping its right half, and nearly as high;
    // placed once shown, when the size of its frame is known.
    const QRect frame = m_frame.mainWindow()->frameGeometry();
    const int frameHeight = m_formSwitches->frameGeometry().height() - m_formSwitches->height();
    m_formSwitches->move(frame.left() + frame.width() / 2 - 123, frame.top());
    m_formSwitches->resize(m_formSwitches->width(), frame.height() - 20 - frameHeight);
}

void EditorCommands::VersionPatch1Click()
{
    if (m_formVersion)
        m_frame.showOver(m_formVersion);
}

void EditorCommands::AddPrograms()
{
    QMenu *menu = m_shortcutsMenu;
    // The items of an earlier call are reused, so that a menu built again
    // lists each shortcut once and costs no more than the first time.
    QList<QAction *> items;
    for (QAction *item : menu->actions()) {
        if (item->property("toolShortcut").isValid())
            items.append(item);
    }
    const QList<ShortcutList::Shortcut> shortcuts = ShortcutList(m_files.toolIni()).menuEntries();
    while (items.size() > shortcuts.size())
        delete items.takeLast();
    for (qsizetype n = items.size() + 1; n <= shortcuts.size(); ++n) {
        QAction *item = menu->addAction(QString());
        item->setObjectName(QStringLiteral("prog%1").arg(n));
        item->setProperty("toolShortcut", n);
        connect(item, &QAction::triggered, this,
                [this, item] { runReported(m_platform.messages, [this, item] { RunProgramClick(item); }); });
        items.append(item);
    }
    // Qt tells the menu of every change of an item, so only changes are made.
    for (qsizetype i = 0; i < shortcuts.size(); ++i) {
        if (const QString text = caption(shortcuts[i].display); items[i]->text() != text)
            items[i]->setText(text);
        if (items[i]->statusTip() != shortcuts[i].path)
            items[i]->setStatusTip(shortcuts[i].path);
    }
}

void EditorCommands::RunProgramClick(QAction *item)
{
    const QString path = ShortcutList(m_files.toolIni()).path(item->objectName().mid(4).toInt());
    if (!QFileInfo::exists(path)) {
        m_platform.messages.show(MsgType::Error, QStringLiteral("Shortcut error.\nFile not exist.\n") + path,
                                 MsgButtons::Ok);
        return;
    }
    (void)startReported(m_platform.shell, m_platform.messages, path, QString(), QFileInfo(path).absolutePath());
}

void EditorCommands::ProgramsEditor1Click()
{
    if (!m_formPrograms)
        return;
    m_formPrograms->Initialize();
    m_frame.showOver(m_formPrograms);
}

void EditorCommands::AddLinks()
{
    QMenu *menu = m_items.menuLinks;
    for (QAction *old : menu->actions()) {
        if (old->property("linkSection").isValid())
            delete old->menu();
    }
    for (const LinkList::Section &section : LinkList::sections(TIniFile(m_files.dataIni()).snapshot())) {
        QMenu *sub = menu->addMenu(caption(LinkList::shown(section.name)));
        sub->menuAction()->setProperty("linkSection", section.name);
        sub->menuAction()->setStatusTip(LinkList::shown(section.name + QStringLiteral(" Links and E-mails")));
        m_frame.showHintsOf(sub);
        for (const LinkList::Link &link : section.links) {
            QAction *item = sub->addAction(caption(LinkList::shown(link.key)));
            item->setStatusTip(LinkList::shown(section.name + QStringLiteral(": ") + link.key));
            // The names as the file spells them: a caption cannot tell "_" from a blank.
            item->setData(QStringList{section.name, link.key});
            connect(item, &QAction::triggered, this,
                    [this, item] { runReported(m_platform.messages, [this, item] { LinkClick(item); }); });
        }
    }
}

void EditorCommands::LinkClick(QAction *item)
{
    const QStringList names = item->data().toStringList();
    if (names.size() != 2)
        return;
    const QString value = TIniFile(m_files.dataIni()).ReadString(names[0], names[1], QStringLiteral("0"));
    if (const std::optional<QString> target = LinkList::target(value))
        (void)m_platform.shell.open(*target, QString(), QString());
}

void EditorCommands::itemLinksEditorClick()
{
    if (!m_formLinks)
        return;
    m_formLinks->Initialize();
    m_frame.showOver(m_formLinks);
}

void EditorCommands::itemHelpLinksDVSHomePageClick()
{
    (void)m_platform.shell.open(ProgramInfo::HomePage, QString(), QString());
}

void EditorCommands::itemHelpLinksDVSEMailClick()
{
    // The address the about window shows as its mail link.
    (void)m_platform.shell.open(QStringLiteral("mailto:") + ProgramInfo::AuthorMail +
                                    QStringLiteral("?subject=Dravopax Vevavav"),
                                QString(), QString());
}
