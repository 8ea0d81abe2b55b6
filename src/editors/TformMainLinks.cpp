#include "app/TformMain.h"

#include "LinkList.h"
#include "ShortcutList.h"
#include "TformLinks.h"
#include "TformPrograms.h"
#include "ini/TIniFile.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace {

// A caption shows "&" as written, not as the mark of an accelerator.
QString caption(const QString &text)
{
    return QString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

void TformMain::AddPrograms()
{
    // The items of an earlier call are reused, so that a menu built again
    // lists each shortcut once and costs no more than the first time.
    QList<QAction *> items;
    for (QAction *item : menuTools->actions()) {
        if (item->property("toolShortcut").isValid())
            items.append(item);
    }
    const QList<ShortcutList::Shortcut> shortcuts = ShortcutList(m_files.toolIni()).menuEntries();
    while (items.size() > shortcuts.size())
        delete items.takeLast();
    for (qsizetype n = items.size() + 1; n <= shortcuts.size(); ++n) {
        QAction *item = menuTools->addAction(QString());
        item->setObjectName(QStringLiteral("prog%1").arg(n));
        item->setProperty("toolShortcut", n);
        connect(item, &QAction::triggered, this,
                [this, item] { guarded([this, item] { RunProgramClick(item); }); });
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

void TformMain::RunProgramClick(QAction *item)
{
    const QString path = ShortcutList(m_files.toolIni()).path(item->objectName().mid(4).toInt());
    if (!QFileInfo::exists(path)) {
        m_platform.messages.show(MsgType::Error, QStringLiteral("Shortcut error.\nFile not exist.\n") + path,
                                 MsgButtons::Ok);
        return;
    }
    (void)m_platform.shell.open(path, QString(), QFileInfo(path).absolutePath());
}

void TformMain::ProgramsEditor1Click()
{
    if (!formPrograms)
        return;
    formPrograms->Initialize();
    showOver(formPrograms);
}

void TformMain::AddLinks()
{
    for (QAction *old : menuLinks->actions()) {
        if (old->property("linkSection").isValid())
            delete old->menu();
    }
    for (const LinkList::Section &section : LinkList::sections(TIniFile(m_files.dataIni()).snapshot())) {
        QMenu *sub = menuLinks->addMenu(caption(LinkList::shown(section.name)));
        sub->menuAction()->setProperty("linkSection", section.name);
        sub->menuAction()->setStatusTip(LinkList::shown(section.name + QStringLiteral(" Links and E-mails")));
        showHintsOf(sub);
        for (const LinkList::Link &link : section.links) {
            QAction *item = sub->addAction(caption(LinkList::shown(link.key)));
            item->setStatusTip(LinkList::shown(section.name + QStringLiteral(": ") + link.key));
            // The names as the file spells them: a caption cannot tell "_" from a blank.
            item->setData(QStringList{section.name, link.key});
            connect(item, &QAction::triggered, this,
                    [this, item] { guarded([this, item] { LinkClick(item); }); });
        }
    }
}

void TformMain::LinkClick(QAction *item)
{
    const QStringList names = item->data().toStringList();
    if (names.size() != 2)
        return;
    const QString value = TIniFile(m_files.dataIni()).ReadString(names[0], names[1], QStringLiteral("0"));
    if (const std::optional<QString> target = LinkList::target(value))
        (void)m_platform.shell.open(*target, QString(), QString());
}

void TformMain::itemLinksEditorClick()
{
    if (!formLinks)
        return;
    formLinks->Initialize();
    showOver(formLinks);
}
