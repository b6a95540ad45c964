#pragma once

#include "ui/framework/edit/CMenuEditFlags.h"

#include <QLineEdit>

// The program's one-line text field. Its Edit menu (right click, the context-menu key, or tap and
// hold) is the program's own (CEditMenu) instead of Qt's; the flags choose the extended menu.
class CMenuEdit : public QLineEdit, public CMenuEditFlags {
    Q_OBJECT
public:
    explicit CMenuEdit(QWidget* parent = nullptr);
};
