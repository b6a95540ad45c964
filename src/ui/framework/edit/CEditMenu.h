#pragma once

#include "editors/EditMenu.h"

#include <QPoint>

class QWidget;

// The Edit menu of the program's text fields: one-line (QLineEdit, CMenuEdit) and multi-line
// (QPlainTextEdit, CMenuTextEdit, editable QTextEdit). The items and their states come from the
// core (EditMenuItems); this draws the menu through CModalRunner and runs the chosen command on
// the field. Page displays (QTextBrowser) keep their own menu.
class CEditMenu {
public:
    // The text field that `widget` is or belongs to (the viewport of a multi-line field belongs
    // to it), or null when it is no text field of the program.
    static QWidget* FieldOf(QWidget* widget);
    // What the field can do now.
    static CEditFieldState StateOf(QWidget* field);
    // Opens the field's Edit menu at a screen position (the extended menu when the field's flags
    // ask for it) and runs the chosen command.
    static void Open(QWidget* field, const QPoint& globalPos);
    // Runs one command of the menu on the field.
    static void Run(QWidget* field, EEditCommand command);

    // Gives every text field of the program this menu on a right click, the context-menu key and
    // tap and hold, in place of Qt's own; installed once on the application.
    static void InstallForApplication();
};
