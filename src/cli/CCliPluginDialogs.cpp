#include "cli/CCliPluginDialogs.h"

#include "cli/CliOutput.h"
#include "plugins/CPluginMgr.h"
#include "settings/CAppSettings.h"

#include <QStringList>

void CCliPluginDialogs::SetSelection(int role, const QString& plugin, const QString& maxCount) {
    m_role = role;
    m_plugin = plugin;
    m_maxCount = maxCount;
}

bool CCliPluginDialogs::RunImportDialog() {
    if (m_import.plugin.isEmpty())
        return false;
    CAppSettings& settings = CAppSettings::Global();
    settings.SetRolePlugin(kRoleImportRecords, m_import.plugin);
    settings.m_impDatabase = m_import.database;
    settings.m_impMerge = m_import.merge ? 1 : 0;
    settings.m_impForceCateg = m_import.overrideCategory ? 1 : 0;
    if (!m_import.defaultCategory.isEmpty())
        settings.m_impCateg = m_import.defaultCategory;
    return true;
}

bool CCliPluginDialogs::RunSelectPluginDialog(int role) {
    if (role != m_role || m_plugin.isEmpty())
        return false;
    CAppSettings& settings = CAppSettings::Global();
    settings.SetRolePlugin(role, m_plugin);
    settings.m_expMaxRec = role == kRoleExportRecords ? m_maxCount : QString();
    return true;
}

QString CCliPluginDialogs::ChoosePlugin(int role, const QString& requested, const QString& what) {
    CPluginMgr& plugins = CPluginMgr::Global();
    QStringList names;
    plugins.GetRoleNames(role, names);
    names.sort();
    if (names.isEmpty()) {
        Fail(QStringLiteral("no %1 plug-in is installed in %2").arg(what, plugins.PluginFolder()));
        return QString();
    }
    const QString installed = QStringLiteral("\"") + names.join(QStringLiteral("\", \"")) + u'"';
    if (!requested.isEmpty()) {
        if (plugins.FindEntry(role, requested))
            return requested;
        Fail(QStringLiteral("no %1 plug-in named \"%2\" (installed: %3)")
                 .arg(what, requested, installed));
        return QString();
    }
    const QString stored = CAppSettings::Global().GetRolePlugin(role);
    if (!stored.isEmpty() && plugins.FindEntry(role, stored))
        return stored;
    if (names.size() == 1)
        return names.first();
    Fail(QStringLiteral("several %1 plug-ins are installed (%2); choose one with --plugin")
             .arg(what, installed));
    return QString();
}
