#include "ui/framework/CAccessibleApplication.h"

#include <QApplication>
#include <QMenu>

namespace {

QList<QMenu*> OpenPopupMenus() {
    QList<QMenu*> menus;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* menu = qobject_cast<QMenu*>(widget); menu && menu->isVisible())
            menus.append(menu);
    }
    return menus;
}

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (object && object == qApp)
        return new CAccessibleApplication;
    return nullptr;
}

} // namespace

int CAccessibleApplication::childCount() const {
    return QAccessibleApplication::childCount() + int(OpenPopupMenus().size());
}

QAccessibleInterface* CAccessibleApplication::child(int index) const {
    const int windows = QAccessibleApplication::childCount();
    if (index < windows)
        return QAccessibleApplication::child(index);
    const QList<QMenu*> menus = OpenPopupMenus();
    index -= windows;
    return index < menus.size() ? QAccessible::queryAccessibleInterface(menus[index]) : nullptr;
}

int CAccessibleApplication::indexOfChild(const QAccessibleInterface* child) const {
    const int index = QAccessibleApplication::indexOfChild(child);
    if (index >= 0 || !child)
        return index;
    const int at = int(OpenPopupMenus().indexOf(qobject_cast<QMenu*>(child->object())));
    return at < 0 ? -1 : QAccessibleApplication::childCount() + at;
}

void CAccessibleApplication::Install() {
    QAccessible::installFactory(&Factory);
}
