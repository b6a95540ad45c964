#include "editors/EditMenu.h"

#include "settings/CAppSettings.h"

std::vector<CEditMenuItem> EditMenuItems(const CEditFieldState& state, bool extended) {
    const bool writable = !state.readOnly && state.enabled;
    std::vector<CEditMenuItem> items = {
        {EEditCommand::Undo, QStringLiteral("Undo"), state.canUndo && writable},
        {EEditCommand::Clear, QStringLiteral("Clear"), state.hasSelection && writable},
        {EEditCommand::Copy, QStringLiteral("Copy"), state.hasSelection},
        {EEditCommand::Cut, QStringLiteral("Cut"), state.hasSelection && writable},
        {EEditCommand::Paste, QStringLiteral("Paste"), writable},
    };
    if (extended) {
        CEditMenuItem logTemplate{EEditCommand::LogTemplate, QStringLiteral("Log Template")};
        logTemplate.separatorBefore = true;
        CEditMenuItem autoInsert{EEditCommand::AutoInsert, QStringLiteral("Auto Insert")};
        autoInsert.checkable = true;
        autoInsert.checked = CAppSettings::Global().m_autoInsLogTmpl != 0;
        items.push_back(logTemplate);
        items.push_back(autoInsert);
    }
    return items;
}
