#pragma once

// The choices CPluginMgr::Invoke asks the user for when it cannot choose a plug-in by itself.
// The application implements them with the import dialog and the Select Plugin dialog; the
// command-line tool and tests supply their choices directly. Each call returns true for Start,
// after it has stored its choices in CAppSettings::Global() and saved the settings, and false for
// Cancel, storing nothing.
class IPluginDialogs {
public:
    virtual ~IPluginDialogs() = default;

    // Import: stores the import plug-in (GetRolePlugin(7)), the target database (m_impDatabase),
    // the flags m_impForceCateg, m_impMerge, m_impSaveDb and the four routing category names
    // (m_impCateg, m_impCategFound, m_impCategOwned, m_impCategExtra).
    virtual bool RunImportDialog() = 0;

    // Select Plugin for `role`: stores the chosen plug-in (GetRolePlugin(role)) and the maximum
    // record count text m_expMaxRec (empty: no limit).
    virtual bool RunSelectPluginDialog(int role) = 0;
};
