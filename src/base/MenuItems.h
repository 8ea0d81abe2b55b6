#pragma once

#include <QKeySequence>
#include <QString>

#include <initializer_list>

class Frame;
class QAction;
class QActionGroup;
class QMenu;
class QObject;

// Menu items named as the program's documents name them, made by the part of
// the program whose commands they start and placed in the menus by the frame.
namespace MenuItems {

// An item made in `owner`, with a caption, a hint for the status bar and, if
// given, a shortcut; a menu as owner lists it at its end.
// The hidden main menu carries the working shortcut: the item only shows it,
// after a tab in its text, since a second action with the same shortcut would
// make the key do nothing at all.
QAction *item(QObject *owner, const char *name, const QString &caption, const QString &hint = QString(),
              const QKeySequence &shortcut = QKeySequence());
QAction *checkItem(QObject *owner, const char *name, const QString &caption, const QString &hint = QString());
// The shortcut an item shows, which the hidden main menu makes work.
QKeySequence shownShortcut(const QAction *item);
// Makes the items checkable, one of them checked at a time.
QActionGroup *radioGroup(QObject *owner, std::initializer_list<QAction *> items);
// A drop-down menu of the main window, whose items show their hints.
QMenu *dropDown(Frame &frame, const char *name);
// A submenu at the end of `parent`, or one the frame places, when `parent` is
// null; its own item is named `name` + "Item".
QMenu *submenu(Frame &frame, QMenu *parent, const char *name, const QString &caption,
               const QString &hint = QString());

} // namespace MenuItems
