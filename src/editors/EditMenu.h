#pragma once

#include <QString>

#include <vector>

// The Edit menu of every text field of the program: the plain menu, and the extended menu of the
// log notes with the template commands. The items and their enabled and checked states are
// decided here; the widget layer draws the menu and runs the chosen command on the field.

enum class EEditCommand { Undo, Clear, Copy, Cut, Paste, LogTemplate, AutoInsert };

// What the field can do at the moment the menu opens.
struct CEditFieldState {
    bool canUndo = false;
    bool hasSelection = false;
    bool readOnly = false;
    bool enabled = true;
};

struct CEditMenuItem {
    EEditCommand command = EEditCommand::Undo;
    QString caption;
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
    bool separatorBefore = false;
};

// The items of the plain menu ("Undo", "Clear", "Copy", "Cut", "Paste"), or of the extended menu,
// which adds "Log Template" and "Auto Insert" after a separator. "Undo" is off when the field
// cannot undo or is read-only or disabled; "Copy" when nothing is selected; "Clear" and "Cut" when
// nothing is selected or the field is read-only or disabled; "Paste" when the field is read-only or
// disabled. "Log Template" is always on; "Auto Insert" is checked while the setting
// "AutoInsLogTmpl" is on.
std::vector<CEditMenuItem> EditMenuItems(const CEditFieldState& state, bool extended);
