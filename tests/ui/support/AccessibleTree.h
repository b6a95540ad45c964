#pragma once

#include <QAccessible>
#include <QStringList>

class QObject;

// Helpers that read the program's windows as a screen reader does, through the accessibility
// interfaces that the desktop's bus serves.

// Every control below `root` (the root included) that a user acts on (buttons, check boxes, text
// fields, lists, tabs, menus and their items, tool bars) but that has no accessible name, each
// described by its role, class and object name.
QStringList UnnamedControls(QObject* root);

// The interface of an open pop-up menu as reached from the application's root, or null.
QAccessibleInterface* OpenMenuFromRoot();

// The name and state of each child item of a menu interface.
struct CAccessibleItem {
    QString name;
    bool enabled = true;
};
QList<CAccessibleItem> MenuItemsOf(QAccessibleInterface* menu);
