#include "MenuItems.h"

#include "Frame.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace MenuItems {

QAction *item(QObject *owner, const char *name, const QString &caption, const QString &hint,
              const QKeySequence &shortcut)
{
    auto *action = new QAction(caption, owner);
    if (auto *menu = qobject_cast<QMenu *>(owner))
        menu->addAction(action);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(hint);
    if (!shortcut.isEmpty()) {
        action->setText(caption + QLatin1Char('\t') + shortcut.toString(QKeySequence::NativeText));
        action->setProperty("shownShortcut", shortcut);
    }
    return action;
}

QAction *checkItem(QObject *owner, const char *name, const QString &caption, const QString &hint)
{
    QAction *action = item(owner, name, caption, hint);
    action->setCheckable(true);
    return action;
}

QKeySequence shownShortcut(const QAction *item)
{
    return item->property("shownShortcut").value<QKeySequence>();
}

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

QMenu *dropDown(Frame &frame, const char *name)
{
    auto *menu = new QMenu(frame.mainWindow());
    menu->setObjectName(QString::fromLatin1(name));
    frame.showHintsOf(menu);
    return menu;
}

QMenu *submenu(Frame &frame, QMenu *parent, const char *name, const QString &caption, const QString &hint)
{
    QMenu *sub = parent ? parent->addMenu(caption) : new QMenu(caption, frame.mainWindow());
    sub->setObjectName(QString::fromLatin1(name));
    sub->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
    sub->menuAction()->setStatusTip(hint);
    frame.showHintsOf(sub);
    return sub;
}

} // namespace MenuItems
