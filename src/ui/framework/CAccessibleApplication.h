#pragma once

#include <QAccessibleObject>

// The program's root on the accessibility bus. Qt's own root lists the top-level windows but
// leaves out pop-up menus, so a screen reader walking the tree from the root never finds the
// record menu, the category menu or the Edit menu of a text field while it is open. This root
// lists every open pop-up menu after the windows.
class CAccessibleApplication : public QAccessibleApplication {
public:
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    // Makes this the application's root; call once, right after the application object exists.
    static void Install();
};
