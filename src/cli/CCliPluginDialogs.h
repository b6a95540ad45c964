#pragma once

#include "plugins/IPluginDialogs.h"

#include <QString>

// The plug-in manager's dialogs without a user: the choices come from the command line and are
// handed over as the dialogs would hand them over, through the settings, when the manager asks.
// Unlike the dialogs, nothing is saved: the settings the choices change stay in memory, and the
// command's CTemporarySettings scope puts them back afterwards.
class CCliPluginDialogs : public IPluginDialogs {
public:
    // What the import dialog would store on Start.
    struct ImportChoices {
        QString plugin;                // the import plug-in
        QString database;              // the target database
        bool merge = true;             // merge records by waypoint ID
        bool overrideCategory = false; // route merged records too
        QString defaultCategory;       // empty: keep the stored default category
    };

    void SetImportChoices(const ImportChoices& choices) { m_import = choices; }
    // What the Select Plugin dialog would store for `role`: the plug-in and the maximum record
    // count text (empty: no limit; the field is taken for role 5 only).
    void SetSelection(int role, const QString& plugin, const QString& maxCount = QString());

    // Stores the import choices; false (Cancel) when no plug-in was chosen.
    bool RunImportDialog() override;
    // Stores the selection for its role; false (Cancel) for any other role or without a plug-in.
    bool RunSelectPluginDialog(int role) override;

    // The plug-in to run for a role: `requested` when given, otherwise the role's stored choice
    // when that plug-in still exists, otherwise the only plug-in of the role. Empty, after a
    // message on standard error naming the plug-ins there are, when none fits. `what` names the
    // role's plug-ins in messages ("import").
    static QString ChoosePlugin(int role, const QString& requested, const QString& what);

private:
    ImportChoices m_import;
    int m_role = 0;
    QString m_plugin;
    QString m_maxCount;
};
