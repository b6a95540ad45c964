#include "AccessibleTree.h"

#include <QApplication>
#include <QMenu>

namespace {

bool IsInteractive(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::PageTab:
    case QAccessible::MenuItem:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::ToolBar:
    case QAccessible::PopupMenu:
    case QAccessible::Link:
    case QAccessible::Dialog:
        return true;
    default:
        return false;
    }
}

void Walk(QAccessibleInterface* iface, QStringList& unnamed, int depth) {
    if (!iface || !iface->isValid() || depth > 40)
        return;
    if (iface->state().invisible)
        return;
    if (IsInteractive(iface->role()) && iface->text(QAccessible::Name).trimmed().isEmpty()) {
        QObject* object = iface->object();
        unnamed << QStringLiteral("role 0x%1 %2 \"%3\"")
                       .arg(QString::number(int(iface->role()), 16),
                            object ? QString::fromLatin1(object->metaObject()->className())
                                   : QStringLiteral("(item)"),
                            object ? object->objectName() : QString());
    }
    for (int i = 0; i < iface->childCount(); ++i)
        Walk(iface->child(i), unnamed, depth + 1);
}

} // namespace

QStringList UnnamedControls(QObject* root) {
    QStringList unnamed;
    Walk(QAccessible::queryAccessibleInterface(root), unnamed, 0);
    return unnamed;
}

QAccessibleInterface* OpenMenuFromRoot() {
    QAccessibleInterface* app = QAccessible::queryAccessibleInterface(qApp);
    if (!app)
        return nullptr;
    for (int i = 0; i < app->childCount(); ++i) {
        QAccessibleInterface* child = app->child(i);
        if (child && child->role() == QAccessible::PopupMenu && app->indexOfChild(child) == i &&
            qobject_cast<QMenu*>(child->object()))
            return child;
    }
    return nullptr;
}

QList<CAccessibleItem> MenuItemsOf(QAccessibleInterface* menu) {
    QList<CAccessibleItem> items;
    if (!menu)
        return items;
    for (int i = 0; i < menu->childCount(); ++i) {
        QAccessibleInterface* item = menu->child(i);
        if (!item || item->role() == QAccessible::Separator)
            continue;
        items.append({item->text(QAccessible::Name), !item->state().disabled});
    }
    return items;
}
