#pragma once

#include "ui/framework/CPropertyPageEx.h"

class CImportRecsDlg;
class QCheckBox;
class QComboBox;

// The "Options" page of the import dialog: the import plug-in, the target database and the three
// import options. Picking a database selects it in the dialog, which checks the routing
// categories against it.
class CImportOptionPage : public CPropertyPageEx {
    Q_OBJECT
public:
    explicit CImportOptionPage(CImportRecsDlg& sheet, QWidget* parent = nullptr);

    // Shows the plug-in (the first one when the stored name is not in the list), the database
    // and the options.
    void OnInitPage() override;
    // Takes the plug-in, the database and the options from the controls.
    bool OnKillActive() override;

    // The user picked the entry at `index` of "Database:".
    void OnDatabasePicked(int index);

    QComboBox* PluginList() const { return m_plugins; }
    QComboBox* DatabaseList() const { return m_databases; }
    QCheckBox* OverrideCheck() const { return m_override; }
    QCheckBox* MergeCheck() const { return m_merge; }
    QCheckBox* RememberCheck() const { return m_remember; }

private:
    CImportRecsDlg& m_sheet;
    QComboBox* m_plugins;
    QComboBox* m_databases;
    QCheckBox* m_override;
    QCheckBox* m_merge;
    QCheckBox* m_remember;
};
