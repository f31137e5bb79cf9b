#pragma once

#include "platform/StandIn.h"

#include <QList>
#include <QPoint>
#include <QString>

class QAction;
class QMenu;
class QObject;

namespace platform {

// Menus as the organiser's forms declare them: entries with a caption and a
// name, "-" making a separator, and option arrays whose entries share a name
// and differ by their index. Entries are found again by name, shown or hidden,
// and checked or unchecked only by code: choosing a checked entry leaves its
// check mark as it was, for the entry's handler to decide.

// Appends an entry; index 0 or more makes it that element of the option array
// called name.
QAction* AddMenuEntry(QMenu* menu, const QString& caption, const QString& name, int index = -1);
// Appends a submenu; its entry in the parent menu carries the same name.
QMenu* AddSubmenu(QMenu* menu, const QString& caption, const QString& name);

// The entry called name below root (a menu, a menu bar or a window), and for
// an option array the element of that index; null when there is none. A
// submenu is found by its entry.
QAction* FindMenuEntry(const QObject* root, const QString& name, int index = -1);
// The elements of an option array, by index.
QList<QAction*> MenuEntryArray(const QObject* root, const QString& name);
// The index of an option array's element, or -1 for any other entry.
int MenuEntryIndex(const QAction* entry);

bool MenuChecked(const QAction* entry);
void SetMenuChecked(QAction* entry, bool checked);

// Pops menus up: at the point asked for, returning once the menu is closed,
// when the chosen entry's handlers have run. A stand-in (a test's, which
// records the menu and chooses an entry itself) may put itself in use.
class PopupMenus : public Replaceable<PopupMenus> {
public:
    virtual ~PopupMenus();
    static PopupMenus& current();
    virtual void popup(QMenu* menu, const QPoint& screenPos);
};

// Pops a menu up through the pop-up in use.
void PopupMenu(QMenu* menu, const QPoint& screenPos);

} // namespace platform
